#include "Graphics/FontManager.h"

#include "Graphics/ContentNames.h"
#include "Graphics/FontComponent.h"
#include "Graphics/GraphicsManager.h"
#include "Platform/Display.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"
#include "core/Services.h"

#include <algorithm>

namespace Graphics
{
	void FontManager::Shutdown()
	{
		OnLostDevice();
		mFonts.clear();
	}

	void FontManager::Register( FontComponent* font )
	{
		if ( font && std::find( mFonts.begin(), mFonts.end(), font ) == mFonts.end() )
			mFonts.push_back( font );
	}

	void FontManager::Unregister( FontComponent* font ) { std::erase( mFonts, font ); }

	void FontManager::TellEveryFont( void ( Platform::Font::*what )() )
	{
		for ( FontComponent* font : mFonts )
			if ( Platform::Font* platformFont = font->GetFont() )
				( platformFont->*what )();
	}

	void FontManager::OnLostDevice() { TellEveryFont( &Platform::Font::OnLostDevice ); }

	void FontManager::OnResetDevice() { TellEveryFont( &Platform::Font::OnResetDevice ); }

	std::unique_ptr<Platform::Font> FontManager::MakeFont( const Platform::FontDesc& desc )
	{
		// A run without a screen draws no text, as it draws nothing else.
		if ( Platform::IsHeadless() || mFaceFailed )
			return Platform::CreateHeadlessFont( desc );

		const GraphicsManager* graphics = Tarn::Services::Get<GraphicsManager>();
		const std::string file = graphics && !graphics->GetFontFile().empty() ? graphics->GetFontFile() : kFontPath;
		std::string error;
		std::unique_ptr<Platform::Font> font = Platform::CreateTrueTypeFont( Tarn::FileSystem::ResolvePath( file ), desc, error );
		if ( font )
			return font;
		LOG_ERROR( "Cannot open the font " << file << ": " << error << ". Text will not show." );
		mFaceFailed = true;
		return Platform::CreateHeadlessFont( desc );
	}
}
