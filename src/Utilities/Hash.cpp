#include "Utilities/Hash.h"

#include "Utilities/Assert.h"

#include <cstring>

namespace Tarn
{
	namespace
	{
		inline uint32_t Word16( const unsigned char* bytes )
		{
			return static_cast<uint32_t>( bytes[0] ) | ( static_cast<uint32_t>( bytes[1] ) << 8 );
		}

		// Tail bytes enter the hash sign-extended, as they did on the compiler the
		// stored names were first hashed with; names with bytes of 0x80 and above keep
		// their values that way.
		inline uint32_t SignedByte( unsigned char byte )
		{
			return static_cast<uint32_t>( static_cast<int32_t>( static_cast<signed char>( byte ) ) );
		}
	}

	// SuperFastHash, except that the hash starts from all bits set instead of the length.
	uint32_t Hash( const char* text )
	{
		if ( !text )
		{
			Assert( "name", "Expression is false. Expected true.", __FILE__, __LINE__ );
			return 0;
		}

		const unsigned char* data = reinterpret_cast<const unsigned char*>( text );
		const size_t length = std::strlen( text );
		uint32_t hash = 0xFFFFFFFFu;

		for ( size_t groups = length / 4; groups > 0; --groups, data += 4 )
		{
			hash += Word16( data );
			const uint32_t tmp = ( Word16( data + 2 ) << 11 ) ^ hash;
			hash = ( hash << 16 ) ^ tmp;
			hash += hash >> 11;
		}

		switch ( length % 4 )
		{
		case 3:
			hash += Word16( data );
			hash ^= hash << 16;
			hash ^= SignedByte( data[2] ) << 18;
			hash += hash >> 11;
			break;
		case 2:
			hash += Word16( data );
			hash ^= hash << 11;
			hash += hash >> 17;
			break;
		case 1:
			hash += SignedByte( data[0] );
			hash ^= hash << 10;
			hash += hash >> 1;
			break;
		default:
			break;
		}

		hash ^= hash << 3;
		hash += hash >> 5;
		hash ^= hash << 4;
		hash += hash >> 17;
		hash ^= hash << 25;
		hash += hash >> 6;
		return hash;
	}
}
