#pragma once

#include "Core/ObjectComponent.h"
#include "Graphics/AnimationManager.h"
#include "core/HashedName.h"

#include <string>
#include <vector>

namespace Tarn
{
	struct GameTime;
}

namespace Graphics
{
	class MeshComponent;

	// Steps through a range of a sprite sheet's frames and shows the current one on
	// the owner's mesh by moving the mesh's texture rectangle. The owner chooses the
	// texture; the animation never changes it.
	class AnimationComponent : public Tarn::ObjectComponent
	{
		TARN_CLASS_NAME( AnimationComponent )

	public:
		explicit AnimationComponent( Tarn::Object* owner ) : ObjectComponent( owner ) {}
		~AnimationComponent() override;

		void Initialise() override;
		void Shutdown() override;
		const Tarn::ComponentProperties& Properties() const override;

		// Loads the sheet (once for the whole game) and takes its frames: the range is
		// then every frame, from the first, which is shown.
		void SetAnimation( const std::string& xmlFileName, const std::string& sheetFileName );
		// Pauses on the frame and shows it; an index outside the frames is an error
		// that changes nothing.
		void SetFrame( int index );
		// One step; true while the current frame is not the end frame.
		bool Update( Tarn::GameTime& gameTime );
		void ShowFrame( int index );

		void SetStartFrame( int frame ) { mStartFrame = frame; }
		void SetEndFrame( int frame ) { mEndFrame = frame; }
		void SetCurrentFrame( int frame ) { mCurrentFrame = frame; }
		void SetPaused( bool paused ) { mIsPausedAnimation = paused; }
		void SetPlayOnce( bool once ) { mPlayOnce = once; }
		void SetPlayOnceReverse( bool reverse ) { mPlayOnceReverse = reverse; }
		void SetStayAtEndFrame( bool stay ) { mStayAtEndFrame = stay; }
		// Plays the range once from the next update, backwards if asked.
		void PlayOnce( bool reverse = false, bool stayAtEnd = false )
		{
			mPlayOnce = true;
			mPlayOnceReverse = reverse;
			mStayAtEndFrame = stayAtEnd;
			mIsPausedAnimation = true;
		}

		int GetCurrentFrame() const { return mCurrentFrame; }
		int GetStartFrame() const { return mStartFrame; }
		int GetEndFrame() const { return mEndFrame; }
		bool IsPaused() const { return mIsPausedAnimation; }
		bool IsAnimating() const { return mIsAnimating; }
		bool IsPlayingOnce() const { return mPlayOnce; }
		const std::vector<AnimationFrame>& GetAnimationFrames() const { return mFrames; }
		const std::string& GetXmlFileName() const { return mXmlFileName; }
		const std::string& GetSpriteSheetFileName() const { return mSpriteSheetFileName; }
		// The frame last handed to the mesh; -1 before any.
		int GetShownFrame() const { return mShownFrame; }

		float mTimer = 0.0f;
		int mCurrentFrame = 0;
		int mStartFrame = 0;
		int mEndFrame = 0;
		bool mIsPausedAnimation = false;
		std::string mXmlFileName;
		std::string mSpriteSheetFileName;
		bool mPlayOnce = false;
		bool mPlayOnceReverse = false;
		bool mIsAnimating = false;
		bool mStayAtEndFrame = false;
		std::vector<AnimationFrame> mFrames;

	protected:
		// The sheet named in the file is loaded once it is read, which starts the range
		// anew over its frames.
		void OnDeserialised( const pugi::xml_node& element ) override;

	private:
		AnimationManager* mManager = nullptr;
		int mShownFrame = -1;
	};
}
