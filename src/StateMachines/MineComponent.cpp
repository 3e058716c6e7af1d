#include "StateMachines/MineComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateMachineManager.h"
#include "core/Services.h"

namespace StateMachines
{
	TARN_REGISTER_COMPONENT_TYPE( MineComponent )

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

	const Tarn::ComponentProperties& MineComponent::Properties() const
	{
		using P = Tarn::Declare<MineComponent>;
		using C = MineComponent;
		static const Tarn::ComponentProperties kProperties = {
			P::Int( "AI", "mAI", &C::mAI ),
			P::Float( "StateTimer", "mStateTimer", &C::mStateTimer ),
			P::Float( "WaitTimer", "mWaitTimer", &C::mWaitTimer ),
			P::Compounds( "Patrol", "mPatrol", &C::mPatrol, Tarn::Parts::kLowerXY ),
			P::Bool( "Patrols", "mPatrols", &C::mPatrols ),
			P::Bool( "Wait", "mWait", &C::mWait ),
			P::Bool( "IsAttacking", "mIsAttacking", &C::mIsAttacking ),
			P::Enum( "State", "mState", &C::mState ),
			P::Enum( "InnerState", "mInnerState", &C::mInnerState ),
		};
		return kProperties;
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
