// The default error box: its text rule, and exceptions escaping handlers.
#include "support/MessageBoxRecorder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace corvane;

TEST(ErrorBoxText, AFullStopFollowsTextsEndingAboveTheFullStop)
{
    // The endpoint's messages, as the user sees them.
    EXPECT_EQ(errorBoxText("Host Lookup Canceled"), "Host Lookup Canceled.");
    EXPECT_EQ(errorBoxText("Null Remote Address"), "Null Remote Address.");
    EXPECT_EQ(errorBoxText("Invalid stream"), "Invalid stream.");
    EXPECT_EQ(errorBoxText("Unknown Error No. 24"), "Unknown Error No. 24.");
    // Digits, "/", ":" and Chinese sort after ".".
    EXPECT_EQ(errorBoxText("1/"), "1/.");
    EXPECT_EQ(errorBoxText("a:"), "a:.");
    EXPECT_EQ(errorBoxText(QStringLiteral("无效的整数")), QStringLiteral("无效的整数."));
    // A character outside the Basic Multilingual Plane counts as one character.
    EXPECT_EQ(errorBoxText(QStringLiteral("x\U0001F600")), QStringLiteral("x\U0001F600."));
}

TEST(ErrorBoxText, TextsEndingInTheFullStopOrBelowItStayAsTheyAre)
{
    for (const char* text :
         {"", "Done.", "Unknown Error No. ", "Stop!", "a,", "a-", "\"quoted\"", "(x)", "line\n", "tab\t"})
        EXPECT_EQ(errorBoxText(QString::fromLatin1(text)), QString::fromLatin1(text)) << text;
}

TEST(ErrorBox, HasTheErrorIconAndTheApplicationTitle)
{
    MessageBoxRecorder recorder;
    showErrorBox(QStringLiteral("Null Remote Address"));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
}

namespace {

const QEvent::Type Raise = static_cast<QEvent::Type>(QEvent::registerEventType());

// A handler that raises half-way: what follows the raise must not run.
class RaisingHandler : public QObject {
public:
    int entered = 0;
    int finished = 0;
    int handled = 0;
    bool raiseSomethingElse = false;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != Raise)
            return QObject::event(event);
        ++entered;
        if (raiseSomethingElse)
            throw 42;
        if (entered % 2 == 1)
            throw std::runtime_error("Host Lookup Canceled");
        ++finished;
        return true;
    }
};

} // namespace

TEST(DefaultErrorHandling, AnExceptionFromAPostedEventIsShownOnceAndTheProgramGoesOn)
{
    MessageBoxRecorder recorder;
    RaisingHandler handler;
    QCoreApplication::postEvent(&handler, new QEvent(Raise));
    QCoreApplication::postEvent(&handler, new QEvent(Raise));
    QCoreApplication::processEvents();
    EXPECT_EQ(handler.entered, 2);
    EXPECT_EQ(handler.finished, 1); // the first stopped at its raise, the second ran through
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Host Lookup Canceled."));
}

TEST(DefaultErrorHandling, AnExceptionFromASlotIsCaughtByTheDispatchThatRanIt)
{
    MessageBoxRecorder recorder;
    int after = 0;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        throw std::runtime_error("Null Remote Address");
        ++after;
    });
    timer.start(0);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(after, 0);
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
}

TEST(DefaultErrorHandling, AnExceptionInsideAnOpenBoxIsShownByTheInnerDispatchOnly)
{
    MessageBoxRecorder recorder;
    RaisingHandler handler;
    bool boxReturned = false;
    recorder.onShow = [&](const RecordedBox& box) {
        if (box.text != QLatin1String("open"))
            return;
        // While the box is open, an event whose handler raises.
        QCoreApplication::postEvent(&handler, new QEvent(Raise));
        QCoreApplication::processEvents();
    };
    showMessageBox(nullptr, QStringLiteral("open"), QStringLiteral("信息"));
    boxReturned = true;
    EXPECT_TRUE(boxReturned);
    ASSERT_EQ(recorder.boxes().size(), 2);
    EXPECT_EQ(recorder.boxes()[1].icon, BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[1].text, QStringLiteral("Host Lookup Canceled."));
}

TEST(DefaultErrorHandling, SomethingThatIsNotAnExceptionObjectIsStillCaught)
{
    MessageBoxRecorder recorder;
    RaisingHandler handler;
    handler.raiseSomethingElse = true;
    QCoreApplication::postEvent(&handler, new QEvent(Raise));
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Unknown error."));
}

// What reaches the application's notify has unwound through Qt's frames;
// only plain objects are tried that way here.
TEST(DefaultErrorHandling, TheEventWhoseHandlerRaisedIsLeftIgnored)
{
    MessageBoxRecorder recorder;
    RaisingHandler handler;
    QEvent event(Raise);
    event.accept();
    EXPECT_FALSE(QCoreApplication::sendEvent(&handler, &event));
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(handler.finished, 0);
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Host Lookup Canceled."));
}
