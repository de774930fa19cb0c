// The frame's cached picture of the skinned window: after every kind of
// change the picture shows (size, active state, window state, caption text,
// a hot or a pressed caption button, the skin, the font) the painted frame is
// redrawn and equals a frame drawn afresh, and a repaint that changes none of
// them copies the kept picture without drawing the skin again (skin pictures
// painted over behind its back do not show in the kept band).
#include <QFile>
#include <QPainter>

#include "FrameTestSupport.h"

namespace corvane::skin::testing {
namespace {

QImage picture(QWidget& window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The window as the frame draws it with its kept picture thrown away: a
// style change makes the frame draw the skin again from scratch.
QImage drawnAfresh(FramedWindow& w)
{
    QEvent styleChange(QEvent::StyleChange);
    QApplication::sendEvent(w.owner.get(), &styleChange);
    return picture(w.window());
}

// The picture with the client area blacked out: the frame band.
QImage band(QImage picture, const QRect& client)
{
    QPainter(&picture).fillRect(client, Qt::black);
    return picture;
}

// The stored skin in an engine of its own.
struct OwnSkin {
    OwnSkin()
    {
        QFile file(QStringLiteral(":/skin/ivory.skin"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        engine.readSkinStream(file.readAll());
    }
    SkinEngine engine;
};

// A shown frame whose skin pictures are then painted over without telling
// it: what it kept differs from what it would draw now.
class FrameCacheKept : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.show();
        before = picture(w.window());
        for (SkinBitmap* bitmap : skin.engine.source().bitmaps())
            bitmap->image().fill(QColor(0xFF, 0x00, 0xFF));
    }
    QImage frameBand(const QImage& picture) { return band(picture, w.frame->clientRect()); }

    OwnSkin skin;
    FramedWindow w{&skin.engine};
    QImage before;
};

class FrameCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.show();
        ASSERT_NE(w.frame->tree(), nullptr) << "the stored skin did not load";
        ASSERT_TRUE(w.frame->isFrameActive());
        before = picture(w.window());
    }

    // After a change: the frame was drawn again for it, shows it (when
    // `visible`), and looks as when drawn from scratch.
    void expectRedrawnFor(const char* change, bool visible = true)
    {
        QApplication::processEvents();
        const QImage changed = picture(w.window());
        if (visible)
            EXPECT_NE(changed, before) << change << ": the window looks as before the change";
        EXPECT_EQ(changed, drawnAfresh(w)) << change << ": the kept picture differs from a fresh drawing";
    }

    FramedWindow w;
    QImage before;
};

TEST_F(FrameCacheKept, RepaintsWithoutChangeCopyTheKeptBandAndDrawOnlyTheClientArea)
{
    w.owner->update();
    w.owner->client->update();
    QApplication::processEvents();
    w.owner->repaint();
    const QImage repainted = picture(w.window());
    EXPECT_EQ(frameBand(repainted), frameBand(before)) << "the band was drawn again";
    EXPECT_NE(repainted, before) << "the client area is drawn where it shows, never kept";
    // The pointer moving over the client area changes nothing the frame shows.
    w.hoverAt(w.frame->clientRect().center());
    w.hover(w.frame->clientRect().center());
    EXPECT_EQ(frameBand(picture(w.window())), frameBand(before));
    EXPECT_NE(frameBand(drawnAfresh(w)), frameBand(before)) << "drawn afresh, the band shows the new pictures";
}

TEST_F(FrameCacheKept, CaptionDragMovesTheWindowWithoutDrawingTheFrameAgain)
{
    const QPoint grip(300, 12); // on the caption, away from its buttons
    const QPoint start = w.window().pos();
    const QPoint pressGlobal = w.global(grip);
    w.press(grip);
    for (const QPoint travel : {QPoint(10, 4), QPoint(40, 25), QPoint(90, 60)}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(grip), QPointF(pressGlobal + travel), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w.owner.get(), &move);
        QApplication::processEvents();
    }
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(grip), QPointF(pressGlobal + QPoint(90, 60)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.owner.get(), &up);
    QApplication::processEvents();
    EXPECT_NE(w.window().pos(), start) << "the drag did not move the window";
    EXPECT_EQ(frameBand(picture(w.window())), frameBand(before));
}

TEST_F(FrameCache, TheClientAreaShowsTheSkinWhereNoChildCoversIt)
{
    // The stand-in's client widget paints nothing: the window draws the
    // skin's client background there itself, the same on every repaint.
    const QRect client = w.frame->clientRect();
    const QImage first = picture(w.window());
    const QColor background = w.owner->palette().color(w.owner->backgroundRole());
    int skinned = 0;
    for (int y = client.top(); y <= client.bottom(); y += 7)
        for (int x = client.left(); x <= client.right(); x += 7)
            skinned += first.pixelColor(x, y) != background;
    EXPECT_GT(skinned, 0) << "the client area shows only the window background";
    w.owner->client->update();
    QApplication::processEvents();
    EXPECT_EQ(picture(w.window()), first);
}

TEST_F(FrameCache, SizeChange)
{
    w.frame->setWindowBounds(QRect(w.window().pos(), QSize(720, 520)));
    ASSERT_EQ(w.window().size(), QSize(720, 520));
    expectRedrawnFor("size");
}

TEST_F(FrameCache, ActiveStateChange)
{
    QWidget other;
    other.move(900, 700);
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    ASSERT_FALSE(w.frame->isFrameActive());
    expectRedrawnFor("inactive");

    before = picture(w.window());
    QApplication::setActiveWindow(w.owner.get());
    QApplication::processEvents();
    ASSERT_TRUE(w.frame->isFrameActive());
    expectRedrawnFor("active again");
}

TEST_F(FrameCache, RollUpAndUnroll)
{
    w.frame->rollup();
    ASSERT_EQ(w.frame->windowState(), SkinWindowState::RolledUp);
    expectRedrawnFor("rolled up");

    before = picture(w.window());
    w.frame->rollup(); // toggles back
    ASSERT_EQ(w.frame->windowState(), SkinWindowState::Normal);
    expectRedrawnFor("unrolled");
}

TEST_F(FrameCache, CaptionText)
{
    w.frame->setCaption(QStringLiteral("象棋 Corvane"));
    expectRedrawnFor("caption");
}

TEST_F(FrameCache, HotAndPressedCaptionButton)
{
    const QPoint close = centre(button(*w.frame, "CopyOfCloseButton"));
    w.hoverAt(close);
    expectRedrawnFor("hot close button");

    before = picture(w.window());
    w.press(close);
    expectRedrawnFor("pressed close button");

    // Released away from the button: nothing runs, the button is no longer
    // pressed or hot.
    before = picture(w.window());
    const QPoint away = w.frame->clientRect().center();
    w.release(away);
    w.hoverAt(away);
    EXPECT_EQ(w.terminations, 0);
    expectRedrawnFor("released");
}

TEST_F(FrameCache, FontChange)
{
    QFont font = w.owner->font();
    font.setPointSize(font.pointSize() + 5);
    w.owner->setFont(font);
    // The stored skin draws its caption in a font of its own, so the look
    // may stay; the picture is drawn again all the same.
    expectRedrawnFor("font", false);
}

TEST(FrameCacheSkin, SkinChange)
{
    // An engine of its own: the hue shift changes the skin of every frame
    // that uses the engine.
    OwnSkin skin;
    SkinEngine& engine = skin.engine;
    FramedWindow w(&engine);
    w.show();
    const QImage before = picture(w.window());

    engine.setDeltaHue(120);
    QApplication::processEvents();
    const QImage shifted = picture(w.window());
    EXPECT_NE(shifted, before) << "the window kept the colours of the skin before the change";
    EXPECT_EQ(shifted, drawnAfresh(w));
}

} // namespace
} // namespace corvane::skin::testing
