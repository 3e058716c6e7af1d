#include "StateMachines/StateMachineComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchLinks.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( StateMachineComponent )

	using namespace Tarn::Property;

	void StateMachineComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		WriteInt( node, "AI", "mAI", mAI );
		WriteInt( node, "State", "mState", mState );
		WriteInt( node, "InnerState", "mInnerState", mInnerState );
		WriteFloat( node, "StateTimer", "mStateTimer", mStateTimer );
		WriteInt( node, "CurrPhase", "mCurrPhase", mCurrPhase );
		WriteBool( node, "MeshSwitchCheck", "mMeshSwitchCheck", mMeshSwitchCheck );
		WriteInt( node, "Sign", "mSign", mSign );
		WriteFloat( node, "AttackRadius", "mAttackRadius", mAttackRadius );
		pugi::xml_node projection = node.append_child( "AttackProjection" );
		projection.append_attribute( "mAttackProjection.x" ).set_value( Tarn::ValueText::FromFloat( mAttackProjection.X ).c_str() );
		projection.append_attribute( "mAttackProjection.y" ).set_value( Tarn::ValueText::FromFloat( mAttackProjection.Y ).c_str() );
		serialiser.SaveComponent( record );
	}

	void StateMachineComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mAI = ReadInt( node, "AI", "mAI" );
		mState = static_cast<StateType>( ReadInt( node, "State", "mState" ) );
		mInnerState = static_cast<InnerStateType>( ReadInt( node, "InnerState", "mInnerState" ) );
		mStateTimer = ReadFloat( node, "StateTimer", "mStateTimer" );
		mMeshSwitchCheck = ReadBool( node, "MeshSwitchCheck", "mMeshSwitchCheck" );
		mSign = ReadInt( node, "Sign", "mSign" );
		mAttackRadius = ReadFloat( node, "AttackRadius", "mAttackRadius" );
		const pugi::xml_node projection = node.child( "AttackProjection" );
		mAttackProjection = { Tarn::ValueText::ToFloat( projection.attribute( "mAttackProjection.x" ).value() ),
			                  Tarn::ValueText::ToFloat( projection.attribute( "mAttackProjection.y" ).value() ) };
		// A level is read after its objects are initialised; a gate barrier runs its own
		// routine whatever the file says.
		ForceGateBarrier();
	}

	void StateMachineComponent::ForceGateBarrier()
	{
		static const Tarn::HashedName kGateBarrier( "GateBarrier" );
		if ( mOwner->mType == kGateBarrier )
		{
			mAI = Routine::GateBarrier;
			mState = STATE_NORMAL;
		}
	}

	void StateMachineComponent::Initialise()
	{
		Unlink( *this );
		mState = STATE_NONE;
		mInnerState = INNER_STATE_ON_ENTER;
		mCurrPhase = 1;
		ForceGateBarrier();
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Register( this );
	}

	void StateMachineComponent::Shutdown()
	{
		// A switch or stun effect linked to this machine forgets it.
		Unlink( *this );
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Unregister( this );
	}
}
