#include "StateMachines/SwitchComponent.h"

#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchLinks.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( SwitchComponent )

	using namespace Tarn::Property;

	void SwitchComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		WriteInt( node, "State", "mState", mState );
		WriteInt( node, "InnerState", "mInnerState", mInnerState );
		WriteFloat( node, "StateTimer", "mStateTimer", mStateTimer );
		WriteInt( node, "CurrPhase", "mCurrPhase", mCurrPhase );
		WriteInt( node, "SwitchColour", "mSwitchColour", mSwitchColour );
		serialiser.SaveComponent( record );
	}

	void SwitchComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mState = static_cast<StateType>( ReadInt( node, "State", "mState" ) );
		mInnerState = static_cast<InnerStateType>( ReadInt( node, "InnerState", "mInnerState" ) );
		mStateTimer = ReadFloat( node, "StateTimer", "mStateTimer" );
		mCurrPhase = ReadInt( node, "CurrPhase", "mCurrPhase" );
		mSwitchColour = ReadInt( node, "SwitchColour", "mSwitchColour" );
	}

	void SwitchComponent::Initialise()
	{
		Unlink( *this );
		mState = STATE_NORMAL;
		mInnerState = INNER_STATE_ON_ENTER;
		mCurrPhase = 1;
		mSwitchColour = 0;
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Register( this );
	}

	void SwitchComponent::Shutdown()
	{
		// The guard that claimed this switch, or wore this stun effect, forgets it.
		Unlink( *this );
		if ( auto* manager = Tarn::Services::Get<StateMachineManager>() )
			manager->Unregister( this );
	}
}
