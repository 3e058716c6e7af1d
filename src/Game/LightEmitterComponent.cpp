#include "Game/LightEmitterComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( LightEmitterComponent )

	namespace
	{
		// Each kind's tint, added to the mesh's white: cyan-blue, red, green, and a
		// bright white for the rest.
		struct LightKind
		{
			char mSixth;
			float mRed, mGreen, mBlue;
		};

		constexpr LightKind kKinds[] = {
			{ '0', 0.0f, 1.0f, 2.0f },
			{ '1', 1.0f, 0.0f, 0.0f },
			{ '2', 0.0f, 1.0f, 0.0f },
			{ '\0', 2.0f, 2.0f, 2.0f },
		};
		constexpr int32_t kOtherKind = 3;
		constexpr size_t kKindCharacter = 5;
	}

	int32_t LightEmitterComponent::KindOf( const std::string& name )
	{
		if ( name.size() > kKindCharacter )
			for ( int32_t kind = 0; kind < kOtherKind; ++kind )
				if ( name[kKindCharacter] == kKinds[kind].mSixth )
					return kind;
		return kOtherKind;
	}

	void LightEmitterComponent::Initialise()
	{
		MeshComponent::Initialise();
		SetTexture( kTexture );
		mColourKind = KindOf( mOwner ? mOwner->GetName().GetName() : std::string() );
		const LightKind& kind = kKinds[mColourKind];
		mColour.r += kind.mRed;
		mColour.g += kind.mGreen;
		mColour.b += kind.mBlue;
	}
}
