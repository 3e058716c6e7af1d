#include "Core/CommandLine.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace Tarn
{
	namespace
	{
		// The program moves to its data root before it runs; every file the command line
		// names is meant where the command was given.
		std::string FromWhereGiven( const std::string& path )
		{
			std::error_code error;
			const std::filesystem::path absolute = std::filesystem::absolute( path, error );
			return error ? path : absolute.lexically_normal().string();
		}

		bool ParseCount( const std::string& text, uint64_t& value )
		{
			if ( text.empty() )
				return false;
			const char* end = text.data() + text.size();
			const auto result = std::from_chars( text.data(), end, value );
			return result.ec == std::errc() && result.ptr == end;
		}
	}

	const char* UsageText()
	{
		return "usage: kelvane [options]\n"
		       "  --help                 show this text and exit\n"
		       "  --version              show the version and exit\n"
		       "  --headless             run without a window, sound or real time: every tick\n"
		       "                         is one 16 ms update step\n"
		       "  --frames N             exit after N update steps (N >= 1)\n"
		       "  --windowed             open a window instead of going full screen\n"
		       "  --fullscreen           go full screen (at the desktop's size when the display\n"
		       "                         has no 1280 x 720 mode)\n"
		       "  --input FILE           replay the window events of FILE, step by step\n"
		       "  --record FILE          write this session's window events to FILE, as a\n"
		       "                         script that --input replays\n"
		       "  --level N              play level N (1 to 20) from the start\n"
		       "  --save-level FILE      write the playing level to FILE after the last frame\n"
		       "  --log FILE             write every log message to FILE\n"
		       "  --screenshot FILE      write the last frame to FILE as a PNG (not with --headless)\n"
		       "  --list-types           list the registered object, component and state types\n"
		       "  --on-assert MODE       answer to a failed assertion when no box can be shown:\n"
		       "                         abort (exit code 1), ignore, or break (into a debugger)\n";
	}

	CommandLineResult ParseCommandLine( const std::vector<std::string>& arguments )
	{
		CommandLineResult result;
		LaunchOptions& options = result.mOptions;

		for ( size_t i = 0; i < arguments.size(); ++i )
		{
			std::string name = arguments[i];
			std::string value;
			bool hasValue = false;
			if ( const size_t equals = name.find( '=' ); name.rfind( "--", 0 ) == 0 && equals != std::string::npos )
			{
				value = name.substr( equals + 1 );
				name = name.substr( 0, equals );
				hasValue = true;
			}
			auto takeValue = [&]( const char* what ) -> bool {
				if ( hasValue )
					return true;
				if ( i + 1 >= arguments.size() )
				{
					result.mError = name + " needs " + what;
					return false;
				}
				value = arguments[++i];
				return true;
			};
			auto takeFile = [&]( std::string& target ) -> bool {
				if ( !takeValue( "a file name" ) )
					return false;
				if ( value.empty() )
				{
					result.mError = name + " needs a file name";
					return false;
				}
				target = FromWhereGiven( value );
				return true;
			};
			auto noValue = [&]() -> bool {
				if ( hasValue )
					result.mError = name + " takes no value";
				return !hasValue;
			};

			if ( name == "--help" || name == "-h" )
			{
				if ( !noValue() )
					return result;
				options.mHelp = true;
			}
			else if ( name == "--version" )
			{
				if ( !noValue() )
					return result;
				options.mVersion = true;
			}
			else if ( name == "--headless" )
			{
				if ( !noValue() )
					return result;
				options.mHeadless = true;
			}
			else if ( name == "--list-types" )
			{
				if ( !noValue() )
					return result;
				options.mListTypes = true;
			}
			else if ( name == "--frames" )
			{
				if ( !takeValue( "a number of update steps" ) )
					return result;
				if ( !ParseCount( value, options.mFrames ) || options.mFrames == 0 )
				{
					result.mError = "--frames needs a whole number of at least 1, not '" + value + "'";
					return result;
				}
			}
			else if ( name == "--windowed" || name == "--fullscreen" )
			{
				if ( !noValue() )
					return result;
				const WindowMode wanted = name == "--windowed" ? WindowMode::Windowed : WindowMode::Fullscreen;
				if ( options.mWindowMode != WindowMode::Default && options.mWindowMode != wanted )
				{
					result.mError = "--windowed and --fullscreen cannot both be given";
					return result;
				}
				options.mWindowMode = wanted;
			}
			else if ( name == "--input" )
			{
				if ( !takeFile( options.mInputFile ) )
					return result;
			}
			else if ( name == "--level" )
			{
				if ( !takeValue( "a level number" ) )
					return result;
				uint64_t level = 0;
				if ( !ParseCount( value, level ) || level < 1 || level > 20 )
				{
					result.mError = "--level needs a level number from 1 to 20, not '" + value + "'";
					return result;
				}
				options.mLevel = static_cast<int32_t>( level );
			}
			else if ( name == "--save-level" )
			{
				if ( !takeFile( options.mSaveLevelFile ) )
					return result;
			}
			else if ( name == "--record" )
			{
				if ( !takeFile( options.mRecordFile ) )
					return result;
			}
			else if ( name == "--log" )
			{
				if ( !takeFile( options.mLogFile ) )
					return result;
			}
			else if ( name == "--screenshot" )
			{
				if ( !takeFile( options.mScreenshotFile ) )
					return result;
			}
			else if ( name == "--on-assert" )
			{
				if ( !takeValue( "abort, ignore or break" ) )
					return result;
				if ( value == "abort" )
					options.mOnAssert = Platform::AssertChoice::Abort;
				else if ( value == "ignore" )
					options.mOnAssert = Platform::AssertChoice::Ignore;
				else if ( value == "break" )
					options.mOnAssert = Platform::AssertChoice::Retry;
				else
				{
					result.mError = "--on-assert takes abort, ignore or break, not '" + value + "'";
					return result;
				}
			}
			else
			{
				result.mError = "unknown option '" + arguments[i] + "'";
				return result;
			}
		}
		if ( options.mHeadless && !options.mScreenshotFile.empty() )
			result.mError = "--screenshot needs a real window; it cannot be used with --headless";
		else if ( !options.mRecordFile.empty() && options.mRecordFile == options.mInputFile )
			result.mError = "--record and --input name the same file; the recording would replace the script it replays";
		return result;
	}
}
