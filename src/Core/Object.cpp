#include "Core/Object.h"

#include "Core/Serialiser.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"

namespace Tarn
{
	Object::~Object() { DeleteTweakBar(); }

	void Object::Serialise( ResourceRecord& record )
	{
		if ( !record.NamesFile() )
			return;
		Serialiser& serialiser = Serialiser::Instance();
		FileSystem& files = FileSystem::Instance();
		const Serialiser::Batch batch;
		// Without an "ObjectDefault" exchange (an error of its own) the object is still
		// written, to nowhere.
		static const ResourceRecord kNowhere;
		const ResourceRecord* objectFile = files.GetResource( "ObjectDefault" );
		const ResourceRecord& target = objectFile ? *objectFile : kNowhere;

		const pugi::xml_node previous = serialiser.GetCurrentElement();
		const pugi::xml_node element = serialiser.BeginObject( target, mType, mName );
		for ( ObjectComponent* component : mComponents.Components() )
		{
			ResourceRecord* exchange = files.FindResource( component->mType.GetName().c_str() );
			if ( !exchange || !exchange->NamesFile() )
				continue;
			component->Serialise( *exchange );
			serialiser.SetCurrentElement( element );
			serialiser.AppendFileContents( exchange->mPath.c_str() );
		}
		serialiser.SetCurrentElement( previous );
		serialiser.EndObject( target );
	}

	void Object::Deserialise( ResourceRecord& record )
	{
		if ( !record.NamesFile() )
			return;
		Serialiser& serialiser = Serialiser::Instance();
		FileSystem& files = FileSystem::Instance();
		const Serialiser::Batch batch;
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

	void Object::DeleteTweakBar()
	{
		if ( mTweakBar )
			TwDeleteBar( mTweakBar );
		mTweakBar = nullptr;
	}
}
