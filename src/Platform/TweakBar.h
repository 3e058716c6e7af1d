#pragma once

// The tweak-bar layer: bars of named entries bound to the program's variables,
// buttons and enumerations. The bars are kept as data here, whatever draws them, so
// that every component can build its bar and tests can read it.

#include <functional>
#include <map>
#include <string>
#include <vector>

enum TwType
{
	TW_TYPE_UNDEF = 0,
	TW_TYPE_BOOLCPP,
	TW_TYPE_CHAR,
	TW_TYPE_INT8,
	TW_TYPE_UINT8,
	TW_TYPE_INT16,
	TW_TYPE_UINT16,
	TW_TYPE_INT32,
	TW_TYPE_UINT32,
	TW_TYPE_FLOAT,
	TW_TYPE_DOUBLE,
	TW_TYPE_COLOR32,
	TW_TYPE_COLOR3F,
	TW_TYPE_COLOR4F,
	TW_TYPE_STDSTRING,
	TW_TYPE_DIR3F,
	TW_TYPE_QUAT4F,
	TW_TYPE_FIRST_ENUM = 0x100, // enumerations defined by the program count up from here
};

struct TwBar;
using TwButtonCallback = void ( * )( void* clientData );
using TwCopyStdStringToClient = void ( * )( std::string& destination, const std::string& source );

bool TwInit();
bool TwTerminate();
int TwWindowSize( int width, int height );
// A bar of a name that exists already is emptied and given back: building a bar again
// replaces its entries.
TwBar* TwNewBar( const char* name );
// Nothing for a bar that no longer exists (after TwTerminate, say).
int TwDeleteBar( TwBar* bar );
int TwAddVarRW( TwBar* bar, const char* name, TwType type, void* variable, const char* definition );
int TwAddButton( TwBar* bar, const char* name, TwButtonCallback callback, void* clientData, const char* definition );
int TwRemoveVar( TwBar* bar, const char* name );
// "BarName option=value ..." or "BarName/EntryName option=value ..."
int TwDefine( const char* definition );
// enumString: "A,B,C" gives the values 0, 1, 2.
TwType TwDefineEnumFromString( const char* name, const char* enumString );
void TwCopyStdStringToClientFunc( TwCopyStdStringToClient copy );

namespace Platform
{
	struct TweakEntry
	{
		std::string mName;
		TwType mType = TW_TYPE_UNDEF;
		void* mVariable = nullptr; // null for a button
		TwButtonCallback mCallback = nullptr;
		void* mClientData = nullptr;
		std::string mDefinition;
	};

	struct TweakEnum
	{
		std::string mName;
		std::vector<std::string> mLabels;
	};

	struct TweakBarData
	{
		std::string mName;
		std::vector<TweakEntry> mEntries;  // in order of addition
		std::vector<std::string> mDefines; // every TwDefine naming this bar, in order
		const TweakEntry* Find( const std::string& name ) const;
	};

	struct TweakBarState
	{
		bool mInitialised = false;
		int mWidth = 0, mHeight = 0;
		std::vector<TwBar*> mOrder; // bars in order of creation
		std::map<TwType, TweakEnum> mEnums;
		std::vector<std::string> mGlobalDefines;
		TwCopyStdStringToClient mCopyString = nullptr;
	};

	const TweakBarState& TweakBars();
	const TweakBarData* FindTweakBar( const std::string& name );
	const TweakBarData& TweakBarContents( const TwBar* bar );
	// Presses a button of a bar as a user would; false when there is none of that name.
	bool PressTweakButton( const std::string& bar, const std::string& button );
}
