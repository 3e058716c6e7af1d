#pragma once

// The texts the game can show in its text box, by key: the tutorial's and the lines of
// the scripted levels' dialogue. Showing one hands it to the text box "TextBox1".

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <map>
#include <string>

namespace Graphics
{
	class TextManager : public Tarn::GameComponent
	{
		TARN_CLASS_NAME( TextManager )

	public:
		static constexpr const char* kTextBoxName = "TextBox1";

		explicit TextManager( Tarn::Game* game ) : GameComponent( game ) {}

		void Initialise() override {}
		void Shutdown() override { mTexts.clear(); }
		void Update( Tarn::GameTime& ) override {}

		// Files the text under its key unless the key has one already.
		void AddText( const std::string& key, const std::string& text );
		// Hands the key's text to "TextBox1". A key without a text is an error in the log
		// and shows nothing; without a text box there is nobody to show it to. True when
		// the text box has the text.
		bool ShowText( const std::string& key );
		bool HasText( const std::string& key ) const { return mTexts.count( key ) != 0; }

		std::map<std::string, std::string> mTexts;
	};
}
