#include "support/MenuFiles.h"

#include "GameStates/ButtonComponent.h"
#include "GameStates/ButtonManager.h"
#include "GameStates/ButtonObject.h"
#include "GameStates/LevelObject.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureList.h"
#include "Physics/CollisionComponent.h"
#include "Physics/TransformComponent.h"
#include "support/LevelFiles.h"
#include "support/TempFolder.h"

#include <optional>
#include <string>

namespace KelvaneTest
{
	using Tarn::Vector2;

	Tarn::FileSystem& MenuFileSystem()
	{
		LevelFileSystem();
		return SharedFileSystem( { "ButtonComponent", "EmitterComponent", "CollisionDebugComponent" } );
	}

	namespace
	{
		// What each kind of picture fills of its square: a word button's panel, a
		// checkbox's box, an arrow, a volume bar's frame and a level tile, as fractions of
		// the picture's width and height. The click rectangle is that part.
		struct Shape
		{
			Vector2 mScale;  // world units
			Vector2 mFilled; // fraction of the picture
		};
		constexpr Shape kWord{ { 6.4f, 3.2f }, { 464.0f / 512.0f, 144.0f / 256.0f } };
		constexpr Shape kCheckbox{ { 2.2f, 2.2f }, { 88.0f / 128.0f, 88.0f / 128.0f } };
		constexpr Shape kArrow{ { 1.9f, 1.9f }, { 74.0f / 128.0f, 92.0f / 128.0f } };
		constexpr Shape kBar{ { 7.2f, 1.8f }, { 488.0f / 512.0f, 80.0f / 128.0f } };
		constexpr Shape kTile{ { 2.8f, 2.8f }, { 212.0f / 256.0f, 212.0f / 256.0f } };
		// A whole page in the 4:3 of the pictures, and a dialog over one.
		constexpr Vector2 kPageScale{ 26.0f, 19.5f };
		constexpr Vector2 kDialogScale{ 16.0f, 12.0f };
		constexpr Vector2 kLabelScale{ 8.0f, 2.0f };
		constexpr float kBackY = -7.3f;

		// The main menu and the in-game menu lie under the pages that open over them.
		using Tarn::IsBasePage;
		int32_t ButtonOrder( Tarn::ButtonGroup group )
		{
			return IsBasePage( group ) ? Tarn::ButtonObject::kDrawOrder : Tarn::ButtonObject::kOverlayDrawOrder;
		}
		int32_t PictureOrder( Tarn::ButtonGroup group )
		{
			return IsBasePage( group ) ? Tarn::ButtonObject::kPageDrawOrder : Tarn::ButtonObject::kOverlayPageDrawOrder;
		}

		Tarn::ButtonComponent* Place( Tarn::LevelObject& level, const char* type, const std::string& name, Tarn::ButtonGroup group,
		                              const std::string& texture, Vector2 position, Vector2 scale, Vector2 half, int32_t drawOrder )
		{
			Tarn::Object* object = AddToLevel( level, type, name.c_str(), position );
			auto* transform = object->GetComponent<Tarn::TransformComponent>();
			transform->mXScaleFactor = scale.X;
			transform->mYScaleFactor = scale.Y;
			transform->UpdateWorldMatrix();
			auto* mesh = object->GetComponent<Graphics::MeshComponent>();
			mesh->SetTexture( texture );
			mesh->mDrawOrder = drawOrder;
			mesh->mVisible = false;
			object->GetComponent<Physics::CollisionComponent>()->mCollisionData = { half.X, half.Y };
			auto* button = object->GetComponent<Tarn::ButtonComponent>();
			button->mGroup = group;
			button->mTopRight = position + half;
			button->mBottomLeft = position - half;
			return button;
		}

		// A button of a function, in the picture of its function.
		void AddButton( Tarn::LevelObject& level, const std::string& name, Tarn::ButtonGroup group, Tarn::ButtonFunction function,
		                Vector2 position, const Shape& shape )
		{
			const Vector2 half( shape.mScale.X * shape.mFilled.X * 0.5f, shape.mScale.Y * shape.mFilled.Y * 0.5f );
			Tarn::ButtonComponent* button = Place( level, "ButtonObject", name, group, Tarn::ButtonPicture( function, false ), position,
			                                       shape.mScale, half, ButtonOrder( group ) );
			button->mFunction = function;
			button->mActiveButton = true;
		}

		// A picture of a page that nothing clicks: its background, title or a label.
		void AddPicture( Tarn::LevelObject& level, const std::string& name, Tarn::ButtonGroup group, const std::string& texture,
		                 Vector2 position, Vector2 scale, std::optional<int32_t> drawOrder = std::nullopt,
		                 const char* type = "ButtonObject" )
		{
			Tarn::ButtonComponent* picture =
			    Place( level, type, name, group, texture, position, scale, scale * 0.5f, drawOrder.value_or( PictureOrder( group ) ) );
			picture->mFunction = Tarn::FUNC_NONE;
			picture->mGUIPage = true;
		}

		void AddPage( Tarn::LevelObject& level, const std::string& name, Tarn::ButtonGroup group, const char* texture )
		{
			AddPicture( level, name, group, texture, Vector2(), kPageScale );
		}

		void AddBack( Tarn::LevelObject& level, const std::string& prefix, Tarn::ButtonGroup group )
		{
			AddButton( level, prefix + "BackButton", group, Tarn::FUNC_BACK, { 0.0f, kBackY }, kWord );
		}

		// The options: full screen, the two volumes and the two mutes, each row a label on
		// the left and its controls on the right.
		void AddOptionsPage( Tarn::LevelObject& level, const std::string& prefix )
		{
			using namespace Tarn;
			const ButtonGroup page = GRP_OPTIONS;
			AddPage( level, prefix + "OptionsPage", page, "resource/options.png" );
			constexpr float kLabelX = -5.8f;
			constexpr float kControlX = 1.2f;
			constexpr float kRows[] = { 3.7f, 1.6f, -0.5f, -2.6f, -4.7f };
			const auto& labels = Graphics::MenuLabels();
			for ( size_t row = 0; row < labels.size(); ++row )
				AddPicture( level, prefix + "OptionsLabel" + std::to_string( row + 1 ), page,
				            Graphics::MenuLabelPicture( labels[row] ), { kLabelX, kRows[row] }, kLabelScale, ButtonOrder( page ) );
			AddButton( level, prefix + "FullScreenButton", page, FUNC_CHANGERESOLUTION, { kControlX, kRows[0] }, kCheckbox );
			struct Volume
			{
				const char* mName;
				ButtonFunction mDown, mBar, mUp;
				float mY;
			};
			for ( const Volume& volume : { Volume{ "Effects", FUNC_SOUND_DEC, FUNC_SOUNDFX_BAR, FUNC_SOUND_INC, kRows[1] },
			                               Volume{ "Music", FUNC_MUSIC_SOUND_DEC, FUNC_MUSICFX_BAR, FUNC_MUSIC_SOUND_INC, kRows[2] } } )
			{
				const std::string name = prefix + volume.mName;
				AddButton( level, name + "DownButton", page, volume.mDown, { kControlX, volume.mY }, kArrow );
				AddButton( level, name + "VolumeBar", page, volume.mBar, { kControlX + 4.4f, volume.mY }, kBar );
				AddButton( level, name + "UpButton", page, volume.mUp, { kControlX + 8.8f, volume.mY }, kArrow );
			}
			AddButton( level, prefix + "MuteAllButton", page, FUNC_SOUND_MUTE, { kControlX, kRows[3] }, kCheckbox );
			AddButton( level, prefix + "MuteMusicButton", page, FUNC_MUSIC_MUTE, { kControlX, kRows[4] }, kCheckbox );
			AddBack( level, prefix + "Options", page );
		}

		// "Are you sure?" over the page that asked, with yes on the left.
		void AddConfirmation( Tarn::LevelObject& level, const std::string& prefix )
		{
			using namespace Tarn;
			AddPicture( level, prefix + "ConfirmationPage", GRP_CONFIRMATION, "resource/are you sure.png", { 0.0f, 0.5f }, kDialogScale );
			AddButton( level, prefix + "YesButton", GRP_CONFIRMATION, FUNC_CONFIRMATION_YES, { -3.6f, -2.2f }, kWord );
			AddButton( level, prefix + "NoButton", GRP_CONFIRMATION, FUNC_CONFIRMATION_NO, { 3.6f, -2.2f }, kWord );
		}

		// A column of word buttons from `top` down.
		void AddColumn( Tarn::LevelObject& level, Tarn::ButtonGroup group, float top, float spacing,
		                std::initializer_list<std::pair<const char*, Tarn::ButtonFunction>> buttons )
		{
			float y = top;
			for ( const auto& [name, function] : buttons )
			{
				AddButton( level, name, group, function, { 0.0f, y }, kWord );
				y -= spacing;
			}
		}
	}

	void BuildMainMenu( Tarn::LevelObject& level )
	{
		using namespace Tarn;
		// The rings drifting over deep space behind everything, the name, and the column.
		AddPicture( level, "MainMenuBackground", GRP_MAINMENU, "resource/background.png", Vector2(), { 48.0f, 48.0f }, -1,
		            "AnimatedButtonObject" );
		AddPicture( level, "MainMenuLogo", GRP_MAINMENU, "resource/logo3.png", { 0.0f, 6.5f }, { 16.0f, 6.0f } );
		AddColumn( level, GRP_MAINMENU, 1.9f, 2.0f,
		           { { "StartButton", FUNC_START },
		             { "LevelSelectButton", FUNC_LEVEL_SELECT },
		             { "OptionsButton", FUNC_OPTIONS },
		             { "HowToPlayButton", FUNC_HOWTOPLAY },
		             { "CreditsButton", FUNC_CREDITS },
		             { "QuitButton", FUNC_EXITPROGRAM } } );

		AddOptionsPage( level, "Menu" );

		AddPage( level, "HowToPlayPage", GRP_HOWTOPLAY, "resource/how to play2.png" );
		AddBack( level, "HowToPlay", GRP_HOWTOPLAY );
		AddPage( level, "CreditsPage", GRP_CREDITS, "resource/credits2.png" );
		AddBack( level, "Credits", GRP_CREDITS );

		AddPage( level, "LevelSelectPage", GRP_LEVEL_SELECT, "resource/level select.png" );
		constexpr int kColumns = 5;
		for ( int level_ = 1; level_ <= 20; ++level_ )
		{
			const int column = ( level_ - 1 ) % kColumns;
			const int row = ( level_ - 1 ) / kColumns;
			AddButton( level, "Level" + std::to_string( level_ ) + "SelectButton", GRP_LEVEL_SELECT, LevelFunction( level_ ),
			           { -6.6f + 3.3f * float( column ), 3.5f - 2.8f * float( row ) }, kTile );
		}
		AddBack( level, "LevelSelect", GRP_LEVEL_SELECT );

		AddConfirmation( level, "Menu" );
	}

	void BuildInGameGUI( Tarn::LevelObject& level )
	{
		using namespace Tarn;
		AddPage( level, "PausePage", GRP_IN_GAME_MENU, "resource/optionsingame.png" );
		AddColumn( level, GRP_IN_GAME_MENU, 3.4f, 2.2f,
		           { { "ReturnButton", FUNC_RETURN },
		             { "RestartButton", FUNC_RESTART_LEVEL },
		             { "PauseOptionsButton", FUNC_OPTIONS },
		             { "MainMenuButton", FUNC_EXITGAME },
		             { "PauseQuitButton", FUNC_EXITPROGRAM } } );
		AddOptionsPage( level, "Pause" );
		AddConfirmation( level, "Pause" );
	}

	void BuildScoreScreen( Tarn::LevelObject& level )
	{
		using namespace Tarn;
		// A little wider than the other pages: the score's lines are placed as fractions of
		// the window, and on a wide one they reach further out than a 4:3 page.
		constexpr Vector2 kScorePageScale{ 28.6f, 19.5f };
		AddPicture( level, ButtonManager::kWonPageName, GRP_SCORE_SCREEN, "resource/win2.png", Vector2(), kScorePageScale );
		AddPicture( level, ButtonManager::kLostPageName, GRP_SCORE_SCREEN, "resource/lose.png", Vector2(), kScorePageScale );
		constexpr float kRowY = -6.8f;
		AddButton( level, "NextLevelButton", GRP_SCORE_SCREEN, FUNC_NEXT_LEVEL, { -7.0f, kRowY }, kWord );
		AddButton( level, "ScoreRestartButton", GRP_SCORE_SCREEN, FUNC_RESTART_LEVEL, { 0.0f, kRowY }, kWord );
		AddButton( level, "ScoreMainMenuButton", GRP_SCORE_SCREEN, FUNC_EXITGAME, { 7.0f, kRowY }, kWord );
	}

	const std::vector<MenuLevel>& MenuLevels()
	{
		static const std::vector<MenuLevel> levels = {
			{ "MainMenu", &BuildMainMenu },
			{ "InGameGUI", &BuildInGameGUI },
			{ "ScoreScreen", &BuildScoreScreen },
		};
		return levels;
	}
}
