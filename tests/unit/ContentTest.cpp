// The baked content against the game's own name tables: every name the game uses
// must exist in the data root and decode with the libraries the game loads it with.
// The tests run with the data root as working directory, after the build's bake.

#include "GameStates/SoundTable.h"
#include "Graphics/ContentNames.h"
#include "Graphics/TextureList.h"
#include "Platform/ContentProbe.h"
#include "support/ContentPaths.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
	using KelvaneTest::ResolveContentPath;

	std::string Normalised( const std::string& name )
	{
		size_t start = 0;
		while ( start < name.size() && ( name[start] == '/' || name[start] == '.' ) )
			++start;
		return name.substr( start );
	}

	// What the baker promised: the size of each picture it made.
	struct Manifest
	{
		std::map<std::string, std::pair<int, int>> mPictures;
		std::map<std::string, double> mSounds;
	};

	const Manifest& BakedManifest()
	{
		static const Manifest manifest = []()
		{
			Manifest m;
			std::ifstream file( "resource/.baked" );
			std::string line;
			while ( std::getline( file, line ) )
			{
				std::istringstream fields( line );
				std::string kind, name;
				std::getline( fields, kind, '\t' );
				std::getline( fields, name, '\t' );
				if ( kind == "picture" )
				{
					int w = 0, h = 0;
					fields >> w >> h;
					m.mPictures[name] = { w, h };
				}
				else if ( kind == "sound" )
					fields >> m.mSounds[name];
			}
			return m;
		}();
		return manifest;
	}

	// The PNG header's own width and height, read the way the animation manager
	// reads a sheet's size.
	bool PngHeaderSize( const std::string& path, uint32_t& width, uint32_t& height )
	{
		std::ifstream file( path, std::ios::binary );
		unsigned char bytes[24] = {};
		if ( !file.read( reinterpret_cast<char*>( bytes ), sizeof bytes ) )
			return false;
		auto be32 = [&]( int at ) { return uint32_t( bytes[at] ) << 24 | uint32_t( bytes[at + 1] ) << 16 | uint32_t( bytes[at + 2] ) << 8 | bytes[at + 3]; };
		width = be32( 16 );
		height = be32( 20 );
		return true;
	}

	void ExpectPicture( const std::string& name )
	{
		SCOPED_TRACE( name );
		const std::string path = ResolveContentPath( name );
		ASSERT_FALSE( path.empty() ) << "no file for " << name;
		const Platform::ImageProbe image = Platform::ProbeImage( path );
		ASSERT_TRUE( image.mDecoded ) << image.mError;
		EXPECT_TRUE( image.mHasAlpha ) << "pictures are RGBA";
		const auto promised = BakedManifest().mPictures.find( Normalised( name ) );
		ASSERT_NE( promised, BakedManifest().mPictures.end() ) << "the baker did not list " << name;
		EXPECT_EQ( image.mWidth, promised->second.first );
		EXPECT_EQ( image.mHeight, promised->second.second );
	}

	TEST( ContentNames, StartUpListHasEveryPictureOnceInItsOrder )
	{
		const std::vector<std::string>& list = Graphics::StartUpTextureList();
		// 47 sprites and backgrounds, 19 menu pairs, 6 bar rows, 5 option labels, 10 pages,
		// 220 tiles.
		EXPECT_EQ( list.size(), 47u + 38u + 6u + 5u + 10u + 220u );
		EXPECT_EQ( std::set<std::string>( list.begin(), list.end() ).size(), list.size() );
		EXPECT_EQ( list.front(), "resource/spaceship_head_new.png" );
		EXPECT_EQ( list[46], "resource/ring particle.png" );
		EXPECT_EQ( list[47], "resource/menu/back.png" );
		EXPECT_EQ( list[48], "resource/menu/back2.png" );
		EXPECT_EQ( list[47 + 28], "resource/menu/exit to windows.png" );
		EXPECT_EQ( list[47 + 38], "resource/menu/bar row0.png" );
		EXPECT_EQ( list[47 + 38 + 6], "resource/menu/label fullscreen.png" );
		EXPECT_EQ( list[47 + 38 + 6 + 5 + 9], "resource/lose.png" );
		EXPECT_EQ( list[106], "resource/menu/level select/levelselect1A.png" );
		EXPECT_EQ( list.back(), "resource/menu/level select/orange/levelselect10orangehover.png" );
	}

	TEST( ContentNames, LevelSelectorPicturesAreAllLoadedAtStartUp )
	{
		EXPECT_EQ( Graphics::LevelSelectPicture( 3, 1, false ), "resource/menu/level select/blue/levelselect3Ablue.png" );
		EXPECT_EQ( Graphics::LevelSelectPicture( 12, 0, false ), "resource/menu/level select/orange/levelselect2orange.png" );
		EXPECT_EQ( Graphics::LevelSelectPicture( 20, 3, true ), "resource/menu/level select/orange/levelselect10Corangehover.png" );
		const std::vector<std::string>& list = Graphics::StartUpTextureList();
		const std::set<std::string> loaded( list.begin(), list.end() );
		for ( int level = 1; level <= 20; ++level )
			for ( int grade = 0; grade <= 3; ++grade )
				for ( bool hover : { false, true } )
					EXPECT_TRUE( loaded.count( Graphics::LevelSelectPicture( level, grade, hover ) ) )
						<< Graphics::LevelSelectPicture( level, grade, hover );
	}

	TEST( ContentNames, SoundTableKeepsItsOrderGroupsAndLoops )
	{
		const auto table = Tarn::SoundTable();
		ASSERT_EQ( table.size(), 18u );
		EXPECT_STREQ( table[0].mPath, "resource/Sound/Beam_EnergyBeamInitialFireFinal.wav" );
		EXPECT_STREQ( table[17].mPath, "resource/Sound/corvinlake.mp3" );
		int loops = 0, music = 0;
		for ( const Tarn::SoundTableEntry& entry : table )
		{
			loops += entry.mLoop;
			music += entry.mGroup == Tarn::SoundGroup::Background;
		}
		EXPECT_EQ( loops, 4 );
		EXPECT_EQ( music, 2 );
		EXPECT_TRUE( table[12].mLoop );  // Switch_Charging
	}

	TEST( ContentResolution, FindsSpellingsThatDifferOnlyInCase )
	{
		const fs::path root = fs::temp_directory_path() / "kelvane-content-paths";
		fs::remove_all( root );
		fs::create_directories( root / "resource/Sound" );
		std::ofstream( root / "resource/Sound/Hit.wav" ) << "x";
		EXPECT_EQ( ResolveContentPath( "resource/Sound/Hit.wav", root.string() ), ( root / "resource/Sound/Hit.wav" ).string() );
		EXPECT_EQ( ResolveContentPath( "./resource/sound/hit.WAV", root.string() ), ( root / "resource/Sound/Hit.wav" ).string() );
		EXPECT_EQ( ResolveContentPath( "/resource/SOUND/Hit.wav", root.string() ), ( root / "resource/Sound/Hit.wav" ).string() );
		EXPECT_EQ( ResolveContentPath( "resource/Sound/Miss.wav", root.string() ), "" );
		EXPECT_EQ( ResolveContentPath( "resource/Sound", root.string() ), "" ) << "a folder is not a content file";
		fs::remove_all( root );
	}

	TEST( Content, EveryStartUpPictureExistsAndDecodesAtItsPromisedSize )
	{
		for ( const std::string& name : Graphics::StartUpTextureList() )
			ExpectPicture( name );
	}

	TEST( Content, EveryFurtherPictureExistsAndDecodes )
	{
		for ( const char* name : Graphics::FurtherPictureNames() )
			ExpectPicture( name );
	}

	std::string Bytes( const std::string& name )
	{
		std::ifstream file( ResolveContentPath( name ), std::ios::binary );
		return std::string( std::istreambuf_iterator<char>( file ), std::istreambuf_iterator<char>() );
	}

	// Sprites stand on the play field with space showing around them; only the
	// full-screen pictures, the flat fills, the tiling grid and the light cone's mask
	// (whose light reaches its edges) reach their corners.
	TEST( Content, SpritesHaveTransparentCorners )
	{
		const std::set<std::string> opaque = { "resource/background.png", "resource/loading.png", "resource/Tessaro_logo.png",
												"resource/gray_square.png", "resource/box.png", "resource/borders.png",
												"resource/grid bottom.png", Graphics::kConePicture };
		std::vector<std::string> names( Graphics::StartUpTextureList() );
		for ( const char* name : Graphics::FurtherPictureNames() )
			names.push_back( name );
		for ( const std::string& name : names )
		{
			if ( opaque.count( name ) || name.find( "debug" ) != std::string::npos )
				continue;
			const Platform::ImageProbe image = Platform::ProbeImage( ResolveContentPath( name ) );
			EXPECT_LT( image.mCornerAlpha, 16 ) << name;
		}
	}

	// A highlighted picture that looks like the normal one gives no hover feedback;
	// level tiles of the two sets must be told apart.
	TEST( Content, HighlightsAndColourSetsDifferFromTheirNormalPictures )
	{
		for ( const std::string& name : Graphics::MenuPictureNames() )
			EXPECT_NE( Bytes( "resource/menu/" + name + ".png" ), Bytes( "resource/menu/" + name + "2.png" ) ) << name;
		for ( int level = 1; level <= 10; ++level )
			for ( int grade = 0; grade <= 3; ++grade )
			{
				const std::string blue = Graphics::LevelSelectPicture( level, grade, false );
				EXPECT_NE( Bytes( blue ), Bytes( Graphics::LevelSelectPicture( level, grade, true ) ) ) << blue;
				EXPECT_NE( Bytes( blue ), Bytes( Graphics::LevelSelectPicture( level + 10, grade, false ) ) ) << blue;
				if ( grade > 0 )
				{
					EXPECT_NE( Bytes( blue ), Bytes( Graphics::LevelSelectPicture( level, grade == 3 ? 1 : grade + 1, false ) ) ) << blue;
				}
			}
	}

	// The game colours its light sprites by multiplying them with a colour code; a
	// sprite with a hue of its own would turn the codes muddy or alike.
	TEST( Content, TintedLightSpritesAreNeutral )
	{
		for ( const char* name : { "resource/light.png", "resource/switch.png", "resource/switch2.png", "resource/crown.png",
								   "resource/square.png", "resource/square2.png", "resource/circle texture.png",
								   "resource/cloud.png", "resource/ring particle.png" } )
		{
			const Platform::ImageProbe image = Platform::ProbeImage( ResolveContentPath( name ) );
			ASSERT_TRUE( image.mDecoded ) << name;
			const double* c = image.mMeanColour;
			const double brightest = std::max( { c[0], c[1], c[2] } ), darkest = std::min( { c[0], c[1], c[2] } );
			EXPECT_GT( brightest, 0.2 ) << name << " is too dark to carry a tint";
			EXPECT_LT( brightest - darkest, 0.08 ) << name << " has a hue of its own";
		}
	}

	struct Wave
	{
		int mChannels = 0, mRate = 0, mBits = 0;
		std::vector<int16_t> mSamples;
	};

	// Reads the plain PCM files the baker writes; anything else fails the read.
	bool ReadWave( const std::string& path, Wave& wave )
	{
		const std::string bytes = Bytes( path );
		auto u32 = [&]( size_t at ) { return uint32_t( uint8_t( bytes[at] ) ) | uint32_t( uint8_t( bytes[at + 1] ) ) << 8 | uint32_t( uint8_t( bytes[at + 2] ) ) << 16 | uint32_t( uint8_t( bytes[at + 3] ) ) << 24; };
		auto u16 = [&]( size_t at ) { return unsigned( uint8_t( bytes[at] ) ) | unsigned( uint8_t( bytes[at + 1] ) ) << 8; };
		if ( bytes.size() < 44 || bytes.compare( 0, 4, "RIFF" ) != 0 || bytes.compare( 8, 8, "WAVEfmt " ) != 0 || u16( 20 ) != 1 ||
			 bytes.compare( 36, 4, "data" ) != 0 || 44 + size_t( u32( 40 ) ) > bytes.size() )
			return false;
		wave.mChannels = int( u16( 22 ) );
		wave.mRate = int( u32( 24 ) );
		wave.mBits = int( u16( 34 ) );
		wave.mSamples.resize( u32( 40 ) / 2 );
		std::memcpy( wave.mSamples.data(), bytes.data() + 44, wave.mSamples.size() * 2 );
		return wave.mBits == 16 && !wave.mSamples.empty();
	}

	// A looping effect must not click where it wraps: the step from its last sample
	// to its first may be no larger than the largest step inside it. A one-shot
	// effect ends in silence. Nothing clips.
	TEST( Content, EffectsEndCleanlyAndLoopsWrapWithoutAClick )
	{
		for ( const Tarn::SoundTableEntry& entry : Tarn::SoundTable() )
		{
			const std::string path = entry.mPath;
			if ( path.size() < 4 || path.compare( path.size() - 4, 4, ".wav" ) != 0 )
				continue;
			SCOPED_TRACE( path );
			Wave wave;
			ASSERT_TRUE( ReadWave( ResolveContentPath( path ), wave ) );
			EXPECT_EQ( wave.mChannels, 1 );
			EXPECT_EQ( wave.mRate, 44100 );
			const auto& s = wave.mSamples;
			int largestStep = 0, peak = 0;
			for ( size_t i = 1; i < s.size(); ++i )
			{
				largestStep = std::max( largestStep, std::abs( s[i] - s[i - 1] ) );
				peak = std::max( peak, std::abs( int( s[i] ) ) );
			}
			EXPECT_LT( peak, 32767 ) << "clipped";
			EXPECT_GT( peak, 3000 ) << "all but silent";
			if ( entry.mLoop )
				EXPECT_LE( std::abs( s.front() - s.back() ), largestStep );
			else
				EXPECT_LT( std::abs( int( s.back() ) ), 64 );
		}
	}

	TEST( Content, EverySpriteSheetParsesAndEveryFrameLiesInsideItsImage )
	{
		for ( const Graphics::SpriteSheetName& sheet : Graphics::SpriteSheetNames() )
		{
			SCOPED_TRACE( sheet.mAtlas );
			ExpectPicture( sheet.mImage );
			const std::string atlasPath = ResolveContentPath( sheet.mAtlas );
			ASSERT_FALSE( atlasPath.empty() );
			pugi::xml_document atlas;
			ASSERT_TRUE( atlas.load_file( atlasPath.c_str() ) );
			uint32_t width = 0, height = 0;
			ASSERT_TRUE( PngHeaderSize( ResolveContentPath( sheet.mImage ), width, height ) );
			int frames = 0;
			for ( pugi::xml_node frame : atlas.child( "TextureAtlas" ).children( "SubTexture" ) )
			{
				const double x = frame.attribute( "x" ).as_double( -1 ), y = frame.attribute( "y" ).as_double( -1 );
				const double w = frame.attribute( "width" ).as_double( 0 ), h = frame.attribute( "height" ).as_double( 0 );
				EXPECT_GE( x, 0 ) << "frame " << frames;
				EXPECT_GE( y, 0 ) << "frame " << frames;
				EXPECT_GT( w, 0 ) << "frame " << frames;
				EXPECT_GT( h, 0 ) << "frame " << frames;
				EXPECT_LE( x + w, width ) << "frame " << frames;
				EXPECT_LE( y + h, height ) << "frame " << frames;
				++frames;
			}
			EXPECT_GE( frames, sheet.mMinimumFrames );
		}
	}

	TEST( Content, EverySoundOfTheTableDecodes )
	{
		for ( const Tarn::SoundTableEntry& entry : Tarn::SoundTable() )
		{
			SCOPED_TRACE( entry.mPath );
			const std::string path = ResolveContentPath( entry.mPath );
			ASSERT_FALSE( path.empty() );
			const Platform::SoundProbe effect = Platform::ProbeSoundEffect( path );
			EXPECT_TRUE( effect.mDecoded ) << effect.mError;
			if ( entry.mGroup == Tarn::SoundGroup::Background )
			{
				const Platform::SoundProbe music = Platform::ProbeMusic( path );
				ASSERT_TRUE( music.mDecoded ) << music.mError;
				EXPECT_GE( music.mSeconds, 60.0 ) << "music loops of at least a minute";
			}
			else
			{
				EXPECT_GT( effect.mSeconds, 0.02 );
				EXPECT_LT( effect.mSeconds, 10.0 ) << "effects are short";
			}
		}
	}

	TEST( Content, EverySoundTheScriptedLevelsNameResolvesAndDecodes )
	{
		for ( const char* name : Tarn::ScriptedLevelSounds() )
		{
			SCOPED_TRACE( name );
			const std::string path = ResolveContentPath( name );
			ASSERT_FALSE( path.empty() );
			const Platform::SoundProbe effect = Platform::ProbeSoundEffect( path );
			EXPECT_TRUE( effect.mDecoded ) << effect.mError;
		}
	}

	TEST( Content, TheFontOpensWithItsLicenceBesideIt )
	{
		const Platform::FontProbe font = Platform::ProbeFont( ResolveContentPath( Graphics::kFontPath ) );
		ASSERT_TRUE( font.mOpened ) << font.mError;
		EXPECT_FALSE( font.mFamily.empty() );
		EXPECT_GT( font.mTextWidth, 0 );
		EXPECT_FALSE( ResolveContentPath( "resource/FONT-LICENSE.txt" ).empty() );
	}

	TEST( Content, CameraFileHasEveryValueTheCameraReads )
	{
		pugi::xml_document document;
		ASSERT_TRUE( document.load_file( ResolveContentPath( Graphics::kCameraFile ).c_str() ) );
		const pugi::xml_node camera = document.child( "Camera" );
		ASSERT_TRUE( camera );
		for ( const char* element : { "mEye", "mLook", "mUp" } )
			for ( const char* axis : { "x", "y", "z" } )
				EXPECT_TRUE( camera.child( element ).attribute( axis ) ) << element << "." << axis;
		const double eyeZ = camera.child( "mEye" ).attribute( "z" ).as_double();
		const double lookZ = camera.child( "mLook" ).attribute( "z" ).as_double();
		EXPECT_LT( eyeZ, lookZ ) << "the eye looks along +z onto the play field";
		EXPECT_GT( camera.child( "mUp" ).attribute( "y" ).as_double(), 0.0 );
		EXPECT_GT( camera.child( "mSpeed" ).attribute( "mSpeed" ).as_double(), 0.0 );
	}

	std::map<std::string, std::string> ReadTree( const fs::path& root )
	{
		std::map<std::string, std::string> files;
		for ( const fs::directory_entry& entry : fs::recursive_directory_iterator( root ) )
			if ( entry.is_regular_file() )
			{
				std::ifstream file( entry.path(), std::ios::binary );
				files[fs::relative( entry.path(), root ).string()] =
					std::string( std::istreambuf_iterator<char>( file ), std::istreambuf_iterator<char>() );
			}
		return files;
	}

	// The build has baked the data root; a second bake into a fresh folder must give
	// the same bytes, file for file.
	TEST( Content, TwoBakesGiveIdenticalBytes )
	{
		const fs::path root = fs::temp_directory_path() / "kelvane-bake-again";
		fs::remove_all( root );
		const std::string baker = std::string( KELVANE_BINARY_DIR ) + "/kelvane_baker";
		const fs::path font = fs::absolute( ResolveContentPath( Graphics::kFontPath ) );
		const fs::path licence = fs::absolute( ResolveContentPath( "resource/FONT-LICENSE.txt" ) );
		const std::string command = "\"" + baker + "\" --source \"" + fs::current_path().string() + "\" --out \"" +
									root.string() + "\" --font \"" + font.string() + "\" --licence \"" + licence.string() +
									"\" > /dev/null";
		ASSERT_EQ( std::system( command.c_str() ), 0 ) << command;

		const auto again = ReadTree( root / "resource" );
		const auto built = ReadTree( "resource" );
		EXPECT_GT( again.size(), 300u );
		for ( const auto& [name, bytes] : again )
		{
			const auto other = built.find( name );
			ASSERT_NE( other, built.end() ) << name << " is not in the data root";
			EXPECT_TRUE( bytes == other->second ) << name << " differs between two bakes";
		}
		fs::remove_all( root );
	}
}
