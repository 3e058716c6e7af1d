#pragma once

// Objects of a transform and one drawn component, for the tests that draw through the
// game: a sprite (a mesh) and a spark source (an emitter).

#include "Core/Object.h"
#include "Graphics/EmitterComponent.h"
#include "Graphics/MeshComponent.h"
#include "Physics/TransformComponent.h"

namespace KelvaneTest
{
	class SpriteObject : public Tarn::Object
	{
		TARN_CLASS_NAME( TestSpriteObject )

	public:
		void Initialise() override;
		void Shutdown() override {}
		Tarn::TransformComponent& Transform() { return *GetComponent<Tarn::TransformComponent>(); }
		Graphics::MeshComponent& Mesh() { return *GetComponent<Graphics::MeshComponent>(); }
	};

	class SparksObject : public Tarn::Object
	{
		TARN_CLASS_NAME( TestSparksObject )

	public:
		void Initialise() override;
		void Shutdown() override {}
		Tarn::TransformComponent& Transform() { return *GetComponent<Tarn::TransformComponent>(); }
		Graphics::EmitterComponent& Emitter() { return *GetComponent<Graphics::EmitterComponent>(); }
	};

	// Registers both object types, once.
	void RegisterDrawnObjects();
}
