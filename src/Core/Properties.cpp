#include "Core/Properties.h"

#include "Core/Serialiser.h"
#include "Platform/TweakBar.h"
#include "Utilities/Assert.h"
#include "Utilities/Log.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstring>

namespace Tarn
{
	namespace
	{
		// The bar's type of each kind, in the order of ValueKind.
		constexpr TwType kTweakTypes[] = { TW_TYPE_FLOAT, TW_TYPE_INT32, TW_TYPE_BOOLCPP, TW_TYPE_STDSTRING };

		void WriteValue( pugi::xml_attribute attribute, ValueKind kind, const void* address )
		{
			switch ( kind )
			{
			case ValueKind::Float:
				attribute.set_value( ValueText::FromFloat( *static_cast<const float*>( address ) ).c_str() );
				break;
			case ValueKind::Int:
			{
				// An enumeration is stored as its 32-bit value: copied, not read through an int.
				int32_t value = 0;
				std::memcpy( &value, address, sizeof( value ) );
				attribute.set_value( ValueText::FromInt( value ).c_str() );
				break;
			}
			case ValueKind::Bool:
				attribute.set_value( ValueText::FromBool( *static_cast<const bool*>( address ) ) );
				break;
			case ValueKind::String:
				attribute.set_value( static_cast<const std::string*>( address )->c_str() );
				break;
			}
		}

		void ReadValue( const char* text, ValueKind kind, void* address )
		{
			switch ( kind )
			{
			case ValueKind::Float:
				*static_cast<float*>( address ) = ValueText::ToFloat( text );
				break;
			case ValueKind::Int:
			{
				const int32_t value = ValueText::ToInt( text );
				std::memcpy( address, &value, sizeof( value ) );
				break;
			}
			case ValueKind::Bool:
				*static_cast<bool*>( address ) = ValueText::ToBool( text );
				break;
			case ValueKind::String:
				*static_cast<std::string*>( address ) = text;
				break;
			}
		}
	}

	Property&& Property::Bar( const char* label, const char* definition ) &&
	{
		return std::move( *this ).Bar( { label }, definition );
	}

	Property&& Property::Bar( std::initializer_list<const char*> labels, const char* definition ) &&
	{
		TARN_ASSERT_MSG( labels.size() == mParts.size(), "A bar entry needs one label for each part." );
		size_t index = 0;
		for ( const char* label : labels )
			if ( index < mParts.size() )
				mParts[index++].mLabel = label ? label : "";
		mDefinition = definition ? definition : "";
		return std::move( *this );
	}

	Property&& Property::Enumeration( const char* name, const char* names ) &&
	{
		mEnumName = name;
		mEnumText = names;
		return std::move( *this );
	}

	Property&& Property::WriteOnly() &&
	{
		mRead = false;
		return std::move( *this );
	}

	Property&& Property::KeptWhenMissing() &&
	{
		mKeptWhenMissing = true;
		return std::move( *this );
	}

	PropertyRows::PropertyRows( std::vector<Property> rows ) : mRows( std::move( rows ) )
	{
		for ( const Property& row : mRows )
		{
			mReadsAnything = mReadsAnything || ( row.mRead && !row.mElement.empty() );
			for ( const PropertyPart& part : row.mParts )
				mHasTweakEntries = mHasTweakEntries || !part.mLabel.empty();
		}
	}

	void PropertyRows::Write( const pugi::xml_node& element, void* root ) const
	{
		pugi::xml_node parent = element;
		for ( const Property& row : mRows )
		{
			if ( row.mElement.empty() )
				continue;
			pugi::xml_node node = parent.append_child( row.mElement.c_str() );
			for ( const PropertyPart& part : row.mParts )
				WriteValue( node.append_attribute( part.mAttribute.c_str() ), part.mKind, part.mAddress( root ) );
		}
	}

	void PropertyRows::Read( const pugi::xml_node& element, void* root ) const
	{
		for ( const Property& row : mRows )
		{
			if ( !row.mRead || row.mElement.empty() )
				continue;
			const pugi::xml_node node = element.child( row.mElement.c_str() );
			if ( !node && row.mKeptWhenMissing )
				continue;
			// Parts are read in order: of two attributes of one value the later one wins.
			for ( const PropertyPart& part : row.mParts )
			{
				const char* text = node.attribute( part.mAttribute.c_str() ).value();
				// The game never writes a value that is not a finite number: one in a file
				// was put there by a hand or a fault, and would spread through every sum
				// it meets (a camera following a ship at "nan" shows nothing at all).
				if ( part.mKind == ValueKind::Float && !std::isfinite( ValueText::ToFloat( text ) ) )
				{
					LOG_WARNING( element.attribute( "Name" ).value() << ": the value \"" << text << "\" of " << part.mAttribute
					                                                  << " is not a finite number; it keeps the value it had." );
					continue;
				}
				ReadValue( text, part.mKind, part.mAddress( root ) );
			}
		}
	}

	void PropertyRows::AddTweakEntries( TwBar* bar, void* root ) const
	{
		for ( const Property& row : mRows )
		{
			TwType enumeration = TW_TYPE_UNDEF;
			for ( const PropertyPart& part : row.mParts )
			{
				if ( part.mLabel.empty() )
					continue;
				void* address = part.mAddress( root );
				if ( row.mButton )
				{
					TwAddButton( bar, part.mLabel.c_str(), row.mButton, address, row.mDefinition.c_str() );
					continue;
				}
				if ( !row.mEnumName.empty() && enumeration == TW_TYPE_UNDEF )
					enumeration = TwDefineEnumFromString( row.mEnumName.c_str(), row.mEnumText.c_str() );
				const TwType type = row.mEnumName.empty() ? kTweakTypes[static_cast<size_t>( part.mKind )] : enumeration;
				TwAddVarRW( bar, part.mLabel.c_str(), type, address, row.mDefinition.c_str() );
			}
		}
	}
}
