#pragma once

#include "Platform/AssertBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Tarn
{
	enum class WindowMode
	{
		Default, // the window's own setting (full screen)
		Windowed,
		Fullscreen,
	};

	// What the command line asks of this run.
	struct LaunchOptions
	{
		bool mHelp = false;
		bool mVersion = false;
		bool mHeadless = false;
		bool mListTypes = false;
		uint64_t mFrames = 0; // 0: run until Exit
		std::string mLogFile;
		WindowMode mWindowMode = WindowMode::Default;
		// Every path below is absolute: made so from where the command was given.
		std::string mInputFile; // a script of window events to replay
		std::string mRecordFile; // where this session's window events are written as a script
		std::string mScreenshotFile; // the last frame as a PNG
		int32_t mLevel = 0;          // the numbered level to play from the start; 0: none
		std::string mSaveLevelFile;  // where the playing level is written after the last frame

		Platform::AssertChoice mOnAssert = Platform::AssertChoice::Abort;
	};

	struct CommandLineResult
	{
		LaunchOptions mOptions;
		std::string mError; // empty when the command line was understood
	};

	CommandLineResult ParseCommandLine( const std::vector<std::string>& arguments );
	const char* UsageText();
}
