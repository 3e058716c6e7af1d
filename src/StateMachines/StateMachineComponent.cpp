#include "StateMachines/StateMachineComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "StateMachines/SwitchLinks.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( StateMachineComponent )

	const Tarn::ComponentProperties& StateMachineComponent::Properties() const
	{
		using P = Tarn::Declare<StateMachineComponent>;
		using C = StateMachineComponent;
		static const Tarn::ComponentProperties kProperties = {
			P::Int( "AI", "mAI", &C::mAI ),
			P::Enum( "State", "mState", &C::mState ).Bar( "State", kStateGroup ).Enumeration( "StateType", kStateTypeNames ),
			P::Enum( "InnerState", "mInnerState", &C::mInnerState )
			    .Bar( "Inner State", kStateGroup )
			    .Enumeration( "InnerStateType", kInnerStateTypeNames ),
			P::Float( "StateTimer", "mStateTimer", &C::mStateTimer ).Bar( "State Timer", kStateGroup ),
			P::Int( "CurrPhase", "mCurrPhase", &C::mCurrPhase ).WriteOnly(),
			P::Bool( "MeshSwitchCheck", "mMeshSwitchCheck", &C::mMeshSwitchCheck ),
			P::Int( "Sign", "mSign", &C::mSign ),
			P::Float( "AttackRadius", "mAttackRadius", &C::mAttackRadius ),
			P::Compound( "AttackProjection", "mAttackProjection", &C::mAttackProjection, Tarn::Parts::kLowerXY ),
		};
		return kProperties;
	}

	void StateMachineComponent::OnDeserialised( const pugi::xml_node& ) { ForceGateBarrier(); }

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
