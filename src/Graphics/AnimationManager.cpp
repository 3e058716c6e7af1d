#include "Graphics/AnimationManager.h"

#include "Graphics/AnimationComponent.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace Graphics
{
	namespace
	{
		uint32_t BigEndian32( const unsigned char* bytes )
		{
			return ( uint32_t( bytes[0] ) << 24 ) | ( uint32_t( bytes[1] ) << 16 ) | ( uint32_t( bytes[2] ) << 8 ) |
			       uint32_t( bytes[3] );
		}

		float Number( const pugi::xml_node& node, const char* name )
		{
			// atof: a missing attribute is empty text and reads as 0.
			return static_cast<float>( std::atof( node.attribute( name ).value() ) );
		}
	}

	void AnimationManager::Shutdown() { mComponents.clear(); }

	void AnimationManager::Update( Tarn::GameTime& gameTime )
	{
		// A component may leave the list while it updates (its owner's animation ends
		// the object); walk a copy.
		const std::vector<AnimationComponent*> components = mComponents;
		for ( AnimationComponent* component : components )
			if ( std::find( mComponents.begin(), mComponents.end(), component ) != mComponents.end() )
				component->Update( gameTime );
	}

	void AnimationManager::Register( AnimationComponent* component )
	{
		if ( component && std::find( mComponents.begin(), mComponents.end(), component ) == mComponents.end() )
			mComponents.push_back( component );
	}

	void AnimationManager::Unregister( AnimationComponent* component )
	{
		mComponents.erase( std::remove( mComponents.begin(), mComponents.end(), component ), mComponents.end() );
	}

	std::string AnimationManager::ResolveSheetPath( const std::string& name )
	{
		std::error_code error;
		if ( !name.empty() && name.front() == '/' && std::filesystem::exists( name, error ) )
			return name;
		// "/resource/sheet.xml" and "./resource/sheet.xml" both mean the data root's
		// resource folder.
		size_t start = 0;
		while ( start < name.size() )
		{
			if ( name[start] == '/' )
				++start;
			else if ( name.compare( start, 2, "./" ) == 0 )
				start += 2;
			else
				break;
		}
		return Tarn::FileSystem::ResolvePath( name.substr( start ) );
	}

	bool AnimationManager::ReadPngHeaderSize( const std::string& path, uint32_t& width, uint32_t& height )
	{
		static const unsigned char kSignature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
		std::ifstream file( path, std::ios::binary );
		unsigned char header[24] = {};
		if ( !file || !file.read( reinterpret_cast<char*>( header ), sizeof( header ) ) )
			return false;
		if ( std::memcmp( header, kSignature, sizeof( kSignature ) ) != 0 || std::memcmp( header + 12, "IHDR", 4 ) != 0 )
			return false;
		width = BigEndian32( header + 16 );
		height = BigEndian32( header + 20 );
		return true;
	}

	bool AnimationManager::LoadSheet( const std::string& xmlFileName, const std::string& sheetFileName )
	{
		// The first load of a name stays; reading the files again could only be dropped.
		if ( HasSheet( xmlFileName ) )
			return true;
		const std::string atlasPath = ResolveSheetPath( xmlFileName );
		pugi::xml_document atlas;
		const pugi::xml_parse_result parsed = atlas.load_file( atlasPath.c_str() );
		if ( !parsed )
		{
			LOG_ERROR( "Cannot read the sprite-sheet atlas \"" << xmlFileName << "\": " << parsed.description() );
			return false;
		}

		// Frames cut against a size of 0 would be infinite: a sheet whose image cannot
		// be measured has no frames at all.
		uint32_t width = 0, height = 0;
		if ( !ReadPngHeaderSize( ResolveSheetPath( sheetFileName ), width, height ) || width == 0 || height == 0 )
		{
			LOG_ERROR( "Cannot read the size of the sprite-sheet image \"" << sheetFileName << "\" of the atlas \""
			                                                                << xmlFileName << "\"" );
			return false;
		}

		std::vector<AnimationFrame> frames;
		const float w = static_cast<float>( width ), h = static_cast<float>( height );
		for ( pugi::xml_node sub : atlas.child( "TextureAtlas" ).children( "SubTexture" ) )
		{
			const float x = Number( sub, "x" ), y = Number( sub, "y" );
			const float fw = Number( sub, "width" ), fh = Number( sub, "height" );
			frames.push_back( { x / w, y / h, ( x + fw ) / w, ( y + fh ) / h, kFrameSeconds } );
		}
		mSheets.emplace( xmlFileName, std::move( frames ) );
		return true;
	}

	std::vector<AnimationFrame> AnimationManager::GetFrames( const std::string& xmlFileName ) const
	{
		const auto found = mSheets.find( xmlFileName );
		if ( found == mSheets.end() )
		{
			LOG_ERROR( "No sprite sheet is loaded under the name \"" << xmlFileName << "\"" );
			return {};
		}
		return found->second;
	}
}
