#include "GameStates/LevelObject.h"

#include "Core/ObjectManager.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "GameStates/LevelManager.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>
#include <set>
#include <utility>

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( LevelObject )

	LevelObject::NameCounters& LevelObject::Counters()
	{
		static NameCounters counters;
		return counters;
	}

	void LevelObject::CountName( const std::string& name )
	{
		NameCounters& counters = Counters();
		if ( name.find( "Button" ) != std::string::npos )
			++counters.mButton;
		else if ( name.find( "Pillar" ) != std::string::npos )
			++counters.mPillar;
		else if ( name.find( "Switch" ) != std::string::npos )
			++counters.mSwitch;
		else if ( name.find( "Mine" ) != std::string::npos )
			++counters.mMine;
		else if ( name.find( "Crystal" ) != std::string::npos )
			++counters.mCrystal;
	}

	void LevelObject::Initialise()
	{
		LevelManager* manager = Services::Get<LevelManager>();
		if ( !manager )
			return;
		mLevelId = manager->TakeId();
		manager->AddLevel( this );
		if ( const ResourceRecord* record = manager->LevelFile( mLevelId ) )
			mFilePath = record->mPath;
	}

	void LevelObject::Shutdown()
	{
		if ( LevelManager* manager = Services::Get<LevelManager>() )
			manager->RemoveLevel( this );
	}

	void LevelObject::AddObject( Object* object )
	{
		if ( object )
			mObjectNames.push_back( object->mName );
	}

	void LevelObject::RemoveObject( Object* object )
	{
		if ( !object )
			return;
		const uint32_t hash = object->mName.GetHash();
		for ( const HashedName& name : mObjectNames )
		{
			if ( name.GetHash() == hash )
			{
				ObjectManager::Instance().DestroyObject( name );
				return;
			}
		}
	}

	void LevelObject::DestroyAllObjects()
	{
		ObjectManager& objects = ObjectManager::Instance();
		for ( const HashedName& name : mObjectNames )
			objects.DestroyObject( name );
		objects.ProcessDestroyQueue();
	}

	void LevelObject::Deserialise( ResourceRecord& record )
	{
		if ( !record.NamesFile() )
		{
			LOG_WARNING( "Level " << mName.GetName() << ": no level file to load." );
			return;
		}
		// Every fragment passes in memory; the exchange files are written once, at the end.
		const Serialiser::Batch batch;
		// The first pass reads a document of its own: what the objects' Initialise does
		// may use the serialiser's level document. It becomes that document afterwards.
		pugi::xml_document document;
		Serialiser::LoadDocument( document, record.mPath );
		const pugi::xml_node root = document.document_element();
		if ( !root )
		{
			LOG_WARNING( "Level file " << record.mPath << " holds no objects." );
			return;
		}

		ObjectManager& objects = ObjectManager::Instance();
		size_t created = 0;
		size_t skipped = 0;
		for ( pugi::xml_node element = root.first_child(); element; element = element.next_sibling() )
		{
			if ( element.type() != pugi::node_element )
				continue;
			const pugi::xml_attribute first = element.first_attribute();
			const pugi::xml_attribute last = element.last_attribute();
			if ( !first || first == last )
			{
				LOG_WARNING( "Level file " << record.mPath << ": skipping the element <" << element.name() << "> at offset "
				                           << element.offset_debug() << ", which names no type and object." );
				++skipped;
				continue;
			}
			const char* name = last.value();
			const HashedName type( first.value() );
			if ( type == ClassHashedName() )
			{
				// A level holds objects, not levels: a level inside one would take an id and
				// a file from the level manager and, while its objects read their values,
				// load its own file over the document this level is being read from.
				LOG_WARNING( "Level file " << record.mPath << ": skipping the level object \"" << name
				                           << "\" inside the level; a level cannot hold another." );
				++skipped;
				continue;
			}
			Object* object = objects.CreateObject( type, name );
			if ( !object )
			{
				// The object manager has said why.
				++skipped;
				continue;
			}
			objects.InitialiseObject( object );
			CountName( name );
			AddObject( object );
			++created;
		}
		if ( skipped > 0 )
			LOG_WARNING( "Level file " << record.mPath << ": loaded " << created << " objects, skipped " << skipped << "." );

		Serialiser::Instance().TakeLevel( std::move( document ) );
		ReadValues();
	}

	void LevelObject::ReloadObjects( ResourceRecord& record )
	{
		if ( !record.NamesFile() )
			return;
		const Serialiser::Batch batch;
		Serialiser::Instance().LoadLevel( record.mPath );
		ReadValues();
	}

	void LevelObject::ReadValues()
	{
		Serialiser& serialiser = Serialiser::Instance();
		ResourceRecord* exchange = FileSystem::Instance().GetResource( "ObjectDefault" );
		if ( !exchange )
			return;
		ObjectManager& objects = ObjectManager::Instance();
		// A file loaded into this level again lists its names again: each object still
		// reads its values once, or every reload of a level would read them once more.
		std::set<uint32_t> read;
		for ( const HashedName& name : mObjectNames )
		{
			if ( !read.insert( name.GetHash() ).second )
				continue;
			// An object this file does not hold keeps its values: reading it from an
			// empty fragment would reset every one of them to zero.
			if ( !serialiser.FindLevelObject( name.GetName().c_str() ) )
				continue;
			Object* object = objects.GetObject( name );
			if ( !object )
				continue;
			serialiser.ExtractObject( name.GetName().c_str() );
			object->Deserialise( *exchange );
		}
	}

	void LevelObject::Serialise( ResourceRecord& record ) { Save( record ); }

	bool LevelObject::Save( const ResourceRecord& record )
	{
		if ( !record.NamesFile() )
		{
			LOG_WARNING( "Level " << mName.GetName() << ": no file to save to." );
			return false;
		}
		ResourceRecord* exchange = FileSystem::Instance().GetResource( "ObjectDefault" );
		if ( !exchange || !exchange->NamesFile() )
		{
			LOG_ERROR( "Level " << mName.GetName() << " cannot be saved to " << record.mPath
			                    << ": the objects' exchange file is not registered." );
			return false;
		}

		Serialiser& serialiser = Serialiser::Instance();
		const Serialiser::Batch batch;
		pugi::xml_document document;
		pugi::xml_node root = document.append_child( "LevelObject" );
		root.append_attribute( "Type" ).set_value( mType.GetName().c_str() );
		root.append_attribute( "Name" ).set_value( mName.GetName().c_str() );

		const pugi::xml_node previous = serialiser.GetCurrentElement();
		ObjectManager& objects = ObjectManager::Instance();
		// A level loaded twice into this object lists its names twice; each object is
		// still written once, or the file would not load again without errors.
		std::set<uint32_t> written;
		for ( const HashedName& name : mObjectNames )
		{
			Object* object = objects.GetObject( name );
			if ( !object || !written.insert( name.GetHash() ).second )
				continue;
			object->Serialise( *exchange );
			serialiser.SetCurrentElement( root );
			serialiser.AppendFileContents( exchange->mPath.c_str() );
		}
		serialiser.SetCurrentElement( previous );
		return Serialiser::SaveDocument( document, record.mPath );
	}
}
