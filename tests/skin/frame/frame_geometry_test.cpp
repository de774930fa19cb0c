// The stored skin's frame around the main window: sizes, client rectangle,
// window shape and the hit areas at known points.
#include "FrameTestSupport.h"

#include <QBitmap>

#include "skin/SkinWindowSystem.h"

namespace corvane::skin::testing {
namespace {

TEST(FrameGeometry, StoredSkinIsLoaded)
{
    ASSERT_TRUE(storedSkinEngine().hasSkin()) << "the resource :/skin/ivory.skin did not load";
    ASSERT_NE(storedSkinEngine().formObject(), nullptr);
}

TEST(FrameGeometry, KeepsTheDesignedClientSizeInsideTheFrame)
{
    FramedWindow w;
    ASSERT_NE(w.frame->tree(), nullptr);
    EXPECT_TRUE(w.window().windowFlags() & Qt::FramelessWindowHint);
    // Caption 24 high, bottom 16, left and right borders 24 wide.
    EXPECT_EQ(w.window().size(), QSize(632 + 48, 450 + 40));
    EXPECT_EQ(w.frame->clientRect(), QRect(24, 24, 632, 450));
    EXPECT_EQ(w.owner->client->geometry(), QRect(24, 24, 632, 450));
    EXPECT_EQ(w.frame->topHeight(), 24);
    EXPECT_EQ(w.frame->bottomHeight(), 16);
    EXPECT_EQ(w.frame->titleObject()->name, QStringLiteral("CaptionCenter"));
    EXPECT_EQ(w.frame->clientObject()->name, QStringLiteral("Client"));
}

TEST(FrameGeometry, TheTreeIsTheFramesOwnCopy)
{
    FramedWindow w;
    EXPECT_NE(w.frame->tree(), storedSkinEngine().formObject());
    // The engine's object keeps its stored size; the copy follows the window.
    EXPECT_EQ(storedSkinEngine().formObject()->width(), 300);
    EXPECT_EQ(w.frame->tree()->width(), 680);
    EXPECT_EQ(w.frame->tree()->host(), w.owner.get());
}

TEST(FrameGeometry, CaptionButtonsFollowTheRightEdge)
{
    FramedWindow w;
    // Stored at 265 and 227 in a 300 wide form; the form grew by 380.
    EXPECT_EQ(button(*w.frame, "CopyOfCloseButton")->boundsRect(), QRect(645, 3, 19, 20));
    EXPECT_EQ(button(*w.frame, "CopyOfMinButton")->boundsRect(), QRect(607, 3, 16, 21));
    EXPECT_EQ(button(*w.frame, "RollButton")->boundsRect(), QRect(17, 3, 18, 20));
    EXPECT_EQ(button(*w.frame, "SystemButton8")->boundsRect(), QRect(39, 4, 21, 19));
}

struct HitCase {
    QPoint point;
    SystemAnswer fixed;    // the main window's frame: not sizeable
    SystemAnswer sizeable; // the same frame when it may be sized
};

TEST(FrameGeometry, AnswersAtKnownPoints)
{
    FramedWindow w;
    const HitCase cases[] = {
        {{300, 12}, SystemAnswer::Caption, SystemAnswer::Caption}, // the title strip
        {{5, 12}, SystemAnswer::Client, SystemAnswer::Client},     // caption corner part: SkinKind::None
        {{620, 2}, SystemAnswer::Client, SystemAnswer::Client},    // ActiveBitmap9 beside the buttons
        {{26, 12}, SystemAnswer::Button, SystemAnswer::Button},    // roll up
        {{650, 12}, SystemAnswer::Button, SystemAnswer::Button},   // close
        {{612, 12}, SystemAnswer::Button, SystemAnswer::Button},   // minimize
        {{634, 12}, SystemAnswer::Client, SystemAnswer::Client},   // hidden maximize: the part beneath
        {{5, 200}, SystemAnswer::Client, SystemAnswer::Left},      // edges answer client: not sizeable
        {{675, 200}, SystemAnswer::Client, SystemAnswer::Right},
        {{340, 485}, SystemAnswer::Client, SystemAnswer::Bottom},
        {{340, 200}, SystemAnswer::Client, SystemAnswer::Client},
        {{2, 487}, SystemAnswer::Client, SystemAnswer::BottomLeft},
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(w.frame->systemAnswerAt(c.point), c.fixed) << c.point.x() << "," << c.point.y();
    w.changeDragging([](SkinDragging& d) { d.sizeable = true; });
    for (const HitCase& c : cases)
        EXPECT_EQ(w.frame->systemAnswerAt(c.point), c.sizeable) << c.point.x() << "," << c.point.y();
    w.changeDragging([](SkinDragging& d) { d.moveable = false; });
    EXPECT_EQ(w.frame->systemAnswerAt({300, 12}), SystemAnswer::Client);
}

TEST(FrameGeometry, WindowShapeIsTheTreesRegion)
{
    FramedWindow w;
    const QRegion mask = w.window().mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_EQ(mask, w.frame->tree()->createRegion());
    // The client area and the middle of the caption are part of the window.
    EXPECT_TRUE(mask.contains(QPoint(340, 200)));
    EXPECT_TRUE(mask.contains(QPoint(300, 12)));
    EXPECT_TRUE(mask.boundingRect().contains(QRect(24, 24, 632, 450)));
}

// The window's size is fixed, and the window manager is told so; a window
// manager that maximises it anyway (fluxbox) gets it back at its own size.
TEST(FrameGeometry, AFixedSizeWindowStaysAtItsSizeWhenTheWindowManagerMaximisesIt)
{
    FramedWindow w;
    w.show();
    const QSize size = w.window().size();
    EXPECT_EQ(w.window().minimumSize(), size);
    EXPECT_EQ(w.window().maximumSize(), size);
    w.window().setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(w.window().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.window().size(), size);
}

// Where a window's shape shows nothing through (Wayland), the pixels outside
// the shape are transparent and those inside it opaque.
TEST(FrameGeometry, WithoutShapedWindowsTheCutOffCornersAreTransparent)
{
    setProgramPlacesWindows(false);
    FramedWindow w;
    QImage picture(w.window().size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    w.window().render(&picture);
    const QRegion shape = w.frame->tree()->createRegion();
    setProgramPlacesWindows(true);

    int outside = 0;
    int wrong = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const bool inside = shape.contains(QPoint(x, y));
            outside += inside ? 0 : 1;
            wrong += qAlpha(picture.pixel(x, y)) != (inside ? 255 : 0) ? 1 : 0;
        }
    EXPECT_GT(outside, 0);
    EXPECT_EQ(wrong, 0);
}

} // namespace
} // namespace corvane::skin::testing
