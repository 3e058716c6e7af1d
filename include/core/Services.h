#pragma once

#include "core/HashedName.h"
#include "Utilities/Assert.h"

#include <cstdint>
#include <map>

namespace Tarn
{
	// The process-wide registry of engine services: the hash of a class name maps to
	// the single instance of that class. The registry owns nothing.
	class Services
	{
	public:
		static Services& Instance()
		{
			static Services services;
			return services;
		}

		// Asserts on a null service or a type already present; the first entry stays.
		template <typename T>
		static void Add( T* service )
		{
			auto& mServices = Instance().mServices;
			const uint32_t hash = T::ClassHashedName().GetHash();
			const bool absent = mServices.find( hash ) == mServices.end();
			if ( !service )
				Assert( "service", TARN_ASSERT_MESSAGE_DEFAULT, __FILE__, __LINE__ );
			if ( !absent )
				Assert( "mServices.find( hash ) == mServices.end()", "Service type already exists.", __FILE__, __LINE__ );
			if ( service && absent )
				mServices.emplace( hash, static_cast<void*>( service ) );
		}

		// Null when no instance of T is registered.
		template <typename T>
		static T* Get()
		{
			const auto& services = Instance().mServices;
			const auto found = services.find( T::ClassHashedName().GetHash() );
			return found == services.end() ? nullptr : static_cast<T*>( found->second );
		}

		template <typename T>
		static void Remove()
		{
			auto& mServices = Instance().mServices;
			const auto eraseIt = mServices.find( T::ClassHashedName().GetHash() );
			if ( eraseIt == mServices.end() )
				Assert( "eraseIt != mServices.end()", "Service type does not exist!", __FILE__, __LINE__ );
			else
				mServices.erase( eraseIt );
		}

		std::map<uint32_t, void*> mServices;

	private:
		Services() = default;
	};
}
