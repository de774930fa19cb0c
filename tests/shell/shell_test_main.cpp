// The main-window tests run under the program's own application object, so
// that an exception leaving an event handler ends in the default error box,
// exactly as in the program (the tests record the boxes instead of showing them).
#include <gtest/gtest.h>

#include "ui/CorvaneApplication.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    corvane::CorvaneApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
