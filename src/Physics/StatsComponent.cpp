#include "Physics/StatsComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Graphics/StatusBarManager.h"
#include "Platform/TweakBar.h"
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

	void StatsComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		Tarn::Property::WriteFloat( node, "Health", "mHealth", mHealth );
		Tarn::Property::WriteBool( node, "SelfDestruct", "mSelfDestruct", mSelfDestruct );
		serialiser.SaveComponent( record );
	}

	void StatsComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mHealth = Tarn::Property::ReadFloat( node, "Health", "mHealth" );
		mSelfDestruct = Tarn::Property::ReadBool( node, "SelfDestruct", "mSelfDestruct" );
	}

	void StatsComponent::CreateTweakBar()
	{
		const std::string name = TweakBarName();
		TwBar* bar = TwNewBar( name.c_str() );
		mTweakBar = bar;
		TwAddVarRW( bar, "Curr Health", TW_TYPE_FLOAT, &mHealth, " group=Health " );
		TwAddVarRW( bar, "SelfDestruct Mode", TW_TYPE_BOOLCPP, &mSelfDestruct, " group=SelfDestruct " );
	}
}
