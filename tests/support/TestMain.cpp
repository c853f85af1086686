// The main of every Windows test program: the test desktop first, before
// anything can create a window, then GoogleTest.
#include <gmock/gmock.h>

#include "tests/support/TestDesktop.h"

int main(int argc, char** argv) {
    if (!EnterTestDesktop()) return 2;
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
