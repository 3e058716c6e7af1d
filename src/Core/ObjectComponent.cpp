#include "Core/ObjectComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"

namespace Tarn
{
	ObjectComponent::~ObjectComponent() { DeleteTweakBar(); }

	const ComponentProperties& ObjectComponent::Properties() const
	{
		static const ComponentProperties kNothing{};
		return kNothing;
	}

	void ObjectComponent::Serialise( ResourceRecord& record )
	{
		Serialiser& serialiser = Serialiser::Instance();
		Properties().Write( serialiser.BeginComponent( record, mType ), *this );
		serialiser.EndComponent( record );
	}

	void ObjectComponent::Deserialise( ResourceRecord& record )
	{
		const ComponentProperties& properties = Properties();
		// A component that reads nothing back does not look at its fragment at all.
		const pugi::xml_node element =
		    properties.ReadsAnything() ? Serialiser::Instance().LoadComponent( record ) : pugi::xml_node();
		properties.Read( element, *this );
		OnDeserialised( element );
	}

	void ObjectComponent::OnDeserialised( const pugi::xml_node& ) {}

	void ObjectComponent::CreateTweakBar() { BuildTweakBar( Properties() ); }

	void ObjectComponent::BuildTweakBar( const ComponentProperties& table )
	{
		if ( !table.HasTweakEntries() )
			return;
		const std::string name = TweakBarName();
		mTweakBar = TwNewBar( name.c_str() );
		table.AddTweakEntries( mTweakBar, *this );
	}

	void ObjectComponent::OpenTweakBar( void* clientData )
	{
		if ( auto* component = static_cast<ObjectComponent*>( clientData ) )
			component->CreateTweakBar();
	}

	void ObjectComponent::DeleteTweakBar()
	{
		if ( mTweakBar )
			TwDeleteBar( mTweakBar );
		mTweakBar = nullptr;
	}

	std::string ObjectComponent::TweakBarName() const
	{
		return ( mOwner ? mOwner->GetName().GetName() : std::string() ) + "'s " + mType.GetName();
	}
}
