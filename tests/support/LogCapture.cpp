#include "support/LogCapture.h"

#include <algorithm>
#include <memory>

namespace KelvaneTest
{
	namespace
	{
		class CaptureSink : public Tarn::LogSink
		{
		public:
			CaptureSink( uint32_t mask, std::vector<CapturedMessage>* messages ) : LogSink( mask ), mMessages( messages ) {}
			void Write( const char* message, int level, const char* fileName, int line ) override
			{
				mMessages->push_back( { message, level, fileName, line } );
			}

		private:
			std::vector<CapturedMessage>* mMessages;
		};
	}

	LogCapture::LogCapture( uint32_t mask, const std::string& name )
	    : mName( name ), mMessages( new std::vector<CapturedMessage>() )
	{
		Tarn::Log::Instance().AddSink( mName, new CaptureSink( mask, mMessages ) );
	}

	LogCapture::~LogCapture()
	{
		Tarn::Log::Instance().RemoveSink( mName );
		delete mMessages;
	}

	const std::vector<CapturedMessage>& LogCapture::Messages() const { return *mMessages; }

	std::vector<std::string> LogCapture::Texts() const
	{
		std::vector<std::string> texts;
		for ( const auto& message : *mMessages )
			texts.push_back( message.mText );
		return texts;
	}

	bool LogCapture::Contains( const std::string& text ) const { return CountOf( text ) > 0; }

	bool LogCapture::Mentions( const std::string& fragment ) const
	{
		return std::any_of( mMessages->begin(), mMessages->end(),
		                    [&]( const CapturedMessage& m ) { return m.mText.find( fragment ) != std::string::npos; } );
	}

	size_t LogCapture::CountOf( const std::string& text ) const
	{
		return static_cast<size_t>( std::count_if( mMessages->begin(), mMessages->end(),
		                                           [&]( const CapturedMessage& m ) { return m.mText == text; } ) );
	}

	void LogCapture::Clear() { mMessages->clear(); }
}
