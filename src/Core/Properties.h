#pragma once

// What a class keeps, declared once: each row names a member, the element and the
// attribute(s) the XML form stores it in, whether it is read back, and its entry in
// the tweak bar. The object component derives its Serialise, Deserialise and bar from
// its rows, so a component declares a table and writes no serialisation code.
// Rows are written, read and shown in table order; a field the bar shows elsewhere than
// the file holds it has a row for each (Tweak below).

#include "core/Colour.h"
#include "core/Vector2.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace pugi
{
	class xml_node;
}
struct TwBar;

namespace Tarn
{
	class ObjectComponent;

	// The button callback of the tweak bar; it is given the class that declared the button.
	using TweakCallback = void ( * )( void* clientData );

	// How a scalar is written and read (the value text of each kind is in Serialiser.h).
	enum class ValueKind : uint8_t
	{
		Float,
		// 32-bit integers and enumerations stored as their 32-bit value.
		Int,
		Bool,
		String,
	};

	// One attribute of a property element and the scalar it holds.
	struct PropertyPart
	{
		std::string mAttribute;
		ValueKind mKind = ValueKind::Float;
		// From the table's root class (given as void*) to the scalar.
		std::function<void*( void* )> mAddress;
		// The part's tweak-bar entry; none when empty.
		std::string mLabel;
	};

	// One row: an element of the component's XML, or an entry of its bar, or both.
	struct Property
	{
		// Empty for a row that only puts an entry or a button in the bar.
		std::string mElement;
		std::vector<PropertyPart> mParts;
		bool mRead = true;
		// A missing element keeps the value instead of reading as 0.
		bool mKeptWhenMissing = false;
		// The definition string of the row's bar entries (" group=Position ").
		std::string mDefinition;
		// An integer shown by name: the enumeration's name and its comma-separated names.
		std::string mEnumName;
		std::string mEnumText;
		// A button row: its one part's label and its address, which is the client data.
		TweakCallback mButton = nullptr;

		// The bar entry of a row of one part.
		Property&& Bar( const char* label, const char* definition ) &&;
		// One label per part, in part order; an empty label leaves that part out.
		Property&& Bar( std::initializer_list<const char*> labels, const char* definition ) &&;
		Property&& Enumeration( const char* name, const char* names ) &&;
		// Written, never read back.
		Property&& WriteOnly() &&;
		Property&& KeptWhenMissing() &&;
	};

	// The suffix of a part's attribute and the part it names: { ".X", &Vector2::X }.
	template <typename S>
	struct NamedPart
	{
		const char* mSuffix;
		float S::* mMember;
	};

	// The part spellings the XML form uses; a class may name its own.
	namespace Parts
	{
		inline constexpr NamedPart<Vector2> kXY[] = { { ".X", &Vector2::X }, { ".Y", &Vector2::Y } };
		inline constexpr NamedPart<Vector2> kLowerXY[] = { { ".x", &Vector2::X }, { ".y", &Vector2::Y } };
		inline constexpr NamedPart<Colour> kRGBA[] = {
			{ ".r", &Colour::r }, { ".g", &Colour::g }, { ".b", &Colour::b }, { ".a", &Colour::a } };
		inline constexpr NamedPart<Colour> kNumberedRGBA[] = {
			{ ".0", &Colour::r }, { ".1", &Colour::g }, { ".2", &Colour::b }, { ".3", &Colour::a } };
		inline constexpr NamedPart<Colour> kBareRGBA[] = {
			{ "r", &Colour::r }, { "g", &Colour::g }, { "b", &Colour::b }, { "a", &Colour::a } };
	}

	// The rows of one class and what is derived from them. The untyped core; a class's
	// table is a PropertyTable<Root> below, which only takes its own root class.
	class PropertyRows
	{
	public:
		explicit PropertyRows( std::vector<Property> rows );

		// Appends one child element per written row under `element`.
		void Write( const pugi::xml_node& element, void* root ) const;
		// Reads every read row from the children of `element`; a missing element or
		// attribute reads as empty text (0, 0.0, false, "").
		void Read( const pugi::xml_node& element, void* root ) const;
		bool ReadsAnything() const { return mReadsAnything; }
		bool HasTweakEntries() const { return mHasTweakEntries; }
		// Adds the bar's entries and buttons, in table order, bound to the members of `root`.
		void AddTweakEntries( TwBar* bar, void* root ) const;

		const std::vector<Property>& Rows() const { return mRows; }

	private:
		std::vector<Property> mRows;
		bool mReadsAnything = false;
		bool mHasTweakEntries = false;
	};

	template <typename Root>
	class PropertyTable : public PropertyRows
	{
	public:
		using PropertyRows::PropertyRows;
		PropertyTable( std::initializer_list<Property> rows ) : PropertyRows( std::vector<Property>( rows ) ) {}

		void Write( const pugi::xml_node& element, Root& root ) const { PropertyRows::Write( element, &root ); }
		void Read( const pugi::xml_node& element, Root& root ) const { PropertyRows::Read( element, &root ); }
		void AddTweakEntries( TwBar* bar, Root& root ) const { PropertyRows::AddTweakEntries( bar, &root ); }
	};

	using ComponentProperties = PropertyTable<ObjectComponent>;

	// Builds the rows of class C, whose table is kept for its root class (the object
	// component, for every component). Members of C's bases are given through C:
	// &MeshComponent::mDrawOrder.
	template <typename C, typename Root = ObjectComponent>
	class Declare
	{
	public:
		static Property Float( const char* element, const char* attribute, float C::* member )
		{
			return Scalar( element, attribute, ValueKind::Float, member );
		}
		static Property Int( const char* element, const char* attribute, int32_t C::* member )
		{
			return Scalar( element, attribute, ValueKind::Int, member );
		}
		// An enumeration kept as its 32-bit value.
		template <typename E>
		    requires std::is_enum_v<E>
		static Property Enum( const char* element, const char* attribute, E C::* member )
		{
			static_assert( sizeof( E ) == sizeof( int32_t ), "stored as a 32-bit value" );
			return Scalar( element, attribute, ValueKind::Int, member );
		}
		static Property Bool( const char* element, const char* attribute, bool C::* member )
		{
			return Scalar( element, attribute, ValueKind::Bool, member );
		}
		static Property String( const char* element, const char* attribute, std::string C::* member )
		{
			return Scalar( element, attribute, ValueKind::String, member );
		}

		// A plane vector in "mPosition.X" and "mPosition.Y".
		static Property Vector( const char* element, const char* attribute, Vector2 C::* member )
		{
			return Compound( element, attribute, member, Parts::kXY );
		}

		// The float parts of a compound member, each in an attribute named `prefix`
		// followed by the part's suffix: "mPosition" with Parts::kXY.
		template <typename S, size_t N>
		static Property Compound( const char* element, const char* prefix, S C::* member, const NamedPart<S> ( &parts )[N] )
		{
			Property row = Row( element );
			for ( const NamedPart<S>& part : parts )
				row.mParts.push_back( { std::string( prefix ) + part.mSuffix, ValueKind::Float, Inner( member, part.mMember ), {} } );
			return row;
		}

		// Each compound of an array in turn: "mPatrol" gives "mPatrol.0.x", "mPatrol.0.y",
		// "mPatrol.1.x", ...
		template <typename S, size_t N, size_t P>
		static Property Compounds( const char* element, const char* prefix, std::array<S, N> C::* member,
		                           const NamedPart<S> ( &parts )[P] )
		{
			Property row = Row( element );
			for ( size_t i = 0; i < N; ++i )
				for ( const NamedPart<S>& part : parts )
					row.mParts.push_back( { std::string( prefix ) + "." + std::to_string( i ) + part.mSuffix, ValueKind::Float,
					                        Element( member, i, part.mMember ), {} } );
			return row;
		}

		// The integers of an array, numbered: "mTargetList.0" to "mTargetList.4".
		template <size_t N>
		static Property Numbered( const char* element, const char* prefix, std::array<int32_t, N> C::* member )
		{
			Property row = Row( element );
			for ( size_t i = 0; i < N; ++i )
				row.mParts.push_back( { std::string( prefix ) + "." + std::to_string( i ), ValueKind::Int, Element( member, i ), {} } );
			return row;
		}

		// Floats of an array under attribute names of their own; one value may have two.
		template <size_t N>
		static Property Named( const char* element, std::array<float, N> C::* member,
		                       std::initializer_list<std::pair<const char*, size_t>> names )
		{
			Property row = Row( element );
			for ( const auto& [attribute, index] : names )
				row.mParts.push_back( { attribute, ValueKind::Float, Element( member, index ), {} } );
			return row;
		}

		// A bar entry for a member the file does not hold, or holds in another row.
		static Property Tweak( const char* label, float C::* member, const char* definition )
		{
			return TweakOf( label, ValueKind::Float, member, definition );
		}
		static Property Tweak( const char* label, int32_t C::* member, const char* definition )
		{
			return TweakOf( label, ValueKind::Int, member, definition );
		}
		static Property Tweak( const char* label, bool C::* member, const char* definition )
		{
			return TweakOf( label, ValueKind::Bool, member, definition );
		}
		template <typename E>
		    requires std::is_enum_v<E>
		static Property Tweak( const char* label, E C::* member, const char* definition )
		{
			static_assert( sizeof( E ) == sizeof( int32_t ), "shown as a 32-bit value" );
			return TweakOf( label, ValueKind::Int, member, definition );
		}
		template <typename S>
		static Property Tweak( const char* label, S C::* member, float S::* part, const char* definition )
		{
			Property row = Row( "" );
			row.mParts.push_back( { "", ValueKind::Float, Inner( member, part ), label } );
			row.mDefinition = definition;
			return row;
		}

		// A button whose callback is given the C it belongs to.
		static Property Button( const char* label, TweakCallback callback, const char* definition )
		{
			Property row = Row( "" );
			row.mParts.push_back( { "", ValueKind::Int, []( void* root ) -> void* { return &Self( root ); }, label } );
			row.mDefinition = definition;
			row.mButton = callback;
			return row;
		}

	private:
		static_assert( std::is_base_of_v<Root, C>, "a table is kept for a base of the class" );

		static C& Self( void* root ) { return static_cast<C&>( *static_cast<Root*>( root ) ); }

		static Property Row( const char* element )
		{
			Property row;
			row.mElement = element;
			return row;
		}

		template <typename M>
		static std::function<void*( void* )> At( M C::* member )
		{
			return [member]( void* root ) -> void* { return &( Self( root ).*member ); };
		}

		template <typename S>
		static std::function<void*( void* )> Inner( S C::* member, float S::* part )
		{
			return [member, part]( void* root ) -> void* { return &( ( Self( root ).*member ).*part ); };
		}

		template <typename T, size_t N>
		static std::function<void*( void* )> Element( std::array<T, N> C::* member, size_t index )
		{
			return [member, index]( void* root ) -> void* { return &( Self( root ).*member )[index]; };
		}

		template <typename S, size_t N>
		static std::function<void*( void* )> Element( std::array<S, N> C::* member, size_t index, float S::* part )
		{
			return [member, index, part]( void* root ) -> void* { return &( ( Self( root ).*member )[index].*part ); };
		}

		template <typename M>
		static Property Scalar( const char* element, const char* attribute, ValueKind kind, M C::* member )
		{
			Property row = Row( element );
			row.mParts.push_back( { attribute, kind, At( member ), {} } );
			return row;
		}

		template <typename M>
		static Property TweakOf( const char* label, ValueKind kind, M C::* member, const char* definition )
		{
			Property row = Row( "" );
			row.mParts.push_back( { "", kind, At( member ), label } );
			row.mDefinition = definition;
			return row;
		}
	};
}
