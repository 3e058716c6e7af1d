#pragma once

#include "Core/Object.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <deque>
#include <map>

namespace Tarn
{
	// Owns every live object and finds it by its unique name. Destruction is deferred
	// to the end of the update step, so no object disappears while another is still
	// working with it.
	class ObjectManager : private Noncopyable
	{
	public:
		static ObjectManager& Instance();

		// A new, uninitialised object of a registered type; null (with an error) for a
		// name in use or an unknown type.
		Object* CreateObject( const HashedName& type, const char* name );
		void InitialiseObject( Object* object );
		Object* GetObject( const HashedName& name ) const;

		template <typename T>
		T* GetObject( const HashedName& name ) const
		{
			return static_cast<T*>( GetObject( name ) );
		}

		// The object of that name when it is of class T (an object's type is its class
		// name), else null: a name given to an object of another kind is not taken for T.
		template <typename T>
		T* GetObjectOfType( const HashedName& name ) const
		{
			Object* object = GetObject( name );
			return object && object->GetType() == T::ClassHashedName() ? static_cast<T*>( object ) : nullptr;
		}

		// Queues the object for destruction at the end of the step.
		void DestroyObject( const char* name );
		void DestroyObject( const HashedName& name );
		void ProcessDestroyQueue();
		void DestroyAll();

		size_t ObjectCount() const { return mObjects.size(); }
		size_t PendingDestroyCount() const { return mPendingDestroy.size(); }

		struct Entry
		{
			HashedName mName;
			Object* mObject;
		};

		std::map<uint32_t, Entry> mObjects;
		std::deque<HashedName> mPendingDestroy;

	private:
		ObjectManager() = default;
		~ObjectManager();

		void Destroy( uint32_t hash );
	};
}
