#pragma once

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
}
