#include "Core/Object.h"

#include "Core/Serialiser.h"
#include "Utilities/FileSystem.h"

namespace Tarn
{
	void Object::Serialise( ResourceRecord& record )
	{
		if ( !record.NamesFile() )
			return;
		Serialiser& serialiser = Serialiser::Instance();
		FileSystem& files = FileSystem::Instance();
		const pugi::xml_node previous = serialiser.GetCurrentElement();
		serialiser.SetCurrentElement( serialiser.BeginObject( mType, mName ) );
		for ( ObjectComponent* component : mComponents.Components() )
		{
			ResourceRecord* exchange = files.FindResource( component->mType.GetName().c_str() );
			if ( !exchange || !exchange->NamesFile() )
				continue;
			component->Serialise( *exchange );
			serialiser.AppendFileContents( exchange->mPath.c_str() );
		}
		serialiser.SetCurrentElement( previous );
		if ( const ResourceRecord* objectFile = files.GetResource( "ObjectDefault" ) )
			serialiser.SaveObject( *objectFile );
	}

	void Object::Deserialise( ResourceRecord& record )
	{
		if ( !record.NamesFile() )
			return;
		Serialiser& serialiser = Serialiser::Instance();
		FileSystem& files = FileSystem::Instance();
		serialiser.LoadObject( record );
		for ( ObjectComponent* component : mComponents.Components() )
		{
			ResourceRecord* exchange = files.FindResource( component->mType.GetName().c_str() );
			if ( !exchange || !exchange->NamesFile() )
				continue;
			serialiser.ExtractComponent( component->mType.GetName().c_str(), exchange->mPath.c_str() );
			component->Deserialise( *exchange );
		}
	}

	std::string ObjectComponent::TweakBarName() const
	{
		return ( mOwner ? mOwner->GetName().GetName() : std::string() ) + "'s " + mType.GetName();
	}
}
