#pragma once

#include "Utilities/Hash.h"

#include <cstdint>
#include <string>

namespace Tarn
{
	// A name together with its hash, computed once when the name is built.
	class HashedName
	{
	public:
		explicit HashedName( const char* name ) : mName( name ? name : "" ), mHash( Hash( mName.c_str() ) ) {}

		const std::string& GetName() const { return mName; }
		uint32_t GetHash() const { return mHash; }

		bool operator==( const HashedName& other ) const { return mHash == other.mHash; }
		bool operator<( const HashedName& other ) const { return mHash < other.mHash; }

	private:
		std::string mName;
		uint32_t mHash;
	};
}

// Gives a class the function-local static HashedName of its own name, built on first
// use. Services, object types and component types are keyed by it.
#define TARN_CLASS_NAME( Class )                                         \
public:                                                                  \
	static const ::Tarn::HashedName& ClassHashedName()                   \
	{                                                                    \
		static const ::Tarn::HashedName sClassHashedName( #Class );      \
		return sClassHashedName;                                         \
	}
