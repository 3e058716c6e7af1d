#pragma once

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Graphics
{
	class AnimationComponent;

	// One frame of a sprite sheet: its rectangle in texture coordinates and how long
	// it stays on screen.
	struct AnimationFrame
	{
		float mUMin = 0.0f;
		float mVMin = 0.0f;
		float mUMax = 0.0f;
		float mVMax = 0.0f;
		float mDuration = 0.0f;
	};

	// Reads each sprite-sheet atlas once and keeps its frames by the atlas name; steps
	// every animation component.
	class AnimationManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( AnimationManager )

	public:
		// Every frame read from an atlas lasts this long.
		static constexpr float kFrameSeconds = 0.2f;

		explicit AnimationManager( Tarn::Game* game ) : GameComponent( game ) {}

		void Initialise() override {}
		void Shutdown() override;
		void Update( Tarn::GameTime& gameTime ) override;

		// Reads the atlas and the image's size and files the frames under xmlFileName,
		// unless that name is filed already (the first load stays). Names spelt from
		// the data root ("./resource/..." or "/resource/...") are found there, ignoring
		// case when the exact spelling does not exist. False, with an error in the log,
		// when the atlas or the image cannot be read: nothing is filed then.
		bool LoadSheet( const std::string& xmlFileName, const std::string& sheetFileName );

		// A copy of the frames filed under the name; none, with an error in the log,
		// for a name that is not filed.
		std::vector<AnimationFrame> GetFrames( const std::string& xmlFileName ) const;
		bool HasSheet( const std::string& xmlFileName ) const { return mSheets.count( xmlFileName ) != 0; }

		void Register( AnimationComponent* component );
		void Unregister( AnimationComponent* component );

		// Where a sheet or atlas name is found on disk.
		static std::string ResolveSheetPath( const std::string& name );
		// The width and height from a PNG file's header chunk; false when the file
		// cannot be read or is not a PNG.
		static bool ReadPngHeaderSize( const std::string& path, uint32_t& width, uint32_t& height );

		std::vector<AnimationComponent*> mComponents;
		std::map<std::string, std::vector<AnimationFrame>> mSheets;
	};
}
