#include "Utilities/LogSinks.h"

namespace Tarn
{
	std::string FormatLogLine( const char* message, int level, const char* fileName, int line )
	{
		std::string text = LevelName( level );
		text += ' ';
		text += fileName;
		text += '(';
		text += std::to_string( line );
		text += "): ";
		text += message;
		return text;
	}

	void ConsoleLogSink::Write( const char* message, int level, const char* fileName, int line )
	{
		const std::string text = FormatLogLine( message, level, fileName, line );
		std::fprintf( stderr, "%s\n", text.c_str() );
	}

	FileLogSink::~FileLogSink()
	{
		if ( mFile )
			std::fclose( mFile );
	}

	bool FileLogSink::Open( const std::string& path )
	{
		if ( mFile )
			std::fclose( mFile );
		mFile = std::fopen( path.c_str(), "w" );
		return mFile != nullptr;
	}

	void FileLogSink::Write( const char* message, int level, const char* fileName, int line )
	{
		if ( !mFile )
			return;
		const std::string text = FormatLogLine( message, level, fileName, line );
		std::fprintf( mFile, "%s\n", text.c_str() );
		std::fflush( mFile );
	}
}
