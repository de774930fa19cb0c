// Entry point for tests that need widgets: a QApplication must exist before
// any widget is made, and the offscreen platform keeps the tests display-free.
// Tests of the program's windows (corvane_add_test ... PROGRAM_APPLICATION)
// run under the program's own application object instead, so that its font
// substitutions apply and an exception leaving an event handler ends in the
// default error box, as in the program.
#include <QApplication>
#include <gtest/gtest.h>

#ifdef CORVANE_TEST_PROGRAM_APPLICATION
#include "ui/CorvaneApplication.h"
using TestApplication = corvane::CorvaneApplication;
#else
using TestApplication = QApplication;
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
