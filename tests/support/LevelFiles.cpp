#include "support/LevelFiles.h"

#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "Physics/LineComponent.h"
#include "Physics/TransformComponent.h"
#include "support/TempFolder.h"

#include <numbers>

namespace KelvaneTest
{
	Tarn::FileSystem& LevelFileSystem()
	{
		return SharedFileSystem( { "ObjectDefault", "TransformComponent", "MeshComponent", "AnimationComponent", "CollisionComponent",
		                           "LineComponent", "MineComponent", "StateMachineComponent", "SwitchComponent",
		                           "GateComponent" } );
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
		objects.InitialiseObject( object );
		return object;
	}

	namespace
	{
		using Tarn::Vector2;

		void Place( Tarn::Object& object, Vector2 position )
		{
			auto* transform = object.GetComponent<Tarn::TransformComponent>();
			transform->mPosition = position;
			transform->mPrevPos = position;
		}

		// A bound whose front, where the player flies, faces the inside of the arena.
		void AddBound( Tarn::LevelObject& level, const char* name, Vector2 pt1, Vector2 pt2, float angle )
		{
			Tarn::Object* bound = MakeObject( "LineObject", name );
			auto* line = bound->GetComponent<Physics::LineComponent>();
			line->mPt1 = pt1;
			line->mPt2 = pt2;
			const Vector2 d = pt2 - pt1;
			const float length = std::abs( d.X ) + std::abs( d.Y ); // axis-aligned
			line->mNormal = Vector2( 0.0f - d.Y / length, d.X / length ); // no "-0" in the file
			line->mAngle = angle;
			line->mScale = length;
			Place( *bound, ( pt1 + pt2 ) * 0.5f );
			level.AddObject( bound );
		}

		void AddWall( Tarn::LevelObject& level, const char* name, Vector2 position )
		{
			Tarn::Object* wall = MakeObject( "Wall", name );
			Place( *wall, position );
			if ( auto* mesh = wall->GetComponent<Graphics::MeshComponent>() )
				mesh->SetTexture( "resource/grid bottom.png" );
			level.AddObject( wall );
		}

		void AddPrism( Tarn::LevelObject& level, const char* name, Vector2 position )
		{
			Tarn::Object* prism = MakeObject( "InanimateObject", name );
			Place( *prism, position );
			level.AddObject( prism );
		}
	}

	void BuildFirstLevel( Tarn::LevelObject& level )
	{
		constexpr float pi = std::numbers::pi_v<float>;
		// An arena of 48 x 28 world units.
		AddBound( level, "BoundBottom", { -24, -14 }, { 24, -14 }, pi );
		AddBound( level, "BoundTop", { 24, 14 }, { -24, 14 }, 0.0f );
		AddBound( level, "BoundLeft", { -24, 14 }, { -24, -14 }, pi * 0.5f );
		AddBound( level, "BoundRight", { 24, -14 }, { 24, 14 }, -pi * 0.5f );

		// Two walls split the arena into a start, a middle and an end; a third shelters
		// the prisms of the middle.
		AddWall( level, "Wall1", { -10, 6 } );
		AddWall( level, "Wall2", { 10, -6 } );
		AddWall( level, "Wall3", { 0, 2 } );

		AddPrism( level, "Pillar1", { -4, -1 } );
		AddPrism( level, "Pillar2", { 4, -1 } );
		AddPrism( level, "Pillar3", { 16, 8 } );
	}
}
