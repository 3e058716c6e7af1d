#include "GameStates/PlayerOptions.h"

#include "Core/Properties.h"
#include "Core/Serialiser.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace Tarn
{
	namespace
	{
		constexpr const char* kRootElement = "Options";
		constexpr const char* kEffectsElement = "EffectsVolume";
		constexpr const char* kMusicElement = "MusicVolume";

		const PropertyTable<PlayerOptions>& Rows()
		{
			using P = Declare<PlayerOptions, PlayerOptions>;
			static const PropertyTable<PlayerOptions> kRows = {
				P::Float( kEffectsElement, "value", &PlayerOptions::mEffectsVolume ).KeptWhenMissing(),
				P::Float( kMusicElement, "value", &PlayerOptions::mMusicVolume ).KeptWhenMissing(),
				P::Bool( "SoundMuted", "value", &PlayerOptions::mSoundMuted ).KeptWhenMissing(),
				P::Bool( "MusicMuted", "value", &PlayerOptions::mMusicMuted ).KeptWhenMissing(),
				P::Bool( "FullScreen", "value", &PlayerOptions::mFullScreen ).KeptWhenMissing(),
			};
			return kRows;
		}

		// A volume the menu could have set: a step of the scale from 0 to 1. A text that is
		// no number at all leaves the default.
		void OntoScale( float& volume, const pugi::xml_node& root, const char* element, const char* name, const std::string& path )
		{
			const char* text = root.child( element ).attribute( "value" ).value();
			char* end = nullptr;
			std::strtof( text, &end );
			if ( root.child( element ) && ( end == text || *end != '\0' ) )
			{
				LOG_WARNING( "The options file " << path << " gives the " << name << " volume \"" << text << "\", which is no number; it is "
				                                 << PlayerOptions::kDefaultVolume << " instead." );
				volume = PlayerOptions::kDefaultVolume;
				return;
			}
			const float steps = std::round( volume / PlayerOptions::kVolumeStep );
			const float onScale = std::clamp( steps * PlayerOptions::kVolumeStep, 0.0f, 1.0f );
			if ( std::fabs( onScale - volume ) > 1e-4f )
				LOG_WARNING( "The options file " << path << " gives the " << name << " volume " << volume << "; it is "
				                                 << onScale << " instead." );
			volume = onScale;
		}
	}

	std::string PlayerOptions::FilePath()
	{
		const std::string config = FindConfigFolder();
		if ( config.empty() )
			return std::string();
		return config + "/" + kFolderName + "/" + kFileName;
	}

	PlayerOptions PlayerOptions::Load( const std::string& path )
	{
		PlayerOptions options;
		if ( path.empty() || !FileSystem::FileExists( path ) )
		{
			LOG_INFO( "No options file" << ( path.empty() ? std::string() : " at " + path ) << "; the options start at their defaults." );
			return options;
		}
		pugi::xml_document document;
		const pugi::xml_parse_result result = document.load_file( path.c_str() );
		const pugi::xml_node root = document.child( kRootElement );
		if ( !result || !root )
		{
			LOG_WARNING( "The options file " << path << " cannot be read ("
			                                 << ( result ? "it holds no <Options>" : result.description() )
			                                 << "); the options start at their defaults and the file is written anew at the next change." );
			return options;
		}
		Rows().Read( root, options );
		OntoScale( options.mEffectsVolume, root, kEffectsElement, "effects", path );
		OntoScale( options.mMusicVolume, root, kMusicElement, "music", path );
		return options;
	}

	bool PlayerOptions::Save( const std::string& path ) const
	{
		if ( path.empty() )
			return false;
		pugi::xml_document document;
		pugi::xml_node root = document.append_child( kRootElement );
		Rows().Write( root, const_cast<PlayerOptions&>( *this ) );
		std::ostringstream text;
		document.save( text );
		return FileSystem::WriteUserFile( path, text.str(), "the options file" );
	}
}
