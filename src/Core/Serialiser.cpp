#include "Core/Serialiser.h"

#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace Tarn
{
	namespace ValueText
	{
		std::string FromFloat( float value )
		{
			std::ostringstream stream;
			stream << static_cast<double>( value );
			return stream.str();
		}

		std::string FromInt( int32_t value )
		{
			char text[16];
			std::snprintf( text, sizeof( text ), "%u", static_cast<uint32_t>( value ) );
			return text;
		}

		const char* FromBool( bool value ) { return value ? "true" : "false"; }

		float ToFloat( const char* text ) { return static_cast<float>( std::atof( text ? text : "" ) ); }

		int32_t ToInt( const char* text )
		{
			// Negative values are written in their unsigned form, beyond the range of a
			// signed read that would clamp them; read wide and keep the low 32 bits.
			const long long wide = std::strtoll( text ? text : "", nullptr, 10 );
			return static_cast<int32_t>( static_cast<uint32_t>( wide ) );
		}

		bool ToBool( const char* text ) { return text && std::strstr( text, "true" ) != nullptr; }
	}

	namespace Property
	{
		namespace
		{
			std::string Part( const char* member, const char* part ) { return std::string( member ) + part; }

			const char* Text( pugi::xml_node parent, const char* element, const char* attribute )
			{
				return parent.child( element ).attribute( attribute ).value();
			}
		}

		void WriteFloat( pugi::xml_node parent, const char* element, const char* member, float value )
		{
			parent.append_child( element ).append_attribute( member ).set_value( ValueText::FromFloat( value ).c_str() );
		}

		void WriteInt( pugi::xml_node parent, const char* element, const char* member, int32_t value )
		{
			parent.append_child( element ).append_attribute( member ).set_value( ValueText::FromInt( value ).c_str() );
		}

		void WriteBool( pugi::xml_node parent, const char* element, const char* member, bool value )
		{
			parent.append_child( element ).append_attribute( member ).set_value( ValueText::FromBool( value ) );
		}

		void WriteString( pugi::xml_node parent, const char* element, const char* member, const std::string& value )
		{
			parent.append_child( element ).append_attribute( member ).set_value( value.c_str() );
		}

		void WriteVector2( pugi::xml_node parent, const char* element, const char* member, const Vector2& value )
		{
			pugi::xml_node node = parent.append_child( element );
			node.append_attribute( Part( member, ".X" ).c_str() ).set_value( ValueText::FromFloat( value.X ).c_str() );
			node.append_attribute( Part( member, ".Y" ).c_str() ).set_value( ValueText::FromFloat( value.Y ).c_str() );
		}

		void WriteColour( pugi::xml_node parent, const char* element, const char* member, const Colour& value )
		{
			pugi::xml_node node = parent.append_child( element );
			node.append_attribute( Part( member, ".r" ).c_str() ).set_value( ValueText::FromFloat( value.r ).c_str() );
			node.append_attribute( Part( member, ".g" ).c_str() ).set_value( ValueText::FromFloat( value.g ).c_str() );
			node.append_attribute( Part( member, ".b" ).c_str() ).set_value( ValueText::FromFloat( value.b ).c_str() );
			node.append_attribute( Part( member, ".a" ).c_str() ).set_value( ValueText::FromFloat( value.a ).c_str() );
		}

		float ReadFloat( pugi::xml_node parent, const char* element, const char* member )
		{
			return ValueText::ToFloat( Text( parent, element, member ) );
		}

		int32_t ReadInt( pugi::xml_node parent, const char* element, const char* member )
		{
			return ValueText::ToInt( Text( parent, element, member ) );
		}

		bool ReadBool( pugi::xml_node parent, const char* element, const char* member )
		{
			return ValueText::ToBool( Text( parent, element, member ) );
		}

		std::string ReadString( pugi::xml_node parent, const char* element, const char* member )
		{
			return Text( parent, element, member );
		}

		Vector2 ReadVector2( pugi::xml_node parent, const char* element, const char* member )
		{
			return { ValueText::ToFloat( Text( parent, element, Part( member, ".X" ).c_str() ) ),
			         ValueText::ToFloat( Text( parent, element, Part( member, ".Y" ).c_str() ) ) };
		}

		Colour ReadColour( pugi::xml_node parent, const char* element, const char* member )
		{
			return { ValueText::ToFloat( Text( parent, element, Part( member, ".r" ).c_str() ) ),
			         ValueText::ToFloat( Text( parent, element, Part( member, ".g" ).c_str() ) ),
			         ValueText::ToFloat( Text( parent, element, Part( member, ".b" ).c_str() ) ),
			         ValueText::ToFloat( Text( parent, element, Part( member, ".a" ).c_str() ) ) };
		}
	}

	Serialiser& Serialiser::Instance()
	{
		static Serialiser serialiser;
		return serialiser;
	}

	bool Serialiser::LoadDocument( pugi::xml_document& document, const std::string& path )
	{
		document.reset();
		if ( path.empty() )
			return false;
		const std::string resolved = FileSystem::ResolvePath( path );
		std::FILE* file = std::fopen( resolved.c_str(), "rb" );
		if ( !file )
		{
			LOG_WARNING( "Cannot read " << path << ": " << std::strerror( errno ) << "; it reads as empty." );
			return false;
		}
		const pugi::xml_parse_result result = document.load_file( resolved.c_str() );
		std::fclose( file );
		if ( result.status == pugi::status_ok || result.status == pugi::status_no_document_element )
			return true;
		LOG_WARNING( "Cannot read " << path << ": " << result.description() << " at offset " << result.offset
		                            << "; it reads as empty." );
		document.reset();
		return false;
	}

	bool Serialiser::SaveDocument( const pugi::xml_document& document, const std::string& path )
	{
		if ( path.empty() )
			return false;
		std::ostringstream stream;
		document.save( stream );
		return FileSystem::WriteFileAtomically( FileSystem::ResolvePath( path ), stream.str() );
	}

	pugi::xml_node Serialiser::BeginComponent( const HashedName& type )
	{
		mComponentDocument.reset();
		pugi::xml_node element = mComponentDocument.append_child( "ObjectComponent" );
		element.append_attribute( "Name" ).set_value( type.GetName().c_str() );
		return element;
	}

	bool Serialiser::SaveComponent( const ResourceRecord& record )
	{
		return SaveDocument( mComponentDocument, record.mPath );
	}

	pugi::xml_node Serialiser::LoadComponent( const ResourceRecord& record )
	{
		LoadDocument( mComponentDocument, record.mPath );
		return mComponentDocument.child( "ObjectComponent" );
	}

	pugi::xml_node Serialiser::BeginObject( const HashedName& type, const HashedName& name )
	{
		mObjectDocument.reset();
		pugi::xml_node element = mObjectDocument.append_child( "Object" );
		element.append_attribute( "Type" ).set_value( type.GetName().c_str() );
		element.append_attribute( "ObjectName" ).set_value( name.GetName().c_str() );
		return element;
	}

	bool Serialiser::SaveObject( const ResourceRecord& record ) { return SaveDocument( mObjectDocument, record.mPath ); }

	pugi::xml_node Serialiser::LoadObject( const ResourceRecord& record )
	{
		LoadDocument( mObjectDocument, record.mPath );
		return mObjectDocument.document_element();
	}

	pugi::xml_node Serialiser::LoadLevel( const std::string& path )
	{
		LoadDocument( mLevelDocument, path );
		return mLevelDocument.document_element();
	}

	void Serialiser::ExtractObject( const char* objectName )
	{
		const ResourceRecord* exchange = FileSystem::Instance().GetResource( "ObjectDefault" );
		if ( !exchange )
			return;
		pugi::xml_document extracted;
		const pugi::xml_node found =
		    mLevelDocument.document_element().find_child_by_attribute( "ObjectName", objectName ? objectName : "" );
		if ( found )
			extracted.append_copy( found );
		SaveDocument( extracted, exchange->mPath );
	}

	void Serialiser::ExtractComponent( const char* typeName, const char* exchangeFile )
	{
		pugi::xml_document extracted;
		const pugi::xml_node found =
		    mObjectDocument.document_element().find_child_by_attribute( "Name", typeName ? typeName : "" );
		if ( found )
			extracted.append_copy( found );
		SaveDocument( extracted, exchangeFile ? exchangeFile : "" );
	}

	void Serialiser::AppendFileContents( const char* file )
	{
		if ( !mCurrentElement )
		{
			LOG_ERROR( "Cannot append " << ( file ? file : "" ) << ": no element is being written." );
			return;
		}
		pugi::xml_document contents;
		LoadDocument( contents, file ? file : "" );
		for ( pugi::xml_node node : contents.children() )
			mCurrentElement.append_copy( node );
	}
}
