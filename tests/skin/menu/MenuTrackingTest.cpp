// Menu mode: the tracking loop's keyboard and mouse rules, choosing an item
// after the menu has closed, keyboard activation, and where popups open.

#include <optional>
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
            popupGeometry = level->host()->geometry();
        })
        .then([] { key(Qt::Key_Escape); })
        .then([] { key(Qt::Key_Escape); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);

    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    EXPECT_EQ(rows, 6);
    EXPECT_EQ(firstHot, QStringLiteral("CustomItem1"));
    const QPoint itemBottomLeft = w.menu->bar->mapToGlobal(w.menu->game->rect().bottomLeft()) + QPoint(0, 1);
    EXPECT_EQ(popupGeometry.topLeft(), itemBottomLeft);
    EXPECT_EQ(openPopupCount(), 0);
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
    std::optional<SkinState> barState;
    int popupsAfterFirstEsc = -1;
    Script script;
    script.then([] { key(Qt::Key_Escape); })
        .then([&] {
            SkinItemView* level = innermost();
            barLevelAfterFirstEsc = level && level->isBar();
            if (level)
                barState = level->stateOf(w.menu->game);
            popupsAfterFirstEsc = openPopupCount();
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
    QObject::connect(w.menu->entries[5], &SkinMenuItem::triggered, [&] {
        popupsAtClick = openPopupCount();
        menuModeAtClick = SkinMenuTracker::inMenuMode();
    });
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
        QWidget* popup = innermostPopup();
        const QPoint at = popup->mapToGlobal(w.menu->entries[2]->rect().center());
        mouse(QEvent::MouseMove, popup, at);
        EXPECT_EQ(hotName(), QStringLiteral("CustomItem3"));
        // Pointing at the separator does not make it hot.
        mouse(QEvent::MouseMove, popup, popup->mapToGlobal(w.menu->entries[4]->rect().center()));
        EXPECT_EQ(hotName(), QStringLiteral("CustomItem3"));
        mouse(QEvent::MouseButtonRelease, popup, popup->mapToGlobal(w.menu->entries[4]->rect().center()), Qt::LeftButton);
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
    auto* view = new SkinMenuItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->setCaption(QStringLiteral("&View"));
    auto* zoom = new SkinMenuItem(&w.window);
    zoom->setObjectName(QStringLiteral("Zoom"));
    zoom->setCaption(QStringLiteral("&Zoom"));
    view->add(zoom);
    w.menu->bar->rootItem()->add(view);
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
    auto* view = new SkinMenuItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->setCaption(QStringLiteral("&View"));
    auto* zoom = new SkinMenuItem(&w.window);
    zoom->setObjectName(QStringLiteral("Zoom"));
    zoom->setCaption(QStringLiteral("&Zoom"));
    QObject::connect(zoom, &SkinMenuItem::triggered, [&w, zoom] { w.menu->clicks.append(zoom->objectName()); });
    view->add(zoom);
    w.menu->bar->rootItem()->add(view);
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
    auto* view = new SkinMenuItem(&w.window);
    view->setObjectName(QStringLiteral("ViewMenu"));
    view->setCaption(QStringLiteral("&View"));
    auto* zoom = new SkinMenuItem(&w.window);
    zoom->setCaption(QStringLiteral("Zoom"));
    view->add(zoom);
    w.menu->bar->rootItem()->add(view);
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
    script.then([&] { popupGeometry = innermostPopup()->geometry(); }).then([] {
        key(Qt::Key_Alt);
    });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    const QPoint itemTop = w.menu->bar->mapToGlobal(w.menu->game->rect().topLeft());
    EXPECT_EQ(popupGeometry.bottom() + 1, itemTop.y());
    EXPECT_EQ(popupGeometry.left(), itemTop.x());
}

TEST(MenuTracking, ADropDownWithoutVisibleItemsDoesNotOpen)
{
    MenuWindow w;
    for (SkinMenuItem* entry : w.menu->entries)
        entry->setVisible(false);
    int popups = -1;
    Script script;
    script.then([&] { popups = openPopupCount(); }).then([] { key(Qt::Key_Escape); });
    script.start();
    w.menu->bar->trackItem(w.menu->game, true);
    EXPECT_EQ(popups, 0);
}

TEST(MenuTracking, SubmenusOpenToTheRightAndCloseLevelByLevel)
{
    MenuWindow w;
    // "帮助" gets two sub-items of its own.
    SkinMenuItem* help = w.menu->entries[3];
    auto* topics = new SkinMenuItem(&w.window);
    topics->setObjectName(QStringLiteral("Topics"));
    topics->setCaption(QStringLiteral("&Topics"));
    QObject::connect(topics, &SkinMenuItem::triggered, [&w, topics] { w.menu->clicks.append(topics->objectName()); });
    auto* index = new SkinMenuItem(&w.window);
    index->setObjectName(QStringLiteral("Index"));
    index->setCaption(QStringLiteral("&Index"));
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
            submenu = level->host()->geometry();
            helpRect = QRect(level->parentLevel()->host()->mapToGlobal(help->rect().topLeft()), help->rect().size());
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

TEST(MenuTracking, SystemMenuRunsTheChosenCaptionAfterClosing)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    window.show();
    processPending();
    SkinPopupSystemMenuPresenter presenter([&engine] { return &engine; });
    QList<SkinSystemMenuItem> items = {{QStringLiteral("Mi&nimize"), QString(), 1},
                                        {QStringLiteral("-"), QString(), -1},
                                        {QStringLiteral("&Close"), QStringLiteral("Alt+F4"), 0}};
    SkinPopupMenuOptions options;
    options.animation.enabled = true;
    options.animation.effect = SkinAnimationEffect::Pixel;
    options.animation.time = 50;
    QString chosen;
    int popupsAtChoice = -1;
    QRect geometry;
    Script script;
    script.waitUntil([] { return innermost() != nullptr; })
        .then([&] { geometry = innermostPopup()->geometry(); })
        .then([] { key(Qt::Key_C, QStringLiteral("c")); });
    script.start();
    const QPoint at = window.mapToGlobal(QPoint(20, 30));
    presenter.popup(&window, items, at, options, [&](const QString& caption) {
        chosen = caption;
        popupsAtChoice = openPopupCount();
    });
    processPending();
    EXPECT_EQ(geometry.topLeft(), at);
    EXPECT_EQ(chosen, QStringLiteral("&Close"));
    EXPECT_EQ(popupsAtChoice, 0);
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
