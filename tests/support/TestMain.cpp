#include "support/AssertRecorder.h"

#include <gtest/gtest.h>

int main( int argc, char** argv )
{
	testing::InitGoogleTest( &argc, argv );
	// No test may stop in a message box: an assertion that no test expects fails it.
	testing::AddGlobalTestEnvironment( new KelvaneTest::AssertEnvironment() );
	return RUN_ALL_TESTS();
}
