// The geometry of light cones against hand-worked figures, and the light sprites' kinds.
#include "Game/LightEmitterComponent.h"
#include "Game/ShadowManager.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	namespace Light = Tarn::Light;
	using Tarn::Vector2;

	// A box of half-size 0.5 about the origin, clockwise from the top left.
	const Light::Corners kBox = { Vector2( -0.5f, 0.5f ), Vector2( 0.5f, 0.5f ), Vector2( 0.5f, -0.5f ), Vector2( -0.5f, -0.5f ) };

	void ExpectPoints( const Light::Silhouette& seen, Vector2 first, Vector2 second )
	{
		ASSERT_TRUE( seen.mFound );
		EXPECT_EQ( seen.mPoint1, first );
		EXPECT_EQ( seen.mPoint2, second );
	}

	TEST( ConeGeometry, APointIsInATriangleWhenItsEdgeSidesAgree )
	{
		// Anticlockwise: every side positive inside; the hypotenuse is 3x + 4y = 12.
		const Vector2 a( 0, 0 ), b( 4, 0 ), c( 0, 3 );
		EXPECT_TRUE( Light::PointInTriangle( a, b, c, { 1, 1 } ) );
		EXPECT_TRUE( Light::PointInTriangle( a, b, c, { 2, 1.49f } ) );
		EXPECT_FALSE( Light::PointInTriangle( a, b, c, { 2, 1.51f } ) );
		EXPECT_FALSE( Light::PointInTriangle( a, b, c, { -0.01f, 1 } ) );
		// Clockwise: every side negative inside.
		EXPECT_TRUE( Light::PointInTriangle( a, c, b, { 1, 1 } ) );
		EXPECT_FALSE( Light::PointInTriangle( a, c, b, { 3, 2 } ) );
		// A point on an edge has a zero side: inside the anticlockwise turn only.
		EXPECT_TRUE( Light::PointInTriangle( a, b, c, { 2, 0 } ) );
		EXPECT_FALSE( Light::PointInTriangle( a, c, b, { 2, 0 } ) );
	}

	TEST( ConeGeometry, ABoxIsSeenBetweenTheCornersFurthestRoundOnEachSide )
	{
		// From above and to the left: the corners are 3.4 and 6.5 degrees anticlockwise of
		// the line to the centre (top left, top right) and 2.6 and 7.3 clockwise (bottom
		// right, bottom left).
		ExpectPoints( Light::BoxSilhouette( kBox, {}, { -5, 2 } ), kBox[3], kBox[1] );
		// Square on to the left face: its two corners tie, the first in turn comes first.
		ExpectPoints( Light::BoxSilhouette( kBox, {}, { -5, 0 } ), kBox[0], kBox[3] );
		// Level with the bottom face, whose corners lie on one ray: the near one is the
		// outline, never a diagonal to the far one.
		ExpectPoints( Light::BoxSilhouette( kBox, {}, { -5, -0.5f } ), kBox[0], kBox[3] );
		// The same on the right, level with the top face.
		ExpectPoints( Light::BoxSilhouette( kBox, {}, { 5, 0.5f } ), kBox[2], kBox[1] );

		// From the centre, or inside the box, nothing is seen.
		EXPECT_FALSE( Light::BoxSilhouette( kBox, {}, {} ).mFound );
		EXPECT_FALSE( Light::BoxSilhouette( kBox, {}, { 0.2f, -0.4f } ).mFound );
		// Nor of a box shrunk to its centre.
		const Light::Corners point = { Vector2( 1, 1 ), Vector2( 1, 1 ), Vector2( 1, 1 ), Vector2( 1, 1 ) };
		EXPECT_FALSE( Light::BoxSilhouette( point, { 1, 1 }, { -5, 0 } ).mFound );
	}

	TEST( ConeGeometry, ACircleIsSeenBetweenItsTangentPoints )
	{
		// Radius 2 at distance 10: the tangents touch 0.4 short of the centre, 1.9596 off the line.
		const Light::Silhouette seen = Light::CircleSilhouette( { 10, 0 }, 4.0f, { 0, 0 } );
		ASSERT_TRUE( seen.mFound );
		EXPECT_NEAR( seen.mPoint1.X, 9.6f, 1e-4f );
		EXPECT_NEAR( seen.mPoint1.Y, 1.95959f, 1e-4f );
		EXPECT_NEAR( seen.mPoint2.X, 9.6f, 1e-4f );
		EXPECT_NEAR( seen.mPoint2.Y, -1.95959f, 1e-4f );

		// Anywhere: both points on the circle, each where the ray from the light grazes it.
		const Vector2 centre( 3, 4 ), light( -2, -1.5f );
		const Light::Silhouette tilted = Light::CircleSilhouette( centre, 1.96f, light );
		ASSERT_TRUE( tilted.mFound );
		for ( const Vector2& point : { tilted.mPoint1, tilted.mPoint2 } )
		{
			EXPECT_NEAR( Tarn::LengthSquared( point - centre ), 1.96f, 1e-3f );
			EXPECT_NEAR( Tarn::Dot( point - light, point - centre ), 0.0f, 1e-3f );
		}

		// A light inside the circle, at its centre or on its edge has no tangents, and no NaN.
		for ( const Vector2& inside : { Vector2( 10.5f, 0 ), Vector2( 10, 0 ), Vector2( 12, 0 ) } )
			EXPECT_FALSE( Light::CircleSilhouette( { 10, 0 }, 4.0f, inside ).mFound );
	}

	TEST( ConeGeometry, ProjectionCarriesAPointOnAlongItsRayFromTheLight )
	{
		const Vector2 far = Light::Project( { 3, 4 }, { 0, 0 }, 30.0f );
		EXPECT_NEAR( far.X, 21.0f, 1e-4f );
		EXPECT_NEAR( far.Y, 28.0f, 1e-4f );
		EXPECT_EQ( Light::Project( { 1, 1 }, { 1, 1 }, 30.0f ), Vector2( 1, 1 ) ) << "a point at the light stays";
	}

	TEST( LightSprite, TheSixthCharacterOfTheNameGivesTheKind )
	{
		EXPECT_EQ( Tarn::LightEmitterComponent::KindOf( "Light0" ), 0 );
		EXPECT_EQ( Tarn::LightEmitterComponent::KindOf( "Light1b" ), 1 );
		EXPECT_EQ( Tarn::LightEmitterComponent::KindOf( "Light2" ), 2 );
		EXPECT_EQ( Tarn::LightEmitterComponent::KindOf( "Light7" ), 3 );
		// Too short to have a sixth character: the kind of anything else, read from
		// nothing past the end.
		EXPECT_EQ( Tarn::LightEmitterComponent::KindOf( "Lamp" ), 3 );
		EXPECT_EQ( Tarn::LightEmitterComponent::KindOf( "" ), 3 );
	}
}
