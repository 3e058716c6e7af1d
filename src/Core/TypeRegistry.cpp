#include "Core/TypeRegistry.h"

#include <algorithm>

namespace Tarn
{
	namespace
	{
		template <typename Map, typename Creator>
		bool Register( Map& map, const HashedName& type, Creator creator, std::vector<std::string>& refused )
		{
			if ( !creator || map.count( type.GetHash() ) != 0 )
			{
				refused.push_back( type.GetName() );
				return false;
			}
			map.emplace( type.GetHash(), typename Map::mapped_type{ type, creator } );
			return true;
		}

		template <typename Map>
		std::vector<std::string> Names( const Map& map )
		{
			std::vector<std::string> names;
			for ( const auto& entry : map )
				names.push_back( entry.second.mName.GetName() );
			std::sort( names.begin(), names.end() );
			return names;
		}
	}

	TypeRegistry& TypeRegistry::Instance()
	{
		static TypeRegistry registry;
		return registry;
	}

	bool TypeRegistry::RegisterObjectType( const HashedName& type, ObjectCreator creator )
	{
		return Register( mObjectTypes, type, creator, mRefused );
	}

	bool TypeRegistry::RegisterComponentType( const HashedName& type, ComponentCreator creator )
	{
		return Register( mComponentTypes, type, creator, mRefused );
	}

	bool TypeRegistry::RegisterStateType( const HashedName& type, StateCreator creator )
	{
		return Register( mStateTypes, type, creator, mRefused );
	}

	Object* TypeRegistry::CreateObject( const HashedName& type ) const
	{
		const auto found = mObjectTypes.find( type.GetHash() );
		return found == mObjectTypes.end() ? nullptr : found->second.mCreator();
	}

	ObjectComponent* TypeRegistry::CreateComponent( const HashedName& type, Object* owner ) const
	{
		const auto found = mComponentTypes.find( type.GetHash() );
		return found == mComponentTypes.end() ? nullptr : found->second.mCreator( owner );
	}

	GameState* TypeRegistry::CreateState( const HashedName& type ) const
	{
		const auto found = mStateTypes.find( type.GetHash() );
		return found == mStateTypes.end() ? nullptr : found->second.mCreator();
	}

	std::vector<std::string> TypeRegistry::ObjectTypeNames() const { return Names( mObjectTypes ); }
	std::vector<std::string> TypeRegistry::ComponentTypeNames() const { return Names( mComponentTypes ); }
	std::vector<std::string> TypeRegistry::StateTypeNames() const { return Names( mStateTypes ); }
}
