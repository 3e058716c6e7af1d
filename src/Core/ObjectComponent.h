#pragma once

#include "Core/Properties.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <string>

namespace pugi
{
	class xml_node;
}
struct TwBar;

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

	// A part of an object: data that a service works on. Created by its object's
	// component table, which owns and deletes it. What it keeps is declared once in its
	// Properties table; writing, reading and its tweak bar follow from that.
	class ObjectComponent : private Noncopyable, public IsSerialisable
	{
	public:
		explicit ObjectComponent( Object* owner ) : mOwner( owner ) {}
		// Takes the component's bar with it: no bar outlives the members it shows.
		~ObjectComponent() override;

		// Writes the component's element, its name and its declared properties, as the
		// fragment of the record's exchange.
		void Serialise( ResourceRecord& record ) override;
		// Reads the declared properties back from the fragment of the record's exchange.
		void Deserialise( ResourceRecord& record ) override;
		// Builds the bar "<object>'s <component>" from the declared entries; a bar of that
		// name built before is emptied first. A component that declares no entries has none.
		virtual void CreateTweakBar();
		virtual TweakCallback GetTweakCallback() { return nullptr; }
		virtual void Initialise() = 0;
		virtual void Shutdown() = 0;

		// What the component keeps, in the order it is written; none unless it declares it.
		virtual const ComponentProperties& Properties() const;

		// The button callback that opens a component's bar, for a component that offers
		// one; its client data is the component.
		static void OpenTweakBar( void* clientData );
		void DeleteTweakBar();

		Object* GetOwner() const { return mOwner; }
		// The name of the component's tweak bar: "<object>'s <component type>".
		std::string TweakBarName() const;
		const HashedName& GetType() const { return mType; }

		Object* mOwner;
		bool mInitialised = false;
		HashedName mType{ "" };
		// The component's bar while it shows one.
		TwBar* mTweakBar = nullptr;

	protected:
		// Called once the declared properties are read, for the few components that must
		// act on what they read (load the named texture, rebuild a shape); `element` is
		// the component's element, empty when there was none.
		virtual void OnDeserialised( const pugi::xml_node& element );
		// The bar of a component whose entries are another class's table.
		void BuildTweakBar( const ComponentProperties& table );
	};
}
