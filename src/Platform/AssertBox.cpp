#include "Platform/AssertBox.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace Platform
{
	namespace
	{
		AssertHandler& Handler()
		{
			static AssertHandler handler;
			return handler;
		}
		AssertChoice sUnattendedChoice = AssertChoice::Abort;
		bool sBoxEnabled = true;

		bool ShowSdlBox( const std::string& text, AssertChoice& choice )
		{
			const SDL_MessageBoxButtonData buttons[] = {
				{ 0, static_cast<int>( AssertChoice::Abort ), "Abort" },
				{ SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, static_cast<int>( AssertChoice::Retry ), "Retry" },
				{ SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, static_cast<int>( AssertChoice::Ignore ), "Ignore" },
			};
			SDL_MessageBoxData data{};
			data.flags = SDL_MESSAGEBOX_ERROR;
			data.window = nullptr;
			data.title = "Assertion Error";
			data.message = text.c_str();
			data.numbuttons = SDL_arraysize( buttons );
			data.buttons = buttons;
			int pressed = -1;
			if ( SDL_ShowMessageBox( &data, &pressed ) != 0 || pressed < 0 )
				return false;
			choice = static_cast<AssertChoice>( pressed );
			return true;
		}
	}

	void SetAssertHandler( AssertHandler handler ) { Handler() = std::move( handler ); }
	void SetUnattendedAssertChoice( AssertChoice choice ) { sUnattendedChoice = choice; }
	void SetAssertBoxEnabled( bool enabled ) { sBoxEnabled = enabled; }

	AssertChoice ShowAssertBox( const AssertReport& report )
	{
		if ( Handler() )
			return Handler()( report );

		AssertChoice choice = sUnattendedChoice;
		if ( sBoxEnabled && ShowSdlBox( report.mText, choice ) )
			return choice;

		std::fprintf( stderr, "Assertion Error\n%s", report.mText.c_str() );
		std::fflush( stderr );
		return sUnattendedChoice;
	}

	bool IsDebuggerAttached()
	{
		std::ifstream status( "/proc/self/status" );
		std::string line;
		while ( std::getline( status, line ) )
		{
			if ( line.rfind( "TracerPid:", 0 ) == 0 )
				return std::atoi( line.c_str() + 10 ) != 0;
		}
		return false;
	}

	void BreakIntoDebugger() { std::raise( SIGTRAP ); }

	void AbortProcess( int exitCode )
	{
		std::fflush( nullptr );
		std::_Exit( exitCode );
	}
}
