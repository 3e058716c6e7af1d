// The colour puzzle through the real OpenGL device (Xvfb in CI): the first level with a
// switch of every colour added, some idle, one charging, one lit, a spark on its way to
// the gate. Every switch and the gate's wanted colours must show their glyphs, each code
// a shape of its own, so that the puzzle can be read without telling colours apart.
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Graphics/ColourGlyphComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/MineComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/StateTypes.h"
#include "StateMachines/SwitchComponent.h"
#include "core/HashedName.h"
#include "support/LevelFiles.h"
#include "support/LevelOnScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

namespace
{
	using namespace StateMachines;

	// Dark (the glyph's disc) and white (its strokes) pixels in a square of world units
	// around a point, as a signature of the shape drawn there.
	struct GlyphPixels
	{
		int mDark = 0;
		int mBright = 0;
		std::vector<bool> mMask; // bright or not, row by row
	};

	GlyphPixels Sample( const KelvaneTest::LevelOnScreen& screen, float cx, float cy, float half )
	{
		GlyphPixels pixels;
		constexpr float kStep = 0.03f;
		for ( float y = cy - half; y <= cy + half; y += kStep )
			for ( float x = cx - half; x <= cx + half; x += kStep )
			{
				const KelvaneTest::Pixel p = screen.At( x, y );
				const bool dark = p.r < 70 && p.g < 70 && p.b < 90;
				// Lit in a pale form of its colour: no channel low, one at least high.
				const bool bright = std::min( { p.r, p.g, p.b } ) > 120 && std::max( { p.r, p.g, p.b } ) > 200;
				pixels.mDark += dark;
				pixels.mBright += bright;
				pixels.mMask.push_back( bright );
			}
		return pixels;
	}

	TEST( PuzzleOnScreen, EverySwitchAndTheGatesWantedColoursShowTheirGlyphs )
	{
		if ( !std::getenv( "DISPLAY" ) )
			GTEST_SKIP() << "no X display";
		const std::string screenshot = testing::TempDir() + "kelvane-puzzle.png";
		{
			KelvaneTest::LevelOnScreen screen( 1, screenshot );
			// A row of switches, one of each colour, along the bottom of the arena.
			std::vector<SwitchComponent*> row;
			for ( int32_t code = ColourCode::Red; code <= ColourCode::RedBlue; ++code )
			{
				const std::string name = "Switch" + std::to_string( 10 + code );
				Tarn::Object* object = KelvaneTest::MakeObject( "Switch", name.c_str() );
				auto* transform = object->GetComponent<Tarn::TransformComponent>();
				transform->mPosition = transform->mPrevPos = { -13.0f + 2.5f * float( code ), -8.0f };
				transform->mActive = true;
				transform->UpdateWorldMatrix();
				auto* target = object->GetComponent<SwitchComponent>();
				target->mSwitchColour = code;
				row.push_back( target );
			}
			// The red one charging, the green one lit with its ring.
			auto& charging = *row[0]->mOwner->GetComponent<Graphics::MeshComponent>();
			charging.mColour = { 2.0f, 0.45f, 0.45f, 1.0f };
			row[1]->mState = STATE_DIE;
			row[1]->mInnerState = INNER_STATE_ON_UPDATE;
			auto& lit = *row[1]->mOwner->GetComponent<Graphics::MeshComponent>();
			lit.mColour = { 1.0f, 2.5f, 1.0f, 1.0f };

			// The level's green switch lights: the gate takes green and a spark flies to it.
			Tarn::Object* green = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( "Switch1" ) );
			ASSERT_NE( green, nullptr );
			auto& first = *green->GetComponent<SwitchComponent>();
			green->GetComponent<Graphics::MeshComponent>()->mColour = { 0.45f, 2.5f, 0.45f, 1.0f };
			first.mState = STATE_DIE;
			first.mInnerState = INNER_STATE_ON_ENTER;

			const auto [px, py] = screen.PixelOf( 0.0f, 0.0f );
			for ( int step = 0; step < 70; ++step )
			{
				screen.Step( px, py );
				if ( step % 2 == 1 )
					screen.Frame();
			}
			const auto* gate = Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( "Gate" ) )->GetComponent<GateComponent>();
			EXPECT_EQ( gate->mTargetPosition, 1 );
			const auto* spark =
			    Tarn::ObjectManager::Instance().GetObject( Tarn::HashedName( "SwitchEffect1" ) )->GetComponent<MineComponent>();
			EXPECT_EQ( spark->mState, STATE_NORMAL ) << "still on its way";
			screen.Capture();

			// Each switch shows a glyph on its face: a dark disc with bright strokes, and no
			// two codes the same shape.
			std::set<std::vector<bool>> shapes;
			for ( const SwitchComponent* target : row )
			{
				const Tarn::Vector2 at = target->mOwner->GetComponent<Tarn::TransformComponent>()->mPosition;
				const GlyphPixels pixels = Sample( screen, at.X, at.Y, 0.3f );
				EXPECT_GT( pixels.mDark, 20 ) << "code " << target->mSwitchColour;
				EXPECT_GT( pixels.mBright, 8 ) << "code " << target->mSwitchColour;
				shapes.insert( pixels.mMask );
			}
			EXPECT_EQ( shapes.size(), row.size() ) << "every code its own shape";

			// The gate shows green, matched and faint, then red, wanted, larger and bright.
			const auto& glyphs = *gate->mOwner->GetComponent<Graphics::ColourGlyphComponent>();
			const Tarn::Vector2 matched = glyphs.GlyphCentre( 0, 2 );
			const Tarn::Vector2 wanted = glyphs.GlyphCentre( 1, 2 );
			const GlyphPixels faint = Sample( screen, matched.X, matched.Y, 0.35f );
			const GlyphPixels bright = Sample( screen, wanted.X, wanted.Y, 0.35f );
			EXPECT_GT( bright.mDark, 20 );
			EXPECT_GT( bright.mBright, faint.mBright ) << "the wanted colour stands out";
		}
		EXPECT_TRUE( std::filesystem::exists( screenshot ) );
		// Kept beside the documents when asked, for the README's picture.
		if ( const char* keep = std::getenv( "KELVANE_KEEP_PUZZLE_SCREENSHOT" ) )
			std::filesystem::copy_file( screenshot, keep, std::filesystem::copy_options::overwrite_existing );
	}
}
