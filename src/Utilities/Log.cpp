#include "Utilities/Log.h"

#include <cstring>

namespace Tarn
{
	Log& Log::Instance()
	{
		static Log log;
		return log;
	}

	void Log::AddSink( const std::string& name, LogSink* sink )
	{
		if ( sink )
			mSinks[name].reset( sink );
	}

	void Log::RemoveSink( const std::string& name ) { mSinks.erase( name ); }

	const char* Log::ReduceFileName( const char* file )
	{
		if ( !file )
			return "";
		if ( const char* backslash = std::strrchr( file, '\\' ) )
			return backslash + 1;
		if ( const char* slash = std::strrchr( file, '/' ) )
			return slash + 1;
		return file;
	}

	void Log::Commit( const char* file, int line )
	{
		const std::string text = mStream.str();
		if ( ( mLevel & mLevelMask ) != 0 )
		{
			const char* fileName = ReduceFileName( file );
			for ( auto& [name, sink] : mSinks )
			{
				if ( ( sink->mLevelMask & static_cast<uint32_t>( mLevel ) ) != 0 )
					sink->Write( text.c_str(), mLevel, fileName, line );
			}
		}
		mStream.str( std::string() );
		mStream.clear();
		mLevel = LEVEL_INFO;
	}

	const char* LevelName( int level )
	{
		switch ( level )
		{
		case Log::LEVEL_INFO:
			return "info";
		case Log::LEVEL_WARNING:
			return "warning";
		case Log::LEVEL_ERROR:
			return "error";
		default:
			return "level";
		}
	}
}
