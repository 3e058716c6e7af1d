#pragma once

#include "Core/TypeRegistry.h"
#include "Utilities/FileSystem.h"
#include "core/Vector2.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace Tarn
{
	class LevelObject;
	class Object;
}

namespace KelvaneTest
{
	// The exchange files every level test passes its objects through.
	Tarn::FileSystem& LevelFileSystem();

	// Points registered resources at other files for the life of the object and puts
	// them back afterwards; an ID that was not registered is registered for it.
	class ScopedResources
	{
	public:
		void Point( const char* id, const std::string& path );
		~ScopedResources();

	private:
		std::vector<std::pair<std::string, Tarn::ResourceRecord>> mSaved;
	};

	// Registers a test's own object class under its class name, once for the process.
	template <typename T>
	void RegisterObjectType()
	{
		Tarn::TypeRegistry& types = Tarn::TypeRegistry::Instance();
		if ( !types.HasObjectType( T::ClassHashedName() ) )
			types.RegisterObjectType( T::ClassHashedName(), []() -> Tarn::Object* { return new T(); } );
	}

	// An object of a registered type made and initialised through the object manager.
	Tarn::Object* MakeObject( const char* type, const char* name );

	// An object made as MakeObject makes it, standing at `position` (where it was, too)
	// and held by the level, so that the level's file keeps it. Null for a type that no
	// class registered.
	Tarn::Object* AddToLevel( Tarn::LevelObject& level, const char* type, const char* name, Tarn::Vector2 position );

	// Fills a level with the first level of the game (tests/support/campaign/Level1.cpp):
	// the arena's line bounds, its walls, a few prisms, two switches and the gate.
	void BuildFirstLevel( Tarn::LevelObject& level );
	// How many objects the first level holds, as BuildFirstLevel makes it.
	inline constexpr size_t kFirstLevelObjects = 31;
}
