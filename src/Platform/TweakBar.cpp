#include "Platform/TweakBar.h"

#include <algorithm>
#include <memory>

struct TwBar
{
	Platform::TweakBarData mData;
};

namespace Platform
{
	namespace
	{
		TweakBarState& State()
		{
			static TweakBarState state;
			return state;
		}

		std::vector<std::unique_ptr<TwBar>>& Bars()
		{
			static std::vector<std::unique_ptr<TwBar>> bars;
			return bars;
		}

		TwBar* FindBar( const std::string& name )
		{
			for ( auto& bar : Bars() )
				if ( bar->mData.mName == name )
					return bar.get();
			return nullptr;
		}
	}

	const TweakEntry* TweakBarData::Find( const std::string& name ) const
	{
		for ( const TweakEntry& entry : mEntries )
			if ( entry.mName == name )
				return &entry;
		return nullptr;
	}

	const TweakBarState& TweakBars() { return State(); }

	const TweakBarData* FindTweakBar( const std::string& name )
	{
		const TwBar* bar = FindBar( name );
		return bar ? &bar->mData : nullptr;
	}

	const TweakBarData& TweakBarContents( const TwBar* bar ) { return bar->mData; }

	bool PressTweakButton( const std::string& barName, const std::string& button )
	{
		const TwBar* bar = FindBar( barName );
		const TweakEntry* entry = bar ? bar->mData.Find( button ) : nullptr;
		if ( !entry || !entry->mCallback )
			return false;
		entry->mCallback( entry->mClientData );
		return true;
	}
}

using Platform::State;

bool TwInit()
{
	State().mInitialised = true;
	return true;
}

bool TwTerminate()
{
	Platform::Bars().clear();
	State() = Platform::TweakBarState();
	return true;
}

int TwWindowSize( int width, int height )
{
	State().mWidth = width;
	State().mHeight = height;
	return 1;
}

TwBar* TwNewBar( const char* name )
{
	const std::string barName = name ? name : "";
	// A bar built again under its name is the same bar, emptied: what is added to it now
	// replaces what it showed, never stands beside it.
	if ( TwBar* existing = Platform::FindBar( barName ) )
	{
		existing->mData.mEntries.clear();
		existing->mData.mDefines.clear();
		return existing;
	}
	auto bar = std::make_unique<TwBar>();
	bar->mData.mName = barName;
	TwBar* pointer = bar.get();
	Platform::Bars().push_back( std::move( bar ) );
	State().mOrder.push_back( pointer );
	return pointer;
}

int TwDeleteBar( TwBar* bar )
{
	auto& bars = Platform::Bars();
	auto found = std::find_if( bars.begin(), bars.end(), [bar]( const auto& owned ) { return owned.get() == bar; } );
	if ( found == bars.end() )
		return 0;
	std::erase( State().mOrder, bar );
	bars.erase( found );
	return 1;
}

int TwAddVarRW( TwBar* bar, const char* name, TwType type, void* variable, const char* definition )
{
	if ( !bar || !name || !variable )
		return 0;
	Platform::TweakEntry entry;
	entry.mName = name;
	entry.mType = type;
	entry.mVariable = variable;
	entry.mDefinition = definition ? definition : "";
	bar->mData.mEntries.push_back( std::move( entry ) );
	return 1;
}

int TwAddButton( TwBar* bar, const char* name, TwButtonCallback callback, void* clientData, const char* definition )
{
	if ( !bar || !name )
		return 0;
	Platform::TweakEntry entry;
	entry.mName = name;
	entry.mCallback = callback;
	entry.mClientData = clientData;
	entry.mDefinition = definition ? definition : "";
	bar->mData.mEntries.push_back( std::move( entry ) );
	return 1;
}

int TwRemoveVar( TwBar* bar, const char* name )
{
	if ( !bar || !name )
		return 0;
	auto& entries = bar->mData.mEntries;
	const auto before = entries.size();
	std::erase_if( entries, [name]( const Platform::TweakEntry& entry ) { return entry.mName == name; } );
	return entries.size() != before ? 1 : 0;
}

int TwDefine( const char* definition )
{
	if ( !definition )
		return 0;
	std::string text = definition;
	const size_t start = text.find_first_not_of( ' ' );
	if ( start == std::string::npos )
		return 0;
	// The bar's name runs to the first blank or slash; names may be quoted.
	std::string barName;
	if ( text[start] == '\'' || text[start] == '"' )
	{
		const size_t close = text.find( text[start], start + 1 );
		barName = text.substr( start + 1, close == std::string::npos ? std::string::npos : close - start - 1 );
	}
	else
	{
		const size_t end = text.find_first_of( " /", start );
		barName = text.substr( start, end == std::string::npos ? std::string::npos : end - start );
	}
	if ( TwBar* bar = Platform::FindBar( barName ) )
		bar->mData.mDefines.push_back( text );
	else
		State().mGlobalDefines.push_back( text );
	return 1;
}

TwType TwDefineEnumFromString( const char* name, const char* enumString )
{
	Platform::TweakEnum definition;
	definition.mName = name ? name : "";
	std::string labels = enumString ? enumString : "";
	size_t from = 0;
	while ( from <= labels.size() )
	{
		const size_t comma = labels.find( ',', from );
		std::string label = labels.substr( from, comma == std::string::npos ? std::string::npos : comma - from );
		const size_t first = label.find_first_not_of( ' ' );
		const size_t last = label.find_last_not_of( ' ' );
		definition.mLabels.push_back( first == std::string::npos ? "" : label.substr( first, last - first + 1 ) );
		if ( comma == std::string::npos )
			break;
		from = comma + 1;
	}
	auto& enums = State().mEnums;
	for ( auto& [type, existing] : enums )
		if ( existing.mName == definition.mName )
		{
			existing = definition;
			return type;
		}
	const TwType type = static_cast<TwType>( TW_TYPE_FIRST_ENUM + static_cast<int>( enums.size() ) );
	enums[type] = std::move( definition );
	return type;
}

void TwCopyStdStringToClientFunc( TwCopyStdStringToClient copy ) { State().mCopyString = copy; }
