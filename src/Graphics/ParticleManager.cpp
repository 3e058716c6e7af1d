#include "Graphics/ParticleManager.h"

#include "Core/GameTime.h"
#include "Graphics/EmitterComponent.h"
#include "Utilities/Random.h"

#include <algorithm>

namespace Graphics
{
	void ParticleManager::Initialise() { Tarn::Random::Seed(); }

	void ParticleManager::Shutdown() { mEmitters.clear(); }

	void ParticleManager::Register( EmitterComponent* emitter )
	{
		if ( emitter && std::find( mEmitters.begin(), mEmitters.end(), emitter ) == mEmitters.end() )
			mEmitters.push_back( emitter );
	}

	void ParticleManager::Unregister( EmitterComponent* emitter )
	{
		mEmitters.erase( std::remove( mEmitters.begin(), mEmitters.end(), emitter ), mEmitters.end() );
	}

	void ParticleManager::Update( Tarn::GameTime& gameTime )
	{
		const float dt = gameTime.ElapsedSeconds;
		for ( EmitterComponent* emitter : mEmitters )
		{
			if ( emitter->mEmitComplete )
			{
				emitter->mEnabled = false;
				emitter->mVisible = false;
			}
			else if ( emitter->mEmitLifeTime >= emitter->mEmitCurrentTimer )
			{
				emitter->mEnabled = true;
				emitter->mVisible = true;
				// An emission life of 0 leaves the timer at 0: such effects never end.
				if ( emitter->mEmitLifeTime > emitter->mEmitCurrentTimer )
					emitter->mEmitCurrentTimer += dt;
				emitter->mEmitPosition.X += emitter->mEmitVelocity.X * dt;
				emitter->mEmitPosition.Y += emitter->mEmitVelocity.Y * dt;
				emitter->mEmitPosition.Z += emitter->mEmitVelocity.Z * dt;
				emitter->mEmitterWorld =
				    Tarn::Translation( emitter->mEmitPosition.X, emitter->mEmitPosition.Y, emitter->mEmitPosition.Z );
			}
		}
	}
}
