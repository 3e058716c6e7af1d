#include "Physics/StatsComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Graphics/StatusBarManager.h"
#include "core/Services.h"

namespace Physics
{
	TARN_REGISTER_COMPONENT_TYPE( StatsComponent )

	bool StatsComponent::IsBossBody( const Tarn::Object& owner )
	{
		for ( const char* boss : { "BossGuardian", "BossCupid" } )
			if ( owner.IsType( boss ) || owner.mComponents.GetComponent( Tarn::HashedName( boss ) ) )
				return true;
		return false;
	}

	void StatsComponent::Initialise()
	{
		if ( !mOwner )
			return;
		if ( mOwner->IsType( "Player" ) || IsBossBody( *mOwner ) )
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
