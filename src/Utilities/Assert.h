#pragma once

#include <string>

namespace Tarn
{
	// Shows the assertion box for a failed check. The check stands at the call site;
	// this is called only when the condition is false. Abort ends the process with
	// exit code 1; Retry breaks into an attached debugger and returns; Ignore returns.
	void Assert( const char* expressionText, const char* message, const char* file, unsigned line );

	// The text of the box: expression, "@ file:line" (file cut after its last backslash
	// only), "Message: " and the message, each line ended by a newline.
	std::string FormatAssertText( const char* expressionText, const char* message, const char* file, unsigned line );
}

#define TARN_ASSERT_MESSAGE_DEFAULT "Expression is false. Expected true."

// Asserts with the source text of the condition and a message of its own.
#define TARN_ASSERT_MSG( condition, message )                                      \
	do                                                                             \
	{                                                                              \
		if ( !( condition ) )                                                      \
			::Tarn::Assert( #condition, message, __FILE__, __LINE__ );             \
	} while ( 0 )

#define TARN_ASSERT( condition ) TARN_ASSERT_MSG( condition, TARN_ASSERT_MESSAGE_DEFAULT )
