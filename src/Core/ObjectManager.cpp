#include "Core/ObjectManager.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"

namespace Tarn
{
	ObjectManager& ObjectManager::Instance()
	{
		static ObjectManager manager;
		return manager;
	}

	// The game destroys every object at shutdown; what is left at process exit is
	// deleted without its own Shutdown (its component table still shuts its components
	// down as it goes).
	ObjectManager::~ObjectManager()
	{
		for ( auto& entry : mObjects )
			delete entry.second.mObject;
	}

	Object* ObjectManager::CreateObject( const HashedName& type, const char* name )
	{
		TARN_ASSERT( name );
		if ( !name )
			return nullptr;
		const HashedName objectName( name );
		if ( mObjects.count( objectName.GetHash() ) != 0 )
		{
			LOG_ERROR( "Error creating object (" << name << "): Duplicate name." );
			return nullptr;
		}
		Object* object = TypeRegistry::Instance().CreateObject( type );
		if ( !object )
		{
			LOG_ERROR( "Error creating object (" << name << "): No such type (" << type.GetName() << ")." );
			return nullptr;
		}
		object->mType = type;
		object->mName = objectName;
		mObjects.emplace( objectName.GetHash(), Entry{ objectName, object } );
		return object;
	}

	void ObjectManager::InitialiseObject( Object* object )
	{
		if ( !object )
			return;
		if ( object->mInitialised )
			LOG_WARNING( "Object already initialised (" << object->mName.GetName() << ")" );
		else
		{
			object->Initialise();
			object->mInitialised = true;
		}
		object->mComponents.InitialisePending();
	}

	Object* ObjectManager::GetObject( const HashedName& name ) const
	{
		const auto found = mObjects.find( name.GetHash() );
		return found == mObjects.end() ? nullptr : found->second.mObject;
	}

	void ObjectManager::DestroyObject( const char* name )
	{
		TARN_ASSERT( name );
		if ( name )
			mPendingDestroy.emplace_back( name );
	}

	void ObjectManager::DestroyObject( const HashedName& name ) { mPendingDestroy.push_back( name ); }

	void ObjectManager::Destroy( uint32_t hash )
	{
		auto found = mObjects.find( hash );
		if ( found == mObjects.end() )
			return;
		Object* object = found->second.mObject;
		object->mComponents.ShutdownAll();
		object->Shutdown();
		// Taken out of the table before it is deleted, so that nothing finds it by name
		// while its destructor runs or after.
		mObjects.erase( hash );
		delete object;
	}

	void ObjectManager::ProcessDestroyQueue()
	{
		// A Shutdown may queue further names; they are destroyed in this same call.
		while ( !mPendingDestroy.empty() )
		{
			const uint32_t hash = mPendingDestroy.front().GetHash();
			mPendingDestroy.pop_front();
			Destroy( hash );
		}
	}

	void ObjectManager::DestroyAll()
	{
		// One object at a time, each taken out of the table as it dies: an object whose
		// Shutdown looks up another finds it alive or not at all, never deleted but still
		// filed. Objects made by a Shutdown meanwhile are destroyed too.
		while ( !mObjects.empty() )
			Destroy( mObjects.begin()->first );
		mPendingDestroy.clear();
	}
}
