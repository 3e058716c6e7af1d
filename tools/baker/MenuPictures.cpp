#include "Pictures.h"

#include "Graphics/TextureList.h"

#include <cmath>
#include <vector>

// Menu buttons, pages, the logo, the loading and splash screens and the level
// selector's tiles. Every word is set in the game's font, light on dark with a dark
// rim, so it stays legible over any background; highlighted buttons change from the
// cold cyan of the menus to warm gold.

namespace Baker
{
	namespace
	{
		using namespace Palette;

		constexpr Rgb kMenuCold { 0.30, 0.85, 1.0 };
		constexpr Rgb kMenuWarm { 1.0, 0.80, 0.25 };

		void Add( PictureBook& book, const std::string& name, int w, int h, std::function<void( cairo_t*, Random& )> draw )
		{
			Picture& p = book[name];
			p.mWidth = w;
			p.mHeight = h;
			p.mDraw = std::move( draw );
		}

		void Panel( cairo_t* cr, double x, double y, double w, double h, Rgb edge, bool bright )
		{
			auto shape = [&]() { RoundedRectangle( cr, x, y, w, h, std::min( w, h ) * 0.22 ); };
			FillVertical( cr, shape, y, y + h, bright ? Rgb { 0.16, 0.14, 0.10 } : Rgb { 0.06, 0.12, 0.22 },
						  bright ? Rgb { 0.08, 0.05, 0.02 } : Rgb { 0.02, 0.04, 0.09 }, 0.92 );
			if ( bright )
				SoftLight( cr, x + w / 2, y + h / 2, w * 0.55, edge, 0.18 );
			GlowStroke( cr, shape, edge, bright ? 4.0 : 3.0, bright ? 22.0 : 12.0 );
		}

		void WordButton( cairo_t* cr, const std::string& word, bool highlighted )
		{
			const Rgb edge = highlighted ? kMenuWarm : kMenuCold;
			Panel( cr, 24, 56, 464, 144, edge, highlighted );
			const double size = FitText( cr, word, 78, 400 );
			GlowText( cr, word, 256, 128, size, edge, highlighted ? Rgb { 1.0, 0.98, 0.9 } : kWhite, highlighted ? 26 : 14 );
		}

		void Arrow( cairo_t* cr, bool left, bool highlighted )
		{
			const Rgb edge = highlighted ? kMenuWarm : kMenuCold;
			cairo_save( cr );
			if ( left )
			{
				cairo_translate( cr, 128, 0 );
				cairo_scale( cr, -1, 1 );
			}
			auto shape = [&]() { cairo_move_to( cr, 34, 18 ); cairo_line_to( cr, 108, 64 ); cairo_line_to( cr, 34, 110 ); cairo_close_path( cr ); };
			FillVertical( cr, shape, 18, 110, highlighted ? Rgb { 0.5, 0.38, 0.1 } : Rgb { 0.08, 0.25, 0.4 }, { 0.02, 0.05, 0.1 }, 0.95 );
			GlowStroke( cr, shape, edge, 4, highlighted ? 20 : 12 );
			cairo_restore( cr );
		}

		void CheckBox( cairo_t* cr, bool checked, bool highlighted )
		{
			const Rgb edge = highlighted ? kMenuWarm : kMenuCold;
			Panel( cr, 20, 20, 88, 88, edge, highlighted );
			if ( checked )
				GlowStroke( cr, [&]() { cairo_move_to( cr, 38, 66 ); cairo_line_to( cr, 58, 88 ); cairo_line_to( cr, 94, 38 ); }, kGreen, 9, 16 );
		}

		void VolumeBar( cairo_t* cr, int lit, bool highlighted, bool knob )
		{
			const Rgb edge = highlighted ? kMenuWarm : kMenuCold;
			Panel( cr, 12, 24, 488, 80, edge, highlighted );
			for ( int i = 0; i < 5; ++i )
			{
				const double x = 40 + i * 88;
				const double h = 20 + i * 7;
				auto segment = [&]() { RoundedRectangle( cr, x, 88 - h, 72, h, 5 ); };
				if ( i < lit )
				{
					const Rgb colour = Mix( kGreen, kYellow, i / 4.0 );
					FillVertical( cr, segment, 88 - h, 88, Mix( colour, kWhite, 0.3 ), colour );
					GlowStroke( cr, segment, colour, 2, 8 );
				}
				else
				{
					FillVertical( cr, segment, 88 - h, 88, { 0.12, 0.14, 0.2 }, { 0.06, 0.07, 0.1 } );
					cairo_new_path( cr );
					segment();
					cairo_set_line_width( cr, 2 );
					SetColour( cr, edge, 0.5 );
					cairo_stroke( cr );
				}
			}
			if ( knob )
				SoftLight( cr, 256, 64, 30, edge, 0.6 );
		}

		void SpaceBackdrop( cairo_t* cr, int w, int h, Random& random, bool opaque )
		{
			if ( opaque )
			{
				cairo_pattern_t* p = cairo_pattern_create_radial( w / 2.0, h / 2.0, 0, w / 2.0, h / 2.0, w * 0.7 );
				cairo_pattern_add_color_stop_rgb( p, 0.0, 0.05, 0.04, 0.14 );
				cairo_pattern_add_color_stop_rgb( p, 1.0, 0.01, 0.01, 0.04 );
				cairo_set_source( cr, p );
				cairo_paint( cr );
				cairo_pattern_destroy( p );
			}
			Nebula( cr, w, h, kViolet, random, 24, opaque ? 0.10 : 0.05 );
			Nebula( cr, w, h, kBlue, random, 24, opaque ? 0.10 : 0.05 );
			StarField( cr, w, h, opaque ? 700 : 150, random, 0.8 );
		}

		// A menu page: a framed translucent panel with its title at the top and lines of
		// text `spacing` pixels apart under it.
		void Page( cairo_t* cr, Random& random, const std::string& title, Rgb colour, const std::vector<std::string>& lines,
				   double spacing = 56 )
		{
			SpaceBackdrop( cr, 1024, 768, random, false );
			auto frame = [&]() { RoundedRectangle( cr, 32, 32, 960, 704, 40 ); };
			FillVertical( cr, frame, 32, 736, { 0.04, 0.07, 0.16 }, { 0.01, 0.02, 0.06 }, 0.94 );
			GlowStroke( cr, frame, colour, 3, 18 );
			GlowStroke( cr, [&]() { cairo_move_to( cr, 140, 170 ); cairo_line_to( cr, 884, 170 ); }, colour, 2, 8, 0.7 );
			GlowText( cr, title, 512, 108, FitText( cr, title, 84, 820 ), colour, kWhite, 24 );
			double y = 240;
			for ( const std::string& line : lines )
			{
				PlainText( cr, line, 512, y, FitText( cr, line, 34, 860 ), kIce, 1.0, true );
				y += spacing;
			}
		}

		// A word beside a control of the options page, from the left edge, with a dark rim
		// so that it reads over a dimmed page as well.
		void Label( cairo_t* cr, const std::string& text )
		{
			const double size = FitText( cr, text, 58, 480 );
			for ( const double dx : { -2.0, 0.0, 2.0 } )
				for ( const double dy : { -2.0, 0.0, 2.0 } )
					PlainText( cr, text, 16 + dx, 84 + dy, size, { 0.01, 0.02, 0.06 }, 0.9 );
			PlainText( cr, text, 16, 84, size, kIce );
		}

		void LevelTile( cairo_t* cr, const std::string& colourSet, int number, char grade, bool hover )
		{
			Rgb colour = kIce;
			if ( colourSet == "blue" )
				colour = { 0.30, 0.55, 1.0 };
			else if ( colourSet == "orange" )
				colour = kOrange;
			const Rgb edge = hover ? Mix( colour, kWhite, 0.45 ) : colour;
			auto tile = [&]() { RoundedRectangle( cr, 22, 22, 212, 212, 36 ); };
			FillVertical( cr, tile, 22, 234, hover ? Scale( colour, 0.45 ) : Scale( colour, 0.22 ), Scale( colour, hover ? 0.15 : 0.06 ), 0.95 );
			if ( hover )
				SoftLight( cr, 128, 128, 130, colour, 0.35 );
			GlowStroke( cr, tile, edge, hover ? 6 : 4, hover ? 26 : 14 );
			// The orange set stands for levels 11 to 20 under the numbers 1 to 10 of its
			// file names; the player reads the level's own number.
			const int level = colourSet == "orange" ? number + 10 : number;
			const std::string label = std::to_string( level );
			GlowText( cr, label, grade ? 120 : 128, grade ? 104 : 128, FitText( cr, label, grade ? 104 : 120, 170 ), colour, kWhite, hover ? 26 : 16 );
			if ( grade )
			{
				// The grade badge: gold A, silver B, bronze C.
				const Rgb badge = grade == 'A' ? Rgb { 1.0, 0.85, 0.2 } : grade == 'B' ? Rgb { 0.8, 0.85, 0.92 } : Rgb { 0.85, 0.5, 0.25 };
				auto medal = [&]() { cairo_arc( cr, 184, 188, 32, 0, 2 * M_PI ); };
				FillVertical( cr, medal, 156, 220, Mix( badge, kWhite, 0.3 ), Scale( badge, 0.6 ) );
				GlowStroke( cr, medal, badge, 2.5, 8 );
				GlowText( cr, std::string( 1, grade ), 184, 188, 44, Scale( badge, 0.4 ), kWhite, 6 );
			}
		}

		void Emblem( cairo_t* cr, double cx, double cy, double r )
		{
			// Three beams of the puzzle's colours meeting in a crystal, which shines white.
			const Rgb rays[] = { kRed, kGreen, kBlue };
			for ( int i = 0; i < 3; ++i )
			{
				const double a = -M_PI / 2 + i * 2 * M_PI / 3;
				GlowStroke( cr, [&]() { cairo_move_to( cr, cx + std::cos( a ) * r * 2.1, cy + std::sin( a ) * r * 1.3 ); cairo_line_to( cr, cx, cy ); }, rays[i], r * 0.06, r * 0.25 );
			}
			SoftLight( cr, cx, cy, r * 1.2, kWhite, 0.5 );
			auto crystal = [&]() { RegularPolygon( cr, cx, cy, r * 0.55, 6, 0 ); };
			FillVertical( cr, crystal, cy - r * 0.55, cy + r * 0.55, { 0.95, 0.98, 1.0 }, { 0.45, 0.55, 0.75 }, 0.95 );
			GlowStroke( cr, crystal, kIce, r * 0.04, r * 0.2 );
			cairo_new_path( cr );
			RegularPolygon( cr, cx, cy, r * 0.25, 6, 0 );
			SetColour( cr, kWhite );
			cairo_fill( cr );
		}
	}

	void AddMenuPictures( PictureBook& book )
	{
		const struct { const char* name; const char* word; } words[] = {
			{ "back", "BACK" }, { "button", "" }, { "credits", "CREDITS" }, { "help", "HOW TO PLAY" },
			{ "no", "NO" }, { "options", "OPTIONS" }, { "quit", "MAIN MENU" }, { "start", "START" },
			{ "yes", "YES" }, { "exit to windows", "QUIT GAME" }, { "restart", "RESTART" },
			{ "levelselect", "LEVEL SELECT" }, { "return", "RETURN" }, { "next level", "NEXT LEVEL" },
		};
		for ( const auto& w : words )
		{
			const std::string word = w.word;
			for ( bool highlighted : { false, true } )
			{
				const std::string name = std::string( "resource/menu/" ) + w.name + ( highlighted ? "2" : "" ) + ".png";
				Add( book, name, 512, 256, [word, highlighted]( cairo_t* cr, Random& ) { WordButton( cr, word, highlighted ); } );
			}
		}
		for ( bool highlighted : { false, true } )
		{
			const std::string suffix = highlighted ? "2.png" : ".png";
			Add( book, "resource/menu/bar" + suffix, 512, 128, [highlighted]( cairo_t* cr, Random& ) { VolumeBar( cr, 0, highlighted, true ); } );
			Add( book, "resource/menu/triangle" + suffix, 128, 128, [highlighted]( cairo_t* cr, Random& ) { Arrow( cr, false, highlighted ); } );
			Add( book, "resource/menu/triangleleft" + suffix, 128, 128, [highlighted]( cairo_t* cr, Random& ) { Arrow( cr, true, highlighted ); } );
			Add( book, "resource/menu/checkbox" + suffix, 128, 128, [highlighted]( cairo_t* cr, Random& ) { CheckBox( cr, false, highlighted ); } );
			Add( book, "resource/menu/checkboxchecked" + suffix, 128, 128, [highlighted]( cairo_t* cr, Random& ) { CheckBox( cr, true, highlighted ); } );
		}
		for ( int row = 0; row <= 5; ++row )
			Add( book, "resource/menu/bar row" + std::to_string( row ) + ".png", 512, 128, [row]( cairo_t* cr, Random& ) { VolumeBar( cr, row, false, false ); } );

		Add( book, "resource/menu/secondary background.png", 1024, 768,
			 []( cairo_t* cr, Random& r )
			 {
				 SpaceBackdrop( cr, 1024, 768, r, false );
				 auto frame = [&]() { RoundedRectangle( cr, 32, 32, 960, 704, 40 ); };
				 FillVertical( cr, frame, 32, 736, { 0.04, 0.07, 0.16 }, { 0.01, 0.02, 0.06 }, 0.94 );
				 GlowStroke( cr, frame, kMenuCold, 3, 18 );
			 } );
		Add( book, "resource/how to play2.png", 1024, 768,
			 []( cairo_t* cr, Random& r )
			 {
				 Page( cr, r, "HOW TO PLAY", kMenuCold,
					   { "W  A  S  D :  fly the ship",
						 "Hold the left or right mouse button :  fire the energy beam at the pointer",
						 "Lock the beam onto a prism :  it throws a cone of light in its colour",
						 "Charge each switch with a cone of its colour, in the order the gate shows",
						 "Light stuns guards;  keep clear of mines and gate barriers",
						 "Fly into the open gate to finish the level",
						 "Space or U :  read on, or close a message          T,  I :  tutorial texts",
						 "Escape :  pause menu          F3 :  collision outlines",
						 "Menus :  the mouse, or the arrow keys, Enter and Escape" },
					   47 );
			 } );
		Add( book, "resource/are you sure.png", 1024, 768, []( cairo_t* cr, Random& r ) { Page( cr, r, "ARE YOU SURE?", kMenuWarm, {} ); } );
		Add( book, "resource/level select.png", 1024, 768, []( cairo_t* cr, Random& r ) { Page( cr, r, "SELECT A LEVEL", kMenuCold, {} ); } );
		for ( const Graphics::MenuLabel& label : Graphics::MenuLabels() )
		{
			const std::string text = label.mText;
			Add( book, Graphics::MenuLabelPicture( label ), 512, 128, [text]( cairo_t* cr, Random& ) { Label( cr, text ); } );
		}
		Add( book, "resource/options.png", 1024, 768, []( cairo_t* cr, Random& r ) { Page( cr, r, "OPTIONS", kMenuCold, {} ); } );
		Add( book, "resource/optionsingame.png", 1024, 768, []( cairo_t* cr, Random& r ) { Page( cr, r, "PAUSED", kMenuCold, {} ); } );
		Add( book, "resource/credits2.png", 1024, 768,
			 []( cairo_t* cr, Random& r )
			 {
				 Page( cr, r, "CREDITS", kMenuCold,
					   { "KELVANE", "Design, code, levels, pictures, sound and music:", "the Kelvane project's own work", "",
						 "Every picture, sound and piece of music is made", "by the project's own content baker", "",
						 "Font:  Beteckna, by Johan Mattsson and others (GPL-3),", "from Debian's fonts-beteckna" },
					   42 );
			 } );
		Add( book, "resource/win2.png", 1024, 768, []( cairo_t* cr, Random& r ) { Page( cr, r, "LEVEL COMPLETE", kGreen, {} ); } );
		Add( book, "resource/lose.png", 1024, 768, []( cairo_t* cr, Random& r ) { Page( cr, r, "SHIP LOST", kRed, {} ); } );
		Add( book, "resource/logo3.png", 1024, 384,
			 []( cairo_t* cr, Random& )
			 {
				 Emblem( cr, 512, 108, 68 );
				 GlowText( cr, "KELVANE", 512, 282, 150, kMenuCold, kWhite, 36 );
			 } );
		Add( book, "resource/loading.png", 1024, 768,
			 []( cairo_t* cr, Random& r )
			 {
				 SpaceBackdrop( cr, 1024, 768, r, true );
				 Emblem( cr, 512, 230, 70 );
				 GlowText( cr, "LOADING", 512, 420, 90, kMenuCold, kWhite, 24 );
				 // the tip is written over the lower band
				 // (above "Click to continue...", which the game writes under it)
				 auto band = [&]() { RoundedRectangle( cr, 96, 500, 832, 180, 28 ); };
				 FillVertical( cr, band, 500, 680, { 0.05, 0.09, 0.18 }, { 0.02, 0.03, 0.08 }, 0.85 );
				 GlowStroke( cr, band, kMenuCold, 2, 10, 0.8 );
			 } );
		Add( book, "resource/Tessaro_logo.png", 1024, 768,
			 []( cairo_t* cr, Random& r )
			 {
				 SpaceBackdrop( cr, 1024, 768, r, true );
				 Emblem( cr, 512, 300, 110 );
				 GlowText( cr, "KELVANE", 512, 530, 110, kMenuCold, kWhite, 30 );
				 PlainText( cr, "a game of light", 512, 610, 40, kIce, 0.9, true );
			 } );

		const char* const letters = "ABC";
		for ( int n = 1; n <= 10; ++n )
		{
			for ( int g = 0; g <= 3; ++g )
			{
				const char grade = g == 0 ? 0 : letters[g - 1];
				const std::string letter = grade ? std::string( 1, grade ) : "";
				for ( const std::string set : { "", "blue", "orange" } )
				{
					if ( set.empty() && !grade )
						continue;  // the uncoloured set only has graded pictures
					for ( bool hover : { false, true } )
					{
						std::string name = "resource/menu/level select/";
						if ( !set.empty() )
							name += set + "/";
						name += "levelselect" + std::to_string( n ) + letter + set + ( hover ? "hover" : "" ) + ".png";
						Add( book, name, 256, 256, [set, n, grade, hover]( cairo_t* cr, Random& ) { LevelTile( cr, set, n, grade, hover ); } );
					}
				}
			}
		}
	}
}
