#include "Graphics/AnimationComponent.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <utility>

namespace Graphics
{
	TARN_REGISTER_COMPONENT_TYPE( AnimationComponent )

	AnimationComponent::~AnimationComponent()
	{
		if ( mManager && Tarn::Services::Get<AnimationManager>() == mManager )
			mManager->Unregister( this );
	}

	void AnimationComponent::Initialise()
	{
		mManager = Tarn::Services::Get<AnimationManager>();
		if ( mManager )
			mManager->Register( this );
		else
			LOG_WARNING( "No animation manager: the animation of " << ( mOwner ? mOwner->GetName().GetName() : "" )
			                                                       << " will not play" );
		mTimer = 0.0f;
		mCurrentFrame = mStartFrame = mEndFrame = 0;
		mIsPausedAnimation = false;
		mPlayOnce = mPlayOnceReverse = mStayAtEndFrame = false;
		if ( mOwner && !mOwner->GetComponent<MeshComponent>() )
			LOG_WARNING( "The animation of " << mOwner->GetName().GetName() << " has no mesh to show its frames on" );
	}

	void AnimationComponent::Shutdown()
	{
		if ( mManager )
			mManager->Unregister( this );
		mManager = nullptr;
	}

	const Tarn::ComponentProperties& AnimationComponent::Properties() const
	{
		using P = Tarn::Declare<AnimationComponent>;
		static const char* const kFrame = " group=Frame";
		static const Tarn::ComponentProperties kProperties = {
			P::Float( "mTimer", "mTimer", &AnimationComponent::mTimer ).Bar( "Timer", kFrame ),
			P::Int( "mCurrentFrame", "mCurrentFrame", &AnimationComponent::mCurrentFrame ).Bar( "Current Frame", kFrame ),
			P::Int( "mStartFrame", "mStartFrame", &AnimationComponent::mStartFrame ).Bar( "Start Frame", kFrame ),
			P::Int( "mEndFrame", "mEndFrame", &AnimationComponent::mEndFrame ).Bar( "End Frame", kFrame ),
			P::Bool( "mIsPausedAnimation", "mIsPausedAnimation", &AnimationComponent::mIsPausedAnimation )
			    .Bar( "Pause", kFrame ),
			P::Tweak( "Play Once", &AnimationComponent::mPlayOnce, kFrame ),
			P::Tweak( "Play Once Reverse", &AnimationComponent::mPlayOnceReverse, kFrame ),
			P::Tweak( "PlayOnceAndStayAtFrame", &AnimationComponent::mStayAtEndFrame, kFrame ),
			P::String( "mXmlFileName", "mXmlFileName", &AnimationComponent::mXmlFileName ),
			P::String( "mSpriteSheetFileName", "mSpriteSheetFileName", &AnimationComponent::mSpriteSheetFileName ),
		};
		return kProperties;
	}

	void AnimationComponent::OnDeserialised( const pugi::xml_node& ) { SetAnimation( mXmlFileName, mSpriteSheetFileName ); }

	void AnimationComponent::SetAnimation( const std::string& xmlFileName, const std::string& sheetFileName )
	{
		mXmlFileName = xmlFileName;
		mSpriteSheetFileName = sheetFileName;
		mFrames.clear();
		// A component stored without a sheet simply has none; only a named sheet that
		// cannot be had is an error (logged by the manager).
		if ( !mXmlFileName.empty() )
		{
			AnimationManager* manager = mManager ? mManager : Tarn::Services::Get<AnimationManager>();
			if ( !manager )
				LOG_ERROR( "No animation manager to load \"" << mXmlFileName << "\"" );
			else if ( manager->LoadSheet( mXmlFileName, mSpriteSheetFileName ) )
				mFrames = manager->GetFrames( mXmlFileName );
		}
		mCurrentFrame = 0;
		mStartFrame = 0;
		mEndFrame = static_cast<int>( mFrames.size() ) - 1;
		if ( !mFrames.empty() )
			ShowFrame( mStartFrame );
	}

	void AnimationComponent::SetFrame( int index )
	{
		if ( index < 0 || index >= static_cast<int>( mFrames.size() ) )
		{
			LOG_ERROR( "Frame " << index << " is not one of the " << mFrames.size() << " frames of \"" << mXmlFileName
			                    << "\" (" << ( mOwner ? mOwner->GetName().GetName() : "" ) << ")" );
			return;
		}
		mIsPausedAnimation = true;
		mCurrentFrame = index;
		ShowFrame( index );
	}

	void AnimationComponent::ShowFrame( int index )
	{
		// Ranges come from setters and stored files; a frame the sheet does not have is
		// never read.
		if ( index < 0 || index >= static_cast<int>( mFrames.size() ) )
			return;
		MeshComponent* mesh = mOwner ? mOwner->GetComponent<MeshComponent>() : nullptr;
		if ( !mesh )
			return;
		const AnimationFrame& frame = mFrames[static_cast<size_t>( index )];
		mesh->SetUV( frame.mUMin, frame.mVMin, frame.mUMax, frame.mVMax );
		mShownFrame = index;
	}

	bool AnimationComponent::Update( Tarn::GameTime& gameTime )
	{
		const float dt = gameTime.ElapsedSeconds;

		if ( mPlayOnce && mIsPausedAnimation )
		{
			if ( mPlayOnceReverse )
				std::swap( mStartFrame, mEndFrame );
			mCurrentFrame = mStartFrame;
			mIsPausedAnimation = false;
		}

		if ( mIsPausedAnimation )
		{
			mIsAnimating = mCurrentFrame != mEndFrame;
			return mIsAnimating;
		}

		// The timer is tested only at step boundaries: a frame lasts the first whole
		// number of steps that reaches its duration, plus the step that shows it.
		if ( mTimer > 0.0f )
			mTimer -= dt;
		else if ( !mPlayOnceReverse )
		{
			if ( mCurrentFrame <= mEndFrame && !mFrames.empty() )
			{
				ShowFrame( mCurrentFrame );
				if ( mCurrentFrame >= 0 && mCurrentFrame < static_cast<int>( mFrames.size() ) )
					mTimer = mFrames[static_cast<size_t>( mCurrentFrame )].mDuration;
				++mCurrentFrame;
			}
			else
				mCurrentFrame = mStartFrame;
		}
		else
		{
			if ( mCurrentFrame > mEndFrame && !mFrames.empty() )
			{
				ShowFrame( mCurrentFrame );
				if ( mCurrentFrame >= 0 && mCurrentFrame < static_cast<int>( mFrames.size() ) )
					mTimer = mFrames[static_cast<size_t>( mCurrentFrame )].mDuration;
				--mCurrentFrame;
			}
			else
				mCurrentFrame = mStartFrame;
		}

		if ( mPlayOnce && mCurrentFrame == mEndFrame )
		{
			mIsPausedAnimation = true;
			mPlayOnce = false;
			if ( mPlayOnceReverse )
			{
				mPlayOnceReverse = false;
				std::swap( mStartFrame, mEndFrame );
			}
			ShowFrame( mStayAtEndFrame ? mEndFrame : mStartFrame );
		}

		mIsAnimating = mCurrentFrame != mEndFrame;
		return mIsAnimating;
	}
}
