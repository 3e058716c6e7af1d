#include "StateMachines/GateComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"

#include <string>

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( GateComponent )

	using namespace Tarn::Property;

	namespace
	{
		std::string TargetMember( size_t index ) { return "mTargetList." + std::to_string( index ); }
	}

	void GateComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		WriteInt( node, "AI", "mAI", mAI );
		WriteInt( node, "State", "mState", mState );
		WriteInt( node, "InnerState", "mInnerState", mInnerState );
		WriteBool( node, "IsEnemy", "mIsEnemy", mIsEnemy );
		WriteBool( node, "PauseGate", "mPauseGate", mPauseGate );
		WriteInt( node, "Content", "mContent", mContent );
		WriteInt( node, "Skip", "mSkip", mSkip );
		WriteFloat( node, "StateTimer", "mStateTimer", mStateTimer );
		pugi::xml_node targets = node.append_child( "TargetList" );
		for ( size_t i = 0; i < kTargetCount; ++i )
			targets.append_attribute( TargetMember( i ).c_str() ).set_value( Tarn::ValueText::FromInt( mTargetList[i] ).c_str() );
		serialiser.SaveComponent( record );
	}

	void GateComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mAI = ReadInt( node, "AI", "mAI" );
		mState = static_cast<StateType>( ReadInt( node, "State", "mState" ) );
		mInnerState = static_cast<InnerStateType>( ReadInt( node, "InnerState", "mInnerState" ) );
		mIsEnemy = ReadBool( node, "IsEnemy", "mIsEnemy" );
		mPauseGate = ReadBool( node, "PauseGate", "mPauseGate" );
		mContent = ReadInt( node, "Content", "mContent" );
		mSkip = ReadInt( node, "Skip", "mSkip" );
		mStateTimer = ReadFloat( node, "StateTimer", "mStateTimer" );
		const pugi::xml_node targets = node.child( "TargetList" );
		for ( size_t i = 0; i < kTargetCount; ++i )
			mTargetList[i] = Tarn::ValueText::ToInt( targets.attribute( TargetMember( i ).c_str() ).value() );
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
