#pragma once

// A nebula the ship flies through slowly, and the cloud that covers it. While the ship
// is out of the nebula its cover hides what drifts inside; once the ship is in, the
// cover fades and what is inside shows above it.

#include "Core/Object.h"
#include "core/HashedName.h"

#include <cstdint>
#include <string>

namespace Tarn
{
	class Nebula : public Object
	{
		TARN_CLASS_NAME( Nebula )

	public:
		static constexpr const char* kTexture = "resource/nebula1.png";
		// The layers of what is inside: under the cover, and above it while the ship
		// is in the nebula.
		static constexpr int32_t kUnderCover = 1;
		static constexpr int32_t kOverCover = 4;

		void Initialise() override;
		void Shutdown() override {}
		void OnCollisionStay( Physics::CollisionComponent* other ) override;
		void OnCollisionEnd( Physics::CollisionComponent* other ) override;

		// "NebulaCover" followed by the sign of the nebula's machine.
		static std::string CoverName( int32_t sign );
		// The cover of this nebula, or null when the level has none.
		Object* Cover() const;
	};

	class NebulaCover : public Object
	{
		TARN_CLASS_NAME( NebulaCover )

	public:
		static constexpr const char* kTexture = "resource/nebulacover.png";
		static constexpr int32_t kLayer = 2;

		void Initialise() override;
		void Shutdown() override {}
	};
}
