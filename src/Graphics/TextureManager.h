#pragma once

#include "Core/GameComponent.h"
#include "Platform/RenderDevice.h"
#include "core/HashedName.h"

#include <cstdint>
#include <map>
#include <string>

namespace Graphics
{
	// Loads every texture of the game once, at start-up, and hands them out by file
	// path. A name that was never loaded gives a null texture: the quad is drawn
	// untextured and nothing fails.
	class TextureManager : public Tarn::DrawableGameComponent
	{
		TARN_CLASS_NAME( TextureManager )

	public:
		struct Entry
		{
			std::string mPath;
			uint32_t mHash = 0;
			Platform::TextureHandle mTexture = 0;
			int mWidth = 0;
			int mHeight = 0;
		};

		explicit TextureManager( Tarn::Game* game );

		void Initialise() override;
		void Shutdown() override;
		void Update( Tarn::GameTime& ) override {}
		void Draw( Tarn::GameTime& ) override {}

		void LoadTexture( const std::string& path );
		// The entry's texture, inserting a null entry for a name never loaded.
		Platform::TextureHandle& GetTexture( const Tarn::HashedName& name );
		Platform::TextureHandle& GetTexture( const std::string& name ) { return GetTexture( Tarn::HashedName( name.c_str() ) ); }
		const Entry* FindEntry( const std::string& name ) const;

		size_t Count() const { return mTextures.size(); }
		// Milliseconds the start-up list took to load.
		double LoadMilliseconds() const { return mLoadMilliseconds; }

	private:
		Platform::RenderDevice* Device() const { return mPtrToDevicePtr ? *mPtrToDevicePtr : nullptr; }

		std::map<uint32_t, Entry> mTextures;
		Platform::RenderDevice* const* mPtrToDevicePtr = nullptr;
		double mLoadMilliseconds = 0.0;
	};
}
