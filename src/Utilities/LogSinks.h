#pragma once

#include "Utilities/Log.h"

#include <cstdio>
#include <string>

namespace Tarn
{
	// One line per message: level, file, line, text.
	std::string FormatLogLine( const char* message, int level, const char* fileName, int line );

	// Warnings and errors on stderr.
	class ConsoleLogSink : public LogSink
	{
	public:
		ConsoleLogSink() : LogSink( Log::LEVEL_WARNING | Log::LEVEL_ERROR ) {}
		void Write( const char* message, int level, const char* fileName, int line ) override;
	};

	// Every level into a file, flushed line by line so that nothing is lost when the
	// process ends through an aborted assertion.
	class FileLogSink : public LogSink
	{
	public:
		FileLogSink() : LogSink( 0xFFFFFFFFu ) {}
		~FileLogSink() override;
		bool Open( const std::string& path );
		void Write( const char* message, int level, const char* fileName, int line ) override;

	private:
		std::FILE* mFile = nullptr;
	};
}
