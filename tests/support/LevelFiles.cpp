#include "support/LevelFiles.h"

#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Physics/TransformComponent.h"
#include "support/TempFolder.h"

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
}
