// The main window with its skinned frame: the frame around the designed
// client area, closing through the skinned close button (which sends the
// close notice), and golden pictures of the whole window active, inactive
// and rolled up.
//
// The golden pictures are rendered offscreen with the program's font
// substitutions and no keyboard focus (no text cursor).
#include <gtest/gtest.h>

#include "shell/ShellTestSupport.h"
#include "support/WindowGolden.h"
#include "shell/MainWindow.h"
#include "support/MessageBoxRecorder.h"
#include "skin/frame/SkinForm.h"
#include "skin/model/SkinObjects.h"
#include "skin/SkinStoredShape.h"

#include <QFile>

namespace corvane::skin {
namespace {

using shell::MainWindow;

void expectGolden(QWidget& window, const QString& name)
{
    test_support::expectWindowGolden(window, QStringLiteral("tests/skin/frame/golden"), name);
}

class MainWindowFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<MainWindow>();
        shell::testing::connectForm(*form, shell::testing::freeUdpPort(), peer.port());
        frame = shell::testing::windowFrame(*form);
        ASSERT_NE(frame, nullptr);
        // The test goes on after the main window closed: count instead of quitting.
        QObject::disconnect(frame, &SkinForm::mainWindowClosed, qApp, nullptr);
        QObject::connect(frame, &SkinForm::mainWindowClosed, [this] { ++terminations; });
    }

    void showActive()
    {
        form->move(20, 20);
        form->show();
        form->activateWindow();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
        // No focused control: a blinking text cursor would make pictures differ.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        QApplication::processEvents();
    }

    SkinSystemButton* button(const char* name)
    {
        return dynamic_cast<SkinSystemButton*>(frame->tree()->findObject(QString::fromLatin1(name)));
    }

    void click(const QPoint& p)
    {
        const QPoint g = form->mapToGlobal(p);
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), QPointF(g), Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(form.get(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), QPointF(g), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(form.get(), &up);
    }

    static QPoint centre(const SkinObject* o) { return o->boundsRect().center(); }

    shell::testing::RecordingPeer peer;
    std::unique_ptr<MainWindow> form;
    SkinForm* frame = nullptr;
    int terminations = 0;
};

TEST_F(MainWindowFrame, SkinnedFrameAroundTheDesignedClientArea)
{
    ASSERT_NE(frame->tree(), nullptr) << "the stored skin did not load";
    EXPECT_EQ(frame->objectName(), QStringLiteral("SkinForm1"));
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint) << std::hex << int(form->windowFlags());
    EXPECT_EQ(form->size(), QSize(MainWindow::ClientWidth + 48, MainWindow::ClientHeight + 40));
    EXPECT_EQ(shell::testing::clientArea(*form)->geometry(), QRect(24, 24, MainWindow::ClientWidth, MainWindow::ClientHeight));
    EXPECT_EQ(frame->caption(), QStringLiteral("CorvaneV1.0"));
    EXPECT_EQ(frame->titleObject()->text.isEmpty() || frame->titleObject()->text == frame->caption(), true);
    EXPECT_FALSE(frame->borderIcons() & borderIconBit(SkinBorderIcon::Maximize));
    EXPECT_FALSE(frame->dragging().sizeable);
}

// The shape stored beside the built-in skin is the window's: one left stale
// by a change of the skin or of the window's size would cut the window
// wrongly (or, for another size, not be used at all).
TEST_F(MainWindowFrame, StoredShapeIsTheOneTheFrameWouldWorkOut)
{
    ASSERT_NE(frame->tree(), nullptr) << "the stored skin did not load";
    QFile file(QStringLiteral(":/skin/ivory.shape"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<StoredWindowShape> stored = readStoredWindowShape(file.readAll());
    ASSERT_TRUE(stored.has_value()) << "resources/skin/ivory.shape is not a stored shape";
    const char* redo = "resources/skin/ivory.shape is out of date: build the target corvane-ivory-shape";
    EXPECT_EQ(stored->windowSize, form->size()) << redo;
    EXPECT_EQ(stored->shape, frame->tree()->createRegion()) << redo;
    EXPECT_EQ(form->mask(), stored->shape);
}

TEST_F(MainWindowFrame, SkinnedCloseButtonSendsTheCloseNoticeAndEndsTheProgram)
{
    showActive();
    click(centre(button("CopyOfCloseButton")));
    EXPECT_EQ(peer.next(), "close|2|3|4|5|6|7");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(terminations, 1);
}

TEST_F(MainWindowFrame, FailedCloseNoticeKeepsTheWindow)
{
    showActive();
    MessageBoxRecorder boxes;
    form->endpoint()->setRemoteHost(QString()); // "Null Remote Address"
    click(centre(button("CopyOfCloseButton")));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(terminations, 0);
    EXPECT_EQ(boxes.boxes().size(), 1);
}

TEST_F(MainWindowFrame, GoldenActive)
{
    showActive();
    ASSERT_TRUE(frame->isFrameActive());
    expectGolden(*form, QStringLiteral("main-window-active.png"));
}

TEST_F(MainWindowFrame, GoldenInactive)
{
    showActive();
    QWidget other;
    other.move(900, 700);
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    ASSERT_FALSE(frame->isFrameActive());
    expectGolden(*form, QStringLiteral("main-window-inactive.png"));
}

TEST_F(MainWindowFrame, GoldenRolledUp)
{
    showActive();
    click(centre(button("RollButton")));
    ASSERT_EQ(frame->windowState(), SkinWindowState::RolledUp);
    EXPECT_EQ(form->height(), 24 + 16);
    expectGolden(*form, QStringLiteral("main-window-rolled-up.png"));
    click(centre(button("UnrollButton")));
    EXPECT_EQ(form->size(), QSize(MainWindow::ClientWidth + 48, MainWindow::ClientHeight + 40));
}

} // namespace
} // namespace corvane::skin
