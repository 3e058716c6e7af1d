#include "Utilities/Hash.h"
#include "core/HashedName.h"
#include "support/AssertRecorder.h"

#include <gtest/gtest.h>

namespace
{
	TEST( Hash, GivenValues )
	{
		EXPECT_EQ( Tarn::Hash( "" ), 0xF1B80078u );
		EXPECT_EQ( Tarn::Hash( "abc" ), 0xC529CEC6u );
		EXPECT_EQ( Tarn::Hash( "Game" ), 0xF7270564u );
	}

	// Each tail length takes its own branch; bytes of 0x80 and above must enter
	// sign-extended, so they differ from the same value read unsigned.
	TEST( Hash, HighBytesInTailAreSignExtended )
	{
		// Expected values computed by the published algorithm, started from 0xFFFFFFFF
		// and with the tail bytes sign-extended.
		auto reference = []( const std::string& text ) {
			uint32_t h = 0xFFFFFFFFu;
			const auto* d = reinterpret_cast<const unsigned char*>( text.data() );
			size_t n = text.size();
			auto w = [&]( size_t i ) { return uint32_t( d[i] ) | ( uint32_t( d[i + 1] ) << 8 ); };
			size_t i = 0;
			for ( ; i + 4 <= n; i += 4 )
			{
				h += w( i );
				uint32_t t = ( w( i + 2 ) << 11 ) ^ h;
				h = ( h << 16 ) ^ t;
				h += h >> 11;
			}
			switch ( n - i )
			{
			case 3:
				h += w( i );
				h ^= h << 16;
				h ^= uint32_t( int32_t( static_cast<signed char>( d[i + 2] ) ) ) << 18;
				h += h >> 11;
				break;
			case 2:
				h += w( i );
				h ^= h << 11;
				h += h >> 17;
				break;
			case 1:
				h += uint32_t( int32_t( static_cast<signed char>( d[i] ) ) );
				h ^= h << 10;
				h += h >> 1;
				break;
			}
			h ^= h << 3;
			h += h >> 5;
			h ^= h << 4;
			h += h >> 17;
			h ^= h << 25;
			h += h >> 6;
			return h;
		};
		for ( const char* text : { "\xC3", "ab\xFF", "Game\x80", "Game\x7F", "Mine\xE9\xE9\xE9", "GuardX\x90" } )
			EXPECT_EQ( Tarn::Hash( text ), reference( text ) ) << text;

		// The one-byte branch: 0x80 sign-extended is 0xFFFFFF80, not 0x80.
		EXPECT_NE( Tarn::Hash( "\x80" ), Tarn::Hash( "\x01" ) );
		EXPECT_NE( Tarn::Hash( "ab\x80" ), Tarn::Hash( "ab\x00" ) );
	}

	TEST( Hash, NullTextAsserts )
	{
		KelvaneTest::AssertRecorder recorder;
		Tarn::Hash( nullptr );
		ASSERT_EQ( recorder.Count(), 1u );
		EXPECT_EQ( recorder.Reports()[0].mExpression, "name" );
	}

	TEST( HashedName, KeepsNameAndHash )
	{
		const Tarn::HashedName name( "Player1" );
		EXPECT_EQ( name.GetName(), "Player1" );
		EXPECT_EQ( name.GetHash(), Tarn::Hash( "Player1" ) );
	}
}
