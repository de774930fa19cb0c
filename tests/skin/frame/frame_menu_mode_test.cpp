// The frame and menu mode: clicks on the frame while the menu bar's popup is
// open end menu mode and then do what they do (close, move, open), Alt
// pressed and released alone enters the menu bar, and whatever a press or a
// menu drew hot returns to normal when it ends.
#include "FrameTestSupport.h"

#include <optional>
#include <QDialog>

#include "skin/model/SkinObjects.h"
#include "skin/menu/SkinPopupWindow.h"
#include "tests/skin/menu/MenuScript.h"

namespace corvane::skin::testing {
namespace {

using test::Script;

// The framed stand-in main window with the program's menu bar on its client.
struct FramedMenuWindow : FramedWindow {
    std::unique_ptr<test::ProgramMenu> menu;
    FramedMenuWindow()
    {
        menu = test::buildProgramMenu(owner->client, &storedSkinEngine());
        frame->setMenuBar(menu->bar);
        show();
    }
    bool popupOpen() const { return test::innermost() && !test::innermost()->isBar(); }
};

TEST(FrameMenuMode, FramePressesEndMenuModeAndThenAct)
{
    struct Case {
        const char* what;
        std::function<void(FramedMenuWindow&)> act;
        std::function<void(FramedMenuWindow&, const QPoint& startPos)> check;
    };
    const QList<Case> cases = {
        {"the close button closes", [](FramedMenuWindow& w) { w.click(centre(button(*w.frame, "CopyOfCloseButton"))); },
         [](FramedMenuWindow& w, const QPoint&) {
             EXPECT_EQ(w.owner->closeQueries, 1);
             EXPECT_EQ(w.terminations, 1);
         }},
        {"the caption moves the window",
         [](FramedMenuWindow& w) {
             w.press({300, 12});
             w.moveHeld({340, 62});
             w.release({340, 62});
         },
         [](FramedMenuWindow& w, const QPoint& start) { EXPECT_EQ(w.window().pos(), start + QPoint(40, 50)); }},
        {"a double click on the system-menu icon closes",
         [](FramedMenuWindow& w) {
             const QPoint icon = centre(button(*w.frame, "SystemButton8"));
             w.click(icon);
             w.doubleClick(icon);
             w.release(icon);
         },
         [](FramedMenuWindow& w, const QPoint&) { EXPECT_EQ(w.owner->closeQueries, 1); }},
        {"a right click on the caption opens the system menu",
         [](FramedMenuWindow& w) {
             w.press({300, 12}, Qt::RightButton);
             w.release({300, 12}, Qt::RightButton);
         },
         [](FramedMenuWindow& w, const QPoint&) { EXPECT_EQ(w.menus.size(), 1u); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FramedMenuWindow w;
        const QPoint start = w.window().pos();
        bool stayedOpen = false;
        Script script;
        script.waitUntil([&] { return w.popupOpen(); }).then([&] { c.act(w); }).then([&] {
            if (SkinMenuTracker* tracker = SkinMenuTracker::current()) {
                stayedOpen = true;
                tracker->endMenuMode();
            }
        });
        script.start();
        w.menu->bar->trackItem(w.menu->game, true);
        test::processPending();
        EXPECT_FALSE(stayedOpen);
        c.check(w, start);
    }
}

TEST(FrameMenuMode, AltPressedAndReleasedAloneEntersTheMenuBar)
{
    struct Case {
        QList<std::pair<int, QEvent::Type>> keys;
        bool entersMenuMode;
    };
    const QList<Case> cases = {
        {{{Qt::Key_Alt, QEvent::KeyPress}, {Qt::Key_Alt, QEvent::KeyRelease}}, true},
        {{{Qt::Key_Alt, QEvent::KeyPress}, {Qt::Key_Shift, QEvent::KeyPress}, {Qt::Key_Alt, QEvent::KeyRelease}},
         false},
        {{{Qt::Key_Alt, QEvent::KeyRelease}}, false},
    };
    for (const Case& c : cases) {
        FramedMenuWindow w;
        auto* edit = new QWidget(w.owner->client);
        edit->setFocusPolicy(Qt::StrongFocus);
        edit->show();
        edit->setFocus();
        QString hot;
        int popups = -1;
        Script script;
        script
            .then([&] {
                hot = test::hotName();
                popups = test::openPopupCount();
            })
            .then([] { test::key(Qt::Key_Escape); });
        script.start();
        for (const auto& [code, type] : c.keys) {
            const Qt::KeyboardModifiers modifiers = type == QEvent::KeyPress && code == Qt::Key_Alt
                                                        ? Qt::AltModifier
                                                        : Qt::KeyboardModifiers(Qt::NoModifier);
            QKeyEvent event(type, code, modifiers);
            QApplication::sendEvent(edit, &event);
        }
        EXPECT_EQ(hot, c.entersMenuMode ? QStringLiteral("CustomItem5") : QString());
        if (c.entersMenuMode)
            EXPECT_EQ(popups, 0) << "keyboard mode on the bar, no popup";
        EXPECT_FALSE(SkinMenuTracker::inMenuMode());
    }
}

TEST(FrameMenuMode, WhatAPressDrewHotReturnsToNormal)
{
    FramedMenuWindow w;
    w.owner->refuseClose = true;
    SkinSystemButton* close = button(*w.frame, "CopyOfCloseButton");
    const QImage normal = w.picture(close);
    // A quick click: no hover tick saw the pointer over the button.
    w.click(centre(close));
    EXPECT_EQ(w.owner->closeQueries, 1);
    w.hoverAt({300, 200});
    EXPECT_EQ(w.picture(close), normal);
}

TEST(FrameMenuMode, ABlockedWindowShowsNoHotBarItem)
{
    FramedMenuWindow w;
    SkinMenuBar* bar = w.menu->bar;
    test::mouse(QEvent::MouseMove, bar, w.menu->bar->mapToGlobal(w.menu->game->rect().center()));
    ASSERT_EQ(bar->view()->stateOf(w.menu->game), MenuItemStateHot);
    std::optional<SkinState> stateInBox;
    QDialog box(w.owner.get());
    QTimer::singleShot(0, &box, [&] {
        stateInBox = bar->view()->stateOf(w.menu->game);
        box.done(0);
    });
    box.exec();
    EXPECT_EQ(stateInBox, MenuItemStateNormal);
}

} // namespace
} // namespace corvane::skin::testing
