#include "Core/ObjectManager.h"
#include "GameStates/LevelObject.h"
#include "Graphics/AnimationManager.h"
#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"
#include "Physics/PhysicsManager.h"
#include "core/Services.h"
#include "support/LevelFiles.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	const std::string kFirstLevel = std::string( KELVANE_DATA_ROOT ) + "/resource/Levels/Level1.xml";

	TEST( FirstLevel, LoadsCleanlyWithEveryObjectColliding )
	{
		KelvaneTest::LevelFileSystem();
		Physics::CollisionManager collisions( nullptr );
		Physics::PhysicsManager physics( nullptr );
		Graphics::AnimationManager animations( nullptr );
		Tarn::Services::Add<Graphics::AnimationManager>( &animations );
		Tarn::Services::Add<Physics::CollisionManager>( &collisions );
		Tarn::Services::Add<Physics::PhysicsManager>( &physics );
		{
			KelvaneTest::LogCapture log;
			auto* level = static_cast<Tarn::LevelObject*>( KelvaneTest::MakeObject( "LevelObject", "Level1" ) );
			Tarn::ResourceRecord file = Tarn::FileSystem::ParseRecord( kFirstLevel, true );
			level->Deserialise( file );
			EXPECT_EQ( level->ObjectNames().size(), KelvaneTest::kFirstLevelObjects );
			for ( const auto& message : log.Messages() )
				EXPECT_LT( message.mLevel, Tarn::Log::LEVEL_WARNING ) << message.mText;

			// Bounds, walls, mirrors, the channel, the switches, the gate and its barrier are
			// fixed; the ship, the prisms and the sparks move; four beams.
			EXPECT_EQ( collisions.Group( Physics::CollisionComponent::FIXED ).size(), 13u );
			EXPECT_EQ( collisions.Group( Physics::CollisionComponent::MOVING ).size(), 5u );
			EXPECT_EQ( collisions.Group( Physics::CollisionComponent::BEAM ).size(), 4u );
			size_t lines = 0;
			for ( const Physics::CollisionComponent* collider : collisions.Group( Physics::CollisionComponent::FIXED ) )
				lines += collider->mCollisionType == Physics::CollisionComponent::LINE;
			EXPECT_EQ( lines, 4u );
			Tarn::ObjectManager::Instance().DestroyAll();
		}
		Tarn::Services::Remove<Physics::PhysicsManager>();
		Tarn::Services::Remove<Physics::CollisionManager>();
		Tarn::Services::Remove<Graphics::AnimationManager>();
	}
}
