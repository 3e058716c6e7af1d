#pragma once

#include "core/Colour.h"
#include "core/HashedName.h"
#include "core/Noncopyable.h"
#include "core/Vector2.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>

namespace Tarn
{
	struct ResourceRecord;

	// The text of a value in the XML form shared by every object and component.
	namespace ValueText
	{
		// Widened to double, default stream formatting: 0.1 stays "0.1", 1000000 is "1e+06".
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

	// Property elements inside a component element: one child named after the member
	// without its "m", the value in an attribute named after the member ("mLifeSpan"),
	// or one attribute per part ("mPosition.X", "mPosition.Y"; ".r" to ".a").
	namespace Property
	{
		void WriteFloat( pugi::xml_node parent, const char* element, const char* member, float value );
		void WriteInt( pugi::xml_node parent, const char* element, const char* member, int32_t value );
		void WriteBool( pugi::xml_node parent, const char* element, const char* member, bool value );
		void WriteString( pugi::xml_node parent, const char* element, const char* member, const std::string& value );
		void WriteVector2( pugi::xml_node parent, const char* element, const char* member, const Vector2& value );
		void WriteColour( pugi::xml_node parent, const char* element, const char* member, const Colour& value );

		// A missing element or attribute reads as empty text: 0, 0.0, false, "".
		float ReadFloat( pugi::xml_node parent, const char* element, const char* member );
		int32_t ReadInt( pugi::xml_node parent, const char* element, const char* member );
		bool ReadBool( pugi::xml_node parent, const char* element, const char* member );
		std::string ReadString( pugi::xml_node parent, const char* element, const char* member );
		Vector2 ReadVector2( pugi::xml_node parent, const char* element, const char* member );
		Colour ReadColour( pugi::xml_node parent, const char* element, const char* member );
	}

	// Keeps the working documents through which levels, objects and components pass
	// their XML, one exchange file per type, and the element now being written to.
	class Serialiser : private Noncopyable
	{
	public:
		static Serialiser& Instance();

		// Empties the component document and gives its new "ObjectComponent" element.
		pugi::xml_node BeginComponent( const HashedName& type );
		// Saves the component document to the record's file; nothing for an empty path.
		bool SaveComponent( const ResourceRecord& record );
		// Loads the record's file and gives its "ObjectComponent" element (empty when
		// the file holds none).
		pugi::xml_node LoadComponent( const ResourceRecord& record );

		// Empties the object document and gives its new "Object" element.
		pugi::xml_node BeginObject( const HashedName& type, const HashedName& name );
		bool SaveObject( const ResourceRecord& record );
		// Loads the file as the object document; gives its root element.
		pugi::xml_node LoadObject( const ResourceRecord& record );

		// Loads a level file as the level document; gives its root element.
		pugi::xml_node LoadLevel( const std::string& path );
		pugi::xml_document& LevelDocument() { return mLevelDocument; }

		// Copies the element of the level's root whose "ObjectName" is objectName into
		// the "ObjectDefault" exchange file; an empty document when there is none.
		void ExtractObject( const char* objectName );
		// Copies the element of the object's root whose "Name" is typeName into the
		// exchange file; an empty document when there is none.
		void ExtractComponent( const char* typeName, const char* exchangeFile );
		// Appends a copy of each top-level node of the file under the current element.
		void AppendFileContents( const char* file );

		void SetCurrentElement( pugi::xml_node element ) { mCurrentElement = element; }
		pugi::xml_node GetCurrentElement() const { return mCurrentElement; }

		// A missing or unreadable file loads as an empty document and logs a warning with
		// the path; an empty file is an empty document without one.
		static bool LoadDocument( pugi::xml_document& document, const std::string& path );
		// Saves through a temporary file, so a failed save keeps the old content.
		static bool SaveDocument( const pugi::xml_document& document, const std::string& path );

	private:
		Serialiser() = default;

		pugi::xml_document mComponentDocument;
		pugi::xml_document mObjectDocument;
		pugi::xml_document mLevelDocument;
		pugi::xml_node mCurrentElement;
	};
}
