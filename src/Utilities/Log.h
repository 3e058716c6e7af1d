#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace Tarn
{
	// Receives committed messages whose level shares a bit with its own mask.
	class LogSink
	{
	public:
		explicit LogSink( uint32_t levelMask ) : mLevelMask( levelMask ) {}
		virtual ~LogSink() = default;
		virtual void Write( const char* message, int level, const char* fileName, int line ) = 0;

		uint32_t mLevelMask;
	};

	// The engine log. A message is built in two steps: set mLevel and write into
	// mStream, then Commit with the caller's file and line (the LOG_* macros do both).
	class Log
	{
	public:
		enum Level : int32_t
		{
			LEVEL_INFO = 2,
			LEVEL_WARNING = 4,
			LEVEL_ERROR = 8,
		};

		static Log& Instance();

		// The log owns its sinks; a sink added under a name already in use replaces it.
		void AddSink( const std::string& name, LogSink* sink );
		void RemoveSink( const std::string& name );
		bool HasSink( const std::string& name ) const { return mSinks.count( name ) != 0; }

		void Commit( const char* file, int line );

		// The file name a sink receives: after the last backslash, else the last slash.
		static const char* ReduceFileName( const char* file );

		uint16_t mLevelMask = 15;
		std::map<std::string, std::unique_ptr<LogSink>> mSinks;
		std::ostringstream mStream;
		int32_t mLevel = LEVEL_INFO;

	private:
		Log() = default;
	};

	const char* LevelName( int level );
}

#define TARN_LOG( level, text )                                   \
	do                                                            \
	{                                                             \
		::Tarn::Log& tarnLog = ::Tarn::Log::Instance();           \
		tarnLog.mLevel = ( level );                               \
		tarnLog.mStream << text;                                  \
		tarnLog.Commit( __FILE__, __LINE__ );                     \
	} while ( 0 )

#define LOG_INFO( text ) TARN_LOG( ::Tarn::Log::LEVEL_INFO, text )
#define LOG_WARNING( text ) TARN_LOG( ::Tarn::Log::LEVEL_WARNING, text )
#define LOG_ERROR( text ) TARN_LOG( ::Tarn::Log::LEVEL_ERROR, text )
