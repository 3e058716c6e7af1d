#include "StateMachines/SwitchLinks.h"

#include "StateMachines/StateMachineComponent.h"
#include "StateMachines/SwitchComponent.h"

namespace StateMachines
{
	void Link( StateMachineComponent& guard, SwitchComponent& target )
	{
		if ( guard.mTarget == &target && target.mClaimant == &guard )
			return;
		Unlink( guard );
		Unlink( target );
		guard.mTarget = &target;
		target.mClaimant = &guard;
	}

	void Unlink( StateMachineComponent& guard )
	{
		if ( SwitchComponent* target = guard.mTarget )
		{
			if ( target->mClaimant == &guard )
				target->mClaimant = nullptr;
			guard.mTarget = nullptr;
		}
	}

	void Unlink( SwitchComponent& target )
	{
		if ( StateMachineComponent* claimant = target.mClaimant )
		{
			if ( claimant->mTarget == &target )
				claimant->mTarget = nullptr;
			target.mClaimant = nullptr;
		}
	}
}
