#include "support/LevelFiles.h"

#include "Core/ObjectManager.h"
#include "Game/VertexComponent.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/StatusBarComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/StatsComponent.h"
#include "Physics/TransformComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/RoutineCodes.h"
#include "StateMachines/SwitchComponent.h"
#include "core/MathConstants.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <initializer_list>

namespace KelvaneTest
{
	Tarn::FileSystem& LevelFileSystem()
	{
		return SharedFileSystem( { "ObjectDefault", "TransformComponent", "MeshComponent", "AnimationComponent", "CollisionComponent",
		                           "LineComponent", "MineComponent", "StateMachineComponent", "SwitchComponent",
		                           "GateComponent", "BeamComponent", "BeamEffectComponent", "VertexComponent", "StatusBarComponent",
		                           "StatsComponent" } );
	}

	void ScopedResources::Point( const char* id, const std::string& path )
	{
		Tarn::FileSystem& files = LevelFileSystem();
		Tarn::ResourceRecord* record = files.FindResource( id );
		if ( !record )
		{
			files.AddResource( id, "" );
			record = files.FindResource( id );
		}
		mSaved.emplace_back( id, *record );
		*record = Tarn::FileSystem::ParseRecord( path, true );
	}

	ScopedResources::~ScopedResources()
	{
		Tarn::FileSystem& files = LevelFileSystem();
		for ( auto it = mSaved.rbegin(); it != mSaved.rend(); ++it )
			if ( Tarn::ResourceRecord* record = files.FindResource( it->first.c_str() ) )
				*record = it->second;
	}

	Tarn::Object* MakeObject( const char* type, const char* name )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* object = objects.CreateObject( Tarn::HashedName( type ), name );
		if ( object )
			objects.InitialiseObject( object );
		return object;
	}

	Tarn::Object* AddToLevel( Tarn::LevelObject& level, const char* type, const char* name, Tarn::Vector2 position )
	{
		Tarn::Object* object = MakeObject( type, name );
		if ( !object )
			return nullptr;
		if ( auto* transform = object->GetComponent<Tarn::TransformComponent>() )
		{
			transform->mPosition = position;
			transform->mPrevPos = position;
		}
		level.AddObject( object );
		return object;
	}

	namespace
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
	}

	void BuildFirstLevel( Tarn::LevelObject& level )
	{
		constexpr float pi = Tarn::kPi;
		// An arena of 36 x 20 world units: all of it in view of the camera.
		AddBound( level, "BoundBottom", { -18, -10 }, { 18, -10 }, pi );
		AddBound( level, "BoundTop", { 18, 10 }, { -18, 10 }, 0.0f );
		AddBound( level, "BoundLeft", { -18, 10 }, { -18, -10 }, pi * 0.5f );
		AddBound( level, "BoundRight", { 18, -10 }, { 18, 10 }, -pi * 0.5f );

		AddWall( level, "Wall1", { -6, 0 } );
		AddWall( level, "Wall2", { 13, 0 } );

		// The ship starts in the lower left, its body spinning beneath it.
		AddToLevel( level, "Player", "Player1", { -14, -6 } );
		AddToLevel( level, "PlayerDoodad", "PlayerBody", { -14, -6 } );
		AddHealthBars( level );

		// Fired straight up, the beam meets the first mirror's face and turns right,
		// where the nearer of two prisms in a row takes it. Fired right, it meets the
		// second mirror and turns up into the farther prism. The channel in the middle
		// sends the beam on wherever the pointer is. A lit prism throws its cone away from
		// where the beam comes from: green from the first prism, red from the second.
		// The angles are -3/4 and 1/4 of pi as a level file spells them, so that a face
		// rebuilt from the file lands where it was.
		AddMirror( level, "Mirror1", { -14, 6 }, -2.35619f );
		AddMirror( level, "Mirror2", { 8, -6 }, 0.785398f );
		AddToLevel( level, "Channel", "Channel3", { 2, -2 } );
		AddPrism( level, "Prism1", { -2, 6 }, StateMachines::ColourCode::Green );
		AddPrism( level, "Prism2", { 8, 6 }, StateMachines::ColourCode::Red );

		// A green switch in the first prism's cone and a red one in the second's; the gate
		// in the lower right wants green, then red, and a spark flies to it from each.
		AddSwitch( level, "Switch1", { 3, 6 }, StateMachines::ColourCode::Green );
		AddSwitch( level, "Switch2", { 8, 8.5f }, StateMachines::ColourCode::Red );
		AddGate( level, { 15, -6 }, { StateMachines::ColourCode::Green, StateMachines::ColourCode::Red } );
		for ( const char* name : { "SwitchEffect1", "SwitchEffect2" } )
			AddToLevel( level, "SwitchEffect", name, { 15, -6 } );

		// The player's beam, one beam for each mirror and the channel, and their muzzle
		// flares.
		for ( const char* name : { "EnergyBeam1", "EnergyBeam2", "EnergyBeam3", "EnergyBeam4" } )
			AddToLevel( level, "Beam", name, { -14, -6 } );
		for ( const char* name : { "BeamEffect1", "BeamEffect2", "BeamEffect3", "BeamEffect4" } )
			AddToLevel( level, "BeamEffect", name, { -14, -6 } );
	}
}
