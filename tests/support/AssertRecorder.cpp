#include "support/AssertRecorder.h"

namespace KelvaneTest
{
	namespace
	{
		Platform::AssertChoice Unexpected( const Platform::AssertReport& report )
		{
			ADD_FAILURE() << "unexpected engine assertion:\n" << report.mText;
			return Platform::AssertChoice::Ignore;
		}
	}

	AssertRecorder::AssertRecorder()
	{
		Platform::SetAssertHandler( [this]( const Platform::AssertReport& report ) {
			mReports.push_back( report );
			return Platform::AssertChoice::Ignore;
		} );
	}

	AssertRecorder::~AssertRecorder() { Platform::SetAssertHandler( Unexpected ); }

	bool AssertRecorder::Saw( const std::string& expression, const std::string& message ) const
	{
		for ( const auto& report : mReports )
			if ( report.mExpression == expression && report.mMessage == message )
				return true;
		return false;
	}

	void AssertEnvironment::SetUp() { Platform::SetAssertHandler( Unexpected ); }
}
