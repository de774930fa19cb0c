// How menu mode ends: a window that takes the input ends it before it takes
// the keyboard and pointer, and the pointer rules of the loop (a press on an
// item chooses it, a press outside every level ends menu mode and still
// reaches what lies under it).

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "skin/menu/SkinPopupWindow.h"
#include "tests/skin/menu/MenuScript.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

int shownPopups()
{
    int shown = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        shown += qobject_cast<SkinPopupWindow*>(window) && window->isVisible();
    return shown;
}

bool popupOpen()
{
    return innermost() && !innermost()->isBar();
}

// Counts the presses that reach it.
class PressTarget : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

// A box that opens while a menu is open (a datagram's notice does that) finds
// menu mode ended and its popups gone, takes the keys and closes; the menu's
// loops then return. So does any other window that shows to take the input,
// and so does a menu whose window is hidden (the tray menu).
TEST(MenuModeEnd, AWindowThatTakesTheInputEndsMenuModeFirst)
{
    enum class Menu { OfTheBar, AtAPoint, OfAHiddenWindow };
    struct Case {
        Menu menu;
        bool modal;
    };
    for (const Case c : {Case{Menu::OfTheBar, true}, Case{Menu::AtAPoint, true}, Case{Menu::OfAHiddenWindow, true},
                         Case{Menu::OfTheBar, false}}) {
        SCOPED_TRACE(testing::Message() << "menu " << int(c.menu) << " modal " << c.modal);
        MenuWindow w;
        if (c.menu == Menu::OfAHiddenWindow)
            w.window.hide();
        bool menuModeWhileShown = true;
        int popupsWhileShown = -1;
        bool closedByKey = false;
        Script script;
        script.waitUntil(popupOpen).then([&] {
            // The window opens from a timer, as a datagram's box would.
            QTimer::singleShot(0, &w.window, [&] {
                QDialog box(&w.window);
                box.setModal(c.modal);
                QTimer::singleShot(0, &box, [&] {
                    menuModeWhileShown = SkinMenuTracker::inMenuMode();
                    popupsWhileShown = shownPopups();
                    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QApplication::sendEvent(&box, &escape);
                    closedByKey = !box.isVisible();
                    box.done(0);
                });
                if (c.modal) {
                    box.exec();
                } else {
                    box.show();
                    box.activateWindow();
                    QApplication::processEvents();
                }
            });
        });
        script.start(3000);
        if (c.menu == Menu::OfTheBar)
            w.menu->bar->trackItem(w.menu->game, true);
        else
            SkinMenuTracker::trackPopup(w.menu->game, QPoint(150, 160), &w.window);
        processPending();
        EXPECT_FALSE(menuModeWhileShown);
        EXPECT_EQ(popupsWhileShown, 0);
        EXPECT_TRUE(closedByKey);
        EXPECT_FALSE(SkinMenuTracker::inMenuMode());
        EXPECT_EQ(openPopupCount(), 0);
        EXPECT_TRUE(w.menu->clicks.isEmpty());
        EXPECT_EQ(w.menu->bar->view()->stateOf(w.menu->game), MenuItemStateNormal);
    }
}

// The pointer rules of the loop with the "游 戏" popup open, one click each.
TEST(MenuModeEnd, PressesAndReleasesDoWhatTheLoopSays)
{
    struct Case {
        const char* what;
        std::function<void(MenuWindow&, PressTarget&)> act;
        bool menuModeAfter;
        QStringList clicks;
        int pressesReachingTheWindow;
    };
    auto popup = [] { return innermostPopup(); };
    auto entryPoint = [popup](MenuWindow& w, int row) {
        return popup()->mapToGlobal(w.menu->entries[row]->rect().center());
    };
    const QList<Case> cases = {
        {"a left press on an item acts as Enter",
         [&](MenuWindow& w, PressTarget&) {
             mouse(QEvent::MouseButtonPress, popup(), entryPoint(w, 2), Qt::LeftButton);
         },
         false,
         {"CustomItem3"},
         0},
        {"a press and its release on an item, delivered together, choose it once",
         [&](MenuWindow& w, PressTarget&) {
             mouse(QEvent::MouseButtonPress, popup(), entryPoint(w, 0), Qt::LeftButton);
             mouse(QEvent::MouseButtonRelease, popup(), entryPoint(w, 0), Qt::LeftButton);
         },
         false,
         {"CustomItem1"},
         0},
        {"a left press on the separator chooses nothing",
         [&](MenuWindow& w, PressTarget&) {
             mouse(QEvent::MouseButtonPress, popup(), entryPoint(w, 4), Qt::LeftButton);
         },
         true,
         {},
         0},
        {"a second press on the open bar item is Enter on it: its popup stays",
         [](MenuWindow& w, PressTarget&) {
             mouse(QEvent::MouseButtonPress, w.menu->bar, w.globalCenter(w.menu->game, w.menu->bar), Qt::LeftButton);
         },
         true,
         {},
         0},
        {"a right press outside every level is dispatched and ends nothing",
         [](MenuWindow&, PressTarget& target) {
             mouse(QEvent::MouseButtonPress, &target, target.mapToGlobal(QPoint(5, 5)), Qt::RightButton);
         },
         true,
         {},
         1},
        {"a left release outside every level ends menu mode",
         [](MenuWindow&, PressTarget& target) {
             mouse(QEvent::MouseButtonRelease, &target, target.mapToGlobal(QPoint(5, 5)), Qt::LeftButton);
         },
         false,
         {},
         0},
        {"a left press outside every level ends menu mode and still reaches the window",
         [](MenuWindow&, PressTarget& target) {
             mouse(QEvent::MouseButtonPress, &target, target.mapToGlobal(QPoint(5, 5)), Qt::LeftButton);
         },
         false,
         {},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuWindow w;
        auto* target = new PressTarget(&w.window);
        target->setGeometry(400, 300, 100, 100);
        target->show();
        // The last step runs only while menu mode is still on.
        bool stayedOpen = false;
        bool popupStayed = false;
        Script script;
        script.waitUntil(popupOpen).then([&] { c.act(w, *target); }).then([&] {
            if (SkinMenuTracker* tracker = SkinMenuTracker::current()) {
                stayedOpen = true;
                popupStayed = popupOpen();
                tracker->endMenuMode();
            }
        });
        script.start();
        w.menu->bar->trackItem(w.menu->game, true);
        processPending();
        EXPECT_EQ(popupStayed, stayedOpen);
        EXPECT_EQ(stayedOpen, c.menuModeAfter);
        EXPECT_EQ(w.menu->clicks, c.clicks);
        EXPECT_EQ(target->presses, c.pressesReachingTheWindow);
    }
}

// A menu entered while the application quits (a click queued behind the
// close of the main window) cannot run its loop: every new loop returns at
// once until the main loop has returned. Menu mode ends by itself then, lets
// go of the pointer and the keyboard and hides its popups, and the quit goes
// on. Were it to spin instead, no event would ever be processed again, so a
// thread of the test ends a hung process.
TEST(MenuModeEnd, AMenuEnteredWhileTheApplicationQuitsEndsItself)
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, std::chrono::seconds(30), [&] { return done; })) {
            std::fprintf(stderr, "menu mode spins while the application quits\n");
            std::abort();
        }
    });
    for (const bool fromBar : {true, false}) {
        SCOPED_TRACE(fromBar ? "the bar's menu" : "a menu at a point");
        MenuWindow w;
        bool menuModeAfter = true;
        bool grabbed = true;
        QTimer::singleShot(0, &w.window, [&] {
            QCoreApplication::exit(0);
            if (fromBar)
                w.menu->bar->trackItem(w.menu->game, true);
            else
                SkinMenuTracker::trackPopup(w.menu->game, QPoint(150, 160), &w.window);
            menuModeAfter = SkinMenuTracker::inMenuMode();
            grabbed = QWidget::mouseGrabber() || QWidget::keyboardGrabber();
        });
        QApplication::exec();
        EXPECT_FALSE(menuModeAfter);
        EXPECT_FALSE(grabbed);
        EXPECT_EQ(openPopupCount(), 0);
    }
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
}

// A menu never outlives its window on the screen: a window that is closed or
// minimised opens none, and one minimised, hidden or rolled up (made
// smaller) while a menu is open ends menu mode with its popups gone.
TEST(MenuModeEnd, AMenuDoesNotOutliveItsWindowOnTheScreen)
{
    struct Case {
        const char* what;
        std::function<void(QWidget&)> change;
        bool beforeTheMenu;
    };
    const QList<Case> cases = {
        {"closed before", [](QWidget& window) { window.close(); }, true},
        {"minimised before", [](QWidget& window) { window.showMinimized(); }, true},
        {"minimised while open", [](QWidget& window) { window.showMinimized(); }, false},
        {"hidden while open", [](QWidget& window) { window.hide(); }, false},
        {"rolled up while open", [](QWidget& window) { window.resize(window.width(), 30); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuWindow w;
        bool opened = false;
        int popupsAfterChange = -1;
        if (c.beforeTheMenu)
            c.change(w.window);
        Script script;
        script.waitUntil(popupOpen).then([&] {
            opened = true;
            c.change(w.window);
            QTimer::singleShot(0, &w.window, [&] { popupsAfterChange = shownPopups(); });
        });
        script.start(c.beforeTheMenu ? 300 : 3000);
        w.menu->bar->trackItem(w.menu->game, true);
        processPending();
        EXPECT_EQ(opened, !c.beforeTheMenu);
        if (!c.beforeTheMenu)
            EXPECT_EQ(popupsAfterChange, 0);
        EXPECT_FALSE(SkinMenuTracker::inMenuMode());
        EXPECT_EQ(openPopupCount(), 0);
    }
}
