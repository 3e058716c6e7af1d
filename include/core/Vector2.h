#pragma once

#include <cmath>

namespace Tarn
{
	// A point or direction in the plane of the world, in world units.
	struct Vector2
	{
		float X = 0.0f;
		float Y = 0.0f;

		constexpr Vector2() = default;
		constexpr Vector2( float x, float y ) : X( x ), Y( y ) {}

		constexpr Vector2 operator+( const Vector2& other ) const { return { X + other.X, Y + other.Y }; }
		constexpr Vector2 operator-( const Vector2& other ) const { return { X - other.X, Y - other.Y }; }
		constexpr Vector2 operator*( float factor ) const { return { X * factor, Y * factor }; }
		constexpr bool operator==( const Vector2& other ) const = default;
	};

	constexpr float Dot( const Vector2& a, const Vector2& b ) { return a.X * b.X + a.Y * b.Y; }
	constexpr float LengthSquared( const Vector2& v ) { return Dot( v, v ); }
	inline float Length( const Vector2& v ) { return std::sqrt( LengthSquared( v ) ); }
	// A zero vector stays zero rather than becoming NaN.
	inline Vector2 Unit( const Vector2& v )
	{
		const float length = Length( v );
		return length > 0.0f ? v * ( 1.0f / length ) : Vector2();
	}
}
