#include "Graphics/TextManager.h"

#include "Core/ObjectManager.h"
#include "Graphics/TextBox.h"
#include "Utilities/Log.h"

namespace Graphics
{
	void TextManager::AddText( const std::string& key, const std::string& text ) { mTexts.emplace( key, text ); }

	bool TextManager::ShowText( const std::string& key )
	{
		const auto found = mTexts.find( key );
		if ( found == mTexts.end() )
		{
			LOG_ERROR( "There is no text \"" << key << "\" to show." );
			return false;
		}
		auto* box = Tarn::ObjectManager::Instance().GetObjectOfType<TextBox>( Tarn::HashedName( kTextBoxName ) );
		if ( !box )
			return false;
		box->SetText( found->second );
		return true;
	}
}
