// Pointer handling of the frame: caption buttons' normal, hot and pressed
// states, the hover timer, moving by the caption with gravitation, skin
// changes and the plain frame drawn without a skin.
#include "FrameTestSupport.h"

#include <QScreen>

#include "skin/model/SkinObjects.h"

namespace corvane::skin::testing {
namespace {

TEST(FrameGravitation, SnapsAt19PixelsNotAt20)
{
    const QRect area(0, 0, 1280, 1024);
    const SkinGravitation on; // enabled, 20
    EXPECT_EQ(applyGravitation(QRect(19, 300, 680, 490), area, on), QRect(0, 300, 680, 490));
    EXPECT_EQ(applyGravitation(QRect(20, 300, 680, 490), area, on), QRect(20, 300, 680, 490));
    EXPECT_EQ(applyGravitation(QRect(-19, 300, 680, 490), area, on), QRect(0, 300, 680, 490));
    // Right edge 1280 - 19; left takes precedence only when it is close itself.
    EXPECT_EQ(applyGravitation(QRect(1280 - 680 - 19, 300, 680, 490), area, on), QRect(600, 300, 680, 490));
    EXPECT_EQ(applyGravitation(QRect(1280 - 680 - 20, 300, 680, 490), area, on), QRect(580, 300, 680, 490));
    // Top and bottom independently of left and right.
    EXPECT_EQ(applyGravitation(QRect(300, 19, 680, 490), area, on), QRect(300, 0, 680, 490));
    EXPECT_EQ(applyGravitation(QRect(300, 1024 - 490 - 19, 680, 490), area, on), QRect(300, 534, 680, 490));
    EXPECT_EQ(applyGravitation(QRect(19, 1024 - 490 - 5, 680, 490), area, on), QRect(0, 534, 680, 490));
    // A shadow hanging off the right is not counted.
    EXPECT_EQ(applyGravitation(QRect(1280 - 684 - 10, 300, 684, 494), area, on, 4), QRect(600, 300, 684, 494));
    SkinGravitation off;
    off.enabled = false;
    EXPECT_EQ(applyGravitation(QRect(1, 1, 680, 490), area, off), QRect(1, 1, 680, 490));
    SkinGravitation small;
    small.size = 9;
    EXPECT_EQ(applyGravitation(QRect(8, 9, 680, 490), area, small), QRect(0, 9, 680, 490));
}

TEST(FrameGravitation, SizingStopsAtTheMinimum)
{
    const QRect start(100, 100, 400, 300);
    const QSize minimum(150, 40);
    EXPECT_EQ(sizeByEdge(start, HitArea::Left, QPoint(300, 0), minimum), QRect(350, 100, 150, 300));
    EXPECT_EQ(sizeByEdge(start, HitArea::BottomRight, QPoint(10, 20), minimum), QRect(100, 100, 410, 320));
    EXPECT_EQ(sizeByEdge(start, HitArea::Top, QPoint(0, 500), minimum), QRect(100, 360, 400, 40));
}

TEST(FrameDragging, CaptionMovesTheWindowAndSnapsToTheWorkArea)
{
    FramedWindow w;
    w.show();
    const QRect area = w.frame->workArea();
    const QPoint grip(300, 12);
    const QPoint start = w.window().pos();
    const QPoint pressGlobal = w.global(grip);
    // The pointer travels so that the window's left edge would lie `gap`
    // pixels from the work area's, 50 pixels lower.
    auto dragTo = [&](int gap, QEvent::Type type) {
        const QPoint to = pressGlobal + QPoint(area.left() + gap - start.x(), 50);
        const bool up = type == QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(grip), QPointF(to), up ? Qt::LeftButton : Qt::NoButton,
                          up ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.owner.get(), &event);
    };
    w.press(grip);
    dragTo(19, QEvent::MouseMove);
    EXPECT_EQ(w.window().pos(), QPoint(area.left(), start.y() + 50));
    dragTo(20, QEvent::MouseMove);
    EXPECT_EQ(w.window().pos(), QPoint(area.left() + 20, start.y() + 50));
    dragTo(20, QEvent::MouseButtonRelease);
    EXPECT_EQ(w.window().pos(), QPoint(area.left() + 20, start.y() + 50));
    // Without a press nothing moves.
    dragTo(60, QEvent::MouseMove);
    EXPECT_EQ(w.window().pos(), QPoint(area.left() + 20, start.y() + 50));
}

TEST(FrameDragging, EdgesDoNotSizeAndCaptionPartsDoNotMove)
{
    FramedWindow w;
    w.show();
    const QRect before = w.window().geometry();
    w.press({5, 200}); // the left edge answers client
    w.moveHeld({-40, 200});
    w.release({-40, 200});
    w.press({5, 12}); // the caption's left part is SkinKind::None
    w.moveHeld({60, 80});
    w.release({60, 80});
    EXPECT_EQ(w.window().geometry(), before);
}

TEST(FrameButtons, HotWhileHoveredPressedWhileHeld)
{
    FramedWindow w;
    w.show();
    SkinSystemButton* close = button(*w.frame, "CopyOfCloseButton");
    SkinSystemButton* minimize = button(*w.frame, "CopyOfMinButton");
    const QImage normal = w.picture(close);
    const QImage minimizeNormal = w.picture(minimize);
    w.hoverAt(centre(close));
    const QImage hot = w.picture(close);
    w.press(centre(close));
    const QImage pressed = w.picture(close);
    EXPECT_NE(normal, hot);
    EXPECT_NE(hot, pressed);
    EXPECT_NE(normal, pressed);
    // Leaving while held: normal; coming back while held: pressed again.
    w.hoverAt({300, 200});
    EXPECT_EQ(w.picture(close), normal);
    w.hoverAt(centre(close));
    EXPECT_EQ(w.picture(close), pressed);
    // Another button is not entered while one is pressed.
    w.hoverAt(centre(minimize));
    EXPECT_EQ(w.picture(minimize), minimizeNormal);
    w.release(centre(minimize));
    w.hoverAt(QPoint(-1, -1));
    EXPECT_EQ(w.picture(close), normal);
    EXPECT_EQ(w.picture(minimize), minimizeNormal);
}

TEST(FrameHover, TimerRunsOnlyWhileActiveAndThePointerIsOver)
{
    FramedWindow w;
    w.show();
    ASSERT_TRUE(w.window().isActiveWindow());
    EXPECT_FALSE(w.hoverTimer()->isActive());
    QEnterEvent enter(QPointF(300, 12), QPointF(300, 12), QPointF(w.global({300, 12})));
    QApplication::sendEvent(w.owner.get(), &enter);
    EXPECT_TRUE(w.hoverTimer()->isActive());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.owner.get(), &leave);
    EXPECT_FALSE(w.hoverTimer()->isActive());

    QApplication::sendEvent(w.owner.get(), &enter);
    EXPECT_TRUE(w.hoverTimer()->isActive());
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_FALSE(w.window().isActiveWindow());
    EXPECT_FALSE(w.hoverTimer()->isActive());
}

TEST(FrameHover, LeavingTheWindowClearsTheHotButton)
{
    FramedWindow w;
    w.show();
    SkinSystemButton* minimize = button(*w.frame, "CopyOfMinButton");
    const QImage normal = w.picture(minimize);
    w.hoverAt(centre(minimize));
    ASSERT_NE(w.picture(minimize), normal) << "hot";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.owner.get(), &leave);
    EXPECT_EQ(w.picture(minimize), normal);
}

TEST(FrameSkinChange, ChangingDropsTheCopyAndChangedAttachesAgain)
{
    FramedWindow w;
    w.show();
    QEnterEvent enter(QPointF(300, 12), QPointF(300, 12), QPointF(w.global({300, 12})));
    QApplication::sendEvent(w.owner.get(), &enter);
    w.hoverAt(centre(button(*w.frame, "CopyOfMinButton")));
    ASSERT_TRUE(w.hoverTimer()->isActive());

    SkinChangeEvent changing(skinChangingEvent(), &storedSkinEngine());
    QApplication::sendEvent(w.owner.get(), &changing);
    EXPECT_EQ(w.frame->tree(), nullptr);
    EXPECT_FALSE(w.hoverTimer()->isActive());
    w.window().repaint(); // the plain frame paints meanwhile

    SkinChangeEvent changed(skinChangedEvent(), &storedSkinEngine());
    QApplication::sendEvent(w.owner.get(), &changed);
    ASSERT_NE(w.frame->tree(), nullptr);
    EXPECT_EQ(w.frame->clientRect(), QRect(24, 24, 632, 450));
    EXPECT_EQ(w.window().size(), QSize(680, 490));
    EXPECT_TRUE(w.hoverTimer()->isActive());
}

TEST(FrameSkinChange, NotificationsOfAnotherEngineAreIgnored)
{
    FramedWindow w;
    SkinEngine other;
    SkinChangeEvent changing(skinChangingEvent(), &other);
    QApplication::sendEvent(w.owner.get(), &changing);
    EXPECT_NE(w.frame->tree(), nullptr);
}

TEST(FramePlain, WithoutASkinThePlainFrameKeepsTheClientSize)
{
    SkinEngine empty;
    FramedWindow w(&empty);
    w.show();
    EXPECT_EQ(w.frame->tree(), nullptr);
    EXPECT_TRUE(w.window().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.frame->clientRect().size(), QSize(632, 450));
    EXPECT_EQ(w.owner->client->geometry(), w.frame->clientRect());
    EXPECT_GT(w.frame->topHeight(), w.frame->bottomHeight());
    EXPECT_TRUE(w.window().mask().isEmpty());
    const QImage picture = w.window().grab().toImage();
    EXPECT_FALSE(picture.isNull());

    // Its built-in buttons act when press and release meet on them.
    const PlainFrameLayout layout = PlainFrameLayout::compute(w.window().size(), SkinBorderStyle::Standard,
                                                              mainWindowBorderIcons, SkinWindowState::Normal);
    ASSERT_FALSE(layout.rollupButton.isEmpty());
    EXPECT_TRUE(layout.maximizeButton.isEmpty());
    w.click(layout.rollupButton.center());
    EXPECT_EQ(w.frame->windowState(), SkinWindowState::RolledUp);
    EXPECT_EQ(w.window().height(), w.frame->topHeight() + w.frame->bottomHeight());
    w.frame->restore();
    w.press(layout.closeButton.center());
    w.release(layout.caption.center());
    EXPECT_EQ(w.owner->closeQueries, 0);
    w.click(layout.closeButton.center());
    EXPECT_EQ(w.owner->closeQueries, 1);
}

TEST(FramePlain, PlainHitAreas)
{
    const PlainFrameLayout layout = PlainFrameLayout::compute(QSize(400, 300), SkinBorderStyle::Standard,
                                                              mainWindowBorderIcons, SkinWindowState::Normal);
    EXPECT_EQ(layout.hitArea(layout.client.center()), HitArea::Client);
    EXPECT_EQ(layout.hitArea(layout.caption.center()), HitArea::Caption);
    EXPECT_EQ(layout.hitArea({1, 150}), HitArea::Left);
    EXPECT_EQ(layout.hitArea({398, 150}), HitArea::Right);
    EXPECT_EQ(layout.hitArea({200, 298}), HitArea::Bottom);
    EXPECT_EQ(layout.hitArea({0, 0}), HitArea::TopLeft);
    EXPECT_EQ(layout.hitArea({399, 299}), HitArea::BottomRight);
    EXPECT_EQ(layout.hitArea(layout.closeButton.center()), HitArea::CloseButton);
    EXPECT_EQ(layout.hitArea(layout.sysMenuButton.center()), HitArea::SystemMenuButton);
}

TEST(FrameActive, DeactivatedFrameReturnsThePlatformFrame)
{
    FramedWindow w;
    w.frame->setActive(false);
    EXPECT_FALSE(w.window().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.window().size(), QSize(632, 450));
    EXPECT_EQ(w.owner->client->geometry(), QRect(0, 0, 632, 450));
    w.frame->setActive(true);
    EXPECT_EQ(w.window().size(), QSize(680, 490));
}

} // namespace
} // namespace corvane::skin::testing

namespace corvane::skin::testing {
namespace {

TEST(FrameDragging, OutlineModeMovesTheWindowOnRelease)
{
    FramedWindow w;
    w.show();
    w.changeDragging([](SkinDragging& d) { d.dragMode = SkinFormDragMode::Outline; });
    const QPoint start = w.window().pos();
    const QPoint grip(300, 12);
    const QPoint pressGlobal = w.global(grip);
    w.press(grip);
    QMouseEvent move(QEvent::MouseMove, QPointF(grip), QPointF(pressGlobal + QPoint(60, 70)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.owner.get(), &move);
    EXPECT_EQ(w.window().pos(), start); // only the outline follows
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(grip), QPointF(pressGlobal + QPoint(60, 70)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.owner.get(), &up);
    EXPECT_EQ(w.window().pos(), start + QPoint(60, 70));
}

TEST(FrameDragging, SizeableFrameSizesByItsEdgesDownToTheMinimum)
{
    FramedWindow w;
    w.show();
    w.changeDragging([](SkinDragging& d) { d.sizeable = true; });
    const QRect before = w.window().geometry();
    const QPoint edge(677, 200); // the right border
    ASSERT_EQ(w.frame->systemAnswerAt(edge), SystemAnswer::Right);
    const QPoint pressGlobal = w.global(edge);
    w.press(edge);
    auto moveBy = [&](QPoint travel) {
        QMouseEvent move(QEvent::MouseMove, QPointF(edge), QPointF(pressGlobal + travel), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w.owner.get(), &move);
    };
    moveBy({30, 0});
    EXPECT_EQ(w.window().geometry(), QRect(before.topLeft(), QSize(710, 490)));
    EXPECT_EQ(w.frame->clientRect(), QRect(24, 24, 662, 450));
    EXPECT_EQ(w.owner->client->geometry(), QRect(24, 24, 662, 450));
    moveBy({-1000, 0});
    EXPECT_EQ(w.window().width(), 150); // the minimum tracking width
    w.release(edge);
    // The caption buttons stay on the right edge.
    EXPECT_EQ(button(*w.frame, "CopyOfCloseButton")->left(), 150 - 35);
}

TEST(FrameStates, StoredStateIsTakenOnceTheWindowExists)
{
    TestOwner owner;
    auto* frame = new SkinForm(&owner, owner.client);
    frame->setBorderIcons(mainWindowBorderIcons);
    frame->setSkinEngine(&storedSkinEngine());
    frame->setWindowState(SkinWindowState::RolledUp);
    frame->loaded();
    EXPECT_EQ(frame->windowState(), SkinWindowState::Normal); // posted, not yet performed
    QApplication::processEvents();
    EXPECT_EQ(frame->windowState(), SkinWindowState::RolledUp);
    EXPECT_EQ(owner.height(), 40);
    frame->setWindowState(SkinWindowState::Normal);
    EXPECT_EQ(owner.height(), 490);
}

} // namespace
} // namespace corvane::skin::testing
