#include "Core/Serialiser.h"

#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Tarn
{
	namespace ValueText
	{
		std::string FromFloat( float value )
		{
			// What a stream gives by default ("%g" at precision 6 in the C locale), without
			// building a stream for every value.
			char text[32];
			const std::to_chars_result written =
			    std::to_chars( text, text + sizeof( text ), static_cast<double>( value ), std::chars_format::general, 6 );
			return std::string( text, written.ptr );
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

	bool Serialiser::SaveDocument( const pugi::xml_document& document, const std::string& path, FileSystem::Replace replace )
	{
		if ( path.empty() )
			return false;
		// Written as a stream would have it, into one buffer kept from save to save: a
		// level is some hundred kilobytes, and a new buffer each time costs more than
		// building its text.
		struct Appender : pugi::xml_writer
		{
			std::string& mText;
			explicit Appender( std::string& text ) : mText( text ) {}
			void write( const void* data, size_t size ) override { mText.append( static_cast<const char*>( data ), size ); }
		};
		static std::string text;
		text.clear();
		Appender appender( text );
		document.save( appender );
		return FileSystem::WriteFileAtomically( FileSystem::ResolvePath( path ), text, replace );
	}

	Serialiser::Batch::Batch() { ++Instance().mBatchDepth; }

	Serialiser::Batch::~Batch()
	{
		Serialiser& serialiser = Instance();
		if ( --serialiser.mBatchDepth == 0 )
			serialiser.WritePending();
	}

	Serialiser::Exchange& Serialiser::ExchangeFor( std::string_view path )
	{
		auto found = mExchanges.find( path );
		if ( found == mExchanges.end() )
			found = mExchanges.emplace( std::string( path ), std::make_unique<Exchange>() ).first;
		return *found->second;
	}

	Serialiser::Exchange* Serialiser::Pending( std::string_view path )
	{
		const auto found = mExchanges.find( path );
		return found != mExchanges.end() && found->second->mPending ? found->second.get() : nullptr;
	}

	void Serialiser::Empty( Exchange& exchange )
	{
		if ( mObjectSource == &exchange )
			TakeObjectRoot( pugi::xml_node(), nullptr );
		exchange.mFragment.reset();
	}

	void Serialiser::HandOver( Exchange& exchange )
	{
		exchange.mPending = true;
		if ( mBatchDepth == 0 )
			WritePending();
	}

	void Serialiser::WritePending()
	{
		// The exchange files only show what passed last: replaced quickly, never flushed
		// to the disk. A level file is saved durably by its own save.
		for ( auto& [path, exchange] : mExchanges )
		{
			if ( !exchange->mPending )
				continue;
			exchange->mPending = false;
			SaveDocument( exchange->mFragment, path, FileSystem::Replace::Quickly );
		}
	}

	void Serialiser::TakeObjectRoot( pugi::xml_node root, const Exchange* source )
	{
		mObjectRoot = root;
		mObjectSource = source;
	}

	pugi::xml_node Serialiser::BeginComponent( const ResourceRecord& record, const HashedName& type )
	{
		Exchange& exchange = ExchangeFor( record.mPath );
		Empty( exchange );
		pugi::xml_node element = exchange.mFragment.append_child( "ObjectComponent" );
		element.append_attribute( "Name" ).set_value( type.GetName().c_str() );
		return element;
	}

	void Serialiser::EndComponent( const ResourceRecord& record ) { HandOver( ExchangeFor( record.mPath ) ); }

	pugi::xml_node Serialiser::LoadComponent( const ResourceRecord& record )
	{
		if ( const Exchange* exchange = Pending( record.mPath ) )
			return exchange->mFragment.child( "ObjectComponent" );
		LoadDocument( mComponentDocument, record.mPath );
		return mComponentDocument.child( "ObjectComponent" );
	}

	pugi::xml_node Serialiser::BeginObject( const ResourceRecord& record, const HashedName& type, const HashedName& name )
	{
		Exchange& exchange = ExchangeFor( record.mPath );
		Empty( exchange );
		pugi::xml_node element = exchange.mFragment.append_child( "Object" );
		element.append_attribute( "Type" ).set_value( type.GetName().c_str() );
		element.append_attribute( "ObjectName" ).set_value( name.GetName().c_str() );
		return element;
	}

	void Serialiser::EndObject( const ResourceRecord& record ) { HandOver( ExchangeFor( record.mPath ) ); }

	pugi::xml_node Serialiser::LoadObject( const ResourceRecord& record )
	{
		if ( const Exchange* exchange = Pending( record.mPath ) )
			TakeObjectRoot( exchange->mFragment.document_element(), exchange );
		else
		{
			LoadDocument( mObjectDocument, record.mPath );
			TakeObjectRoot( mObjectDocument.document_element(), nullptr );
		}
		return mObjectRoot;
	}

	pugi::xml_node Serialiser::LoadLevel( const std::string& path )
	{
		pugi::xml_document document;
		LoadDocument( document, path );
		return TakeLevel( std::move( document ) );
	}

	pugi::xml_node Serialiser::TakeLevel( pugi::xml_document&& document )
	{
		mLevelDocument = std::move( document );
		mLevelIndex.clear();
		mLevelIndexed = false;
		return mLevelDocument.document_element();
	}

	pugi::xml_node Serialiser::FindLevelObject( const char* objectName )
	{
		if ( !mLevelIndexed )
		{
			// As a search from the first element would find them: the first element that
			// carries the name in any of its "ObjectName" attributes.
			for ( pugi::xml_node element : mLevelDocument.document_element().children() )
				for ( pugi::xml_attribute attribute : element.attributes() )
					if ( std::strcmp( attribute.name(), "ObjectName" ) == 0 )
						mLevelIndex.emplace( attribute.value(), element );
			mLevelIndexed = true;
		}
		const auto found = mLevelIndex.find( objectName ? objectName : "" );
		return found == mLevelIndex.end() ? pugi::xml_node() : found->second;
	}

	void Serialiser::ExtractObject( const char* objectName )
	{
		const ResourceRecord* objectFile = FileSystem::Instance().GetResource( "ObjectDefault" );
		if ( !objectFile )
			return;
		Exchange& exchange = ExchangeFor( objectFile->mPath );
		Empty( exchange );
		if ( const pugi::xml_node found = FindLevelObject( objectName ) )
			exchange.mFragment.append_copy( found );
		HandOver( exchange );
	}

	void Serialiser::ExtractComponent( const char* typeName, const char* exchangeFile )
	{
		const pugi::xml_node found = mObjectRoot.find_child_by_attribute( "Name", typeName ? typeName : "" );
		Exchange& exchange = ExchangeFor( exchangeFile ? exchangeFile : "" );
		if ( &exchange == mObjectSource )
		{
			// Extracted into the very fragment it is taken from: copied aside first, since
			// emptying the fragment frees the element.
			pugi::xml_document aside;
			if ( found )
				aside.append_copy( found );
			Empty( exchange );
			for ( pugi::xml_node node : aside.children() )
				exchange.mFragment.append_copy( node );
		}
		else
		{
			Empty( exchange );
			if ( found )
				exchange.mFragment.append_copy( found );
		}
		HandOver( exchange );
	}

	void Serialiser::AppendFileContents( const char* file )
	{
		if ( !mCurrentElement )
		{
			LOG_ERROR( "Cannot append " << ( file ? file : "" ) << ": no element is being written." );
			return;
		}
		const std::string_view path = file ? file : "";
		const pugi::xml_document* contents = nullptr;
		pugi::xml_document read;
		if ( const Exchange* exchange = Pending( path ) )
			contents = &exchange->mFragment;
		else
		{
			LoadDocument( read, std::string( path ) );
			contents = &read;
		}
		for ( pugi::xml_node node : contents->children() )
			mCurrentElement.append_copy( node );
	}
}
