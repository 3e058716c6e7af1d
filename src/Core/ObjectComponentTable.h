#pragma once

#include "Core/ObjectComponent.h"
#include "Utilities/Log.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <vector>

namespace Tarn
{
	// The components of one object: at most one per type, kept in order of addition.
	// The table owns them.
	class ObjectComponentTable : private Noncopyable
	{
	public:
		explicit ObjectComponentTable( Object* owner ) : mOwner( owner ) {}
		// Shuts down and deletes whatever components are left.
		~ObjectComponentTable();

		// Creates a component of a registered type for the owner; null for a type the
		// object already carries (with an error) or one that no class registered. The
		// component waits for InitialisePending.
		ObjectComponent* AddComponent( const HashedName& type );
		void InitialisePending();
		// Adds each type in order (one that no class registered is left out) and
		// initialises what was added: how an object assembles itself from a list.
		void AddComponents( std::span<const char* const> types );
		ObjectComponent* GetComponent( const HashedName& type ) const;
		// Shuts the component down and deletes it; an error when the object has none.
		void RemoveComponent( const HashedName& type );
		// Every Shutdown first, then every deletion, so a component may still reach its
		// siblings while it shuts down.
		void ShutdownAll();

		template <typename T>
		T* AddComponent()
		{
			return static_cast<T*>( AddComponent( T::ClassHashedName() ) );
		}

		template <typename T>
		T* GetComponent() const
		{
			return static_cast<T*>( GetComponent( T::ClassHashedName() ) );
		}

		template <typename T>
		void RemoveComponent()
		{
			RemoveComponent( T::ClassHashedName() );
		}

		const std::vector<ObjectComponent*>& Components() const { return mList; }
		size_t Count() const { return mList.size(); }
		size_t PendingCount() const { return mPending.size(); }

		std::map<uint32_t, ObjectComponent*> mByType;
		std::vector<ObjectComponent*> mList;
		std::deque<ObjectComponent*> mPending;
		Object* mOwner;
	};
}
