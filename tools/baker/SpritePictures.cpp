#include "Pictures.h"

#include "Graphics/ContentNames.h"

#include <cmath>

// Sprites, effects and scenery. Pictures the game tints through its colour
// multiplier (lights, particles, switches, guards, prisms) are drawn in white light
// with shading in brightness only, so that a red, green or blue tint reads as that
// colour; pictures with an identity of their own (the ship, mines, the gate, the
// bosses) carry their colours.

namespace Baker
{
	namespace
	{
		using namespace Palette;

		void Add( PictureBook& book, const std::string& name, int w, int h, std::function<void( cairo_t*, Random& )> draw )
		{
			Picture& p = book[name];
			p.mWidth = w;
			p.mHeight = h;
			p.mDraw = std::move( draw );
		}

		void AddSheet( PictureBook& book, const std::string& name, const std::string& atlas,
					   std::function<void( cairo_t*, int, int, double, Random& )> draw )
		{
			Picture& p = book[name];
			p.mAtlas = atlas;
			p.mDrawFrame = std::move( draw );
		}

		// ---- the player
		void Ship( cairo_t* cr, double s )
		{
			// Points along +x, the direction of angle 0.
			const double c = s / 2;
			SoftLight( cr, c - s * 0.30, c, s * 0.22, kOrange, 0.9 );
			auto hull = [&]()
			{
				cairo_move_to( cr, c + s * 0.42, c );
				cairo_line_to( cr, c - s * 0.10, c - s * 0.30 );
				cairo_line_to( cr, c - s * 0.30, c - s * 0.36 );
				cairo_line_to( cr, c - s * 0.22, c - s * 0.10 );
				cairo_line_to( cr, c - s * 0.30, c );
				cairo_line_to( cr, c - s * 0.22, c + s * 0.10 );
				cairo_line_to( cr, c - s * 0.30, c + s * 0.36 );
				cairo_line_to( cr, c - s * 0.10, c + s * 0.30 );
				cairo_close_path( cr );
			};
			FillVertical( cr, hull, c - s * 0.36, c + s * 0.36, { 0.55, 0.65, 0.8 }, { 0.12, 0.16, 0.28 } );
			GlowStroke( cr, hull, kCyan, s * 0.025, s * 0.10 );
			// cockpit
			cairo_new_path( cr );
			cairo_save( cr );
			cairo_translate( cr, c + s * 0.08, c );
			cairo_scale( cr, 1.6, 1.0 );
			cairo_arc( cr, 0, 0, s * 0.055, 0, 2 * M_PI );
			cairo_restore( cr );
			SetColour( cr, kIce );
			cairo_fill( cr );
			SoftLight( cr, c + s * 0.08, c, s * 0.12, kCyan, 0.6 );
		}

		void PlayerBody( cairo_t* cr, int frame, int frames, double s, Random& )
		{
			// A halo ring of six lights that turns and breathes.
			const double c = s / 2;
			const double phase = 2 * M_PI * frame / frames;
			const double pulse = 0.5 + 0.5 * std::cos( phase );
			SoftLight( cr, c, c, s * 0.48, kCyan, 0.18 + 0.12 * pulse );
			GlowStroke( cr, [&]() { cairo_arc( cr, c, c, s * 0.34, 0, 2 * M_PI ); }, kCyan, s * 0.02, s * 0.08, 0.8 );
			for ( int i = 0; i < 6; ++i )
			{
				const double a = phase / 3 + i * M_PI / 3;
				const double x = c + std::cos( a ) * s * 0.34;
				const double y = c + std::sin( a ) * s * 0.34;
				SoftLight( cr, x, y, s * ( 0.08 + 0.03 * pulse ), kIce, 0.9 );
			}
		}

		// ---- puzzle furniture
		void SwitchPlate( cairo_t* cr, double s, bool lit )
		{
			const double c = s / 2;
			if ( lit )
				SoftLight( cr, c, c, s * 0.5, kWhite, 0.55 );
			auto plate = [&]() { RegularPolygon( cr, c, c, s * 0.40, 6, M_PI / 6 ); };
			FillVertical( cr, plate, c - s * 0.4, c + s * 0.4, { 0.55, 0.55, 0.6 }, { 0.25, 0.25, 0.3 } );
			GlowStroke( cr, plate, kWhite, s * 0.025, s * 0.06, lit ? 1.0 : 0.7 );
			auto socket = [&]() { cairo_arc( cr, c, c, s * 0.20, 0, 2 * M_PI ); };
			if ( lit )
			{
				SetColour( cr, kWhite );
				cairo_new_path( cr );
				socket();
				cairo_fill( cr );
				SoftLight( cr, c, c, s * 0.32, kWhite, 1.0 );
			}
			else
			{
				SetColour( cr, { 0.08, 0.08, 0.1 } );
				cairo_new_path( cr );
				socket();
				cairo_fill( cr );
				GlowStroke( cr, socket, { 0.7, 0.7, 0.75 }, s * 0.02, s * 0.03, 0.8 );
			}
			// three contact studs show which way the spark leaves
			for ( int i = 0; i < 3; ++i )
			{
				const double a = -M_PI / 2 + i * 2 * M_PI / 3;
				SetColour( cr, lit ? kWhite : Rgb { 0.6, 0.6, 0.65 } );
				cairo_new_path( cr );
				cairo_arc( cr, c + std::cos( a ) * s * 0.30, c + std::sin( a ) * s * 0.30, s * 0.03, 0, 2 * M_PI );
				cairo_fill( cr );
			}
		}

		void GateFrame( cairo_t* cr, int frame, int, double s, Random& random )
		{
			// 0 closed, 1 and 2 opening, 3 open.
			const double c = s / 2;
			const double open = frame / 3.0;
			SoftLight( cr, c, c, s * 0.5, kViolet, 0.25 + 0.35 * open );
			if ( open > 0 )
			{
				// the swirl of the open portal
				for ( int arm = 0; arm < 5; ++arm )
				{
					GlowStroke( cr,
								[&]()
								{
									for ( int k = 0; k <= 24; ++k )
									{
										const double t = k / 24.0;
										const double a = arm * 2 * M_PI / 5 + t * 3.0;
										const double r = s * 0.36 * open * ( 1 - t );
										if ( k == 0 )
											cairo_move_to( cr, c + r * std::cos( a ), c + r * std::sin( a ) );
										else
											cairo_line_to( cr, c + r * std::cos( a ), c + r * std::sin( a ) );
									}
								},
								Mix( kViolet, kCyan, arm / 5.0 ), s * 0.012, s * 0.04, 0.8 );
				}
				SoftLight( cr, c, c, s * 0.22 * open, kWhite, 0.8 * open );
			}
			// iris blades slide outward as the gate opens
			const int blades = 8;
			for ( int i = 0; i < blades; ++i )
			{
				const double a = i * 2 * M_PI / blades + open * 0.6;
				const double inner = s * ( 0.02 + 0.32 * open );
				auto blade = [&]()
				{
					cairo_move_to( cr, c + std::cos( a ) * inner, c + std::sin( a ) * inner );
					cairo_line_to( cr, c + std::cos( a + 0.9 ) * s * 0.40, c + std::sin( a + 0.9 ) * s * 0.40 );
					cairo_line_to( cr, c + std::cos( a + 0.1 ) * s * 0.40, c + std::sin( a + 0.1 ) * s * 0.40 );
					cairo_close_path( cr );
				};
				if ( open < 1.0 )
				{
					FillVertical( cr, blade, c - s * 0.4, c + s * 0.4, { 0.42, 0.40, 0.55 }, { 0.18, 0.16, 0.28 } );
					cairo_new_path( cr );
					blade();
					cairo_set_line_width( cr, s * 0.006 );
					SetColour( cr, kViolet, 0.9 );
					cairo_stroke( cr );
				}
			}
			GlowStroke( cr, [&]() { cairo_arc( cr, c, c, s * 0.42, 0, 2 * M_PI ); }, kViolet, s * 0.03, s * 0.08 );
			for ( int i = 0; i < 12; ++i )
			{
				const double a = i * M_PI / 6;
				SoftLight( cr, c + std::cos( a ) * s * 0.42, c + std::sin( a ) * s * 0.42, s * 0.035,
						   ( i % 2 ) ? kCyan : kMagenta, 0.6 + 0.4 * open + 0.0 * random.Uniform() );
			}
		}

		void StunFrame( cairo_t* cr, int frame, int frames, double s, Random& )
		{
			const double c = s / 2;
			const double phase = 2 * M_PI * frame / frames;
			GlowStroke( cr, [&]() { cairo_arc( cr, c, c, s * 0.30, 0, 2 * M_PI ); }, kYellow, s * 0.015, s * 0.05, 0.6 );
			for ( int i = 0; i < 5; ++i )
			{
				const double a = phase / 5 * 2 + i * 2 * M_PI / 5;
				const double x = c + std::cos( a ) * s * 0.30;
				const double y = c + std::sin( a ) * s * 0.30 * 0.55;
				SoftLight( cr, x, y, s * 0.09, kYellow, 0.6 );
				cairo_new_path( cr );
				StarShape( cr, x, y, s * 0.08, s * 0.03, 4, phase );
				SetColour( cr, { 1.0, 1.0, 0.8 } );
				cairo_fill( cr );
			}
		}

		void Prism( cairo_t* cr, double s, double lit, double gleam )
		{
			// A square prism seen from above: a bevelled glass tile with a lit core.
			const double c = s / 2;
			const double h = s * 0.36;
			if ( lit > 0 )
				SoftLight( cr, c, c, s * 0.5, kWhite, 0.5 * lit );
			auto outer = [&]() { RoundedRectangle( cr, c - h, c - h, 2 * h, 2 * h, s * 0.05 ); };
			FillVertical( cr, outer, c - h, c + h, Mix( { 0.45, 0.5, 0.55 }, kWhite, lit ), Mix( { 0.15, 0.17, 0.2 }, { 0.7, 0.7, 0.7 }, lit ) );
			// facets from the corners to the inner square
			const double i = h * 0.45;
			cairo_set_line_width( cr, s * 0.008 );
			SetColour( cr, kWhite, 0.55 );
			const double corners[4][2] = { { -1, -1 }, { 1, -1 }, { 1, 1 }, { -1, 1 } };
			for ( auto& k : corners )
			{
				cairo_new_path( cr );
				cairo_move_to( cr, c + k[0] * h, c + k[1] * h );
				cairo_line_to( cr, c + k[0] * i, c + k[1] * i );
				cairo_stroke( cr );
			}
			cairo_new_path( cr );
			cairo_rectangle( cr, c - i, c - i, 2 * i, 2 * i );
			SetColour( cr, Mix( { 0.3, 0.3, 0.35 }, kWhite, lit ), 1.0 );
			cairo_fill_preserve( cr );
			SetColour( cr, kWhite, 0.8 );
			cairo_stroke( cr );
			GlowStroke( cr, outer, kWhite, s * 0.02, s * 0.05, 0.6 + 0.4 * lit );
			if ( gleam >= 0 )
			{
				// a diagonal band of light sweeping across the glass
				cairo_save( cr );
				cairo_new_path( cr );
				outer();
				cairo_clip( cr );
				const double x = c - 2 * h + gleam * 4 * h;
				cairo_pattern_t* band = cairo_pattern_create_linear( x - s * 0.12, 0, x + s * 0.12, 0 );
				cairo_pattern_add_color_stop_rgba( band, 0, 1, 1, 1, 0 );
				cairo_pattern_add_color_stop_rgba( band, 0.5, 1, 1, 1, 0.75 );
				cairo_pattern_add_color_stop_rgba( band, 1, 1, 1, 1, 0 );
				cairo_translate( cr, c, c );
				cairo_rotate( cr, -0.5 );
				cairo_translate( cr, -c, -c );
				cairo_set_source( cr, band );
				cairo_paint( cr );
				cairo_pattern_destroy( band );
				cairo_restore( cr );
			}
		}

		void Crown( cairo_t* cr, double s )
		{
			// The guard: a three-pointed crown with a single watching eye.
			const double c = s / 2;
			auto body = [&]()
			{
				cairo_move_to( cr, c - s * 0.36, c + s * 0.26 );
				cairo_line_to( cr, c - s * 0.40, c - s * 0.30 );
				cairo_line_to( cr, c - s * 0.18, c - s * 0.05 );
				cairo_line_to( cr, c, c - s * 0.40 );
				cairo_line_to( cr, c + s * 0.18, c - s * 0.05 );
				cairo_line_to( cr, c + s * 0.40, c - s * 0.30 );
				cairo_line_to( cr, c + s * 0.36, c + s * 0.26 );
				cairo_close_path( cr );
			};
			FillVertical( cr, body, c - s * 0.4, c + s * 0.26, { 0.95, 0.95, 0.95 }, { 0.45, 0.45, 0.5 } );
			GlowStroke( cr, body, kWhite, s * 0.025, s * 0.07 );
			// band and eye
			cairo_new_path( cr );
			cairo_rectangle( cr, c - s * 0.36, c + s * 0.12, s * 0.72, s * 0.06 );
			SetColour( cr, { 0.2, 0.2, 0.25 } );
			cairo_fill( cr );
			cairo_new_path( cr );
			cairo_save( cr );
			cairo_translate( cr, c, c + s * 0.0 );
			cairo_scale( cr, 1.5, 1.0 );
			cairo_arc( cr, 0, 0, s * 0.075, 0, 2 * M_PI );
			cairo_restore( cr );
			SetColour( cr, { 0.05, 0.05, 0.08 } );
			cairo_fill( cr );
			SoftLight( cr, c, c, s * 0.06, kWhite, 1.0 );
			for ( double x : { -0.40, 0.0, 0.40 } )
				SoftLight( cr, c + s * x, c - s * ( x == 0.0 ? 0.40 : 0.30 ), s * 0.06, kWhite, 0.9 );
		}

		void Crystal( cairo_t* cr, double s )
		{
			// The crystal ("cross"): four faceted shards pointing out from a bright core.
			const double c = s / 2;
			SoftLight( cr, c, c, s * 0.45, kIce, 0.35 );
			for ( int i = 0; i < 4; ++i )
			{
				const double a = i * M_PI / 2 - M_PI / 2;
				auto shard = [&]()
				{
					const double ca = std::cos( a ), sa = std::sin( a );
					const double px = -sa, py = ca;
					cairo_move_to( cr, c + ca * s * 0.44, c + sa * s * 0.44 );
					cairo_line_to( cr, c + ca * s * 0.16 + px * s * 0.11, c + sa * s * 0.16 + py * s * 0.11 );
					cairo_line_to( cr, c + px * s * 0.06, c + py * s * 0.06 );
					cairo_line_to( cr, c - px * s * 0.06, c - py * s * 0.06 );
					cairo_line_to( cr, c + ca * s * 0.16 - px * s * 0.11, c + sa * s * 0.16 - py * s * 0.11 );
					cairo_close_path( cr );
				};
				FillVertical( cr, shard, c - s * 0.44, c + s * 0.44, { 0.85, 0.97, 1.0 }, { 0.35, 0.55, 0.75 } );
				GlowStroke( cr, shard, kIce, s * 0.015, s * 0.05 );
				cairo_new_path( cr );
				cairo_move_to( cr, c + std::cos( a ) * s * 0.44, c + std::sin( a ) * s * 0.44 );
				cairo_line_to( cr, c, c );
				SetColour( cr, kWhite, 0.7 );
				cairo_set_line_width( cr, s * 0.01 );
				cairo_stroke( cr );
			}
			SoftLight( cr, c, c, s * 0.14, kWhite, 1.0 );
		}

		void Mine( cairo_t* cr, double s )
		{
			const double c = s / 2;
			for ( int i = 0; i < 8; ++i )
			{
				const double a = i * M_PI / 4;
				auto spike = [&]()
				{
					cairo_move_to( cr, c + std::cos( a ) * s * 0.45, c + std::sin( a ) * s * 0.45 );
					cairo_line_to( cr, c + std::cos( a + 0.25 ) * s * 0.25, c + std::sin( a + 0.25 ) * s * 0.25 );
					cairo_line_to( cr, c + std::cos( a - 0.25 ) * s * 0.25, c + std::sin( a - 0.25 ) * s * 0.25 );
					cairo_close_path( cr );
				};
				FillVertical( cr, spike, c - s * 0.45, c + s * 0.45, { 0.85, 0.85, 0.9 }, { 0.4, 0.4, 0.45 } );
			}
			auto shell = [&]() { cairo_arc( cr, c, c, s * 0.27, 0, 2 * M_PI ); };
			FillVertical( cr, shell, c - s * 0.27, c + s * 0.27, { 0.75, 0.75, 0.8 }, { 0.22, 0.22, 0.26 } );
			GlowStroke( cr, shell, kWhite, s * 0.015, s * 0.05, 0.7 );
			SoftLight( cr, c, c, s * 0.22, kWhite, 1.0 );
			cairo_new_path( cr );
			cairo_arc( cr, c, c, s * 0.08, 0, 2 * M_PI );
			SetColour( cr, kWhite );
			cairo_fill( cr );
		}

		void Explosion( cairo_t* cr, double s, Random& random )
		{
			const double c = s / 2;
			SoftLight( cr, c, c, s * 0.5, kOrange, 0.8 );
			for ( int i = 0; i < 14; ++i )
			{
				const double a = random.Range( 0, 2 * M_PI );
				const double r = s * random.Range( 0.25, 0.46 );
				GlowStroke( cr,
							[&]()
							{
								cairo_move_to( cr, c + std::cos( a ) * s * 0.08, c + std::sin( a ) * s * 0.08 );
								cairo_line_to( cr, c + std::cos( a ) * r, c + std::sin( a ) * r );
							},
							kYellow, s * 0.012, s * 0.04, 0.8 );
			}
			for ( int i = 0; i < 10; ++i )
			{
				const double a = random.Range( 0, 2 * M_PI );
				const double r = s * random.Range( 0.05, 0.25 );
				SoftLight( cr, c + std::cos( a ) * r, c + std::sin( a ) * r, s * random.Range( 0.1, 0.2 ),
						   Mix( kRed, kOrange, random.Uniform() ), 0.8 );
			}
			SoftLight( cr, c, c, s * 0.22, { 1.0, 0.95, 0.8 }, 1.0 );
		}

		// A mirror seen from above: a slab across the middle of the picture whose upper
		// edge (the picture's top is the side a beam must strike) is the bright silvered
		// face, with a dark armoured back below it.
		void Mirror( cairo_t* cr, double s )
		{
			const double top = s * 0.36, face = s * 0.46, bottom = s * 0.62;
			auto back = [&]() { RoundedRectangle( cr, s * 0.04, face, s * 0.92, bottom - face, s * 0.05 ); };
			FillVertical( cr, back, face, bottom, { 0.22, 0.25, 0.32 }, { 0.07, 0.08, 0.11 } );
			GlowStroke( cr, back, { 0.35, 0.4, 0.5 }, s * 0.012, s * 0.03, 0.6 );
			for ( double x : { 0.16, 0.5, 0.84 } )
			{
				cairo_new_path( cr );
				cairo_arc( cr, s * x, ( face + bottom ) * 0.5, s * 0.025, 0, 2 * M_PI );
				SetColour( cr, { 0.45, 0.5, 0.6 } );
				cairo_fill( cr );
			}
			auto glass = [&]() { RoundedRectangle( cr, s * 0.03, top, s * 0.94, face - top + s * 0.02, s * 0.04 ); };
			SoftLight( cr, s * 0.5, top, s * 0.45, kCyan, 0.25 );
			FillVertical( cr, glass, top, face, { 1.0, 1.0, 1.0 }, { 0.55, 0.75, 0.9 } );
			cairo_save( cr );
			cairo_new_path( cr );
			glass();
			cairo_clip( cr );
			for ( int i = 0; i < 4; ++i )
			{
				const double x = s * ( 0.12 + i * 0.24 );
				cairo_new_path( cr );
				cairo_move_to( cr, x, face );
				cairo_line_to( cr, x + ( face - top ), top );
				cairo_set_line_width( cr, s * ( i % 2 ? 0.02 : 0.045 ) );
				SetColour( cr, kWhite, 0.6 );
				cairo_stroke( cr );
			}
			cairo_restore( cr );
			GlowStroke( cr, [&]() { cairo_move_to( cr, s * 0.05, top ); cairo_line_to( cr, s * 0.95, top ); }, kCyan,
						s * 0.015, s * 0.06 );
		}

		// The beam runs up the picture from its middle; the lower half stays empty,
		// since the quad is centred on the beam's source and only the half toward the
		// aim point is the beam.
		void EnergyBeam( cairo_t* cr, int w, int h )
		{
			// The tip softens over the last one per cent only: a locked beam ends at its
			// target, however long it is.
			const double mid = h * 0.5;
			auto layer = [&]( double half, Rgb colour, double alpha )
			{
				cairo_pattern_t* p = cairo_pattern_create_linear( 0, 0, 0, mid );
				cairo_pattern_add_color_stop_rgba( p, 0.0, colour.r, colour.g, colour.b, alpha * 0.4 );
				cairo_pattern_add_color_stop_rgba( p, 0.02, colour.r, colour.g, colour.b, alpha );
				cairo_pattern_add_color_stop_rgba( p, 1.0, colour.r, colour.g, colour.b, alpha );
				cairo_new_path( cr );
				cairo_rectangle( cr, w * 0.5 - half, 0, half * 2.0, mid );
				cairo_set_source( cr, p );
				cairo_fill( cr );
				cairo_pattern_destroy( p );
			};
			for ( int i = 8; i >= 1; --i )
				layer( w * 0.46 * i / 8.0, Mix( kCyan, kWhite, 1.0 - i / 8.0 ), 0.2 );
			layer( w * 0.09, kWhite, 1.0 );
		}

		void Ring( cairo_t* cr, double s, double radius, double width, Rgb colour, double spread )
		{
			GlowStroke( cr, [&]() { cairo_arc( cr, s / 2, s / 2, radius, 0, 2 * M_PI ); }, colour, width, spread );
		}

		void Cloud( cairo_t* cr, double s, Rgb colour, Random& random )
		{
			for ( int i = 0; i < 18; ++i )
			{
				const double a = random.Range( 0, 2 * M_PI );
				const double r = s * random.Range( 0.0, 0.22 );
				SoftLight( cr, s / 2 + std::cos( a ) * r, s / 2 + std::sin( a ) * r, s * random.Range( 0.14, 0.26 ),
						   Mix( colour, kWhite, random.Range( 0, 0.3 ) ), 0.35 );
			}
		}

		void Rock( cairo_t* cr, double s, Random& random, Rgb edge )
		{
			const double c = s / 2;
			const int sides = 11;
			double radii[sides];
			for ( double& r : radii )
				r = s * random.Range( 0.34, 0.45 );
			auto rock = [&]()
			{
				for ( int i = 0; i < sides; ++i )
				{
					const double a = i * 2 * M_PI / sides;
					if ( i == 0 )
						cairo_move_to( cr, c + std::cos( a ) * radii[i], c + std::sin( a ) * radii[i] );
					else
						cairo_line_to( cr, c + std::cos( a ) * radii[i], c + std::sin( a ) * radii[i] );
				}
				cairo_close_path( cr );
			};
			FillVertical( cr, rock, c - s * 0.45, c + s * 0.45, { 0.55, 0.45, 0.42 }, { 0.16, 0.12, 0.14 } );
			for ( int i = 0; i < 5; ++i )
			{
				cairo_new_path( cr );
				cairo_arc( cr, c + random.Range( -0.2, 0.2 ) * s, c + random.Range( -0.2, 0.2 ) * s,
						   s * random.Range( 0.03, 0.07 ), 0, 2 * M_PI );
				SetColour( cr, { 0.1, 0.08, 0.1 }, 0.6 );
				cairo_fill( cr );
			}
			GlowStroke( cr, rock, edge, s * 0.015, s * 0.05, 0.8 );
		}

		// The Guardian's stone face. `gem` puts the crystal in its brow, `attack`
		// opens its mouth and reddens its eyes, `hurt` cracks it.
		void GuardianFace( cairo_t* cr, double s, bool gem, bool attack, bool hurt )
		{
			const double c = s / 2;
			SoftLight( cr, c, c, s * 0.5, attack ? kRed : kViolet, 0.35 );
			auto head = [&]()
			{
				cairo_move_to( cr, c, c - s * 0.44 );
				cairo_line_to( cr, c + s * 0.34, c - s * 0.26 );
				cairo_line_to( cr, c + s * 0.30, c + s * 0.18 );
				cairo_line_to( cr, c, c + s * 0.44 );
				cairo_line_to( cr, c - s * 0.30, c + s * 0.18 );
				cairo_line_to( cr, c - s * 0.34, c - s * 0.26 );
				cairo_close_path( cr );
			};
			FillVertical( cr, head, c - s * 0.44, c + s * 0.44, { 0.50, 0.46, 0.56 }, { 0.16, 0.14, 0.22 } );
			GlowStroke( cr, head, kViolet, s * 0.012, s * 0.05 );
			const Rgb eye = attack ? kRed : kCyan;
			for ( int side : { -1, 1 } )
			{
				auto slit = [&]()
				{
					cairo_move_to( cr, c + side * s * 0.06, c - s * 0.04 );
					cairo_line_to( cr, c + side * s * 0.24, c - s * ( attack ? 0.14 : 0.08 ) );
					cairo_line_to( cr, c + side * s * 0.22, c + s * 0.01 );
					cairo_close_path( cr );
				};
				cairo_new_path( cr );
				slit();
				SetColour( cr, eye );
				cairo_fill( cr );
				SoftLight( cr, c + side * s * 0.16, c - s * 0.04, s * 0.09, eye, 0.8 );
			}
			// mouth
			cairo_new_path( cr );
			if ( attack )
			{
				cairo_move_to( cr, c - s * 0.14, c + s * 0.16 );
				cairo_line_to( cr, c + s * 0.14, c + s * 0.16 );
				cairo_line_to( cr, c, c + s * 0.32 );
				cairo_close_path( cr );
				SetColour( cr, { 0.05, 0.0, 0.02 } );
				cairo_fill( cr );
				SoftLight( cr, c, c + s * 0.22, s * 0.08, kRed, 0.8 );
			}
			else
			{
				cairo_move_to( cr, c - s * 0.12, c + s * 0.20 );
				cairo_line_to( cr, c + s * 0.12, c + s * 0.20 );
				cairo_set_line_width( cr, s * 0.025 );
				SetColour( cr, { 0.05, 0.03, 0.08 } );
				cairo_stroke( cr );
			}
			if ( gem )
			{
				auto diamond = [&]()
				{
					cairo_move_to( cr, c, c - s * 0.34 );
					cairo_line_to( cr, c + s * 0.08, c - s * 0.23 );
					cairo_line_to( cr, c, c - s * 0.12 );
					cairo_line_to( cr, c - s * 0.08, c - s * 0.23 );
					cairo_close_path( cr );
				};
				SoftLight( cr, c, c - s * 0.23, s * 0.16, kMagenta, 0.9 );
				FillVertical( cr, diamond, c - s * 0.34, c - s * 0.12, { 1.0, 0.7, 1.0 }, { 0.6, 0.1, 0.6 } );
				GlowStroke( cr, diamond, kMagenta, s * 0.01, s * 0.03 );
			}
			else
			{
				cairo_new_path( cr );
				cairo_move_to( cr, c, c - s * 0.32 );
				cairo_line_to( cr, c + s * 0.06, c - s * 0.23 );
				cairo_line_to( cr, c, c - s * 0.14 );
				cairo_line_to( cr, c - s * 0.06, c - s * 0.23 );
				cairo_close_path( cr );
				SetColour( cr, { 0.04, 0.03, 0.06 } );
				cairo_fill( cr );
			}
			if ( hurt )
			{
				GlowStroke( cr,
							[&]()
							{
								cairo_move_to( cr, c + s * 0.25, c - s * 0.30 );
								cairo_line_to( cr, c + s * 0.12, c - s * 0.14 );
								cairo_line_to( cr, c + s * 0.18, c - s * 0.02 );
								cairo_line_to( cr, c + s * 0.04, c + s * 0.12 );
								cairo_move_to( cr, c - s * 0.28, c + s * 0.10 );
								cairo_line_to( cr, c - s * 0.14, c + s * 0.22 );
								cairo_line_to( cr, c - s * 0.18, c + s * 0.32 );
							},
							kOrange, s * 0.01, s * 0.04 );
			}
		}

		void Heart( cairo_t* cr, double s )
		{
			const double c = s / 2;
			auto heart = [&]()
			{
				cairo_move_to( cr, c, c + s * 0.36 );
				cairo_curve_to( cr, c - s * 0.50, c + s * 0.02, c - s * 0.30, c - s * 0.42, c, c - s * 0.16 );
				cairo_curve_to( cr, c + s * 0.30, c - s * 0.42, c + s * 0.50, c + s * 0.02, c, c + s * 0.36 );
				cairo_close_path( cr );
			};
			SoftLight( cr, c, c, s * 0.5, kMagenta, 0.45 );
			FillVertical( cr, heart, c - s * 0.3, c + s * 0.36, { 1.0, 0.5, 0.75 }, { 0.7, 0.05, 0.3 } );
			GlowStroke( cr, heart, { 1.0, 0.4, 0.7 }, s * 0.02, s * 0.07 );
			SoftLight( cr, c - s * 0.14, c - s * 0.12, s * 0.08, kWhite, 0.8 );
		}

		void Skull( cairo_t* cr, double s )
		{
			const double c = s / 2;
			auto skull = [&]()
			{
				cairo_arc( cr, c, c - s * 0.05, s * 0.32, M_PI * 0.80, M_PI * 2.20 );
				cairo_line_to( cr, c + s * 0.16, c + s * 0.40 );
				cairo_line_to( cr, c - s * 0.16, c + s * 0.40 );
				cairo_close_path( cr );
			};
			SoftLight( cr, c, c, s * 0.5, kGreen, 0.3 );
			FillVertical( cr, skull, c - s * 0.37, c + s * 0.40, { 0.95, 0.95, 0.88 }, { 0.55, 0.55, 0.5 } );
			GlowStroke( cr, skull, kGreen, s * 0.015, s * 0.06 );
			for ( int side : { -1, 1 } )
			{
				cairo_new_path( cr );
				cairo_arc( cr, c + side * s * 0.13, c, s * 0.085, 0, 2 * M_PI );
				SetColour( cr, { 0.05, 0.08, 0.05 } );
				cairo_fill( cr );
				SoftLight( cr, c + side * s * 0.13, c, s * 0.05, kGreen, 0.9 );
			}
			cairo_new_path( cr );
			cairo_move_to( cr, c, c + s * 0.12 );
			cairo_line_to( cr, c + s * 0.05, c + s * 0.21 );
			cairo_line_to( cr, c - s * 0.05, c + s * 0.21 );
			cairo_close_path( cr );
			SetColour( cr, { 0.1, 0.1, 0.1 } );
			cairo_fill( cr );
		}

		void Fist( cairo_t* cr, double s, Random& random )
		{
			// A stone fist, knuckles forward (+x).
			const double c = s / 2;
			SoftLight( cr, c, c, s * 0.5, kViolet, 0.3 );
			auto palm = [&]() { RoundedRectangle( cr, c - s * 0.34, c - s * 0.24, s * 0.46, s * 0.48, s * 0.10 ); };
			FillVertical( cr, palm, c - s * 0.24, c + s * 0.24, { 0.55, 0.5, 0.6 }, { 0.2, 0.17, 0.25 } );
			GlowStroke( cr, palm, kViolet, s * 0.012, s * 0.04 );
			for ( int i = 0; i < 4; ++i )
			{
				auto knuckle = [&]() { RoundedRectangle( cr, c + s * 0.06, c - s * 0.24 + i * s * 0.12, s * 0.26, s * 0.115, s * 0.05 ); };
				FillVertical( cr, knuckle, c - s * 0.24, c + s * 0.24, { 0.65, 0.6, 0.7 }, { 0.3, 0.27, 0.35 } );
				GlowStroke( cr, knuckle, kViolet, s * 0.008, s * 0.03 );
			}
			for ( int i = 0; i < 4; ++i )
				SoftLight( cr, c + random.Range( -0.3, 0.0 ) * s, c + random.Range( -0.2, 0.2 ) * s, s * 0.04, kMagenta, 0.6 );
		}

		void Lovebug( cairo_t* cr, double s )
		{
			// face2: a small round face with a wide grin, the lesser minion.
			const double c = s / 2;
			auto face = [&]() { cairo_arc( cr, c, c, s * 0.36, 0, 2 * M_PI ); };
			SoftLight( cr, c, c, s * 0.5, kOrange, 0.35 );
			FillVertical( cr, face, c - s * 0.36, c + s * 0.36, { 1.0, 0.75, 0.45 }, { 0.6, 0.25, 0.1 } );
			GlowStroke( cr, face, kOrange, s * 0.02, s * 0.06 );
			for ( int side : { -1, 1 } )
			{
				cairo_new_path( cr );
				cairo_arc( cr, c + side * s * 0.13, c - s * 0.08, s * 0.06, 0, 2 * M_PI );
				SetColour( cr, { 0.1, 0.02, 0.02 } );
				cairo_fill( cr );
			}
			cairo_new_path( cr );
			cairo_arc( cr, c, c + s * 0.02, s * 0.2, 0.15 * M_PI, 0.85 * M_PI );
			cairo_set_line_width( cr, s * 0.04 );
			SetColour( cr, { 0.1, 0.02, 0.02 } );
			cairo_stroke( cr );
		}
	}

	void AddSpritePictures( PictureBook& book )
	{
		Add( book, "resource/spaceship_head_new.png", 128, 128, []( cairo_t* cr, Random& ) { Ship( cr, 128 ); } );
		AddSheet( book, "resource/Player Animation/sheet.png", "resource/Player Animation/sheet.xml", PlayerBody );
		Add( book, "resource/Explosion.png", 256, 256, []( cairo_t* cr, Random& r ) { Explosion( cr, 256, r ); } );
		Add( book, "resource/mine.png", 128, 128, []( cairo_t* cr, Random& ) { Mine( cr, 128 ); } );
		AddSheet( book, "resource/stun.png", "resource/stun.xml", StunFrame );
		Add( book, "resource/mirror.png", 128, 128, []( cairo_t* cr, Random& ) { Mirror( cr, 128 ); } );
		const Rgb nebulae[] = { kViolet, { 0.2, 0.7, 0.8 }, kMagenta, kBlue, kOrange };
		for ( int i = 0; i < 5; ++i )
		{
			const Rgb colour = nebulae[i];
			Add( book, "resource/nebula" + std::to_string( i + 1 ) + ".png", 512, 512,
				 [colour]( cairo_t* cr, Random& r )
				 {
					 Nebula( cr, 512, 512, colour, r, 40, 0.22 );
					 Nebula( cr, 512, 512, Mix( colour, kWhite, 0.4 ), r, 12, 0.15 );
				 } );
		}
		Add( book, "resource/light.png", 256, 256,
			 []( cairo_t* cr, Random& ) { SoftLight( cr, 128, 128, 128, kWhite, 1.0 ); } );
		Add( book, "resource/energybeam.png", 64, 256, []( cairo_t* cr, Random& ) { EnergyBeam( cr, 64, 256 ); } );
		Add( book, "resource/light_pillar.png", 64, 256,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_pattern_t* p = cairo_pattern_create_linear( 0, 0, 64, 0 );
				 cairo_pattern_add_color_stop_rgba( p, 0.0, 1, 1, 1, 0 );
				 cairo_pattern_add_color_stop_rgba( p, 0.5, 1, 1, 1, 0.95 );
				 cairo_pattern_add_color_stop_rgba( p, 1.0, 1, 1, 1, 0 );
				 cairo_set_source( cr, p );
				 cairo_paint( cr );
				 cairo_pattern_destroy( p );
			 } );
		Add( book, "resource/left click.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 auto body = [&]() { RoundedRectangle( cr, 34, 14, 60, 100, 28 ); };
				 FillVertical( cr, body, 14, 114, { 0.3, 0.35, 0.45 }, { 0.1, 0.12, 0.18 } );
				 cairo_new_path( cr );
				 cairo_move_to( cr, 64, 54 );
				 cairo_line_to( cr, 34, 54 );
				 cairo_arc( cr, 62, 42, 28, M_PI, 1.5 * M_PI );
				 cairo_line_to( cr, 64, 14 );
				 cairo_close_path( cr );
				 SetColour( cr, kCyan );
				 cairo_fill( cr );
				 SoftLight( cr, 50, 36, 30, kCyan, 0.7 );
				 GlowStroke( cr, body, kIce, 2.5, 8 );
				 GlowStroke( cr, [&]() { cairo_move_to( cr, 64, 14 ); cairo_line_to( cr, 64, 54 ); cairo_move_to( cr, 34, 54 ); cairo_line_to( cr, 94, 54 ); }, kIce, 2, 4 );
			 } );
		Add( book, "resource/keywasd.png", 256, 176,
			 []( cairo_t* cr, Random& )
			 {
				 const struct { const char* key; double x, y; } keys[] = { { "W", 128, 46 }, { "A", 48, 130 }, { "S", 128, 130 }, { "D", 208, 130 } };
				 for ( auto& k : keys )
				 {
					 auto cap = [&]() { RoundedRectangle( cr, k.x - 36, k.y - 36, 72, 72, 12 ); };
					 FillVertical( cr, cap, k.y - 36, k.y + 36, { 0.25, 0.3, 0.42 }, { 0.08, 0.1, 0.16 } );
					 GlowStroke( cr, cap, kCyan, 2.5, 8 );
					 GlowText( cr, k.key, k.x, k.y, 44, kCyan, kWhite, 10 );
				 }
			 } );
		Add( book, "resource/circle.png", 128, 128, []( cairo_t* cr, Random& ) { Ring( cr, 128, 52, 4, kWhite, 16 ); } );
		Add( book, "resource/switch.png", 128, 128, []( cairo_t* cr, Random& ) { SwitchPlate( cr, 128, false ); } );
		Add( book, "resource/switch2.png", 128, 128, []( cairo_t* cr, Random& ) { SwitchPlate( cr, 128, true ); } );
		Add( book, "resource/gray_square.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_rectangle( cr, 0, 0, 64, 64 );
				 SetColour( cr, { 0.5, 0.5, 0.52 } );
				 cairo_fill( cr );
				 cairo_rectangle( cr, 2, 2, 60, 60 );
				 cairo_set_line_width( cr, 2 );
				 SetColour( cr, { 0.7, 0.7, 0.72 } );
				 cairo_stroke( cr );
			 } );
		AddSheet( book, "resource/gate.png", "resource/gate.xml", GateFrame );
		Add( book, "resource/beameffect.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 SoftLight( cr, 64, 64, 64, kWhite, 0.8 );
				 cairo_new_path( cr );
				 StarShape( cr, 64, 64, 60, 8, 4, 0 );
				 SetColour( cr, kWhite, 0.9 );
				 cairo_fill( cr );
				 cairo_new_path( cr );
				 StarShape( cr, 64, 64, 34, 6, 4, M_PI / 4 );
				 SetColour( cr, kWhite, 0.6 );
				 cairo_fill( cr );
			 } );
		Add( book, "resource/borders.png", 1024, 768,
			 []( cairo_t* cr, Random& )
			 {
				 // a vignette: clear in the middle, deep blue at the edges
				 cairo_pattern_t* v = cairo_pattern_create_radial( 512, 384, 300, 512, 384, 700 );
				 cairo_pattern_add_color_stop_rgba( v, 0.0, 0, 0, 0, 0 );
				 cairo_pattern_add_color_stop_rgba( v, 1.0, 0.0, 0.02, 0.08, 0.85 );
				 cairo_set_source( cr, v );
				 cairo_paint( cr );
				 cairo_pattern_destroy( v );
				 GlowStroke( cr, [&]() { RoundedRectangle( cr, 10, 10, 1004, 748, 24 ); }, kBlue, 2, 14, 0.6 );
			 } );
		Add( book, "resource/plus.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 GlowStroke( cr, [&]() { cairo_move_to( cr, 32, 10 ); cairo_line_to( cr, 32, 54 ); cairo_move_to( cr, 10, 32 ); cairo_line_to( cr, 54, 32 ); }, kGreen, 7, 14 );
			 } );
		Add( book, "resource/circle texture.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_pattern_t* p = cairo_pattern_create_radial( 64, 64, 0, 64, 64, 63 );
				 cairo_pattern_add_color_stop_rgba( p, 0.0, 1, 1, 1, 1 );
				 cairo_pattern_add_color_stop_rgba( p, 0.7, 1, 1, 1, 0.85 );
				 cairo_pattern_add_color_stop_rgba( p, 1.0, 1, 1, 1, 0 );
				 cairo_set_source( cr, p );
				 cairo_arc( cr, 64, 64, 63, 0, 2 * M_PI );
				 cairo_fill( cr );
				 cairo_pattern_destroy( p );
			 } );
		Add( book, "resource/Particle Sprites/Metalball.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_pattern_t* p = cairo_pattern_create_radial( 24, 22, 2, 32, 32, 28 );
				 cairo_pattern_add_color_stop_rgba( p, 0.0, 1, 1, 1, 1 );
				 cairo_pattern_add_color_stop_rgba( p, 0.4, 0.62, 0.66, 0.72, 1 );
				 cairo_pattern_add_color_stop_rgba( p, 1.0, 0.12, 0.13, 0.16, 1 );
				 cairo_set_source( cr, p );
				 cairo_arc( cr, 32, 32, 28, 0, 2 * M_PI );
				 cairo_fill( cr );
				 cairo_pattern_destroy( p );
			 } );
		Add( book, "resource/crown.png", 128, 128, []( cairo_t* cr, Random& ) { Crown( cr, 128 ); } );
		Add( book, "resource/cross.png", 128, 128, []( cairo_t* cr, Random& ) { Crystal( cr, 128 ); } );
		Add( book, "resource/square.png", 128, 128, []( cairo_t* cr, Random& ) { Prism( cr, 128, 0.0, -1 ); } );
		Add( book, "resource/background.png", 1024, 1024,
			 []( cairo_t* cr, Random& r )
			 {
				 cairo_pattern_t* p = cairo_pattern_create_linear( 0, 0, 1024, 1024 );
				 cairo_pattern_add_color_stop_rgb( p, 0.0, 0.02, 0.02, 0.07 );
				 cairo_pattern_add_color_stop_rgb( p, 0.5, 0.03, 0.02, 0.10 );
				 cairo_pattern_add_color_stop_rgb( p, 1.0, 0.01, 0.03, 0.07 );
				 cairo_set_source( cr, p );
				 cairo_paint( cr );
				 cairo_pattern_destroy( p );
				 Nebula( cr, 1024, 1024, kViolet, r, 30, 0.06 );
				 Nebula( cr, 1024, 1024, kBlue, r, 30, 0.05 );
				 StarField( cr, 1024, 1024, 1400, r, 0.9 );
			 } );
		Add( book, "resource/background2.png", 1024, 1024,
			 []( cairo_t* cr, Random& r )
			 {
				 Nebula( cr, 1024, 1024, kCyan, r, 20, 0.05 );
				 StarField( cr, 1024, 1024, 300, r, 1.0 );
			 } );
		Add( book, "resource/border.png", 256, 256,
			 []( cairo_t* cr, Random& ) { GlowStroke( cr, [&]() { cairo_rectangle( cr, 12, 12, 232, 232 ); }, kBlue, 4, 16 ); } );
		Add( book, "resource/grid bottom.png", 512, 512,
			 []( cairo_t* cr, Random& )
			 {
				 for ( int i = 0; i <= 8; ++i )
				 {
					 const double p = i * 64.0;
					 cairo_new_path( cr );
					 cairo_move_to( cr, p, 0 );
					 cairo_line_to( cr, p, 512 );
					 cairo_move_to( cr, 0, p );
					 cairo_line_to( cr, 512, p );
					 cairo_set_line_width( cr, i % 4 == 0 ? 3 : 1.5 );
					 SetColour( cr, kCyan, i % 4 == 0 ? 0.6 : 0.3 );
					 cairo_stroke( cr );
				 }
			 } );
		Add( book, "resource/circle_gleam.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 Ring( cr, 128, 48, 5, kWhite, 14 );
				 SoftLight( cr, 46, 40, 22, kWhite, 0.9 );
			 } );
		AddSheet( book, "resource/square_gleam.png", "resource/square_gleam.xml",
				  []( cairo_t* cr, int frame, int frames, double s, Random& ) { Prism( cr, s, 0.0, double( frame ) / ( frames - 1 ) ); } );
		AddSheet( book, "resource/square2.png", "resource/square2.xml",
				  []( cairo_t* cr, int frame, int frames, double s, Random& )
				  {
					  // frames 0 to 7 light the prism up, 8 onwards pulse while it is lit
					  if ( frame < 8 )
						  Prism( cr, s, frame / 7.0, -1 );
					  else
					  {
						  const double t = double( frame - 8 ) / std::max( 1, frames - 8 );
						  Prism( cr, s, 0.8 + 0.2 * std::cos( 2 * M_PI * t ), -1 );
						  // a square wave of light leaving the glass, kept inside the frame
						  const double grow = s * 0.36 * ( 1.0 + 0.15 * t );
						  GlowStroke( cr, [&]() { RoundedRectangle( cr, s / 2 - grow, s / 2 - grow, 2 * grow, 2 * grow, s * 0.05 ); }, kWhite,
									  s * 0.008, s * 0.03, 1.0 - t );
					  }
				  } );
		Add( book, "resource/circle2.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 Ring( cr, 128, 54, 3, kWhite, 10 );
				 Ring( cr, 128, 38, 2, kWhite, 8 );
			 } );
		// A health bar is drawn as long as the health it shows and 0.9 of the screen
		// across, so what shows of it is a thin strip down the middle of a tall picture;
		// its shader takes only the strip's alpha, and its colour from the game.
		auto bar = []( Rgb top, Rgb bottom )
		{
			return [top, bottom]( cairo_t* cr, Random& )
			{
				FillVertical( cr, [&]() { RoundedRectangle( cr, 123, 8, 10, 304, 4 ); }, 8, 312, top, bottom );
				cairo_new_path( cr );
				RoundedRectangle( cr, 124.5, 12, 3, 296, 1.5 );
				SetColour( cr, kWhite, 0.25 );
				cairo_fill( cr );
			};
		};
		Add( book, "resource/healthbar red fill.png", 256, 320, bar( { 1.0, 0.35, 0.35 }, { 0.65, 0.05, 0.08 } ) );
		Add( book, "resource/healthbar red fill dark.png", 256, 320, bar( { 0.30, 0.06, 0.08 }, { 0.14, 0.02, 0.04 } ) );
		// The frame of a whole bar, drawn over the bar's picture at the bar's full size.
		Add( book, "resource/healthbaroutline.png", 256, 320,
			 []( cairo_t* cr, Random& ) { GlowStroke( cr, [&]() { RoundedRectangle( cr, 117, 3, 22, 314, 6 ); }, kIce, 2, 5 ); } );
		Add( book, "resource/barrier particle.png", 64, 64,
			 []( cairo_t* cr, Random& r )
			 {
				 SoftLight( cr, 32, 32, 30, kWhite, 0.6 );
				 GlowStroke( cr,
							 [&]()
							 {
								 cairo_move_to( cr, 6, 32 );
								 for ( int i = 1; i <= 6; ++i )
									 cairo_line_to( cr, 6 + i * 8.7, 32 + r.Range( -12, 12 ) );
							 },
							 kWhite, 2, 6 );
			 } );
		Add( book, "resource/barrier spike.png", 64, 128,
			 []( cairo_t* cr, Random& )
			 {
				 auto spike = [&]() { cairo_move_to( cr, 32, 4 ); cairo_line_to( cr, 52, 124 ); cairo_line_to( cr, 12, 124 ); cairo_close_path( cr ); };
				 // A barrier that hurts: white-hot at the tip, burning to red at its root.
				 FillVertical( cr, spike, 4, 124, { 1.0, 0.95, 0.75 }, { 0.85, 0.18, 0.10 }, 0.9 );
				 GlowStroke( cr, spike, kOrange, 2, 8 );
			 } );
		auto star = []( Rgb colour, double light )
		{
			return [colour, light]( cairo_t* cr, Random& )
			{
				SoftLight( cr, 32, 32, 32, colour, light );
				auto shape = [&]() { StarShape( cr, 32, 33, 28, 12, 5, -M_PI / 2 ); };
				FillVertical( cr, shape, 4, 60, Mix( colour, kWhite, 0.5 ), Scale( colour, 0.7 ) );
				GlowStroke( cr, shape, colour, 1.5, 5 );
			};
		};
		Add( book, "resource/star.png", 64, 64, star( kYellow, 0.6 ) );
		Add( book, "resource/star gray.png", 64, 64, star( { 0.45, 0.45, 0.5 }, 0.0 ) );
		Add( book, "resource/ring particle.png", 64, 64, []( cairo_t* cr, Random& ) { Ring( cr, 64, 26, 2.5, kWhite, 8 ); } );

		// ---- pictures named beyond the start-up list
		Add( book, "resource/box.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_rectangle( cr, 0, 0, 64, 64 );
				 SetColour( cr, { 0, 0, 0 } );
				 cairo_fill( cr );
			 } );
		Add( book, "resource/cloud.png", 128, 128, []( cairo_t* cr, Random& r ) { Cloud( cr, 128, kWhite, r ); } );
		Add( book, "resource/cloud_brown.png", 128, 128, []( cairo_t* cr, Random& r ) { Cloud( cr, 128, { 0.6, 0.42, 0.25 }, r ); } );
		Add( book, "resource/asd.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 // the channel: a ring-shaped conduit that passes the beam on
				 auto frame = [&]() { RoundedRectangle( cr, 14, 14, 100, 100, 22 ); };
				 FillVertical( cr, frame, 14, 114, { 0.3, 0.34, 0.42 }, { 0.1, 0.12, 0.16 } );
				 GlowStroke( cr, frame, kIce, 3, 10 );
				 cairo_new_path( cr );
				 cairo_arc( cr, 64, 64, 26, 0, 2 * M_PI );
				 SetColour( cr, { 0.02, 0.03, 0.05 } );
				 cairo_fill( cr );
				 Ring( cr, 128, 26, 3, kCyan, 10 );
				 for ( int i = 0; i < 4; ++i )
					 GlowStroke( cr, [&]() { const double a = i * M_PI / 2; cairo_move_to( cr, 64 + std::cos( a ) * 32, 64 + std::sin( a ) * 32 ); cairo_line_to( cr, 64 + std::cos( a ) * 46, 64 + std::sin( a ) * 46 ); }, kCyan, 3, 6 );
			 } );
		Add( book, "resource/nebulacover.png", 512, 512,
			 []( cairo_t* cr, Random& r )
			 {
				 Nebula( cr, 512, 512, { 0.25, 0.08, 0.35 }, r, 60, 0.5 );
				 Nebula( cr, 512, 512, kViolet, r, 20, 0.25 );
			 } );
		Add( book, Graphics::kConePicture, 64, 256,
			 []( cairo_t* cr, Random& )
			 {
				 // A light cone's mask, tinted by the game: u runs across the cone, v away
				 // from the caster (the top row). Strongest at the caster and along the
				 // middle, never quite gone at the edges or the far end, where the light
				 // still acts.
				 cairo_surface_t* target = cairo_get_target( cr );
				 cairo_surface_flush( target );
				 unsigned char* data = cairo_image_surface_get_data( target );
				 const int stride = cairo_image_surface_get_stride( target );
				 for ( int y = 0; y < 256; ++y )
					 for ( int x = 0; x < 64; ++x )
					 {
						 const double u = ( x + 0.5 ) / 64.0, v = ( y + 0.5 ) / 256.0;
						 const double across = 0.3 + 0.7 * std::pow( std::sin( M_PI * u ), 1.5 );
						 const double along = 0.18 + 0.82 * std::pow( 1.0 - v, 1.8 );
						 const auto alpha = static_cast<uint32_t>( std::lround( 255.0 * 0.85 * across * along ) );
						 // Premultiplied white.
						 reinterpret_cast<uint32_t*>( data + y * stride )[x] = ( alpha << 24 ) | ( alpha << 16 ) | ( alpha << 8 ) | alpha;
					 }
				 cairo_surface_mark_dirty( target );
			 } );
		Add( book, "resource/energybar.png", 256, 256,
			 []( cairo_t* cr, Random& )
			 {
				 // a radial gauge: a thick ring the status bar sweeps through
				 GlowStroke( cr, [&]() { cairo_arc( cr, 128, 128, 100, 0, 2 * M_PI ); }, kCyan, 18, 30 );
				 for ( int i = 0; i < 24; ++i )
				 {
					 const double a = i * M_PI / 12;
					 cairo_new_path( cr );
					 cairo_move_to( cr, 128 + std::cos( a ) * 90, 128 + std::sin( a ) * 90 );
					 cairo_line_to( cr, 128 + std::cos( a ) * 110, 128 + std::sin( a ) * 110 );
					 cairo_set_line_width( cr, 2 );
					 SetColour( cr, Palette::kSpace, 0.8 );
					 cairo_stroke( cr );
				 }
			 } );
		const struct { const char* name; bool gem, attack, hurt; } faces[] = {
			{ "resource/facegem.png", true, false, false },
			{ "resource/facegemattack.png", true, true, false },
			{ "resource/gemlessface.png", false, false, false },
			{ "resource/gemlessfaceattack.png", false, true, false },
			{ "resource/hurtface.png", false, false, true },
			{ "resource/hurtfaceattack.png", false, true, true },
		};
		for ( const auto& f : faces )
		{
			const bool gem = f.gem, attack = f.attack, hurt = f.hurt;
			Add( book, f.name, 256, 256, [=]( cairo_t* cr, Random& ) { GuardianFace( cr, 256, gem, attack, hurt ); } );
		}
		Add( book, "resource/Fist2.png", 128, 128, []( cairo_t* cr, Random& r ) { Fist( cr, 128, r ); } );
		Add( book, "resource/Rock1.png", 128, 128, []( cairo_t* cr, Random& r ) { Rock( cr, 128, r, kOrange ); } );
		Add( book, "resource/face2.png", 128, 128, []( cairo_t* cr, Random& ) { Lovebug( cr, 128 ); } );
		Add( book, "resource/EnergyBall.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 SoftLight( cr, 32, 32, 32, kMagenta, 0.9 );
				 SoftLight( cr, 32, 32, 14, kWhite, 1.0 );
			 } );
		Add( book, "resource/healthbar.png", 256, 320, bar( { 0.85, 0.35, 1.0 }, { 0.4, 0.05, 0.55 } ) );
		Add( book, "resource/heart.png", 128, 128, []( cairo_t* cr, Random& ) { Heart( cr, 128 ); } );
		Add( book, "resource/skull.png", 128, 128, []( cairo_t* cr, Random& ) { Skull( cr, 128 ); } );
		Add( book, "resource/cupidaim.png", 128, 128,
			 []( cairo_t* cr, Random& )
			 {
				 Ring( cr, 128, 40, 3, kRed, 10 );
				 GlowStroke( cr,
							 [&]()
							 {
								 cairo_move_to( cr, 64, 8 ); cairo_line_to( cr, 64, 40 );
								 cairo_move_to( cr, 64, 88 ); cairo_line_to( cr, 64, 120 );
								 cairo_move_to( cr, 8, 64 ); cairo_line_to( cr, 40, 64 );
								 cairo_move_to( cr, 88, 64 ); cairo_line_to( cr, 120, 64 );
							 },
							 kRed, 3, 8 );
				 SoftLight( cr, 64, 64, 8, kRed, 1.0 );
			 } );
		// The debug outlines are drawn stretched over collision shapes: thin, flat, green.
		Add( book, "resource/debug-aabb.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_rectangle( cr, 1.5, 1.5, 61, 61 );
				 cairo_set_line_width( cr, 3 );
				 SetColour( cr, kGreen );
				 cairo_stroke( cr );
			 } );
		Add( book, "resource/debug-circle.png", 64, 64,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_arc( cr, 32, 32, 30.5, 0, 2 * M_PI );
				 cairo_set_line_width( cr, 3 );
				 SetColour( cr, kGreen );
				 cairo_stroke( cr );
			 } );
		Add( book, "resource/debug_line.png", 64, 8,
			 []( cairo_t* cr, Random& )
			 {
				 cairo_rectangle( cr, 0, 2, 64, 4 );
				 SetColour( cr, kGreen );
				 cairo_fill( cr );
			 } );
		AddSheet( book, "resource/sheet.png", "resource/sheet.xml",
				  []( cairo_t* cr, int frame, int frames, double s, Random& )
				  {
					  const double t = double( frame ) / frames;
					  SoftLight( cr, s / 2, s / 2, s * ( 0.2 + 0.3 * std::sin( M_PI * t ) ), kWhite, 0.9 );
					  cairo_new_path( cr );
					  StarShape( cr, s / 2, s / 2, s * 0.45 * std::sin( M_PI * ( t + 0.5 / frames ) ), s * 0.05, 4, t * M_PI / 2 );
					  SetColour( cr, kWhite );
					  cairo_fill( cr );
				  } );
	}
}
