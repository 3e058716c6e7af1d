#pragma once
// The grades of the level select: for each of the twenty level buttons, the best final
// score the player has won the level with, the grade it earns and the pictures that show
// it. The score screen hands in each won level; the grades are kept in
// $XDG_DATA_HOME/kelvane/grades.xml (else ~/.local/share/kelvane/), written whole after
// each change and read at start. A missing file gives an ungraded selector; a broken one
// the same with a warning.

#include "Core/GameComponent.h"
#include "core/HashedName.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Tarn
{
	class ButtonComponent;

	// Stored in the grades file by these values.
	enum LevelGrade : int32_t
	{
		GRADE_NONE = 0,
		GRADE_A = 1,
		GRADE_B = 2,
		GRADE_C = 3,
	};

	struct LevelPicture
	{
		int32_t mLevel = 0;
		// The best final score the level was won with.
		int32_t mScore = 0;
		int32_t mGrade = GRADE_NONE;
		// 1 (blue) for levels 1 to 10, 2 (orange) for 11 to 20.
		int32_t mSet = 1;
		std::string mPicture;
		std::string mHoverPicture;
		bool mGraded = false;
	};

	class GameLevelSelector : public GameComponent
	{
		TARN_CLASS_NAME( GameLevelSelector )

	public:
		static constexpr const char* kFolderName = "kelvane";
		static constexpr const char* kFileName = "grades.xml";
		static constexpr int32_t kLevels = 20;
		// A higher final score is the better result: A from kGradeAScore, B from
		// kGradeBScore, C below.
		static constexpr int32_t kGradeAScore = 3000;
		static constexpr int32_t kGradeBScore = 1000;

		explicit GameLevelSelector( Game* game );

		// The twenty entries, ungraded, then the grades of the file.
		void Initialise() override;
		void Shutdown() override {}
		void Update( GameTime& ) override {}

		// Where the grades live; empty when the user has no home folder.
		static std::string FilePath();
		// The file read at Initialise and written at each new grade; empty keeps the
		// grades for this run only. Set before Initialise.
		void SetFilePath( const std::string& path ) { mPath = path; }
		static LevelGrade GradeOf( int32_t score );
		// The level number a level-select picture shows ("...levelselect2orange.png" is
		// level 12), whatever the number of its digits; 0 for any other picture.
		static int32_t LevelOfPicture( const std::string& texture );

		// Level `level` was won with final score `score`: a better result than the one
		// kept raises the grade; a worse one changes nothing. Saved at once.
		void SetLevelResult( int32_t level, int32_t score );
		// Each level button among `buttons` shows its level's picture, graded or not.
		void ApplyPictures( const std::vector<ButtonComponent*>& buttons ) const;
		void HoverPicture( ButtonComponent& button ) const;
		void NormalPicture( ButtonComponent& button ) const;
		// The picture a level button shows, highlighted or not.
		std::string PictureOf( int32_t level, bool hover ) const;

		// Null outside 1 to kLevels.
		const LevelPicture* Entry( int32_t level ) const;

	private:
		LevelPicture* Find( int32_t level );
		void Grade( LevelPicture& entry, int32_t score );
		void Load();
		bool Save() const;

		// By the level's button function, FUNC_LEVEL_1 to FUNC_LEVEL_20.
		std::map<int32_t, LevelPicture> mPictures;
		std::string mPath;
	};
}
