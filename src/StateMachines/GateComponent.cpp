#include "StateMachines/GateComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( GateComponent )

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
}
