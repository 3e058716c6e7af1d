// The content baker: makes every picture, sprite sheet, sound and piece of music the
// game names, into the data root's resource/ folder, and a contact sheet that shows
// every picture with its name. The names come from the game's own tables, so a name
// added to the game without a recipe here stops the build.
//
//   kelvane_baker --source DATA_ROOT --out OUT_ROOT --font FONT.ttf --licence FILE
//                 [--contact SHEET.png]

#include "Canvas.h"
#include "Pictures.h"
#include "Sounds.h"

#include "GameStates/SoundTable.h"
#include "Graphics/ContentNames.h"
#include "Graphics/TextureList.h"

#include <png.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace Baker
{
	std::string NormalisedName( const std::string& name )
	{
		size_t start = 0;
		while ( start < name.size() && ( name[start] == '/' || name[start] == '.' ) )
			++start;
		return name.substr( start );
	}

	namespace
	{
		struct Options
		{
			fs::path mSource;
			fs::path mOut;
			fs::path mFont;
			fs::path mLicence;
			fs::path mContact;
		};

		struct Baked
		{
			std::string mName;
			int mWidth, mHeight;
		};

		struct Frame
		{
			double x, y, w, h;
		};

		std::string Lower( std::string text )
		{
			for ( char& c : text )
				c = char( std::tolower( static_cast<unsigned char>( c ) ) );
			return text;
		}

		bool ReadAtlas( const fs::path& file, std::vector<Frame>& frames, std::string& error )
		{
			pugi::xml_document document;
			const pugi::xml_parse_result result = document.load_file( file.c_str() );
			if ( !result )
			{
				error = "cannot read atlas " + file.string() + ": " + result.description();
				return false;
			}
			for ( pugi::xml_node sub : document.child( "TextureAtlas" ).children( "SubTexture" ) )
				frames.push_back( { sub.attribute( "x" ).as_double(), sub.attribute( "y" ).as_double(),
									sub.attribute( "width" ).as_double(), sub.attribute( "height" ).as_double() } );
			if ( frames.empty() )
			{
				error = "atlas " + file.string() + " has no frames";
				return false;
			}
			return true;
		}

		// cairo's own PNG writer compresses hard; a lighter level halves the bake and
		// changes the files by a few per cent.
		bool WritePng( cairo_surface_t* surface, const fs::path& file, std::string& error )
		{
			fs::create_directories( file.parent_path() );
			cairo_surface_flush( surface );
			const int w = cairo_image_surface_get_width( surface ), h = cairo_image_surface_get_height( surface );
			const int stride = cairo_image_surface_get_stride( surface );
			const bool alpha = cairo_image_surface_get_format( surface ) == CAIRO_FORMAT_ARGB32;
			const unsigned char* data = cairo_image_surface_get_data( surface );

			FILE* out = std::fopen( file.c_str(), "wb" );
			if ( !out )
			{
				error = "cannot write " + file.string();
				return false;
			}
			png_structp png = png_create_write_struct( PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr );
			png_infop info = png ? png_create_info_struct( png ) : nullptr;
			std::vector<unsigned char> row( size_t( w ) * 4 );
			bool ok = png && info;
			if ( ok && setjmp( png_jmpbuf( png ) ) == 0 )
			{
				png_init_io( png, out );
				png_set_compression_level( png, 3 );
				png_set_IHDR( png, info, png_uint_32( w ), png_uint_32( h ), 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
							  PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT );
				png_write_info( png, info );
				for ( int y = 0; y < h; ++y )
				{
					const uint32_t* pixels = reinterpret_cast<const uint32_t*>( data + y * stride );
					unsigned char* to = row.data();
					for ( int x = 0; x < w; ++x )
					{
						// cairo keeps premultiplied colour; PNG wants it straight.
						const uint32_t p = pixels[x];
						const unsigned a = alpha ? ( p >> 24 ) : 255;
						unsigned r = ( p >> 16 ) & 0xFF, g = ( p >> 8 ) & 0xFF, b = p & 0xFF;
						if ( a != 0 && a != 255 )
						{
							r = ( r * 255 + a / 2 ) / a;
							g = ( g * 255 + a / 2 ) / a;
							b = ( b * 255 + a / 2 ) / a;
						}
						*to++ = static_cast<unsigned char>( std::min( r, 255u ) );
						*to++ = static_cast<unsigned char>( std::min( g, 255u ) );
						*to++ = static_cast<unsigned char>( std::min( b, 255u ) );
						if ( alpha )
							*to++ = static_cast<unsigned char>( a );
					}
					png_write_row( png, row.data() );
				}
				png_write_end( png, nullptr );
			}
			else
				ok = false;
			png_destroy_write_struct( png ? &png : nullptr, info ? &info : nullptr );
			if ( std::fclose( out ) != 0 || !ok )
			{
				error = "cannot write " + file.string();
				return false;
			}
			return true;
		}

		cairo_surface_t* Render( const std::string& name, const Picture& picture, const Options& options, int& width,
								 int& height, std::string& error )
		{
			std::vector<Frame> frames;
			width = picture.mWidth;
			height = picture.mHeight;
			if ( !picture.mAtlas.empty() )
			{
				if ( !ReadAtlas( options.mSource / picture.mAtlas, frames, error ) )
					return nullptr;
				width = height = 0;
				for ( const Frame& f : frames )
				{
					width = std::max( width, int( std::ceil( f.x + f.w ) ) );
					height = std::max( height, int( std::ceil( f.y + f.h ) ) );
				}
			}
			cairo_surface_t* surface = cairo_image_surface_create( CAIRO_FORMAT_ARGB32, width, height );
			cairo_t* cr = cairo_create( surface );
			if ( picture.mAtlas.empty() )
			{
				Random random( name );
				picture.mDraw( cr, random );
			}
			else
			{
				for ( size_t i = 0; i < frames.size(); ++i )
				{
					const Frame& f = frames[i];
					Random random( name + "#" + std::to_string( i ) );
					cairo_save( cr );
					cairo_translate( cr, f.x, f.y );
					cairo_rectangle( cr, 0, 0, f.w, f.h );
					cairo_clip( cr );
					// Frames are square in every atlas; a wider one is centred.
					const double size = std::min( f.w, f.h );
					cairo_translate( cr, ( f.w - size ) / 2, ( f.h - size ) / 2 );
					picture.mDrawFrame( cr, int( i ), int( frames.size() ), size, random );
					cairo_restore( cr );
				}
			}
			const cairo_status_t status = cairo_status( cr );
			cairo_destroy( cr );
			if ( status != CAIRO_STATUS_SUCCESS )
			{
				error = name + ": " + cairo_status_to_string( status );
				cairo_surface_destroy( surface );
				return nullptr;
			}
			return surface;
		}

		// Multiplies a picture by a colour, as the game's pixel shader does with a
		// mesh colour.
		cairo_surface_t* Tinted( cairo_surface_t* source, Rgb tint )
		{
			const int w = cairo_image_surface_get_width( source ), h = cairo_image_surface_get_height( source );
			cairo_surface_t* out = cairo_image_surface_create( CAIRO_FORMAT_ARGB32, w, h );
			cairo_surface_flush( source );
			const unsigned char* from = cairo_image_surface_get_data( source );
			unsigned char* to = cairo_image_surface_get_data( out );
			const int fromStride = cairo_image_surface_get_stride( source ), toStride = cairo_image_surface_get_stride( out );
			for ( int y = 0; y < h; ++y )
			{
				const uint32_t* a = reinterpret_cast<const uint32_t*>( from + y * fromStride );
				uint32_t* b = reinterpret_cast<uint32_t*>( to + y * toStride );
				for ( int x = 0; x < w; ++x )
				{
					const uint32_t p = a[x];
					const uint32_t r = uint32_t( ( ( p >> 16 ) & 0xFF ) * tint.r );
					const uint32_t g = uint32_t( ( ( p >> 8 ) & 0xFF ) * tint.g );
					const uint32_t bl = uint32_t( ( p & 0xFF ) * tint.b );
					b[x] = ( p & 0xFF000000u ) | ( r << 16 ) | ( g << 8 ) | bl;
				}
			}
			cairo_surface_mark_dirty( out );
			return out;
		}

		void DrawCell( cairo_t* cr, cairo_surface_t* image, double x, double y, double box, const std::string& label )
		{
			const int w = cairo_image_surface_get_width( image ), h = cairo_image_surface_get_height( image );
			// A dark checker shows which parts of a sprite are transparent.
			for ( int cy = 0; cy < 8; ++cy )
				for ( int cx = 0; cx < 8; ++cx )
				{
					cairo_rectangle( cr, x + cx * box / 8, y + cy * box / 8, box / 8, box / 8 );
					SetColour( cr, ( cx + cy ) % 2 ? Rgb { 0.09, 0.09, 0.13 } : Rgb { 0.13, 0.13, 0.18 } );
					cairo_fill( cr );
				}
			const double scale = std::min( box / w, box / h );
			cairo_save( cr );
			cairo_translate( cr, x + ( box - w * scale ) / 2, y + ( box - h * scale ) / 2 );
			cairo_scale( cr, scale, scale );
			cairo_set_source_surface( cr, image, 0, 0 );
			cairo_pattern_set_filter( cairo_get_source( cr ), CAIRO_FILTER_GOOD );
			cairo_paint( cr );
			cairo_restore( cr );
			const size_t slash = label.rfind( '/' );
			const std::string folder = slash == std::string::npos ? "" : label.substr( 0, slash + 1 );
			const std::string file = slash == std::string::npos ? label : label.substr( slash + 1 );
			PlainText( cr, file, x + box / 2, y + box + 15, FitText( cr, file, 13, box + 20 ), Palette::kWhite, 1.0, true );
			if ( !folder.empty() )
				PlainText( cr, folder, x + box / 2, y + box + 30, FitText( cr, folder, 11, box + 20 ), { 0.6, 0.7, 0.8 }, 1.0, true );
		}

		bool WriteContactSheet( const Options& options, const std::vector<Baked>& baked, std::string& error )
		{
			const double box = 128, cellW = 160, cellH = 180;
			const int columns = 16;
			const std::string tinted[] = { "resource/switch.png", "resource/switch2.png", "resource/light.png",
										   "resource/crown.png", "resource/square.png", "resource/cross.png" };
			const Rgb codes[] = { Palette::kRed, Palette::kGreen, Palette::kBlue, Palette::kYellow, Palette::kCyan, Palette::kMagenta };
			const char* codeNames[] = { "1 red", "2 green", "3 blue", "4 red+green", "5 green+blue", "6 red+blue" };
			const int rows = int( ( baked.size() + columns - 1 ) / columns ) + int( std::size( tinted ) / 2 ) + 1;
			const int width = int( columns * cellW + 40 ), height = int( 90 + rows * cellH + 40 );
			cairo_surface_t* sheet = cairo_image_surface_create( CAIRO_FORMAT_RGB24, width, height );
			cairo_t* cr = cairo_create( sheet );
			SetColour( cr, Palette::kSpace );
			cairo_paint( cr );
			PlainText( cr, "Kelvane content: " + std::to_string( baked.size() ) + " pictures", 20, 50, 36, Palette::kWhite );
			for ( size_t i = 0; i < baked.size(); ++i )
			{
				cairo_surface_t* image = cairo_image_surface_create_from_png( ( options.mOut / baked[i].mName ).c_str() );
				DrawCell( cr, image, 20 + ( i % columns ) * cellW + 16, 80 + ( i / columns ) * cellH, box,
						  baked[i].mName.substr( std::string( "resource/" ).size() ) );
				cairo_surface_destroy( image );
			}
			// The colour codes as the game tints its light sprites.
			double y = 80 + ( ( baked.size() + columns - 1 ) / columns ) * cellH + 20;
			PlainText( cr, "Colour codes, as the game tints its light sprites", 20, y, 28, Palette::kWhite );
			y += 20;
			for ( size_t t = 0; t < std::size( tinted ); ++t )
			{
				cairo_surface_t* image = cairo_image_surface_create_from_png( ( options.mOut / tinted[t] ).c_str() );
				for ( int c = 0; c < 6; ++c )
				{
					cairo_surface_t* tint = Tinted( image, codes[c] );
					const size_t cell = t * 6 + size_t( c );
					DrawCell( cr, tint, 20 + ( cell % columns ) * cellW + 16, y + ( cell / columns ) * cellH, box,
							  tinted[t].substr( 9 ) + " " + codeNames[c] );
					cairo_surface_destroy( tint );
				}
				cairo_surface_destroy( image );
			}
			cairo_destroy( cr );
			const bool ok = WritePng( sheet, options.mContact, error );
			cairo_surface_destroy( sheet );
			return ok;
		}

		bool CopyFile( const fs::path& from, const fs::path& to, std::string& error )
		{
			std::error_code code;
			fs::create_directories( to.parent_path(), code );
			fs::copy_file( from, to, fs::copy_options::overwrite_existing, code );
			if ( code )
			{
				error = "cannot copy " + from.string() + " to " + to.string() + ": " + code.message();
				return false;
			}
			return true;
		}

		// Sounds share nothing with the pictures, so they are made on a second thread.
		bool BakeSounds( const Options& options, std::string& manifestText, size_t& count, std::string& error )
		{
			std::ostringstream manifest;
			SoundBook sounds;
			AddSounds( sounds );
			std::vector<std::string> soundNames;
			for ( const Tarn::SoundTableEntry& entry : Tarn::SoundTable() )
				soundNames.push_back( entry.mPath );
			for ( const char* path : Tarn::ScriptedLevelSounds() )
				soundNames.push_back( path );
			std::set<std::string> written;
			for ( const std::string& path : soundNames )
			{
				const std::string key = Lower( NormalisedName( path ) );
				const auto recipe = sounds.find( key );
				if ( recipe == sounds.end() )
				{
					error = "the game names \"" + path + "\" but there is no recipe for it";
					return false;
				}
				// One folder for every sound: the spelling the sound table uses.
				const std::string file = "resource/Sound/" + NormalisedName( path ).substr( std::string( "resource/sound/" ).size() );
				if ( !written.insert( Lower( file ) ).second )
					continue;
				const Audio audio = recipe->second.mMake();
				const double seconds = double( audio.mLeft.size() ) / kSampleRate;
				if ( seconds < recipe->second.mMinimumSeconds )
				{
					error = file + " is shorter than promised";
					return false;
				}
				fs::create_directories( ( options.mOut / file ).parent_path() );
				if ( !WriteAudio( ( options.mOut / file ).string(), audio, error ) )
					return false;
				char line[64];
				std::snprintf( line, sizeof line, "%.3f", seconds );
				manifest << "sound\t" << file << '\t' << line << '\n';
			}

			manifestText = manifest.str();
			count = written.size();
			return true;
		}

		int Bake( const Options& options )
		{
			std::string error;
			if ( !LoadGameFont( options.mFont.string() ) )
			{
				std::fprintf( stderr, "baker: cannot open the font %s\n", options.mFont.c_str() );
				return 1;
			}

			PictureBook pictures;
			AddSpritePictures( pictures );
			AddMenuPictures( pictures );
			AddGlyphPictures( pictures );

			// Every picture the game names, once, in the order the game names them.
			std::vector<std::string> wanted;
			std::set<std::string> seen;
			auto want = [&]( const std::string& name )
			{
				const std::string normal = NormalisedName( name );
				if ( seen.insert( normal ).second )
					wanted.push_back( normal );
			};
			for ( const std::string& name : Graphics::StartUpTextureList() )
				want( name );
			for ( const char* name : Graphics::FurtherPictureNames() )
				want( name );
			for ( const Graphics::SpriteSheetName& sheet : Graphics::SpriteSheetNames() )
				want( sheet.mImage );

			int failures = 0;
			for ( const std::string& name : wanted )
				if ( !pictures.count( name ) )
				{
					std::fprintf( stderr, "baker: the game names \"%s\" but there is no recipe for it\n", name.c_str() );
					++failures;
				}
			for ( const auto& [name, picture] : pictures )
				if ( !seen.count( name ) )
				{
					std::fprintf( stderr, "baker: recipe \"%s\" is named nowhere in the game\n", name.c_str() );
					++failures;
				}
			if ( failures )
				return 1;

			std::string soundManifest, soundError;
			size_t soundCount = 0;
			bool soundsOk = false;
			std::thread soundThread( [&]() { soundsOk = BakeSounds( options, soundManifest, soundCount, soundError ); } );

			std::ostringstream manifest;
			std::vector<Baked> baked;
			for ( const std::string& name : wanted )
			{
				int width = 0, height = 0;
				cairo_surface_t* surface = Render( name, pictures[name], options, width, height, error );
				if ( !surface || !WritePng( surface, options.mOut / name, error ) )
				{
					soundThread.join();
					std::fprintf( stderr, "baker: %s\n", error.c_str() );
					if ( surface )
						cairo_surface_destroy( surface );
					return 1;
				}
				cairo_surface_destroy( surface );
				baked.push_back( { name, width, height } );
				manifest << "picture\t" << name << '\t' << width << '\t' << height << '\n';
			}

			soundThread.join();
			if ( !soundsOk )
			{
				std::fprintf( stderr, "baker: %s\n", soundError.c_str() );
				return 1;
			}
			manifest << soundManifest;

			if ( !CopyFile( options.mFont, options.mOut / Graphics::kFontPath, error ) ||
				 !CopyFile( options.mLicence, options.mOut / "resource/FONT-LICENSE.txt", error ) )
			{
				std::fprintf( stderr, "baker: %s\n", error.c_str() );
				return 1;
			}
			manifest << "font\t" << Graphics::kFontPath << '\n';

			if ( !options.mContact.empty() && !WriteContactSheet( options, baked, error ) )
			{
				std::fprintf( stderr, "baker: %s\n", error.c_str() );
				return 1;
			}

			// The manifest goes last: it is the build's stamp, so it only exists once
			// everything else is written.
			std::ofstream stamp( options.mOut / "resource/.baked", std::ios::binary );
			stamp << manifest.str();
			stamp.close();
			if ( !stamp )
			{
				std::fprintf( stderr, "baker: cannot write the manifest\n" );
				return 1;
			}
			ReleaseGameFont();
			std::printf( "baker: %zu pictures, %zu sounds into %s\n", baked.size(), soundCount, options.mOut.c_str() );
			return 0;
		}
	}
}

int main( int argc, char** argv )
{
	Baker::Options options;
	for ( int i = 1; i + 1 < argc; i += 2 )
	{
		const std::string key = argv[i];
		const char* value = argv[i + 1];
		if ( key == "--source" )
			options.mSource = value;
		else if ( key == "--out" )
			options.mOut = value;
		else if ( key == "--font" )
			options.mFont = value;
		else if ( key == "--licence" )
			options.mLicence = value;
		else if ( key == "--contact" )
			options.mContact = value;
		else
		{
			std::fprintf( stderr, "baker: unknown option %s\n", key.c_str() );
			return 2;
		}
	}
	if ( argc % 2 == 0 || options.mSource.empty() || options.mOut.empty() || options.mFont.empty() || options.mLicence.empty() )
	{
		std::fprintf( stderr, "usage: kelvane_baker --source DATA_ROOT --out OUT_ROOT --font FONT.ttf --licence FILE [--contact SHEET.png]\n" );
		return 2;
	}
	return Baker::Bake( options );
}
