#include "Physics/StatsComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Graphics/StatusBarManager.h"
#include "core/Services.h"

namespace Physics
{
	TARN_REGISTER_COMPONENT_TYPE( StatsComponent )

	void StatsComponent::Initialise()
	{
		if ( !mOwner )
			return;
		const bool fullHealth = mOwner->GetType().GetName() == "Player" ||
		                        mOwner->mComponents.GetComponent( Tarn::HashedName( "BossGuardian" ) ) ||
		                        mOwner->mComponents.GetComponent( Tarn::HashedName( "BossCupid" ) );
		if ( fullHealth )
			mHealth = kFullHealth;
		if ( auto* bars = Tarn::Services::Get<Graphics::StatusBarManager>() )
			bars->RegisterStats( this );
	}

	void StatsComponent::Shutdown()
	{
		if ( auto* bars = Tarn::Services::Get<Graphics::StatusBarManager>() )
			bars->UnregisterStats( this );
	}

	const Tarn::ComponentProperties& StatsComponent::Properties() const
	{
		using P = Tarn::Declare<StatsComponent>;
		static const Tarn::ComponentProperties kProperties = {
			P::Float( "Health", "mHealth", &StatsComponent::mHealth ).Bar( "Curr Health", " group=Health " ),
			P::Bool( "SelfDestruct", "mSelfDestruct", &StatsComponent::mSelfDestruct )
			    .Bar( "SelfDestruct Mode", " group=SelfDestruct " ),
		};
		return kProperties;
	}
}
