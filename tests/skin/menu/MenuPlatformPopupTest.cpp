// Menus where only the compositor places windows (Wayland): each popup is the
// platform's popup window with the window that opened it as its transient
// parent, placed as anywhere else, and menu mode works through it.

#include <gtest/gtest.h>

#include <QWindow>

#include "skin/SkinWindowSystem.h"
#include "skin/menu/SkinMenuTracker.h"
#include "skin/menu/SkinPopupWindow.h"
#include "tests/skin/menu/MenuScript.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

struct PlatformPopups : ::testing::Test {
    PlatformPopups() { setProgramPlacesWindows(false); }
    ~PlatformPopups() override { setProgramPlacesWindows(true); }
};

TEST_F(PlatformPopups, APopupIsTransientForItsOpenerOpensUnderTheItemAndAClickChooses)
{
    MenuWindow w;
    Qt::WindowType type = Qt::Widget;
    QWindow* transientParent = nullptr;
    QPoint at;
    QWidget* grabber = nullptr;
    Script script;
    script.then([&] {
        QWidget* popup = innermostPopup();
        type = popup->windowType();
        transientParent = popup->windowHandle()->transientParent();
        at = popup->geometry().topLeft();
        grabber = QWidget::mouseGrabber();
        mouse(QEvent::MouseButtonRelease, popup, popup->mapToGlobal(w.menu->entries[2]->rect().center()), Qt::LeftButton);
    });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    processPending();

    EXPECT_EQ(type, Qt::Popup);
    EXPECT_EQ(transientParent, w.window.windowHandle());
    EXPECT_EQ(at, w.menu->bar->mapToGlobal(w.menu->game->rect().bottomLeft()) + QPoint(0, 1));
    EXPECT_NE(grabber, w.menu->bar) << "only a popup may take the pointer";
    EXPECT_EQ(w.menu->clicks, QStringList{QStringLiteral("CustomItem3")});
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
}

// The compositor closes a popup when the user presses outside the program.
TEST_F(PlatformPopups, ThePlatformClosingThePopupEndsMenuMode)
{
    MenuWindow w;
    Script script;
    script.then([] { innermostPopup()->close(); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    processPending();

    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    EXPECT_TRUE(w.menu->clicks.isEmpty());
    EXPECT_EQ(openPopupCount(), 0);
}

} // namespace
