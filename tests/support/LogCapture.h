#pragma once

#include "Utilities/Log.h"

#include <string>
#include <vector>

namespace KelvaneTest
{
	struct CapturedMessage
	{
		std::string mText;
		int mLevel = 0;
		std::string mFile;
		int mLine = 0;
	};

	// Adds a sink to the engine log for its lifetime and keeps what reaches it.
	class LogCapture
	{
	public:
		explicit LogCapture( uint32_t mask = 0xFFFFFFFFu, const std::string& name = "test-capture" );
		~LogCapture();

		const std::vector<CapturedMessage>& Messages() const;
		std::vector<std::string> Texts() const;
		// A message is exactly `text`.
		bool Contains( const std::string& text ) const;
		// A message holds `fragment` somewhere in it.
		bool Mentions( const std::string& fragment ) const;
		size_t CountOf( const std::string& text ) const;
		void Clear();

	private:
		std::string mName;
		std::vector<CapturedMessage>* mMessages;
	};
}
