#pragma once

#include "Core/ObjectComponent.h"
#include "Core/ObjectComponentTable.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"

namespace Physics
{
	class CollisionComponent;
}
struct TwBar;

namespace Tarn
{

	// Everything that exists in a level: a named, typed set of components. The object
	// manager owns every object; the class decides in Initialise what it carries.
	class Object : private Noncopyable, public IsSerialisable
	{
	public:
		Object() : mComponents( this ) {}
		// Takes the object's bar with it.
		~Object() override;

		// Writes the object element, with the element of every component that has an
		// exchange, as the fragment of the "ObjectDefault" exchange.
		void Serialise( ResourceRecord& record ) override;
		// Reads every component that has an exchange back from the object element that
		// `record` holds (the fragment handed over to it, or its file).
		void Deserialise( ResourceRecord& record ) override;
		virtual bool ToggleFlag()
		{
			mFlag = !mFlag;
			return mFlag;
		}
		virtual void CreateTweakBar() {}
		virtual void OnCollisionStart( Physics::CollisionComponent* ) {}
		virtual void OnCollisionStay( Physics::CollisionComponent* ) {}
		virtual void OnCollisionEnd( Physics::CollisionComponent* ) {}
		// Adds the object's components in its fixed order and initialises them.
		virtual void Initialise() = 0;
		// The object's last word before it is deleted.
		virtual void Shutdown() = 0;

		void DeleteTweakBar();
		// The bar of an object that opens its components' bars: named after the object,
		// one button per component, labelled with its type, and a "Save" button that
		// writes the object to the file registered under its type name.
		void CreateObjectTweakBar();
		// Writes the object to the file registered under its type name; false, with a
		// warning, when there is none.
		bool SaveToTypeFile();

		const HashedName& GetName() const { return mName; }
		const HashedName& GetType() const { return mType; }
		bool IsType( const char* type ) const { return mType.GetName() == type; }

		template <typename T>
		T* GetComponent() const
		{
			return mComponents.GetComponent<T>();
		}

		ObjectComponentTable mComponents;
		HashedName mName{ "" };
		bool mFlag = false;
		bool mInitialised = false;
		HashedName mType{ "" };
		// The object's bar in the property editor; none until it makes one.
		TwBar* mTweakBar = nullptr;
	};
}
