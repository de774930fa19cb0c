// The default error box: its text rule, and exceptions escaping handlers.
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
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
    for (const char* text : {"", "Done.", "Unknown Error No. ", "Stop!", "a,", "a-", "\"quoted\"", "(x)",
                             "line\n", "tab\t"})
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
    EXPECT_EQ(handler.finished, 1);   // the first stopped at its raise, the second ran through
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

TEST(DefaultErrorHandling, AButtonWhoseClickRaisesStaysUsable)
{
    // A send raising from a click handler, as a menu command or the chat
    // button does when the peer cannot be resolved.
    MessageBoxRecorder recorder;
    QPushButton button(QStringLiteral("发送"));
    button.resize(80, 24);
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        throw std::runtime_error("Host Lookup Canceled");
    });
    const QPointF centre(40, 12);
    for (int i = 0; i < 2; ++i) {
        QMouseEvent press(QEvent::MouseButtonPress, centre, button.mapToGlobal(centre), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, button.mapToGlobal(centre), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &press);
        QApplication::sendEvent(&button, &release);
        EXPECT_FALSE(button.isDown());
    }
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(recorder.boxes().size(), 2);
    EXPECT_EQ(recorder.boxes()[1].text, QStringLiteral("Host Lookup Canceled."));
}

namespace {

// A window whose close handler raises before it could decide anything, as
// the main window does when the close notice cannot be sent.
class WindowWithFailingClose : public QWidget {
public:
    bool failing = true;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (failing)
            throw std::runtime_error("Host Lookup Canceled");
        event->accept();
    }
};

} // namespace

TEST(DefaultErrorHandling, ACloseWhoseHandlerRaisesIsAbandoned)
{
    MessageBoxRecorder recorder;
    WindowWithFailingClose window;
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Host Lookup Canceled."));

    window.failing = false;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}
