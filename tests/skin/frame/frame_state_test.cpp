// Window states of the frame: roll up and unroll, minimize, the tray, the
// caption buttons shown in each state, the system menu's items, and closing
// through the close query.
#include "FrameTestSupport.h"

namespace corvane::skin::testing {
namespace {

QStringList visibleButtons(SkinForm& frame)
{
    QStringList names;
    for (const char* name : {"RollButton", "UnrollButton", "SystemButton8", "CopyOfMinButton", "CopyOfMaxButton",
                             "CopyOfResButton", "CopyOfCloseButton"})
        if (button(frame, name)->visible)
            names << QString::fromLatin1(name);
    return names;
}

TEST(FrameStates, NormalShowsRollUpButNeitherMaximizeNorRestore)
{
    FramedWindow w;
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    EXPECT_EQ(visibleButtons(*w.frame),
              QStringList({"RollButton", "SystemButton8", "CopyOfMinButton", "CopyOfCloseButton"}));
}

TEST(FrameStates, RollUpKeepsCaptionAndBottomAndUnrollRestores)
{
    FramedWindow w;
    w.show();
    const QRect normal = w.window().geometry();
    w.click(centre(button(*w.frame, "RollButton")));
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::RolledUp);
    // Caption 24 + bottom 16; left, top and width stay.
    EXPECT_EQ(w.window().geometry(), QRect(normal.topLeft(), QSize(normal.width(), 24 + 16)));
    EXPECT_EQ(w.frame->clientRect().height(), 0);
    EXPECT_EQ(visibleButtons(*w.frame),
              QStringList({"UnrollButton", "SystemButton8", "CopyOfMinButton", "CopyOfCloseButton"}));
    EXPECT_EQ(button(*w.frame, "UnrollButton")->boundsRect(), button(*w.frame, "RollButton")->boundsRect());

    // The unroll button lies where roll up was.
    w.click(centre(button(*w.frame, "UnrollButton")));
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    EXPECT_EQ(w.window().geometry(), normal);
    EXPECT_EQ(w.owner->client->geometry(), QRect(24, 24, 632, 450));
    EXPECT_EQ(visibleButtons(*w.frame),
              QStringList({"RollButton", "SystemButton8", "CopyOfMinButton", "CopyOfCloseButton"}));
}

TEST(FrameStates, RolledUpWindowUnrollsToItsRememberedNormalBounds)
{
    FramedWindow w;
    w.show();
    const QRect normal = w.window().geometry();
    w.frame->rollup();
    w.window().move(normal.topLeft() + QPoint(60, 90));
    w.frame->restore();
    EXPECT_EQ(w.window().geometry(), normal);
}

TEST(FrameStates, MinimizeAndRestoreTheApplication)
{
    FramedWindow w;
    w.show();
    w.click(centre(button(*w.frame, "CopyOfMinButton")));
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Minimized);
    EXPECT_TRUE(w.window().windowState() & Qt::WindowMinimized);
    EXPECT_EQ(visibleButtons(*w.frame), QStringList({"SystemButton8", "CopyOfCloseButton"}));
    w.frame->restore();
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    EXPECT_FALSE(w.window().windowState() & Qt::WindowMinimized);
}

TEST(FrameStates, RestoredByTheWindowSystemFollows)
{
    FramedWindow w;
    w.show();
    w.frame->rollup();
    w.frame->minimize();
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Minimized);
    w.window().showNormal(); // e.g. from the task bar
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::RolledUp);
}

TEST(FrameStates, TrayFallsBackToMinimizeWithoutANotificationArea)
{
    FramedWindow w;
    w.show();
    w.frame->setTrayAvailable([] { return false; });
    w.frame->minimizeToTray();
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Minimized);
}

TEST(FrameStates, TrayHidesTheWindowAndRestoreBringsItBack)
{
    FramedWindow w;
    w.show();
    w.frame->setTrayAvailable([] { return true; });
    w.frame->minimizeToTray();
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Tray);
    EXPECT_FALSE(w.window().isVisible());
    ASSERT_NE(w.trayIcon(), nullptr);
    EXPECT_EQ(w.trayIcon()->toolTip(), QGuiApplication::applicationDisplayName().left(63));
    w.frame->minimizeToTray(); // toggles
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    EXPECT_TRUE(w.window().isVisible());
    EXPECT_FALSE(w.trayIcon()->isVisible());
}

TEST(FrameStates, TrayTipIsCutTo63Characters)
{
    FramedWindow w;
    w.show();
    const QString name = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QString(80, QLatin1Char('x')));
    w.frame->setTrayAvailable([] { return true; });
    w.frame->minimizeToTray();
    EXPECT_EQ(w.trayIcon()->toolTip(), QString(63, QLatin1Char('x')));
    QGuiApplication::setApplicationDisplayName(name);
}

TEST(FrameStates, DoubleClickOnTheCaptionDoesNotMaximizeWithoutTheIcon)
{
    FramedWindow w;
    w.show();
    const QRect before = w.window().geometry();
    w.press({300, 12});
    w.release({300, 12});
    w.doubleClick({300, 12});
    w.release({300, 12});
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    EXPECT_EQ(w.window().geometry(), before);
}

TEST(FrameStates, DoubleClickOnTheCaptionMaximizesWithTheIcon)
{
    FramedWindow w;
    w.show();
    w.frame->setBorderIcons(defaultBorderIcons);
    w.doubleClick({300, 12});
    w.release({300, 12});
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Maximized);
    EXPECT_EQ(w.window().geometry(), w.frame->workArea());
    EXPECT_TRUE(button(*w.frame, "CopyOfResButton")->visible);
    EXPECT_FALSE(button(*w.frame, "CopyOfMaxButton")->visible);
    w.frame->maximize(); // toggles back
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    EXPECT_EQ(w.window().geometry(), QRect(40, 30, 680, 490));
}

TEST(FrameSystemMenu, ItemsByState)
{
    using namespace systemMenuCaption;
    auto captions = [](SkinWindowState state, SkinBorderIcons icons) {
        QStringList list;
        for (const auto& item : systemMenuItems(state, icons))
            list << item.caption;
        return list;
    };
    const QString sep = QStringLiteral("-");
    EXPECT_EQ(captions(SkinWindowState::Normal, mainWindowBorderIcons),
              QStringList({Minimize, Rollup, Tray, sep, Close}));
    EXPECT_EQ(captions(SkinWindowState::RolledUp, mainWindowBorderIcons),
              QStringList({Restore, Minimize, Tray, sep, Close}));
    EXPECT_EQ(captions(SkinWindowState::Tray, mainWindowBorderIcons), QStringList({Restore, sep, Close}));
    EXPECT_EQ(captions(SkinWindowState::Minimized, mainWindowBorderIcons), QStringList({Restore, sep, Close}));
    EXPECT_EQ(captions(SkinWindowState::Normal, defaultBorderIcons),
              QStringList({Minimize, Maximize, Rollup, Tray, sep, Close}));
    EXPECT_EQ(captions(SkinWindowState::Maximized, defaultBorderIcons),
              QStringList({Restore, Minimize, Rollup, Tray, sep, Close}));
    // No separator before Close when nothing precedes it.
    EXPECT_EQ(captions(SkinWindowState::Normal, borderIconBit(SkinBorderIcon::Close)), QStringList({Close}));
    EXPECT_EQ(systemMenuItems(SkinWindowState::Normal, mainWindowBorderIcons).last().shortcut,
              QStringLiteral("Alt+F4"));
}

TEST(FrameSystemMenu, RightReleaseOnTheCaptionOpensItAtThePointer)
{
    FramedWindow w;
    w.show();
    w.press({300, 12}, Qt::RightButton);
    w.release({300, 12}, Qt::RightButton);
    ASSERT_EQ(w.menus.size(), 1u);
    EXPECT_EQ(w.menus[0].at, w.global({300, 12}));
    EXPECT_FALSE(w.menus[0].captions.contains(systemMenuCaption::Maximize));
    // Not on the client area.
    w.release({300, 200}, Qt::RightButton);
    EXPECT_EQ(w.menus.size(), 1u);
}

TEST(FrameSystemMenu, TheSystemButtonOpensItBelowItself)
{
    FramedWindow w;
    w.show();
    SkinSystemButton* sys = button(*w.frame, "SystemButton8");
    w.click(centre(sys));
    ASSERT_EQ(w.menus.size(), 1u);
    EXPECT_EQ(w.menus[0].at, w.global(QPoint(sys->left(), sys->top() + sys->height())));
}

TEST(FrameSystemMenu, ChoosingAnItemRunsItsAction)
{
    FramedWindow w;
    w.show();
    w.frame->setSystemMenuPresenter(std::make_unique<RecordingMenu>(&w.menus, systemMenuCaption::Rollup));
    w.frame->showSystemMenu();
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::RolledUp);
    EXPECT_FALSE(w.frame->runSystemMenuCommand(QStringLiteral("Ma&gic")));
}

TEST(FrameClose, CloseButtonRunsTheCloseQueryThenEndsTheApplication)
{
    FramedWindow w;
    w.show();
    w.click(centre(button(*w.frame, "CopyOfCloseButton")));
    EXPECT_EQ(w.owner->closeQueries, 1);
    EXPECT_FALSE(w.window().isVisible());
    EXPECT_EQ(w.terminations, 1);
}

TEST(FrameClose, RefusedCloseQueryKeepsTheWindow)
{
    FramedWindow w;
    w.show();
    w.owner->refuseClose = true;
    w.click(centre(button(*w.frame, "CopyOfCloseButton")));
    EXPECT_EQ(w.owner->closeQueries, 1);
    EXPECT_TRUE(w.window().isVisible());
    EXPECT_EQ(w.terminations, 0);
}

TEST(FrameClose, ReleaseAwayFromTheButtonDoesNotClose)
{
    FramedWindow w;
    w.show();
    w.press(centre(button(*w.frame, "CopyOfCloseButton")));
    w.moveHeld({300, 200});
    w.release({300, 200});
    EXPECT_EQ(w.owner->closeQueries, 0);
}

} // namespace
} // namespace corvane::skin::testing
