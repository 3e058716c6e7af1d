#include "Graphics/AnimationComponent.h"

#include "Core/GameTime.h"
#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Graphics/MeshComponent.h"
#include "Platform/TweakBar.h"
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

	void AnimationComponent::Serialise( Tarn::ResourceRecord& record )
	{
		Tarn::Serialiser& serialiser = Tarn::Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		Tarn::Property::WriteFloat( node, "mTimer", "mTimer", mTimer );
		Tarn::Property::WriteInt( node, "mCurrentFrame", "mCurrentFrame", mCurrentFrame );
		Tarn::Property::WriteInt( node, "mStartFrame", "mStartFrame", mStartFrame );
		Tarn::Property::WriteInt( node, "mEndFrame", "mEndFrame", mEndFrame );
		Tarn::Property::WriteBool( node, "mIsPausedAnimation", "mIsPausedAnimation", mIsPausedAnimation );
		Tarn::Property::WriteString( node, "mXmlFileName", "mXmlFileName", mXmlFileName );
		Tarn::Property::WriteString( node, "mSpriteSheetFileName", "mSpriteSheetFileName", mSpriteSheetFileName );
		serialiser.SaveComponent( record );
	}

	void AnimationComponent::Deserialise( Tarn::ResourceRecord& record )
	{
		const pugi::xml_node node = Tarn::Serialiser::Instance().LoadComponent( record );
		mTimer = Tarn::Property::ReadFloat( node, "mTimer", "mTimer" );
		mCurrentFrame = Tarn::Property::ReadInt( node, "mCurrentFrame", "mCurrentFrame" );
		mStartFrame = Tarn::Property::ReadInt( node, "mStartFrame", "mStartFrame" );
		mEndFrame = Tarn::Property::ReadInt( node, "mEndFrame", "mEndFrame" );
		mIsPausedAnimation = Tarn::Property::ReadBool( node, "mIsPausedAnimation", "mIsPausedAnimation" );
		const std::string xml = Tarn::Property::ReadString( node, "mXmlFileName", "mXmlFileName" );
		const std::string sheet = Tarn::Property::ReadString( node, "mSpriteSheetFileName", "mSpriteSheetFileName" );
		SetAnimation( xml, sheet );
	}

	void AnimationComponent::CreateTweakBar()
	{
		const std::string name = TweakBarName();
		TwBar* bar = TwNewBar( name.c_str() );
		mTweakBar = bar;
		TwAddVarRW( bar, "Timer", TW_TYPE_FLOAT, &mTimer, " group=Frame" );
		TwAddVarRW( bar, "Current Frame", TW_TYPE_INT32, &mCurrentFrame, " group=Frame" );
		TwAddVarRW( bar, "Start Frame", TW_TYPE_INT32, &mStartFrame, " group=Frame" );
		TwAddVarRW( bar, "End Frame", TW_TYPE_INT32, &mEndFrame, " group=Frame" );
		TwAddVarRW( bar, "Pause", TW_TYPE_BOOLCPP, &mIsPausedAnimation, " group=Frame" );
		TwAddVarRW( bar, "Play Once", TW_TYPE_BOOLCPP, &mPlayOnce, " group=Frame" );
		TwAddVarRW( bar, "Play Once Reverse", TW_TYPE_BOOLCPP, &mPlayOnceReverse, " group=Frame" );
		TwAddVarRW( bar, "PlayOnceAndStayAtFrame", TW_TYPE_BOOLCPP, &mStayAtEndFrame, " group=Frame" );
	}

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
