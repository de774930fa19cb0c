// Handlers guarded where Qt calls them: the error box once, the rest of the
// handler skipped, a close refused, and nothing left for the application's
// notify (which would show a second box).
#include "ui/HandlerGuard.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>

#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>

using namespace corvane;

TEST(RunGuarded, AFinishedHandlerShowsNothing)
{
    MessageBoxRecorder recorder;
    int ran = 0;
    EXPECT_TRUE(runGuarded([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(recorder.boxes().isEmpty());
}

TEST(RunGuarded, ARaisingHandlerStopsThereAndShowsTheDefaultErrorBoxOnce)
{
    MessageBoxRecorder recorder;
    int before = 0;
    int after = 0;
    bool finished = true;
    EXPECT_NO_THROW(finished = runGuarded([&] {
        ++before;
        throw std::runtime_error("Host Lookup Canceled");
        ++after;
    }));
    EXPECT_FALSE(finished);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Host Lookup Canceled."));
}

TEST(RunGuarded, TextsFollowTheErrorBoxRule)
{
    MessageBoxRecorder recorder;
    runGuarded([] { throw std::invalid_argument("'12a' is not a valid integer value"); });
    runGuarded([] { throw std::runtime_error("Done."); });
    runGuarded([] { throw std::runtime_error("无效的整数"); });  // what() is UTF-8
    runGuarded([] { throw 42; });
    ASSERT_EQ(recorder.boxes().size(), 4);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("'12a' is not a valid integer value."));
    EXPECT_EQ(recorder.boxes()[1].text, QStringLiteral("Done."));
    EXPECT_EQ(recorder.boxes()[2].text, QStringLiteral("无效的整数."));
    EXPECT_EQ(recorder.boxes()[3].text, QStringLiteral("Unknown error."));
}

TEST(RunGuarded, TheBoxOpensAfterTheExceptionIsOver)
{
    // The box runs an event loop; handlers run inside it may raise and catch
    // exceptions of their own, which must not meet a half-handled one.
    MessageBoxRecorder recorder;
    int uncaughtWhileOpen = -1;
    bool exceptionActiveWhileOpen = true;
    recorder.onShow = [&](const RecordedBox&) {
        uncaughtWhileOpen = std::uncaught_exceptions();
        exceptionActiveWhileOpen = static_cast<bool>(std::current_exception());
    };
    runGuarded([] { throw std::runtime_error("Invalid stream"); });
    EXPECT_EQ(uncaughtWhileOpen, 0);
    EXPECT_FALSE(exceptionActiveWhileOpen);
}

TEST(RunGuarded, AHandlerRaisingWhileAnErrorBoxIsOpenGetsABoxOfItsOwn)
{
    MessageBoxRecorder recorder;
    bool outerResumed = false;
    recorder.onShow = [&](const RecordedBox& box) {
        if (box.text == QLatin1String("Null Remote Address."))
            runGuarded([] { throw std::runtime_error("Host Lookup Canceled"); });
    };
    runGuarded([] { throw std::runtime_error("Null Remote Address"); });
    outerResumed = true;
    EXPECT_TRUE(outerResumed);
    ASSERT_EQ(recorder.boxes().size(), 2);
    EXPECT_EQ(recorder.boxes()[1].text, QStringLiteral("Host Lookup Canceled."));
}

namespace {

// A window whose close handler raises before it could decide anything, as
// the main window does when the close notice cannot be sent. It neither
// refuses nor accepts before the raise: the event arrives accepted.
class WindowWithFailingClose : public QWidget {
public:
    bool failing = true;
    int finishedCloses = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        guardedEvent(event, [&] {
            if (failing)
                throw std::runtime_error("Host Lookup Canceled");
            ++finishedCloses;
            event->accept();
        });
    }
};

} // namespace

TEST(GuardedEvent, ACloseWhoseHandlerRaisesIsRefusedAndTheWindowStaysOpen)
{
    MessageBoxRecorder recorder;
    WindowWithFailingClose window;
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.finishedCloses, 0);
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Host Lookup Canceled."));

    window.failing = false;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.finishedCloses, 1);
    EXPECT_EQ(recorder.boxes().size(), 1);
}

TEST(GuardedEvent, AFinishedHandlerKeepsWhatItDecided)
{
    MessageBoxRecorder recorder;
    QCloseEvent refused;
    EXPECT_TRUE(guardedEvent(&refused, [&] { refused.ignore(); }));
    EXPECT_FALSE(refused.isAccepted());
    QCloseEvent accepted;
    accepted.ignore();
    EXPECT_TRUE(guardedEvent(&accepted, [&] { accepted.accept(); }));
    EXPECT_TRUE(accepted.isAccepted());
    EXPECT_TRUE(recorder.boxes().isEmpty());
}
