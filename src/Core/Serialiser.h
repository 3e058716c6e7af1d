#pragma once

#include "Utilities/FileSystem.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"

#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Tarn
{
	// The text of a value in the XML form shared by every object and component.
	namespace ValueText
	{
		// Widened to double, six significant digits as a stream writes it by default:
		// 0.1 stays "0.1", 1000000 is "1e+06".
		std::string FromFloat( float value );
		// "%u": -1 is "4294967295".
		std::string FromInt( int32_t value );
		const char* FromBool( bool value );

		float ToFloat( const char* text );
		// Reads the unsigned form back to the same 32 bits, so -1 survives the trip.
		int32_t ToInt( const char* text );
		// True whenever the text contains "true", in that case.
		bool ToBool( const char* text );
	}

	// Hands the XML of levels, objects and components between the steps of a load or a
	// save. Each step leaves its fragment with the exchange of a type (one per exchange
	// file of the user folder) and the next step takes it from there, in memory. The
	// exchange files still receive the last fragment of their type, written once when
	// the load or save ends (a Batch); a step taken on its own writes its file at once.
	class Serialiser : private Noncopyable
	{
	public:
		static Serialiser& Instance();

		// A load or save in progress. While one is open, fragments stay in memory; when
		// the outermost ends, each exchange file that received a fragment is written
		// with the last one.
		class Batch : private Noncopyable
		{
		public:
			Batch();
			~Batch();
		};

		// Empties the fragment of the record's exchange and gives its new
		// "ObjectComponent" element, named after the type.
		pugi::xml_node BeginComponent( const ResourceRecord& record, const HashedName& type );
		// Hands the fragment over to whatever reads the record next.
		void EndComponent( const ResourceRecord& record );
		// The "ObjectComponent" element handed over for the record in this batch, else
		// the one of its file (empty when there is none).
		pugi::xml_node LoadComponent( const ResourceRecord& record );

		// Likewise for the "Object" element, its "Type" first and its "ObjectName" last.
		pugi::xml_node BeginObject( const ResourceRecord& record, const HashedName& type, const HashedName& name );
		void EndObject( const ResourceRecord& record );
		// The object fragment handed over for the record, else its file; gives its root
		// element, from which ExtractComponent copies.
		pugi::xml_node LoadObject( const ResourceRecord& record );

		// Loads a level file as the level document; gives its root element.
		pugi::xml_node LoadLevel( const std::string& path );
		// Takes a level document read already, as LoadLevel would have read it.
		pugi::xml_node TakeLevel( pugi::xml_document&& document );
		const pugi::xml_document& LevelDocument() const { return mLevelDocument; }
		// The first element of the level's root whose "ObjectName" is objectName; empty
		// when there is none.
		pugi::xml_node FindLevelObject( const char* objectName );

		// Copies the element of the level's root whose "ObjectName" is objectName to the
		// "ObjectDefault" exchange; an empty fragment when there is none.
		void ExtractObject( const char* objectName );
		// Copies the element of the object's root whose "Name" is typeName to the
		// exchange of that file; an empty fragment when there is none.
		void ExtractComponent( const char* typeName, const char* exchangeFile );
		// Appends a copy of each top-level node of the exchange's fragment (or of the
		// file, outside a batch) under the current element.
		void AppendFileContents( const char* file );

		void SetCurrentElement( pugi::xml_node element ) { mCurrentElement = element; }
		pugi::xml_node GetCurrentElement() const { return mCurrentElement; }

		// A missing or unreadable file loads as an empty document and logs a warning with
		// the path; an empty file is an empty document without one.
		static bool LoadDocument( pugi::xml_document& document, const std::string& path );
		// Saves through a temporary file, so a failed save keeps the old content.
		static bool SaveDocument( const pugi::xml_document& document, const std::string& path,
		                          FileSystem::Replace replace = FileSystem::Replace::Durably );

	private:
		struct Exchange
		{
			pugi::xml_document mFragment;
			// Handed over in the open batch and not yet written to its file.
			bool mPending = false;
		};

		Serialiser() = default;

		Exchange& ExchangeFor( std::string_view path );
		// The exchange of the path when it holds a fragment handed over in this batch.
		Exchange* Pending( std::string_view path );
		// Empties the fragment, and forgets an object root taken from it.
		void Empty( Exchange& exchange );
		void HandOver( Exchange& exchange );
		void WritePending();
		void TakeObjectRoot( pugi::xml_node root, const Exchange* source );

		std::map<std::string, std::unique_ptr<Exchange>, std::less<>> mExchanges;
		int mBatchDepth = 0;
		// A component or object read from its file, outside a batch.
		pugi::xml_document mComponentDocument;
		pugi::xml_document mObjectDocument;
		pugi::xml_node mObjectRoot;
		const Exchange* mObjectSource = nullptr;
		pugi::xml_document mLevelDocument;
		// The level's objects by name, built when first asked for.
		std::unordered_map<std::string, pugi::xml_node> mLevelIndex;
		bool mLevelIndexed = false;
		pugi::xml_node mCurrentElement;
	};
}
