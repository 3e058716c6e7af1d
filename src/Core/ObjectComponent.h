#pragma once

#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <string>

namespace Tarn
{
	class Object;
	struct ResourceRecord;

	// Whatever can write itself to the file a record names and read itself back.
	class IsSerialisable
	{
	public:
		virtual ~IsSerialisable() = default;
		virtual void Serialise( ResourceRecord& record ) = 0;
		virtual void Deserialise( ResourceRecord& record ) = 0;
	};

	// The button callback of the property editor.
	using TweakCallback = void ( * )( void* clientData );

	// A part of an object: data that a service works on. Created by its object's
	// component table, which owns and deletes it.
	class ObjectComponent : private Noncopyable, public IsSerialisable
	{
	public:
		explicit ObjectComponent( Object* owner ) : mOwner( owner ) {}
		~ObjectComponent() override = default;

		void Serialise( ResourceRecord& ) override {}
		void Deserialise( ResourceRecord& ) override {}
		virtual void CreateTweakBar() {}
		virtual TweakCallback GetTweakCallback() { return nullptr; }
		virtual void Initialise() = 0;
		virtual void Shutdown() = 0;

		Object* GetOwner() const { return mOwner; }
		// The name of the component's tweak bar: "<object>'s <component type>".
		std::string TweakBarName() const;
		const HashedName& GetType() const { return mType; }

		Object* mOwner;
		bool mInitialised = false;
		HashedName mType{ "" };
	};
}
