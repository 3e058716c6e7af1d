#include "Graphics/TextureManager.h"

#include "Graphics/ContentNames.h"
#include "Graphics/GraphicsManager.h"
#include "Graphics/TextureList.h"
#include "Utilities/Assert.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>
#include <chrono>

namespace Graphics
{
	TextureManager::TextureManager( Tarn::Game* game ) : DrawableGameComponent( game )
	{
		if ( GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>() )
			mPtrToDevicePtr = graphics->GetDevicePointer();
	}

	void TextureManager::Initialise()
	{
		if ( !mPtrToDevicePtr )
			if ( GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>() )
				mPtrToDevicePtr = graphics->GetDevicePointer();
		const auto start = std::chrono::steady_clock::now();
		for ( const std::string& path : StartUpTextureList() )
			LoadTexture( path );
		mLoadMilliseconds = std::chrono::duration<double, std::milli>( std::chrono::steady_clock::now() - start ).count();
		LOG_INFO( "Loaded " << mTextures.size() << " textures in " << static_cast<int>( mLoadMilliseconds ) << " ms." );
	}

	void TextureManager::Shutdown()
	{
		Platform::RenderDevice* device = Device();
		for ( auto& [hash, entry] : mTextures )
			if ( device && entry.mTexture )
				device->ReleaseTexture( entry.mTexture );
		mTextures.clear();
	}

	void TextureManager::LoadTexture( const std::string& path )
	{
		Platform::RenderDevice* device = Device();
		Platform::TextureHandle texture = 0;
		int width = 0, height = 0;
		std::string error;
		if ( device )
			texture = device->CreateTextureFromFile( Tarn::FileSystem::ResolvePath( path ), width, height, error );
		if ( !texture )
		{
			LOG_ERROR( "Could not load the texture " << path << ": " << ( device ? error : "there is no render device" ) );
			TARN_ASSERT_MSG( texture != 0, "load texture failed" );
			return;
		}

		const Tarn::HashedName name( path.c_str() );
		if ( mTextures.count( name.GetHash() ) != 0 )
		{
			device->ReleaseTexture( texture );
			return;
		}
		mTextures[name.GetHash()] = Entry{ path, name.GetHash(), texture, width, height };
	}

	Platform::TextureHandle& TextureManager::GetTexture( const Tarn::HashedName& name )
	{
		auto found = mTextures.find( name.GetHash() );
		if ( found == mTextures.end() )
		{
			// A picture the program names beyond the start-up list is read when it is
			// first asked for.
			const auto further = FurtherPictureNames();
			if ( std::find( further.begin(), further.end(), name.GetName() ) != further.end() )
			{
				LoadTexture( name.GetName() );
				found = mTextures.find( name.GetHash() );
			}
		}
		if ( found == mTextures.end() )
		{
			// Drawn untextured from now on; said once, when the name is first met (a level
			// file naming a picture the game does not have, as a rule).
			if ( !name.GetName().empty() )
				LOG_WARNING( "There is no texture " << name.GetName() << "; what uses it is drawn without one." );
			found = mTextures.emplace( name.GetHash(), Entry{ name.GetName(), name.GetHash(), 0, 0, 0 } ).first;
		}
		return found->second.mTexture;
	}

	const TextureManager::Entry* TextureManager::FindEntry( const std::string& name ) const
	{
		const auto found = mTextures.find( Tarn::HashedName( name.c_str() ).GetHash() );
		return found == mTextures.end() ? nullptr : &found->second;
	}
}
