#include "GameStates/GameLevelSelector.h"

#include "GameStates/ButtonComponent.h"
#include "GameStates/ButtonTypes.h"
#include "Graphics/MeshComponent.h"
#include "Graphics/TextureList.h"
#include "Utilities/FileSystem.h"
#include "Utilities/Log.h"

#include <pugixml.hpp>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace Tarn
{
	namespace
	{
		constexpr const char* kRootElement = "Grades";
		constexpr const char* kLevelElement = "Level";
		constexpr const char* kNumberAttribute = "number";
		constexpr const char* kScoreAttribute = "score";
		constexpr const char* kPictureMark = "levelselect";
		constexpr const char* kSecondSetMark = "orange";
		constexpr int32_t kLevelsPerSet = 10;

		// The number a text holds whole, or `otherwise` for any other text.
		int32_t WholeNumber( const char* text, int32_t otherwise )
		{
			char* end = nullptr;
			errno = 0;
			const long value = std::strtol( text, &end, 10 );
			if ( end == text || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX )
				return otherwise;
			return int32_t( value );
		}
	}

	GameLevelSelector::GameLevelSelector( Game* game ) : GameComponent( game ) {}

	std::string GameLevelSelector::FilePath()
	{
		const std::string data = FindDataFolder();
		if ( data.empty() )
			return std::string();
		return data + "/" + kFolderName + "/" + kFileName;
	}

	LevelGrade GameLevelSelector::GradeOf( int32_t score )
	{
		if ( score >= kGradeAScore )
			return GRADE_A;
		if ( score >= kGradeBScore )
			return GRADE_B;
		return GRADE_C;
	}

	int32_t GameLevelSelector::LevelOfPicture( const std::string& texture )
	{
		const size_t mark = texture.rfind( kPictureMark );
		if ( mark == std::string::npos )
			return 0;
		size_t end = mark + std::char_traits<char>::length( kPictureMark );
		int32_t number = 0;
		size_t digits = 0;
		for ( ; end < texture.size() && std::isdigit( static_cast<unsigned char>( texture[end] ) ) && digits < 3; ++end, ++digits )
			number = number * 10 + ( texture[end] - '0' );
		if ( digits == 0 || number < 1 || number > kLevelsPerSet )
			return 0;
		// The orange set carries the numbers 1 to 10 again for levels 11 to 20.
		const bool secondSet = texture.find( kSecondSetMark, end ) != std::string::npos;
		return secondSet ? number + kLevelsPerSet : number;
	}

	void GameLevelSelector::Initialise()
	{
		mPictures.clear();
		for ( int32_t level = 1; level <= kLevels; ++level )
		{
			LevelPicture entry;
			entry.mLevel = level;
			entry.mSet = level > kLevelsPerSet ? 2 : 1;
			entry.mPicture = Graphics::LevelSelectPicture( level, GRADE_NONE, false );
			entry.mHoverPicture = Graphics::LevelSelectPicture( level, GRADE_NONE, true );
			mPictures.emplace( LevelFunction( level ), entry );
		}
		Load();
	}

	const LevelPicture* GameLevelSelector::Entry( int32_t level ) const
	{
		const auto found = mPictures.find( LevelFunction( level ) );
		return level >= 1 && level <= kLevels && found != mPictures.end() ? &found->second : nullptr;
	}

	LevelPicture* GameLevelSelector::Find( int32_t level ) { return const_cast<LevelPicture*>( Entry( level ) ); }

	void GameLevelSelector::Grade( LevelPicture& entry, int32_t score )
	{
		entry.mScore = score;
		entry.mGrade = GradeOf( score );
		entry.mGraded = true;
		entry.mPicture = Graphics::LevelSelectPicture( entry.mLevel, entry.mGrade, false );
		entry.mHoverPicture = Graphics::LevelSelectPicture( entry.mLevel, entry.mGrade, true );
	}

	void GameLevelSelector::SetLevelResult( int32_t level, int32_t score )
	{
		LevelPicture* entry = Find( level );
		if ( !entry )
		{
			LOG_WARNING( "A result for level " << level << ", which the level select does not have, is not kept." );
			return;
		}
		if ( score < 0 || ( entry->mGraded && score <= entry->mScore ) )
			return;
		Grade( *entry, score );
		Save();
	}

	std::string GameLevelSelector::PictureOf( int32_t level, bool hover ) const
	{
		if ( const LevelPicture* entry = Entry( level ) )
			return hover ? entry->mHoverPicture : entry->mPicture;
		return Graphics::LevelSelectPicture( level, GRADE_NONE, hover );
	}

	void GameLevelSelector::ApplyPictures( const std::vector<ButtonComponent*>& buttons ) const
	{
		for ( ButtonComponent* button : buttons )
		{
			const Graphics::MeshComponent* mesh = button ? button->Mesh() : nullptr;
			if ( !mesh )
				continue;
			if ( const LevelPicture* entry = Entry( LevelOfPicture( mesh->GetTextureName() ) ) )
				button->ShowPicture( entry->mPicture );
		}
	}

	void GameLevelSelector::HoverPicture( ButtonComponent& button ) const
	{
		if ( IsLevelFunction( button.mFunction ) )
			button.ShowPicture( PictureOf( LevelOfFunction( button.mFunction ), true ) );
	}

	void GameLevelSelector::NormalPicture( ButtonComponent& button ) const
	{
		if ( IsLevelFunction( button.mFunction ) )
			button.ShowPicture( PictureOf( LevelOfFunction( button.mFunction ), false ) );
	}

	void GameLevelSelector::Load()
	{
		if ( mPath.empty() || !FileSystem::FileExists( mPath ) )
		{
			LOG_INFO( "No grades file" << ( mPath.empty() ? std::string() : " at " + mPath ) << "; every level starts ungraded." );
			return;
		}
		pugi::xml_document document;
		const pugi::xml_parse_result result = document.load_file( mPath.c_str() );
		const pugi::xml_node root = document.child( kRootElement );
		if ( !result || !root )
		{
			LOG_WARNING( "The grades file " << mPath << " cannot be read ("
			                                << ( result ? "it holds no <Grades>" : result.description() )
			                                << "); every level starts ungraded and the file is written anew at the next grade." );
			return;
		}
		for ( const pugi::xml_node& node : root.children( kLevelElement ) )
		{
			const int32_t level = WholeNumber( node.attribute( kNumberAttribute ).value(), 0 );
			const int32_t score = WholeNumber( node.attribute( kScoreAttribute ).value(), -1 );
			LevelPicture* entry = Find( level );
			if ( !entry || score < 0 )
			{
				LOG_WARNING( "The grades file " << mPath << " has a level \"" << node.attribute( kNumberAttribute ).value()
				                                << "\" with the score \"" << node.attribute( kScoreAttribute ).value()
				                                << "\"; it is left out." );
				continue;
			}
			if ( !entry->mGraded || score > entry->mScore )
				Grade( *entry, score );
		}
	}

	bool GameLevelSelector::Save() const
	{
		if ( mPath.empty() )
			return false;
		pugi::xml_document document;
		pugi::xml_node root = document.append_child( kRootElement );
		for ( const auto& [function, entry] : mPictures )
			if ( entry.mGraded )
			{
				pugi::xml_node node = root.append_child( kLevelElement );
				node.append_attribute( kNumberAttribute ) = entry.mLevel;
				node.append_attribute( kScoreAttribute ) = entry.mScore;
			}
		std::ostringstream text;
		document.save( text );
		return FileSystem::WriteUserFile( mPath, text.str(), "the grades file" );
	}
}
