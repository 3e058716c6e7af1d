#pragma once

#include "Platform/AssertBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace KelvaneTest
{
	// Records every engine assertion and answers Ignore. Create one in a test that
	// expects assertions; the global environment fails any test that raises an
	// assertion without one.
	class AssertRecorder
	{
	public:
		AssertRecorder();
		~AssertRecorder();

		const std::vector<Platform::AssertReport>& Reports() const { return mReports; }
		size_t Count() const { return mReports.size(); }
		bool Saw( const std::string& expression, const std::string& message ) const;
		void Clear() { mReports.clear(); }

	private:
		std::vector<Platform::AssertReport> mReports;
	};

	class AssertEnvironment : public testing::Environment
	{
	public:
		void SetUp() override;
	};
}
