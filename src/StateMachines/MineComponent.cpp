#include "StateMachines/MineComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( MineComponent )

	using namespace Tarn::Property;

	namespace
	{
		struct OwnerStart
		{
			const char* mType;
			int32_t mAI;
			StateType mState;
		};

		constexpr OwnerStart kOwnerStarts[] = {
			{ "Mine", Routine::Mine, STATE_NORMAL },
			{ "CrystalFocus", Routine::CrystalFocus, STATE_NORMAL },
			{ "SwitchEffect", Routine::SwitchEffectSpark, STATE_NONE },
			{ "Mirror", Routine::DriftingMirror, STATE_NORMAL },
		};
	}

	void MineComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		WriteInt( node, "AI", "mAI", mAI );
		WriteFloat( node, "StateTimer", "mStateTimer", mStateTimer );
		WriteFloat( node, "WaitTimer", "mWaitTimer", mWaitTimer );
		pugi::xml_node patrol = node.append_child( "Patrol" );
		patrol.append_attribute( "mPatrol.0.x" ).set_value( Tarn::ValueText::FromFloat( mPatrol[0].X ).c_str() );
		patrol.append_attribute( "mPatrol.0.y" ).set_value( Tarn::ValueText::FromFloat( mPatrol[0].Y ).c_str() );
		patrol.append_attribute( "mPatrol.1.x" ).set_value( Tarn::ValueText::FromFloat( mPatrol[1].X ).c_str() );
		patrol.append_attribute( "mPatrol.1.y" ).set_value( Tarn::ValueText::FromFloat( mPatrol[1].Y ).c_str() );
		WriteBool( node, "Patrols", "mPatrols", mPatrols );
		WriteBool( node, "Wait", "mWait", mWait );
		WriteBool( node, "IsAttacking", "mIsAttacking", mIsAttacking );
		WriteInt( node, "State", "mState", mState );
		WriteInt( node, "InnerState", "mInnerState", mInnerState );
		serialiser.SaveComponent( record );
	}

	void MineComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mAI = ReadInt( node, "AI", "mAI" );
		mStateTimer = ReadFloat( node, "StateTimer", "mStateTimer" );
		mWaitTimer = ReadFloat( node, "WaitTimer", "mWaitTimer" );
		const pugi::xml_node patrol = node.child( "Patrol" );
		mPatrol[0] = { Tarn::ValueText::ToFloat( patrol.attribute( "mPatrol.0.x" ).value() ),
			           Tarn::ValueText::ToFloat( patrol.attribute( "mPatrol.0.y" ).value() ) };
		mPatrol[1] = { Tarn::ValueText::ToFloat( patrol.attribute( "mPatrol.1.x" ).value() ),
			           Tarn::ValueText::ToFloat( patrol.attribute( "mPatrol.1.y" ).value() ) };
		mPatrols = ReadBool( node, "Patrols", "mPatrols" );
		mWait = ReadBool( node, "Wait", "mWait" );
		mIsAttacking = ReadBool( node, "IsAttacking", "mIsAttacking" );
		mState = static_cast<StateType>( ReadInt( node, "State", "mState" ) );
		mInnerState = static_cast<InnerStateType>( ReadInt( node, "InnerState", "mInnerState" ) );
	}

	void MineComponent::Initialise()
	{
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Register( this );
		for ( const OwnerStart& start : kOwnerStarts )
		{
			if ( mOwner->mType.GetName() == start.mType )
			{
				mAI = start.mAI;
				mState = start.mState;
				return;
			}
		}
	}

	void MineComponent::Shutdown()
	{
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Unregister( this );
	}
}
