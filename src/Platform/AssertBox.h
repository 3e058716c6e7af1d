#pragma once

#include <functional>
#include <string>

namespace Platform
{
	enum class AssertChoice
	{
		Abort,
		Retry,
		Ignore,
	};

	struct AssertReport
	{
		std::string mExpression;
		std::string mMessage;
		std::string mFile;
		unsigned mLine = 0;
		std::string mText; // the whole text of the box
	};

	// Replaces the box for every following assertion (tests record them this way).
	// An empty handler restores the box.
	using AssertHandler = std::function<AssertChoice( const AssertReport& )>;
	void SetAssertHandler( AssertHandler handler );

	// Without a display the box cannot be shown: its text goes to stderr and the
	// answer is this one (the command line's --on-assert).
	void SetUnattendedAssertChoice( AssertChoice choice );
	// Forces the unattended answer even where a display exists (--headless).
	void SetAssertBoxEnabled( bool enabled );

	// Shows the modal "Assertion Error" box with Abort, Retry (default) and Ignore.
	AssertChoice ShowAssertBox( const AssertReport& report );

	bool IsDebuggerAttached();
	void BreakIntoDebugger();
	[[noreturn]] void AbortProcess( int exitCode );
}
