#include "Core/Object.h"

#include "Core/Serialiser.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"

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

	void Object::CreateObjectTweakBar()
	{
		mTweakBar = TwNewBar( mName.GetName().c_str() );
		for ( ObjectComponent* component : mComponents.Components() )
		{
			const TweakCallback own = component->GetTweakCallback();
			TwAddButton( mTweakBar, component->mType.GetName().c_str(), own ? own : &ObjectComponent::OpenTweakBar, component,
			             "" );
		}
		TwAddButton(
		    mTweakBar, "Save", []( void* object ) { static_cast<Object*>( object )->SaveToTypeFile(); }, this,
		    "group=Export" );
	}

	bool Object::SaveToTypeFile()
	{
		ResourceRecord* record = FileSystem::Instance().FindResource( mType.GetName().c_str() );
		if ( !record || !record->NamesFile() )
		{
			LOG_WARNING( "No file is registered for objects of type " << mType.GetName() << "; " << mName.GetName()
			                                                          << " is not saved" );
			return false;
		}
		Serialise( *record );
		return true;
	}

	void Object::DeleteTweakBar()
	{
		if ( mTweakBar )
			TwDeleteBar( mTweakBar );
		mTweakBar = nullptr;
	}
}
