#include "Game/PuzzleObjects.h"

#include "Core/TypeRegistry.h"
#include "Graphics/AnimationComponent.h"
#include "Graphics/ColourGlyphComponent.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/CollisionComponent.h"
#include "StateMachines/GateComponent.h"
#include "StateMachines/GateRoutines.h"
#include "StateMachines/SwitchComponent.h"
#include "StateMachines/SwitchRoutines.h"

#include <span>

namespace Tarn
{
	TARN_REGISTER_OBJECT_TYPE( Switch )
	TARN_REGISTER_OBJECT_TYPE( Gate )
}

namespace StateMachines
{
	TARN_REGISTER_OBJECT_TYPE( EnemyGate )
}

namespace
{
	using Graphics::ColourGlyphComponent;

	// How the glyphs stand: their size and spacing, and the row's place from the
	// owner's centre, in world units.
	struct GlyphPlace
	{
		ColourGlyphComponent::Source mSource;
		Tarn::Vector2 mOffset;
		float mSize;
		float mSpacing;
	};

	// What a piece of furniture is made of and how it starts. A level read afterwards
	// may change any of the values.
	struct SetUp
	{
		std::span<const char* const> mComponents; // in this order
		const char* mTexture;
		int32_t mDrawOrder;
		GlyphPlace mGlyphs;
	};

	// A switch shows its own colour on its face.
	ColourGlyphComponent::Row SwitchGlyphs( const Tarn::Object& owner )
	{
		ColourGlyphComponent::Row row;
		if ( const auto* machine = owner.GetComponent<StateMachines::SwitchComponent>() )
			row.Add( { machine->mSwitchColour, 1.0f, 1.0f } );
		return row;
	}

	// A gate shows the colours it wants in order above itself: those matched faint, the
	// one it wants next larger and full, those after it a little faint.
	constexpr float kMatchedAlpha = 0.35f;
	constexpr float kLaterAlpha = 0.75f;
	constexpr float kWantedScale = 1.3f;

	ColourGlyphComponent::Row GateGlyphs( const Tarn::Object& owner )
	{
		ColourGlyphComponent::Row row;
		const auto* gate = owner.GetComponent<StateMachines::GateComponent>();
		if ( !gate )
			return row;
		const int32_t count = gate->TargetCount();
		for ( int32_t i = 0; i < count; ++i )
		{
			const int32_t code = gate->mTargetList[static_cast<size_t>( i )];
			if ( i < gate->mTargetPosition )
				row.Add( { code, kMatchedAlpha, 1.0f } );
			else if ( i == gate->mTargetPosition )
				row.Add( { code, 1.0f, kWantedScale } );
			else
				row.Add( { code, kLaterAlpha, 1.0f } );
		}
		return row;
	}

	constexpr const char* kSwitchParts[] = { "TransformComponent",       "MeshComponent",   "CollisionComponent",
		                                     "CollisionDebugComponent",  "ObjectiveMarkerComponent",
		                                     "SwitchComponent",          "EmitterComponent", "ColourGlyphComponent" };
	constexpr const char* kGateParts[] = { "TransformComponent",      "MeshComponent",      "CollisionComponent",
		                                   "GateComponent",           "CollisionDebugComponent", "AnimationComponent",
		                                   "EmitterComponent",        "ColourGlyphComponent" };
	constexpr const char* kEnemyGateParts[] = { "TransformComponent",      "MeshComponent",      "CollisionComponent",
		                                        "GateComponent",           "CollisionDebugComponent", "AnimationComponent",
		                                        "ColourGlyphComponent" };

	const SetUp kSwitch{ kSwitchParts, StateMachines::kSwitchTexture, 1, { &SwitchGlyphs, { 0.0f, 0.0f }, 0.7f, 0.0f } };
	const SetUp kGate{ kGateParts, Tarn::Gate::kTexture, 2, { &GateGlyphs, { 0.0f, 1.9f }, 0.75f, 0.95f } };
	const SetUp kEnemyGate{ kEnemyGateParts, Tarn::Gate::kTexture, 2, { &GateGlyphs, { 0.0f, 1.3f }, 0.6f, 0.75f } };

	void Assemble( Tarn::Object& object, const SetUp& setUp )
	{
		object.mComponents.AddComponents( setUp.mComponents );
		if ( auto* mesh = object.GetComponent<Graphics::MeshComponent>() )
		{
			mesh->SetTexture( setUp.mTexture );
			mesh->mDrawOrder = setUp.mDrawOrder;
			mesh->mVisible = true;
		}
		if ( auto* glyphs = object.GetComponent<ColourGlyphComponent>() )
		{
			glyphs->mSource = setUp.mGlyphs.mSource;
			glyphs->mOffset = setUp.mGlyphs.mOffset;
			glyphs->mSize = setUp.mGlyphs.mSize;
			glyphs->mSpacing = setUp.mGlyphs.mSpacing;
		}
	}

	// Both kinds of gate show the gate's sheet, held shut until their machine opens it.
	void ShowShutGate( Tarn::Object& gate )
	{
		if ( auto* animation = gate.GetComponent<Graphics::AnimationComponent>() )
		{
			animation->SetAnimation( Tarn::Gate::kSheetXml, Tarn::Gate::kSheetPng );
			if ( !animation->GetAnimationFrames().empty() )
				animation->SetFrame( 0 );
		}
	}

	void CatchIfSpark( Tarn::Object& gate, Physics::CollisionComponent* other )
	{
		if ( other && other->mOwner && other->mOwner->IsType( "SwitchEffect" ) )
			StateMachines::SparkMeetsGate( *other, gate );
	}
}

namespace Tarn
{
	void Switch::Initialise() { Assemble( *this, kSwitch ); }

	void Gate::Initialise()
	{
		Assemble( *this, kGate );
		ShowShutGate( *this );
		// It swirls in the colour it wants until it opens.
		if ( auto* emitter = GetComponent<Graphics::EmitterComponent>() )
			emitter->ApplyPreset( "Gate" );
	}

	void Gate::OnCollisionStay( Physics::CollisionComponent* other ) { CatchIfSpark( *this, other ); }
}

namespace StateMachines
{
	void EnemyGate::Initialise()
	{
		Assemble( *this, kEnemyGate );
		ShowShutGate( *this );
	}

	void EnemyGate::OnCollisionStay( Physics::CollisionComponent* other ) { CatchIfSpark( *this, other ); }
}
