#include "Core/GameWindow/GameProject.h"
#include "Core/Object.h"
#include "Core/ObjectManager.h"
#include "Core/TypeRegistry.h"
#include "Graphics/Borders.h"
#include "Graphics/Camera.h"
#include "Graphics/GraphicsManager.h"
#include "Game/PlayerDoodad.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureManager.h"
#include "Graphics/TextureList.h"
#include "Physics/TransformComponent.h"
#include "Platform/RecordingRenderDevice.h"
#include "Platform/TweakBar.h"
#include "Utilities/FileSystem.h"
#include "core/Services.h"
#include "support/AssertRecorder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
	using Graphics::MeshComponent;
	using Platform::RecordingRenderDevice;

	// A plain object with a transform and a mesh, as most drawable things are.
	class Sprite : public Tarn::Object
	{
		TARN_CLASS_NAME( TestSprite )

	public:
		void Initialise() override
		{
			mComponents.AddComponent<Tarn::TransformComponent>();
			mComponents.AddComponent<MeshComponent>();
			mComponents.InitialisePending();
		}
		void Shutdown() override {}
		MeshComponent& Mesh() { return *GetComponent<MeshComponent>(); }
		Tarn::TransformComponent& Transform() { return *GetComponent<Tarn::TransformComponent>(); }
	};

	class HeadlessScene : public testing::Test
	{
	protected:
		void SetUp() override
		{
			KelvaneTest::SharedFileSystem( { "MeshComponent" } );
			Tarn::TypeRegistry::Instance().RegisterObjectType( Sprite::ClassHashedName(),
			                                                   []() -> Tarn::Object* { return new Sprite(); } );
			Tarn::LaunchOptions options;
			options.mHeadless = true;
			mProject = std::make_unique<Tarn::GameProject>( options );
			mProject->CreateComponents();
			mProject->Initialise();
			mGraphics = Tarn::Services::Get<Graphics::GraphicsManager>();
			mTextures = Tarn::Services::Get<Graphics::TextureManager>();
			mDevice = dynamic_cast<RecordingRenderDevice*>( mGraphics->GetDevice() );
			ASSERT_NE( mDevice, nullptr );
		}
		void TearDown() override
		{
			mProject->Shutdown();
			mProject.reset();
		}

		template <typename T = Sprite>
		T* Make( const char* name, const char* type = nullptr )
		{
			Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
			Tarn::Object* object = objects.CreateObject( T::ClassHashedName(), name );
			if ( type )
				object->mType = Tarn::HashedName( type );
			objects.InitialiseObject( object );
			return static_cast<T*>( object );
		}

		// One frame through the game's own draw walk; the draws of that frame.
		std::vector<RecordingRenderDevice::DrawRecord> Frame()
		{
			mDevice->mDraws.clear();
			EXPECT_TRUE( mProject->BeginDraw() );
			mProject->Draw( mProject->GetGameTime() );
			mProject->EndDraw();
			return mDevice->mDraws;
		}

		std::unique_ptr<Tarn::GameProject> mProject;
		Graphics::GraphicsManager* mGraphics = nullptr;
		Graphics::TextureManager* mTextures = nullptr;
		RecordingRenderDevice* mDevice = nullptr;
	};

	TEST_F( HeadlessScene, EveryStartUpTextureIsLoadedOnce )
	{
		const auto& list = Graphics::StartUpTextureList();
		EXPECT_EQ( mTextures->Count(), list.size() );
		for ( const std::string& path : list )
		{
			const auto* entry = mTextures->FindEntry( path );
			ASSERT_NE( entry, nullptr ) << path;
			EXPECT_NE( entry->mTexture, 0u ) << path;
			EXPECT_GT( entry->mWidth, 0 ) << path;
		}
	}

	TEST_F( HeadlessScene, MeshesShareTexturesAndAnUnknownNameAddsOneNullEntry )
	{
		Sprite* a = Make( "SpriteA" );
		Sprite* b = Make( "SpriteB" );
		a->Mesh().SetTexture( "resource/mine.png" );
		b->Mesh().SetTexture( "resource/mine.png" );
		EXPECT_NE( a->Mesh().GetPtrTexture(), 0u );
		EXPECT_EQ( a->Mesh().GetPtrTexture(), b->Mesh().GetPtrTexture() );

		const size_t before = mTextures->Count();
		a->Mesh().SetTexture( "resource/never-made.png" );
		b->Mesh().SetTexture( "resource/never-made.png" );
		EXPECT_EQ( a->Mesh().GetPtrTexture(), 0u );
		EXPECT_EQ( mTextures->Count(), before + 1 );

		// Untextured, it still draws: the colour alone.
		const auto draws = Frame();
		ASSERT_EQ( draws.size(), 2u );
		EXPECT_EQ( draws[0].mTexture, 0u );
	}

	TEST_F( HeadlessScene, BeamMeshesDrawWavyAndTheRestStandard )
	{
		Sprite* beam = Make( "EnergyBeam1", "Beam" );
		Sprite* plain = Make( "Plain1" );
		beam->Mesh().mDrawOrder = 1;
		plain->Mesh().mDrawOrder = 2;
		const float before = MeshComponent::WavyTime();
		auto draws = Frame(); // re-files both under their orders
		draws = Frame();
		ASSERT_EQ( draws.size(), 2u );
		EXPECT_TRUE( beam->Mesh().mIsWavy );
		EXPECT_FALSE( plain->Mesh().mIsWavy );
		EXPECT_EQ( draws[0].mPixelShader, mGraphics->GetWavyPixelShader() );
		EXPECT_EQ( draws[1].mPixelShader, mGraphics->GetPixelShader() );
		EXPECT_NEAR( MeshComponent::WavyTime() - before, 2 * 0.1666f, 1e-4f );
	}

	TEST_F( HeadlessScene, AHudMeshIgnoresTheCameraAndBordersCoverTheScreen )
	{
		auto* borders = Make<Tarn::Borders>( "Borders1" );
		Sprite* world = Make( "World1" );
		*mGraphics->GetView() = Graphics::LookAtLH( { 13, -4, -40 }, { 13, -4, 0 }, { 0, 1, 0 } );
		auto draws = Frame();
		draws = Frame();
		ASSERT_EQ( draws.size(), 2u );
		// The world mesh is drawn first (order 0), the borders last (order 7).
		const auto& hud = draws[1];
		EXPECT_EQ( hud.mTexture, mTextures->GetTexture( std::string( Tarn::Borders::kTexture ) ) );
		ASSERT_EQ( hud.mVertices.size(), 8u ); // the quad uses the first four
		for ( int i = 0; i < 4; ++i )
		{
			const Platform::Vertex& v = hud.mVertices[i];
			const glm::vec3 p = Graphics::TransformCoord( { v.x, v.y, v.z }, hud.mWorldViewProj );
			EXPECT_FLOAT_EQ( std::fabs( p.x ), 1.0f );
			EXPECT_FLOAT_EQ( std::fabs( p.y ), 1.0f );
		}
		EXPECT_NE( draws[0].mWorldViewProj, world->Transform().GetWorldMatrix() );
		EXPECT_EQ( borders->GetComponent<MeshComponent>()->mDrawOrder, 7 );
	}

	TEST_F( HeadlessScene, MeshPropertiesSurviveTheExchangeFileAndFlippedNeedsLowerCase )
	{
		Sprite* source = Make( "Source1" );
		MeshComponent& mesh = source->Mesh();
		mesh.mDrawOrder = 5;
		mesh.mColour = { 0.5f, 0.25f, 2.0f, 0.75f };
		mesh.SetTexture( "resource/crown.png" );
		mesh.mIsFlippedY = true;
		mesh.mIsHUD = true;
		mesh.mVisible = true;
		Tarn::ResourceRecord* record = Tarn::FileSystem::Instance().GetResource( "MeshComponent" );
		ASSERT_NE( record, nullptr );
		mesh.Serialise( *record );

		Sprite* copy = Make( "Copy1" );
		copy->Mesh().Deserialise( *record );
		EXPECT_EQ( copy->Mesh().mDrawOrder, 5 );
		EXPECT_EQ( copy->Mesh().mColour, mesh.mColour );
		EXPECT_EQ( copy->Mesh().GetTextureName(), "resource/crown.png" );
		EXPECT_EQ( copy->Mesh().GetPtrTexture(), mesh.GetPtrTexture() );
		EXPECT_TRUE( copy->Mesh().mIsFlippedY );
		EXPECT_TRUE( copy->Mesh().mIsHUD );

		std::string text = KelvaneTest::ReadWholeFile( record->mPath );
		const size_t at = text.find( "Flipped=\"true\"" );
		ASSERT_NE( at, std::string::npos ) << text;
		text.replace( at, 14, "Flipped=\"True\"" );
		KelvaneTest::WriteWholeFile( record->mPath, text );
		copy->Mesh().Deserialise( *record );
		EXPECT_FALSE( copy->Mesh().mIsFlippedY );
	}

	TEST_F( HeadlessScene, FlipAndFrameRewriteTheQuadsTextureCoordinates )
	{
		Sprite* sprite = Make( "Flip1" );
		MeshComponent& mesh = sprite->Mesh();
		mesh.SetUV( 0.25f, 0.5f, 0.5f, 0.75f );
		EXPECT_FLOAT_EQ( mesh.GetVertices()[1].v, 0.75f );
		EXPECT_FLOAT_EQ( mesh.GetVertices()[2].u, 0.5f );
		mesh.mIsFlippedY = true;
		mesh.SetFlipped();
		EXPECT_FLOAT_EQ( mesh.GetVertices()[0].u, 1.0f );
		EXPECT_FLOAT_EQ( mesh.GetVertices()[3].u, 0.0f );
		const auto draws = Frame();
		ASSERT_EQ( draws.size(), 1u );
		EXPECT_FLOAT_EQ( draws[0].mVertices[0].u, 1.0f );
		EXPECT_FLOAT_EQ( draws[0].mVertices[1].v, 0.75f );
	}

	TEST_F( HeadlessScene, ALostDeviceKeepsVerticesUntilTheNextChange )
	{
		Sprite* sprite = Make( "Lost1" );
		mDevice->mLevel = Platform::CooperativeLevel::Lost;
		mGraphics->mLostWaitMilliseconds = 0;
		EXPECT_FALSE( mGraphics->BeginFrame() );
		sprite->Mesh().SetUV( 0.0f, 0.0f, 0.5f, 0.5f );
		EXPECT_FLOAT_EQ( mDevice->Lock( sprite->Mesh().GetVertexBuffer() )[2].u, 1.0f );
		mDevice->mLevel = Platform::CooperativeLevel::NotReset;
		EXPECT_TRUE( mGraphics->BeginFrame() );
		sprite->Mesh().SetUV( 0.0f, 0.0f, 0.5f, 0.5f );
		EXPECT_FLOAT_EQ( mDevice->Lock( sprite->Mesh().GetVertexBuffer() )[2].u, 0.5f );
	}

	TEST_F( HeadlessScene, MeshTweakBarHasItsEntries )
	{
		Sprite* sprite = Make( "Bar1" );
		sprite->Mesh().CreateTweakBar();
		const Platform::TweakBarData* bar = Platform::FindTweakBar( "Bar1's MeshComponent" );
		ASSERT_NE( bar, nullptr );
		std::vector<std::string> names;
		for ( const auto& entry : bar->mEntries )
			names.push_back( entry.mName );
		EXPECT_EQ( names, ( std::vector<std::string>{ "Draw Order", "Visible   ", "Red", "Green", "Blue", "Alpha",
		                                              "Texture Name", "Set Texture Name" } ) );
		sprite->Mesh().SetTexture( "resource/crown.png" );
		*static_cast<std::string*>( const_cast<void*>( bar->Find( "Texture Name" )->mVariable ) ) = "resource/cross.png";
		EXPECT_TRUE( Platform::PressTweakButton( "Bar1's MeshComponent", "Set Texture Name" ) );
		EXPECT_EQ( sprite->Mesh().GetPtrTexture(), mTextures->GetTexture( std::string( "resource/cross.png" ) ) );
	}

	class CameraTest : public HeadlessScene
	{
	protected:
		void SetUp() override
		{
			HeadlessScene::SetUp();
			mCamera = Make<Graphics::Camera>( "Camera1" );
			mCamera->mFile = mFolder / "Camera.xml";
		}
		Graphics::Camera* mCamera = nullptr;
		KelvaneTest::TempFolder mFolder;
	};

	TEST_F( CameraTest, ReadsTheCameraFileOfTheDataRoot )
	{
		// The committed file frames the play field from in front of it.
		EXPECT_LT( mCamera->mEye.z, -10.0f );
		EXPECT_GT( mCamera->mSpeed, 0.0f );
		EXPECT_NE( Platform::FindTweakBar( "Camera" ), nullptr );
	}

	TEST_F( CameraTest, FollowingClosesTheGivenFractionAndLocksToX )
	{
		Sprite* player = Make( "Player1" );
		mCamera->mLook = { 0, 0, 0 };
		mCamera->mEye = { 0, 0, -20 };
		mCamera->mSpeed = 31.25f; // x 0.016 s = 0.5
		mCamera->StartFollowing();
		player->Transform().mPosition = { 10.0f, 6.0f };
		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		mCamera->Update( time );
		EXPECT_NEAR( mCamera->mLook.x, 5.0f, 1e-4f );
		EXPECT_NEAR( mCamera->mEye.x, 5.0f, 1e-4f );
		EXPECT_FLOAT_EQ( mCamera->mLook.y, 0.0f );
		EXPECT_FLOAT_EQ( mCamera->mEye.y, 0.0f );
		// The view written is the look-at of the new points.
		EXPECT_EQ( *mGraphics->GetView(), Graphics::LookAtLH( mCamera->mEye, mCamera->mLook, mCamera->mUp ) );
		EXPECT_FLOAT_EQ( mCamera->GetComponent<Tarn::TransformComponent>()->mPosition.X, mCamera->mLook.x );
	}

	TEST_F( CameraTest, WithoutAPlayerFollowingDoesNothing )
	{
		mCamera->StartFollowing();
		const Graphics::Matrix before = *mGraphics->GetView();
		mCamera->mEye.x = 99.0f;
		Tarn::GameTime time;
		time.ElapsedSeconds = 0.016f;
		mCamera->Update( time );
		EXPECT_EQ( *mGraphics->GetView(), before );
	}

	TEST_F( CameraTest, AShakeRunsAHundredSecondsAndLeavesItsOffsets )
	{
		Graphics::Camera::Shake() = {};
		mProject->GetGameTime().ElapsedSeconds = 0.5f;
		mCamera->mShake = true;
		Graphics::Matrix shaken = mCamera->GetShakeMatrix();
		EXPECT_FALSE( mCamera->mShake );
		EXPECT_NE( shaken, Graphics::Identity() );
		int calls = 1;
		while ( Graphics::Camera::Shake().mTime > 0.0f && calls < 1000 )
		{
			mCamera->GetShakeMatrix();
			++calls;
		}
		EXPECT_EQ( calls, 200 ); // 100 s in steps of 0.5 s
		const float x = Graphics::Camera::Shake().mX;
		const Graphics::Matrix after = mCamera->GetShakeMatrix();
		EXPECT_FLOAT_EQ( Graphics::Camera::Shake().mAngle, 0.0f );
		EXPECT_FLOAT_EQ( Graphics::Camera::Shake().mX, x );
		EXPECT_EQ( after, Graphics::Translation( x, Graphics::Camera::Shake().mY, 0.0f ) );
		Graphics::Camera::Shake() = {};
	}

	TEST_F( CameraTest, SaveWritesTheSpeedAsOnePointZeroAndLoadReadsItBack )
	{
		mCamera->mEye = { 1.5f, -2.0f, -30.0f };
		mCamera->mSpeed = 7.25f;
		ASSERT_TRUE( mCamera->Save() );
		const std::string text = KelvaneTest::ReadWholeFile( mCamera->mFile );
		EXPECT_NE( text.find( "mSpeed=\"1.0\"" ), std::string::npos ) << text;
		mCamera->mEye = {};
		ASSERT_TRUE( mCamera->Load() );
		EXPECT_FLOAT_EQ( mCamera->mEye.x, 1.5f );
		EXPECT_FLOAT_EQ( mCamera->mEye.z, -30.0f );
		EXPECT_FLOAT_EQ( mCamera->mSpeed, 1.0f );
	}

	TEST_F( CameraTest, MovingForwardFollowsTheLineOfSight )
	{
		mCamera->mEye = { 0, 0, -20 };
		mCamera->mLook = { 0, 0, 0 };
		mCamera->mSpeed = 2.0f;
		mProject->GetGameTime().ElapsedSeconds = 0.5f;
		mCamera->MoveForward( 3.0f );
		EXPECT_FLOAT_EQ( mCamera->mEye.z, -17.0f );
		EXPECT_FLOAT_EQ( mCamera->mLook.z, 3.0f );
		mCamera->MoveBackward( 3.0f );
		EXPECT_FLOAT_EQ( mCamera->mEye.z, -20.0f );
	}
}

#include "Physics/PhysicsManager.h"

namespace
{
	TEST_F( HeadlessScene, DebrisShowsItsMeshAndFadingLowersItsAlpha )
	{
		Sprite* rock = Make( "Asteroid9" );
		rock->Mesh().mVisible = false;
		auto* physics = Tarn::Services::Get<Physics::PhysicsManager>();
		ASSERT_NE( physics, nullptr );
		physics->LaunchDebris( { 1.0f, 2.0f }, 0.0f );
		ASSERT_TRUE( rock->Transform().mActive );
		EXPECT_TRUE( rock->Mesh().mVisible );
		physics->FadeBossParts( 0.25f );
		EXPECT_FLOAT_EQ( rock->Mesh().mColour.a, 0.75f );
		EXPECT_EQ( rock->Transform().mVelocity, Tarn::Vector2( 0.0f, 0.0f ) );
	}
}

#include "Physics/CollisionComponent.h"
#include "Physics/CollisionManager.h"

namespace
{
	TEST_F( HeadlessScene, AnInvulnerableWallFlashesThroughItsMesh )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* wall = objects.CreateObject( Tarn::HashedName( "Wall" ), "Wall7" );
		ASSERT_NE( wall, nullptr );
		objects.InitialiseObject( wall );
		auto* mesh = wall->GetComponent<MeshComponent>();
		auto* collider = wall->GetComponent<Physics::CollisionComponent>();
		ASSERT_NE( mesh, nullptr );
		ASSERT_NE( collider, nullptr );
		collider->mInvulnerable = true;
		collider->mInvulTimer = 1.0f;
		auto* collisions = Tarn::Services::Get<Physics::CollisionManager>();
		collisions->Sync( *collider, 1.0f / 60.0f );
		EXPECT_EQ( mesh->mColour.r, 300.0f );
		EXPECT_EQ( mesh->mColour.b, 300.0f );
		EXPECT_EQ( mesh->mColour.a, 1.0f );
		for ( int i = 0; i < 70 && collider->mInvulnerable; ++i )
			collisions->Sync( *collider, 1.0f / 60.0f );
		EXPECT_EQ( mesh->mColour.g, 1.0f );
	}

	TEST_F( HeadlessScene, PicturesNamedBeyondTheStartUpListAreReadWhenFirstAskedFor )
	{
		const size_t before = mTextures->Count();
		Sprite* channel = Make( "Channel3" );
		channel->Mesh().SetTexture( "resource/asd.png" );
		EXPECT_NE( channel->Mesh().GetPtrTexture(), 0u );
		EXPECT_EQ( mTextures->Count(), before + 1 );
		// Asked for again, the same picture: it is read once.
		Make( "Channel4" )->Mesh().SetTexture( "resource/asd.png" );
		EXPECT_EQ( mTextures->Count(), before + 1 );
		// A name the program never uses still gives no picture.
		EXPECT_EQ( mTextures->GetTexture( std::string( "resource/nothing here.png" ) ), 0u );
		// The ship's body shows its own sheet.
		Tarn::Object* body = Tarn::ObjectManager::Instance().CreateObject( Tarn::HashedName( "PlayerDoodad" ), "PlayerBody" );
		Tarn::ObjectManager::Instance().InitialiseObject( body );
		const auto* mesh = body->GetComponent<MeshComponent>();
		EXPECT_EQ( mesh->GetTextureName(), Tarn::PlayerDoodad::kSheetTexture );
		EXPECT_NE( mesh->GetPtrTexture(), 0u );
		Tarn::ObjectManager::Instance().DestroyAll();
	}
}
