#pragma once

// Row-vector matrices, as the whole engine uses them (transforms, camera, renderer): a point is transformed as
// v * M and a chain reads in the order it applies (scaling * rotation * translation,
// world * view * projection). glm builds column-vector matrices, so each builder
// here returns the transpose of glm's.

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace Tarn
{
	using Matrix = glm::mat4;

	inline Matrix Identity() { return Matrix( 1.0f ); }

	inline Matrix LookAtLH( const glm::vec3& eye, const glm::vec3& at, const glm::vec3& up )
	{
		return glm::transpose( glm::lookAtLH( eye, at, up ) );
	}

	// Depth from 0 at the near plane to 1 at the far plane.
	inline Matrix PerspectiveFovLH( float fieldOfViewY, float aspect, float nearPlane, float farPlane )
	{
		return glm::transpose( glm::perspectiveLH_ZO( fieldOfViewY, aspect, nearPlane, farPlane ) );
	}

	inline Matrix Translation( float x, float y, float z )
	{
		return glm::transpose( glm::translate( Matrix( 1.0f ), glm::vec3( x, y, z ) ) );
	}

	inline Matrix Scaling( float x, float y, float z ) { return glm::scale( Matrix( 1.0f ), glm::vec3( x, y, z ) ); }

	inline Matrix RotationZ( float angle )
	{
		return glm::transpose( glm::rotate( Matrix( 1.0f ), angle, glm::vec3( 0.0f, 0.0f, 1.0f ) ) );
	}

	// v * m for a point (w = 1), divided through by w.
	inline glm::vec3 TransformCoord( const glm::vec3& v, const Matrix& m )
	{
		const glm::vec4 r = glm::vec4( v, 1.0f ) * m;
		return glm::vec3( r ) / r.w;
	}
}
