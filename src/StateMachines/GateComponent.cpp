#include "StateMachines/GateComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>
#include <string>

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( GateComponent )

	namespace
	{
		// More guards than a level could hold behind one gate.
		constexpr int64_t kMostReleased = 256;
	}

	const Tarn::ComponentProperties& GateComponent::Properties() const
	{
		using P = Tarn::Declare<GateComponent>;
		using C = GateComponent;
		static const Tarn::ComponentProperties kProperties = {
			P::Int( "AI", "mAI", &C::mAI ),
			P::Enum( "State", "mState", &C::mState ),
			P::Enum( "InnerState", "mInnerState", &C::mInnerState ),
			P::Bool( "IsEnemy", "mIsEnemy", &C::mIsEnemy ),
			P::Bool( "PauseGate", "mPauseGate", &C::mPauseGate ),
			P::Int( "Content", "mContent", &C::mContent ),
			P::Int( "Skip", "mSkip", &C::mSkip ),
			P::Float( "StateTimer", "mStateTimer", &C::mStateTimer ),
			P::Numbered( "TargetList", "mTargetList", &C::mTargetList ),
		};
		return kProperties;
	}

	void GateComponent::Initialise()
	{
		static const Tarn::HashedName kGate( "Gate" );
		static const Tarn::HashedName kEnemyGate( "EnemyGate" );
		mState = STATE_NORMAL;
		mInnerState = INNER_STATE_ON_ENTER;
		mPhase = 1;
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Register( this );
		if ( mOwner->mType == kGate )
		{
			mIsEnemy = false;
			mAI = Routine::Gate;
		}
		else if ( mOwner->mType == kEnemyGate )
		{
			mIsEnemy = true;
			mAI = Routine::EnemyGate;
		}
	}

	void GateComponent::Shutdown()
	{
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Unregister( this );
	}

	void GateComponent::OnDeserialised( const pugi::xml_node& )
	{
		mTargetPosition = 0;
		mReleaseQueue.clear();
		mQueueMade = false;
	}

	int32_t GateComponent::TargetCount() const
	{
		int32_t count = 0;
		while ( count < static_cast<int32_t>( kTargetCount ) && mTargetList[static_cast<size_t>( count )] != ColourCode::None )
			++count;
		return count;
	}

	int32_t GateComponent::WantedColour() const
	{
		if ( mTargetPosition < 0 || mTargetPosition >= TargetCount() )
			return ColourCode::None;
		return mTargetList[static_cast<size_t>( mTargetPosition )];
	}

	int32_t GateComponent::LastMatchedColour() const
	{
		if ( mTargetPosition <= 0 || mTargetPosition > TargetCount() )
			return ColourCode::None;
		return mTargetList[static_cast<size_t>( mTargetPosition - 1 )];
	}

	std::vector<Tarn::HashedName>& GateComponent::ReleaseQueue()
	{
		if ( !mQueueMade )
		{
			mQueueMade = true;
			mReleaseQueue.clear();
			// A count beyond any level's guards (a damaged file) lets out as many as that.
			const int64_t count = std::clamp<int64_t>( mContent, 0, kMostReleased );
			if ( count < mContent )
				LOG_WARNING( mOwner->GetName().GetName() << " lets out " << mContent << " guards; it keeps to the first "
				                                         << kMostReleased );
			for ( int64_t number = int64_t( mSkip ) + 1; number <= int64_t( mSkip ) + count; ++number )
				mReleaseQueue.emplace_back( ( kGuardPrefix + std::to_string( number ) ).c_str() );
		}
		return mReleaseQueue;
	}
}
