// The integration tests run under the program's own application object, so
// that font substitutions and the default error box are those of the program.
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
