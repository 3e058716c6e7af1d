#include "Core/ObjectComponentTable.h"

#include "Core/TypeRegistry.h"

#include <algorithm>

namespace Tarn
{
	ObjectComponentTable::~ObjectComponentTable() { ShutdownAll(); }

	ObjectComponent* ObjectComponentTable::AddComponent( const HashedName& type )
	{
		if ( mByType.count( type.GetHash() ) != 0 )
		{
			LOG_ERROR( "Object component " << type.GetName() << " already exists!" );
			return nullptr;
		}
		ObjectComponent* component = TypeRegistry::Instance().CreateComponent( type, mOwner );
		if ( !component )
			return nullptr;
		component->mType = type;
		mByType.emplace( type.GetHash(), component );
		mList.push_back( component );
		mPending.push_back( component );
		return component;
	}

	void ObjectComponentTable::AddComponents( std::span<const char* const> types )
	{
		for ( const char* type : types )
			AddComponent( HashedName( type ) );
		InitialisePending();
	}

	void ObjectComponentTable::InitialisePending()
	{
		// A component's Initialise may add further components; they join the queue and
		// are initialised in the same call.
		while ( !mPending.empty() )
		{
			ObjectComponent* component = mPending.front();
			mPending.pop_front();
			if ( component->mInitialised )
			{
				LOG_WARNING( "Object component already initialised." );
				continue;
			}
			component->Initialise();
			component->mInitialised = true;
		}
	}

	ObjectComponent* ObjectComponentTable::GetComponent( const HashedName& type ) const
	{
		const auto found = mByType.find( type.GetHash() );
		return found == mByType.end() ? nullptr : found->second;
	}

	void ObjectComponentTable::RemoveComponent( const HashedName& type )
	{
		const auto found = mByType.find( type.GetHash() );
		if ( found == mByType.end() )
		{
			LOG_ERROR( "Object component " << type.GetName() << " doesn't exist!" );
			return;
		}
		ObjectComponent* component = found->second;
		component->Shutdown();
		mByType.erase( type.GetHash() );
		std::erase( mList, component );
		// A component removed before its initialisation must not be reached by the
		// next InitialisePending.
		std::erase( mPending, component );
		delete component;
	}

	void ObjectComponentTable::ShutdownAll()
	{
		// Taken out of the table first: a Shutdown that adds or removes components
		// does not disturb the walk, and nothing here is shut down or deleted twice.
		std::vector<ObjectComponent*> components;
		components.swap( mList );
		for ( ObjectComponent* component : components )
			component->Shutdown();
		mPending.clear();
		for ( ObjectComponent* component : components )
		{
			mByType.erase( component->mType.GetHash() );
			delete component;
		}
		mByType.clear();
		if ( !mList.empty() )
			ShutdownAll();
	}
}
