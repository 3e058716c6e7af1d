#include "Graphics/StatusBarManager.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Game/Player.h"
#include "Graphics/StatusBarComponent.h"
#include "Physics/StatsComponent.h"
#include "StateMachines/StateMachineComponent.h"

#include <algorithm>

namespace Graphics
{
	namespace
	{
		template <typename T>
		void AddOnce( std::vector<T*>& list, T* item )
		{
			if ( item && std::find( list.begin(), list.end(), item ) == list.end() )
				list.push_back( item );
		}

		// The colour the main bars take: the player's.
		const Tarn::Colour* PlayerColour()
		{
			const Tarn::Object* player = Tarn::FindPlayer();
			const auto* mesh = player ? player->GetComponent<MeshComponent>() : nullptr;
			return mesh ? &mesh->mColour : nullptr;
		}
	}

	void StatusBarManager::RegisterBar( StatusBarComponent* bar ) { AddOnce( mBars, bar ); }

	void StatusBarManager::UnregisterBar( StatusBarComponent* bar ) { std::erase( mBars, bar ); }

	void StatusBarManager::RegisterStats( Physics::StatsComponent* stats ) { AddOnce( mStats, stats ); }

	void StatusBarManager::UnregisterStats( Physics::StatsComponent* stats ) { std::erase( mStats, stats ); }

	void StatusBarManager::UpdateBar( StatusBarComponent& bar, float dt )
	{
		const Physics::StatsComponent* stats = bar.Stats();
		if ( !stats )
		{
			// Nothing to show while the watched object is absent.
			bar.mWatching = false;
			bar.mVisible = false;
			return;
		}
		bar.mCurrentValue = stats->mHealth / bar.mBarPercentage;
		if ( !bar.mWatching )
		{
			// It has come (back): the bar starts at its health.
			bar.mWatching = true;
			bar.mVisible = true;
			bar.mBufferValue = bar.mCurrentValue;
		}

		if ( !bar.mIsMain )
		{
			// A trailing bar only ever shrinks, towards the health.
			if ( bar.mBufferValue > bar.mCurrentValue )
				bar.mBufferValue = bar.mBufferValue > 0.0f ? bar.mBufferValue - dt / kTrailSecondsPerLength : 0.0f;
			return;
		}
		// A main bar that has emptied stays empty for the rest of the level.
		if ( bar.mBufferValue > 0.0f )
		{
			bar.mBufferValue = bar.mCurrentValue;
			if ( const Tarn::Colour* colour = PlayerColour() )
			{
				bar.mBarColour.r = colour->r;
				bar.mBarColour.g = colour->g;
				bar.mBarColour.b = colour->b;
			}
		}
		else
			bar.mBufferValue = 0.0f;
	}

	void StatusBarManager::WatchForDeath( Physics::StatsComponent& stats )
	{
		if ( stats.mHealth > 0.0f || !stats.mOwner )
			return;
		auto* machine = stats.mOwner->GetComponent<StateMachines::StateMachineComponent>();
		if ( !machine || machine->mState == StateMachines::STATE_DIE )
			return;
		stats.mHealth = 0.0f;
		machine->mState = StateMachines::STATE_DIE;
		machine->mInnerState = StateMachines::INNER_STATE_ON_ENTER;
	}

	void StatusBarManager::Update( Tarn::GameTime& gameTime )
	{
		for ( StatusBarComponent* bar : mBars )
			UpdateBar( *bar, gameTime.ElapsedSeconds );
		for ( Physics::StatsComponent* stats : mStats )
			WatchForDeath( *stats );
	}
}
