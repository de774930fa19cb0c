// The main-window frame tests run under the program's own application object:
// its font substitutions shape the caption, and an exception leaving an event
// handler ends in the default error box, as in the program.
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
