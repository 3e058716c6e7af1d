#pragma once

#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Tarn
{
	class Object;
	class ObjectComponent;
	class GameState;

	using ObjectCreator = Object* (*)();
	using ComponentCreator = ObjectComponent* (*)( Object* owner );
	using StateCreator = GameState* (*)();

	// The classes of objects, components and states by class name. Each class
	// registers itself from a static initialiser of its own file (the macros below);
	// the engine is an object library, so every such file reaches the executable.
	class TypeRegistry : private Noncopyable
	{
	public:
		static TypeRegistry& Instance();

		// False, and the first registration stays, when the name (or its hash) is taken;
		// the refused name is kept, so that --list-types shows the clash.
		bool RegisterObjectType( const HashedName& type, ObjectCreator creator );
		bool RegisterComponentType( const HashedName& type, ComponentCreator creator );
		bool RegisterStateType( const HashedName& type, StateCreator creator );

		// Null for a type that no class registered.
		Object* CreateObject( const HashedName& type ) const;
		ObjectComponent* CreateComponent( const HashedName& type, Object* owner ) const;
		GameState* CreateState( const HashedName& type ) const;

		bool HasObjectType( const HashedName& type ) const { return mObjectTypes.count( type.GetHash() ) != 0; }
		bool HasComponentType( const HashedName& type ) const { return mComponentTypes.count( type.GetHash() ) != 0; }
		bool HasStateType( const HashedName& type ) const { return mStateTypes.count( type.GetHash() ) != 0; }

		// The registered names, sorted by name.
		std::vector<std::string> ObjectTypeNames() const;
		std::vector<std::string> ComponentTypeNames() const;
		std::vector<std::string> StateTypeNames() const;

		template <typename Creator>
		struct Entry
		{
			HashedName mName;
			Creator mCreator;
		};

		std::map<uint32_t, Entry<ObjectCreator>> mObjectTypes;
		std::map<uint32_t, Entry<ComponentCreator>> mComponentTypes;
		std::map<uint32_t, Entry<StateCreator>> mStateTypes;
		std::vector<std::string> mRefused;

	private:
		TypeRegistry() = default;
	};
}

#define TARN_REGISTRATION_NAME( Class ) sTarnRegistered##Class

// Used at namespace scope in the class's own source file, inside its namespace.
#define TARN_REGISTER_OBJECT_TYPE( Class )                                                           \
	[[maybe_unused]] static const bool TARN_REGISTRATION_NAME( Class ) =                             \
	    ::Tarn::TypeRegistry::Instance().RegisterObjectType( Class::ClassHashedName(),               \
	                                                         []() -> ::Tarn::Object* { return new Class(); } );

#define TARN_REGISTER_COMPONENT_TYPE( Class )                                                        \
	[[maybe_unused]] static const bool TARN_REGISTRATION_NAME( Class ) =                             \
	    ::Tarn::TypeRegistry::Instance().RegisterComponentType(                                      \
	        Class::ClassHashedName(), []( ::Tarn::Object* owner ) -> ::Tarn::ObjectComponent* { return new Class( owner ); } );

#define TARN_REGISTER_STATE_TYPE( Class )                                                            \
	[[maybe_unused]] static const bool TARN_REGISTRATION_NAME( Class ) =                             \
	    ::Tarn::TypeRegistry::Instance().RegisterStateType( Class::ClassHashedName(),                \
	                                                        []() -> ::Tarn::GameState* { return new Class(); } );
