#include "support/LevelPieces.h"

#include "Game/VertexComponent.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/StatusBarComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/SwitchComponent.h"
#include "core/MathConstants.h"
#include "support/LevelFiles.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace KelvaneTest
{
	using Tarn::Vector2;

	// A bound whose front, where the player flies, faces the inside of the arena.
	void AddBound( Tarn::LevelObject& level, const char* name, Vector2 pt1, Vector2 pt2, float angle )
	{
		Tarn::Object* bound = AddToLevel( level, "LineObject", name, ( pt1 + pt2 ) * 0.5f );
		auto* line = bound->GetComponent<Physics::LineComponent>();
		line->mPt1 = pt1;
		line->mPt2 = pt2;
		const Vector2 d = pt2 - pt1;
		const float length = std::abs( d.X ) + std::abs( d.Y ); // axis-aligned
		line->mNormal = Vector2( 0.0f - d.Y / length, d.X / length ); // no "-0" in the file
		line->mAngle = angle;
		line->mScale = length;
	}

	void AddWall( Tarn::LevelObject& level, const char* name, Vector2 position )
	{
		Tarn::Object* wall = AddToLevel( level, "Wall", name, position );
		if ( auto* mesh = wall->GetComponent<Graphics::MeshComponent>() )
			mesh->SetTexture( "resource/grid bottom.png" );
	}

	// A prism whose cone shines in `colour` (a colour code).
	void AddPrism( Tarn::LevelObject& level, const char* name, Vector2 position, int32_t colour )
	{
		Tarn::Object* prism = AddToLevel( level, "InanimateObject", name, position );
		prism->GetComponent<Tarn::VertexComponent>()->SetPrismColour( colour );
	}

	// A switch of colour `colour`, tinted in it so that it reads as that colour at rest.
	void AddSwitch( Tarn::LevelObject& level, const char* name, Vector2 position, int32_t colour )
	{
		constexpr float kRestTint = 0.45f;
		Tarn::Object* target = AddToLevel( level, "Switch", name, position );
		target->GetComponent<StateMachines::SwitchComponent>()->mSwitchColour = colour;
		Tarn::Colour& tint = target->GetComponent<Graphics::MeshComponent>()->mColour;
		tint.r = tint.g = tint.b = kRestTint;
		StateMachines::ColourCode::SetChannels( tint, colour, 1.0f );
	}

	// The exit, wanting `targets` in order, behind its barrier.
	void AddGate( Tarn::LevelObject& level, Vector2 position, std::initializer_list<int32_t> targets )
	{
		Tarn::Object* gate = AddToLevel( level, "Gate", "Gate", position );
		auto& wanted = gate->GetComponent<StateMachines::GateComponent>()->mTargetList;
		std::copy( targets.begin(), targets.end(), wanted.begin() );
		AddToLevel( level, "GateBarrier", "Barrier", position );
	}

	// A mirror whose face runs along `angle`; it reflects beams striking the side
	// its normal points away from. The sprite turns with the face.
	void AddMirror( Tarn::LevelObject& level, const char* name, Vector2 position, float angle )
	{
		Tarn::Object* mirror = AddToLevel( level, "Mirror", name, position );
		mirror->GetComponent<Tarn::TransformComponent>()->mDirection = angle;
		auto* line = mirror->GetComponent<Physics::LineComponent>();
		line->mScale = 1.0f;
		line->mAngle = angle;
		line->Rotate( 0.0f );
	}

	// The player's health down the left of the screen: the bar that drains behind,
	// the bar itself and their frame, which is as long as the bars at full health.
	void AddHealthBars( Tarn::LevelObject& level )
	{
		constexpr Vector2 at( -0.95f, 0.0f );
		struct Bar
		{
			const char* mName;
			const char* mTexture;
			bool mIsMain;
		};
		for ( const Bar& row : { Bar{ "HealthBarBack", "resource/healthbar red fill dark.png", false },
		                         Bar{ "HealthBar", "resource/healthbar red fill.png", true } } )
		{
			Tarn::Object* bar = AddToLevel( level, "StatusBarObject", row.mName, at );
			auto* component = bar->GetComponent<Graphics::StatusBarComponent>();
			component->mIsMain = row.mIsMain;
			component->mPosition = at;
			component->SetTexture( row.mTexture );
		}
		Tarn::Object* outline = AddToLevel( level, "StatusBarOutline", "HealthOutline", at );
		auto* transform = outline->GetComponent<Tarn::TransformComponent>();
		transform->mXScaleFactor = Graphics::StatusBarComponent::kThickness;
		transform->mYScaleFactor = Physics::StatsComponent::kFullHealth / Graphics::StatusBarComponent::kPlayerBarHealth;
		transform->UpdateWorldMatrix();
	}

	void AddArena( Tarn::LevelObject& level, Vector2 half )
	{
		constexpr float pi = Tarn::kPi;
		AddBound( level, "BoundBottom", { -half.X, -half.Y }, { half.X, -half.Y }, pi );
		AddBound( level, "BoundTop", { half.X, half.Y }, { -half.X, half.Y }, 0.0f );
		AddBound( level, "BoundLeft", { -half.X, half.Y }, { -half.X, -half.Y }, pi * 0.5f );
		AddBound( level, "BoundRight", { half.X, -half.Y }, { half.X, half.Y }, -pi * 0.5f );
	}

	void AddBackground( Tarn::LevelObject& level )
	{
		constexpr float kBackgroundScale = 100.0f;
		if ( Tarn::Object* background = AddToLevel( level, "Scenery", "Background", { 0, 0 } ) )
		{
			auto* transform = background->GetComponent<Tarn::TransformComponent>();
			transform->mXScaleFactor = transform->mYScaleFactor = kBackgroundScale;
		}
	}

	void AddPlayer( Tarn::LevelObject& level, Vector2 position )
	{
		AddToLevel( level, "Player", "Player1", position );
		AddToLevel( level, "PlayerDoodad", "PlayerBody", position );
	}

	void AddSparks( Tarn::LevelObject& level, int count, Vector2 gate )
	{
		for ( int i = 1; i <= count; ++i )
			AddToLevel( level, "SwitchEffect", ( "SwitchEffect" + std::to_string( i ) ).c_str(), gate );
	}

	void AddBeams( Tarn::LevelObject& level, int count, Vector2 position )
	{
		for ( int i = 1; i <= count; ++i )
			AddToLevel( level, "Beam", ( "EnergyBeam" + std::to_string( i ) ).c_str(), position );
		for ( int i = 1; i <= count; ++i )
			AddToLevel( level, "BeamEffect", ( "BeamEffect" + std::to_string( i ) ).c_str(), position );
	}
}
