#include "Utilities/Assert.h"

#include "Platform/AssertBox.h"

#include <cstring>

namespace Tarn
{
	std::string FormatAssertText( const char* expressionText, const char* message, const char* file, unsigned line )
	{
		const char* fileName = file ? file : "";
		if ( const char* slash = std::strrchr( fileName, '\\' ) )
			fileName = slash + 1;

		std::string text;
		text += "Expression: ";
		text += expressionText ? expressionText : "";
		text += "\n@ ";
		text += fileName;
		text += ":";
		text += std::to_string( line );
		text += "\nMessage: \n";
		text += message ? message : "";
		text += "\n";
		return text;
	}

	void Assert( const char* expressionText, const char* message, const char* file, unsigned line )
	{
		Platform::AssertReport report;
		report.mExpression = expressionText ? expressionText : "";
		report.mMessage = message ? message : "";
		report.mFile = file ? file : "";
		report.mLine = line;
		report.mText = FormatAssertText( expressionText, message, file, line );

		switch ( Platform::ShowAssertBox( report ) )
		{
		case Platform::AssertChoice::Abort:
			Platform::AbortProcess( 1 );
		case Platform::AssertChoice::Retry:
			if ( Platform::IsDebuggerAttached() )
				Platform::BreakIntoDebugger();
			return;
		case Platform::AssertChoice::Ignore:
			return;
		}
	}
}
