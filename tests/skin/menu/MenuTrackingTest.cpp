// Menu mode: the tracking loop's keyboard and mouse rules, choosing an item
// after the menu has closed, keyboard activation, and where popups open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "skin/menu/SkinMenuTracker.h"
#include "skin/menu/SkinPopupPlacement.h"
#include "skin/menu/SkinPopupSystemMenu.h"
#include "skin/menu/SkinPopupWindow.h"
#include "tests/skin/menu/MenuScript.h"
#include "tests/skin/menu/MenuTestSkin.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

TEST(MenuTracking, PopupOpensBelowTheBarItemWithSixRowsAndTheFirstHot)
{
    MenuWindow w;
    QRect popupGeometry;
    int rows = 0;
    QString firstHot;
    Script script;
    script
        .then([&] {
            SkinItemView* level = innermost();
            ASSERT_NE(level, nullptr);
            ASSERT_FALSE(level->isBar());
            rows = int(level->shownItems().size());
            firstHot = hotName();
            popupGeometry = SkinMenuTracker::current()->popupOf(level)->geometry();
        })
        .then([] { key(Qt::Key_Escape); })
        .then([] { key(Qt::Key_Escape); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);

    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    EXPECT_EQ(rows, 6);
    EXPECT_EQ(firstHot, QStringLiteral("CustomItem1"));
    const QPoint itemBottomLeft = w.menu->bar->mapToGlobal(w.menu->game->rect.bottomLeft()) + QPoint(0, 1);
    EXPECT_EQ(popupGeometry.topLeft(), itemBottomLeft);
    EXPECT_EQ(SkinPopupWindow::openCount(), 0);
}

TEST(MenuTracking, ArrowsMoveWrapAndSkipTheSeparator)
{
    MenuWindow w;
    QStringList seen;
    Script script;
    auto record = [&] { seen.append(hotName()); };
    script.then([] { key(Qt::Key_Down); })
        .then(record) // 设置...
        .then([] { key(Qt::Key_Up); })
        .then(record) // 重新开始
        .then([] { key(Qt::Key_Up); })
        .then(record) // wraps to 退出
        .then([] { key(Qt::Key_Up); })
        .then(record) // 帮助, over the separator
        .then([] { key(Qt::Key_Down); })
        .then(record) // 退出, over the separator
        .then([] { key(Qt::Key_Down); })
        .then(record) // wraps to 重新开始
        .then([] {
            key(Qt::Key_Tab);
            key(Qt::Key_Space);
        })
        .then(record) // ignored
        .then([] { key(Qt::Key_Escape); })
        .then([] { key(Qt::Key_Escape); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_EQ(seen, (QStringList{"CustomItem2", "CustomItem1", "CustomItem7", "CustomItem4", "CustomItem7",
                                 "CustomItem1", "CustomItem1"}));
    EXPECT_TRUE(w.menu->clicks.isEmpty());
}

TEST(MenuTracking, EscClosesThePopupThenLeavesMenuMode)
{
    MenuWindow w;
    bool barLevelAfterFirstEsc = false;
    int barState = -1;
    int popupsAfterFirstEsc = -1;
    Script script;
    script.then([] { key(Qt::Key_Escape); })
        .then([&] {
            SkinItemView* level = innermost();
            barLevelAfterFirstEsc = level && level->isBar();
            barState = level ? level->stateOf(w.menu->game) : -1;
            popupsAfterFirstEsc = SkinPopupWindow::openCount();
        })
        .then([] { key(Qt::Key_Escape); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_TRUE(barLevelAfterFirstEsc) << "the bar stays in menu mode";
    EXPECT_EQ(barState, MenuItemStateTracking) << "with its item hot";
    EXPECT_EQ(popupsAfterFirstEsc, 0);
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    EXPECT_EQ(w.menu->bar->view()->stateOf(w.menu->game), MenuItemStateNormal);
}

TEST(MenuTracking, AltAndF10LeaveMenuMode)
{
    for (int code : {int(Qt::Key_Alt), int(Qt::Key_F10)}) {
        MenuWindow w;
        Script script;
        script.then([code] { key(code); });
        script.start();
        w.menu->bar->trackItem(w.menu->game, true);
        EXPECT_TRUE(script.finished());
        EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    }
}

TEST(MenuTracking, ChoosingExitRunsItsHandlerOnlyAfterThePopupIsGone)
{
    MenuWindow w;
    int popupsAtClick = -1;
    bool menuModeAtClick = true;
    w.menu->entries[5]->OnClick = [&](SkinCustomItem* sender) {
        popupsAtClick = SkinPopupWindow::openCount();
        menuModeAtClick = SkinMenuTracker::inMenuMode();
        w.menu->clicks.append(sender->objectName());
    };
    Script script;
    script
        .then([] { key(Qt::Key_Up); }) // 退出
        .then([] { key(Qt::Key_Return); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    processPending();
    EXPECT_EQ(w.menu->clicks, QStringList{QStringLiteral("CustomItem7")});
    EXPECT_EQ(popupsAtClick, 0);
    EXPECT_FALSE(menuModeAtClick);
}

TEST(MenuTracking, MouseReleaseOnAnEntryChoosesIt)
{
    MenuWindow w;
    Script script;
    script.then([&] {
        SkinPopupWindow* popup = SkinMenuTracker::current()->popupOf(innermost());
        const QPoint at = popup->mapToGlobal(w.menu->entries[2]->rect.center());
        mouse(QEvent::MouseMove, popup, at);
        EXPECT_EQ(hotName(), QStringLiteral("CustomItem3"));
        // Pointing at the separator does not make it hot.
        mouse(QEvent::MouseMove, popup, popup->mapToGlobal(w.menu->entries[4]->rect.center()));
        EXPECT_EQ(hotName(), QStringLiteral("CustomItem3"));
        mouse(QEvent::MouseButtonRelease, popup, popup->mapToGlobal(w.menu->entries[4]->rect.center()), Qt::LeftButton);
        EXPECT_TRUE(SkinMenuTracker::inMenuMode()) << "a release on the separator chooses nothing";
        mouse(QEvent::MouseButtonRelease, popup, at, Qt::LeftButton);
    });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    processPending();
    EXPECT_EQ(w.menu->clicks, QStringList{QStringLiteral("CustomItem3")});
}

TEST(MenuTracking, APressOutsideEveryLevelEndsMenuMode)
{
    MenuWindow w;
    Script script;
    script.then(
        [&] { mouse(QEvent::MouseButtonPress, &w.window, w.window.mapToGlobal(QPoint(500, 400)), Qt::LeftButton); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    EXPECT_TRUE(w.menu->clicks.isEmpty());
}

TEST(MenuTracking, SlidingAlongTheBarAndArrowsSwitchThePopup)
{
    MenuWindow w;
    auto* view = new SkinItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->Caption = QStringLiteral("&View");
    auto* zoom = new SkinItem(&w.window);
    zoom->setObjectName(QStringLiteral("Zoom"));
    zoom->Caption = QStringLiteral("&Zoom");
    view->add(zoom);
    w.menu->bar->Items()->add(view);
    w.menu->bar->setSkinEngine(&w.engine);

    QStringList popups;
    auto recordPopup = [&] {
        SkinItemView* level = innermost();
        popups.append(level && !level->isBar() ? level->item()->objectName() : QStringLiteral("bar"));
    };
    Script script;
    script.then([&] { mouse(QEvent::MouseMove, w.menu->bar, w.globalCenter(view, w.menu->bar)); })
        .then(recordPopup)
        .then([] { key(Qt::Key_Left); }) // from a popup under the bar: the bar moves left
        .then(recordPopup)
        .then([] { key(Qt::Key_Right); }) // no sub-items here: on to the next bar item
        .then(recordPopup)
        .then([] { key(Qt::Key_Escape); })
        .then(recordPopup)
        .then([] { key(Qt::Key_Right); }) // on the bar with no popup open: just moves
        .then(recordPopup)
        .then([] { key(Qt::Key_Down); }) // opens the hot item's popup
        .then(recordPopup)
        .then([] { key(Qt::Key_Alt); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_EQ(popups, (QStringList{"ViewMenu", "CustomItem5", "ViewMenu", "bar", "bar", "CustomItem5"}));
}

TEST(MenuTracking, KeyboardActivationAndAccelerators)
{
    MenuWindow w;
    auto* view = new SkinItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->Caption = QStringLiteral("&View");
    auto* zoom = new SkinItem(&w.window);
    zoom->setObjectName(QStringLiteral("Zoom"));
    zoom->Caption = QStringLiteral("&Zoom");
    zoom->OnClick = [&](SkinCustomItem* sender) { w.menu->clicks.append(sender->objectName()); };
    view->add(zoom);
    w.menu->bar->Items()->add(view);
    w.menu->bar->setSkinEngine(&w.engine);

    QString opened;
    Script script;
    script.then([&] { opened = innermost() ? innermost()->item()->objectName() : QString(); }).then([] {
        key(Qt::Key_Z, QStringLiteral("z"));
    });
    script.start();
    // Alt+V as the frame routes it.
    w.menu->bar->keyboardMenu(QChar('v'));
    processPending();
    EXPECT_EQ(opened, QStringLiteral("ViewMenu"));
    EXPECT_EQ(w.menu->clicks, QStringList{QStringLiteral("Zoom")});

    // A letter that no top item has: menu mode on the bar with the first item hot.
    QString hot;
    Script second;
    second.then([&] { hot = hotName(); }).then([] { key(Qt::Key_Escape); });
    second.start();
    w.menu->bar->keyboardMenu(QChar('q'));
    EXPECT_EQ(hot, QStringLiteral("CustomItem5"));
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
}

TEST(MenuTracking, AltLetterTypedInAnEditEntersTheMenuInsteadOfTyping)
{
    MenuWindow w;
    auto* view = new SkinItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->Caption = QStringLiteral("&View");
    auto* zoom = new SkinItem(&w.window);
    zoom->Caption = QStringLiteral("Zoom");
    view->add(zoom);
    w.menu->bar->Items()->add(view);
    w.menu->bar->setSkinEngine(&w.engine);
    auto* edit = new QLineEdit(&w.window);
    edit->setGeometry(10, 100, 200, 24);
    edit->show();

    QString opened;
    Script script;
    script.then([&] { opened = innermost() ? innermost()->item()->objectName() : QString(); })
        .then([] { key(Qt::Key_Escape); })
        .then([] { key(Qt::Key_Escape); });
    script.start();
    QKeyEvent altV(QEvent::KeyPress, Qt::Key_V, Qt::AltModifier, QStringLiteral("v"));
    QApplication::sendEvent(edit, &altV);
    EXPECT_EQ(opened, QStringLiteral("ViewMenu"));
    EXPECT_TRUE(edit->text().isEmpty());

    // F10 enters menu mode on the bar's first item.
    QString hot;
    Script second;
    second.then([&] { hot = hotName(); }).then([] { key(Qt::Key_F10); });
    second.start();
    QKeyEvent f10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    QApplication::sendEvent(edit, &f10);
    EXPECT_EQ(hot, QStringLiteral("CustomItem5"));
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());

    // Plain letters still reach the edit.
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_V, Qt::NoModifier, QStringLiteral("v"));
    QApplication::sendEvent(edit, &plain);
    EXPECT_EQ(edit->text(), QStringLiteral("v"));
}

TEST(MenuTracking, PopupNearTheBottomOfTheScreenOpensAboveTheBarItem)
{
    MenuWindow w;
    const QRect screen = w.window.screen()->geometry();
    w.window.move(screen.left() + 50, screen.bottom() - 40);
    processPending();
    QRect popupGeometry;
    Script script;
    script.then([&] { popupGeometry = SkinMenuTracker::current()->popupOf(innermost())->geometry(); }).then([] {
        key(Qt::Key_Alt);
    });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    const QPoint itemTop = w.menu->bar->mapToGlobal(w.menu->game->rect.topLeft());
    EXPECT_EQ(popupGeometry.bottom() + 1, itemTop.y());
    EXPECT_EQ(popupGeometry.left(), itemTop.x());
}

TEST(MenuTracking, ADropDownWithoutVisibleItemsDoesNotOpen)
{
    MenuWindow w;
    for (SkinItem* entry : w.menu->entries)
        entry->Visible = false;
    int popups = -1;
    Script script;
    script.then([&] { popups = SkinPopupWindow::openCount(); }).then([] { key(Qt::Key_Escape); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_EQ(popups, 0);
}

TEST(MenuTracking, BeforeDropDownRunsFirstAndMayFillTheMenu)
{
    MenuWindow w;
    // Only a menu with a visible item drops down; its handler then may change it.
    for (SkinItem* entry : w.menu->entries)
        entry->Visible = entry->objectName() == QLatin1String("CustomItem7");
    int popupsDuringHandler = -1;
    w.menu->game->OnBeforeDropDown = [&](SkinCustomItem* sender) {
        popupsDuringHandler = SkinPopupWindow::openCount();
        sender->item(0)->Visible = true;
    };
    int rows = -1;
    Script script;
    script.then([&] { rows = innermost() && !innermost()->isBar() ? int(innermost()->shownItems().size()) : -1; })
        .then([] { key(Qt::Key_Alt); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_EQ(popupsDuringHandler, 0);
    EXPECT_EQ(rows, 2);
}

TEST(MenuTracking, SubmenusOpenToTheRightAndCloseLevelByLevel)
{
    MenuWindow w;
    // "帮助" gets two sub-items of its own.
    SkinItem* help = w.menu->entries[3];
    auto* topics = new SkinItem(&w.window);
    topics->setObjectName(QStringLiteral("Topics"));
    topics->Caption = QStringLiteral("&Topics");
    topics->OnClick = [&](SkinCustomItem* sender) { w.menu->clicks.append(sender->objectName()); };
    auto* index = new SkinItem(&w.window);
    index->setObjectName(QStringLiteral("Index"));
    index->Caption = QStringLiteral("&Index");
    help->add(topics);
    help->add(index);

    QList<int> depths;
    QRect helpRect;
    QRect submenu;
    auto depth = [&] { depths.append(int(SkinMenuTracker::current()->levels().size())); };
    Script script;
    script
        .then([] {
            key(Qt::Key_Up);
            key(Qt::Key_Up);
        })                                // 帮助
        .then([] { key(Qt::Key_Right); }) // opens its submenu
        .then([&] {
            depth();
            SkinItemView* level = innermost();
            submenu = SkinMenuTracker::current()->popupOf(level)->geometry();
            helpRect = QRect(level->parent->host()->mapToGlobal(help->rect.topLeft()), help->rect.size());
        })
        .then([] { key(Qt::Key_Left); }) // closes only the submenu
        .then(depth)
        .then([] { key(Qt::Key_Return); }) // Enter on 帮助 opens it again
        .then(depth)
        .then([] {
            key(Qt::Key_Down);
            key(Qt::Key_Return);
        }); // chooses Index, ending menu mode
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    processPending();
    EXPECT_EQ(depths, (QList<int>{3, 2, 3}));
    EXPECT_EQ(submenu.topLeft(), QPoint(helpRect.right() + 1, helpRect.top())) << "at the item's top-right corner";
    EXPECT_TRUE(w.menu->clicks.isEmpty()) << "Index has no handler";
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
}

TEST(MenuTracking, OnlyTheFirstPopupAfterEnteringMenuModeFromTheBarAnimates)
{
    MenuWindow w;
    auto* view = new SkinItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->Caption = QStringLiteral("&View");
    auto* zoom = new SkinItem(&w.window);
    zoom->Caption = QStringLiteral("&Zoom");
    view->add(zoom);
    w.menu->bar->Items()->add(view);
    SkinPopupMenuOptions options;
    options.Animation.Enabled = true;
    options.Animation.Time = 50;
    w.menu->bar->setPopupMenuOptions(options);
    w.menu->bar->setSkinEngine(&w.engine);

    const int before = SkinPopupWindow::animatedShowCount();
    QList<int> counts;
    auto count = [&] { counts.append(SkinPopupWindow::animatedShowCount() - before); };
    Script script;
    script.waitUntil([] { return innermost() && !innermost()->isBar(); })
        .then(count)
        .then([] { key(Qt::Key_Right); }) // switches to View's popup: no animation
        .then(count)
        .then([] { key(Qt::Key_Left); })
        .then(count)
        .then([] { key(Qt::Key_Alt); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_EQ(counts, (QList<int>{1, 1, 1}));

    // Entering menu mode again animates the first popup again.
    Script again;
    again.waitUntil([] { return innermost() && !innermost()->isBar(); }).then([] { key(Qt::Key_Alt); });
    again.start();
    w.menu->bar->trackItem(view, true);
    EXPECT_EQ(SkinPopupWindow::animatedShowCount() - before, 2);
}

TEST(MenuTracking, SystemMenuRunsTheChosenCaptionAfterClosing)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    window.show();
    processPending();
    SkinPopupSystemMenuPresenter presenter(&engine);
    QList<SkinSystemMenuItem> items = {{QStringLiteral("Mi&nimize"), QString(), 1},
                                        {QStringLiteral("-"), QString(), -1},
                                        {QStringLiteral("&Close"), QStringLiteral("Alt+F4"), 0}};
    SkinPopupMenuOptions options;
    options.Animation.Enabled = true;
    options.Animation.Effect = aePixel;
    options.Animation.Time = 50;
    QString chosen;
    int popupsAtChoice = -1;
    QRect geometry;
    const int animatedBefore = SkinPopupWindow::animatedShowCount();
    Script script;
    script.waitUntil([] { return innermost() != nullptr; })
        .then([&] { geometry = SkinMenuTracker::current()->popupOf(innermost())->geometry(); })
        .then([] { key(Qt::Key_C, QStringLiteral("c")); });
    script.start();
    const QPoint at = window.mapToGlobal(QPoint(20, 30));
    presenter.popup(&window, items, at, options, [&](const QString& caption) {
        chosen = caption;
        popupsAtChoice = SkinPopupWindow::openCount();
    });
    processPending();
    EXPECT_EQ(geometry.topLeft(), at);
    EXPECT_EQ(chosen, QStringLiteral("&Close"));
    EXPECT_EQ(popupsAtChoice, 0);
    EXPECT_EQ(SkinPopupWindow::animatedShowCount() - animatedBefore, 1) << "the system menu animates";
    EXPECT_EQ(presenter.lastMenu()->item(2)->ShortCut, VK_F4 | scAlt);
}

// ---------------------------------------------------------------------------
// Placement rules on their own.

TEST(MenuPlacement, FromABar)
{
    const QRect monitor(0, 0, 1280, 1024);
    const QSize size(120, 170);
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromBar, QRect(15, 40, 40, 20)), QPoint(15, 60));
    // Past the right edge: right-aligned with the item.
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromBar, QRect(1200, 40, 40, 20)), QPoint(1120, 60));
    // Past the bottom: above the item.
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromBar, QRect(15, 900, 40, 20)), QPoint(15, 730));
    // Neither below nor above fits: at the top.
    EXPECT_EQ(placePopup(QSize(120, 1000), monitor, PopupAnchor::FromBar, QRect(15, 500, 40, 20)), QPoint(15, 0));
}

TEST(MenuPlacement, FromAPopupAndFromAPoint)
{
    const QRect monitor(0, 0, 800, 600);
    const QSize size(100, 80);
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromPopup, QRect(100, 50, 120, 26)), QPoint(220, 50));
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromPopup, QRect(650, 50, 120, 26)), QPoint(550, 50));
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromPopup, QRect(100, 550, 120, 26)), QPoint(220, 496));
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromPoint, QRect(), QPoint(300, 200)), QPoint(300, 200));
    EXPECT_EQ(placePopup(size, monitor, PopupAnchor::FromPoint, QRect(), QPoint(750, 560)), QPoint(650, 480));
    // Pushed inside a monitor that does not start at the origin.
    const QRect second(800, 0, 800, 600);
    EXPECT_EQ(placePopup(QSize(900, 80), second, PopupAnchor::FromPoint, QRect(), QPoint(1000, 100)),
              QPoint(800, 100));
}
