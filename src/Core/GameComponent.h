#pragma once

#include "core/Noncopyable.h"

#include <cstdint>

namespace Tarn
{
	class Game;
	struct GameTime;

	// Anything updated once per entry in the game's update table. Constructing one
	// files it with the game under order 0; destroying it takes it out again.
	class IsUpdatable
	{
	public:
		IsUpdatable();
		virtual ~IsUpdatable();
		virtual void Update( GameTime& gameTime ) = 0;

		int32_t mUpdateOrder = 0;
		bool mEnabled = true;

	protected:
		IsUpdatable( const IsUpdatable& ) = delete;
		IsUpdatable& operator=( const IsUpdatable& ) = delete;
	};

	// Anything drawn once per entry in the game's draw table; files itself likewise.
	class IsDrawable
	{
	public:
		IsDrawable();
		virtual ~IsDrawable();
		virtual void Draw( GameTime& gameTime ) = 0;

		int32_t mDrawOrder = 0;
		bool mVisible = true;

	protected:
		IsDrawable( const IsDrawable& ) = delete;
		IsDrawable& operator=( const IsDrawable& ) = delete;
	};

	// An engine service: owned by the game project, initialised and shut down by it.
	class GameComponent : private Noncopyable, public IsUpdatable
	{
	public:
		explicit GameComponent( Game* game ) : mGame( game ) {}
		~GameComponent() override = default;

		void Update( GameTime& gameTime ) override = 0;
		virtual void Initialise() = 0;
		virtual void Shutdown() = 0;

		Game* mGame;
	};

	class DrawableGameComponent : public GameComponent, public IsDrawable
	{
	public:
		explicit DrawableGameComponent( Game* game ) : GameComponent( game ) {}
	};
}
