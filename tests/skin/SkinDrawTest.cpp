// Drawing: fills, separators, text placement, the blits (masked, 16.16
// scaling, tiles, centring), nine-slice bitmaps, state variants and regions.
#include "skin/draw/SkinBlit.h"
#include "skin/model/SkinObjects.h"
#include "tests/skin/SkinTestSkins.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

constexpr std::uint32_t Background = 0xFF203040u;

QImage render(SkinObject& object, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Background);
    QPainter painter(&image);
    object.draw(painter);
    painter.end();
    return image;
}

std::uint32_t px(const QImage& image, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x];
}

// A bitmap whose pixel (x, y) encodes its own position: 0xFF00xxyy.
std::unique_ptr<SkinBitmap> positionBitmap(int width, int height)
{
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->name = "pos";
    bitmap->setSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->scanLine(y)[x] = 0xFF000000u | std::uint32_t(x) << 8 | std::uint32_t(y);
    return bitmap;
}

int sourceX(std::uint32_t pixel)
{
    return int((pixel >> 8) & 0xFF);
}
int sourceY(std::uint32_t pixel)
{
    return int(pixel & 0xFF);
}

} // namespace

TEST(SkinBlit, MaskedStretchSteps16Dot16AndSkipsTheKey)
{
    auto bitmap = positionBitmap(3, 2);
    bitmap->scanLine(1)[1] = SkinKeyPixel | 0xFF000000u; // key whatever the alpha
    QImage dest(7, 5, QImage::Format_ARGB32_Premultiplied);
    dest.fill(Background);
    {
        QPainter painter(&dest);
        drawBitmapPart(painter, *bitmap, QRect(0, 0, 3, 2), QRect(0, 0, 7, 5), SkinTileStyle::Stretch, true, QRect());
    }
    // step = 3 * 65536 / 7 = 28086: columns 0,0,0,1,1,2,2 (rounding would give 0,0,1,1,2,2,2).
    const int columns[7] = {0, 0, 0, 1, 1, 2, 2};
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(sourceX(px(dest, x, 0)), columns[x]) << x;
    // step = 2 * 65536 / 5 = 26214: rows 0,0,0,1,1.
    const int rows[5] = {0, 0, 0, 1, 1};
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(sourceY(px(dest, 0, y)), rows[y]) << y;
    // Source pixel (1, 1) is the key: destination columns 3 and 4 of rows 3 and 4 keep the background.
    EXPECT_EQ(px(dest, 3, 3), Background);
    EXPECT_EQ(px(dest, 4, 4), Background);
    EXPECT_EQ(px(dest, 5, 4), 0xFF000201u);
}

TEST(SkinBlit, TilesRepeatFromTheTopLeftAndCutTheLastOnes)
{
    auto bitmap = positionBitmap(3, 2);
    for (bool masked : {false, true}) {
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        image.fill(Background);
        QPainter painter(&image);
        drawBitmapPart(painter, *bitmap, QRect(0, 0, 3, 2), QRect(1, 1, 7, 3), SkinTileStyle::Tile, masked, QRect());
        painter.end();
        EXPECT_EQ(px(image, 1, 1), 0xFF000000u);
        EXPECT_EQ(px(image, 7, 3), 0xFF000000u); // x 6 -> 0, y 2 -> 0
        EXPECT_EQ(px(image, 6, 2), 0xFF000201u);
        EXPECT_EQ(px(image, 8, 1), Background); // cut at the part's edge
        EXPECT_EQ(px(image, 1, 4), Background);
    }
}

TEST(SkinBlit, CentreCopiesUnscaledAndTruncates)
{
    auto bitmap = positionBitmap(4, 4);
    QImage image(12, 12, QImage::Format_ARGB32_Premultiplied);
    image.fill(Background);
    QPainter painter(&image);
    drawBitmapPart(painter, *bitmap, QRect(0, 0, 4, 4), QRect(0, 0, 11, 11), SkinTileStyle::Center, true,
                   QRect(0, 0, 11, 11));
    painter.end();
    // (11 - 4) / 2 = 3.
    EXPECT_EQ(px(image, 3, 3), 0xFF000000u);
    EXPECT_EQ(px(image, 6, 6), 0xFF000303u);
    EXPECT_EQ(px(image, 2, 3), Background);
    EXPECT_EQ(px(image, 7, 7), Background);
}

TEST(SkinBlit, LinksReachingOutsideTheirBitmapReadOnlyInside)
{
    auto bitmap = positionBitmap(4, 4);
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Background);
    QPainter painter(&image);
    drawBitmapPart(painter, *bitmap, QRect(2, 2, 100, 100), QRect(0, 0, 8, 8), SkinTileStyle::Tile, true, QRect());
    painter.end();
    EXPECT_EQ(px(image, 0, 0), 0xFF000202u);
    EXPECT_EQ(px(image, 2, 2), 0xFF000202u);
}

TEST(SkinDraw, FillsWithColourUnlessNone)
{
    SkinObject o;
    o.setBounds(2, 2, 4, 4);
    o.color = 0x0000FF;
    QImage image = render(o, 8, 8);
    EXPECT_EQ(px(image, 2, 2), 0xFFFF0000u);
    EXPECT_EQ(px(image, 6, 6), Background);
    o.color = clNone;
    EXPECT_EQ(px(render(o, 8, 8), 3, 3), Background);
}

TEST(SkinDraw, ZeroSizedObjectDrawsNothingAndHasNoRegion)
{
    SkinObject o;
    o.color = clBlack;
    o.setBounds(0, 0, 0, 0);
    EXPECT_EQ(px(render(o, 4, 4), 0, 0), Background);
    EXPECT_TRUE(o.createRegion().isEmpty());
    o.setBounds(0, 0, 3, -2);
    EXPECT_TRUE(o.createRegion().isEmpty());
}

TEST(SkinDraw, ParentsWithChildrenPaintThemselvesOnlyWithDrawIfOwner)
{
    SkinObject parent;
    parent.color = 0x00FF00;
    parent.setBounds(0, 0, 10, 10);
    auto* c = new SkinObject(&parent);
    c->color = 0xFF0000;
    c->setBounds(0, 0, 5, 5);
    QImage image = render(parent, 10, 10);
    EXPECT_EQ(px(image, 1, 1), 0xFF0000FFu);
    EXPECT_EQ(px(image, 8, 8), Background);
    parent.drawIfOwner = true;
    image = render(parent, 10, 10);
    EXPECT_EQ(px(image, 8, 8), 0xFF00FF00u);
    EXPECT_EQ(px(image, 1, 1), 0xFF0000FFu);
}

TEST(SkinDraw, SeparatorIsOneRowAtTopPlusHalfHeightMinusOne)
{
    SkinObject item;
    item.color = clNone;
    item.font.color = 0x0000FF;
    item.text = "-";
    item.setBounds(10, 10, 50, 20);
    const QImage image = render(item, 80, 40);
    for (int y = 10; y < 30; ++y) {
        for (int x = 10; x < 60; ++x) {
            const bool onLine = y == 19 && x >= 13 && x < 57;
            EXPECT_EQ(px(image, x, y), onLine ? 0xFFFF0000u : Background) << x << "," << y;
        }
    }
}

TEST(SkinDraw, TextAlignmentAndShadow)
{
    auto inkColumns = [](const QImage& image) {
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (px(image, x, y) != 0xFFFFFFFFu) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return std::pair(first, last);
    };
    SkinObject o;
    o.color = clWhite;
    o.font.color = clBlack;
    o.text = "Hi";
    o.setBounds(0, 0, 120, 20);
    o.textMarginLeft = 10;
    o.textMarginRight = 10;
    o.textAlign = SkinTextAlign::Left;
    auto [leftFirst, leftLast] = inkColumns(render(o, 120, 20));
    EXPECT_GE(leftFirst, 10);
    EXPECT_LT(leftLast, 40);
    o.textAlign = SkinTextAlign::Right;
    auto [rightFirst, rightLast] = inkColumns(render(o, 120, 20));
    EXPECT_GT(rightFirst, 80);
    EXPECT_LT(rightLast, 110);
    // A right-to-left host mirrors left and right.
    o.setRightToLeft(true);
    auto [mirroredFirst, mirroredLast] = inkColumns(render(o, 120, 20));
    EXPECT_EQ(mirroredFirst, leftFirst);
    o.setRightToLeft(false);
    // The darkest pixel tells the text colour, also with smoothed glyphs.
    auto darkest = [](const QImage& image) {
        int value = 255;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                value = std::min<int>(value, px(image, x, y) & 0xFF);
        return value;
    };
    EXPECT_LT(darkest(render(o, 120, 20)), 0x60);
    // Disabled text is grey 0x808080.
    o.enabled = false;
    const int grey = darkest(render(o, 120, 20));
    EXPECT_GE(grey, 0x80);
    EXPECT_LT(grey, 0xF0);
    // White text on grey: the shadow adds darker ink one pixel down and right.
    o.enabled = true;
    o.color = 0x808080;
    o.font.color = clWhite;
    EXPECT_EQ(darkest(render(o, 120, 20)), 0x80);
    o.textEffect = SkinTextEffect::Shadow;
    EXPECT_LT(darkest(render(o, 120, 20)), 0x60);
}

TEST(SkinDraw, NineSliceCopiesCornersAndStretchesEdges)
{
    SkinBitmapList bitmaps;
    auto bitmap = positionBitmap(6, 6);
    bitmaps.append(bitmap.get());
    SkinBitmapObject o;
    o.bitmap = {"pos", 0, 0, 6, 6};
    o.marginLeft = o.marginTop = o.marginRight = o.marginBottom = 2;
    o.tileStyle = o.borderTileStyle = SkinTileStyle::Stretch;
    o.setBitmaps(&bitmaps);
    o.linkBitmaps();
    o.setBounds(1, 1, 20, 10);
    const QImage image = render(o, 24, 14);
    // Corners unscaled.
    EXPECT_EQ(px(image, 1, 1), 0xFF000000u);
    EXPECT_EQ(px(image, 2, 2), 0xFF000101u);
    EXPECT_EQ(px(image, 19, 1), 0xFF000400u);
    EXPECT_EQ(px(image, 20, 10), 0xFF000505u);
    EXPECT_EQ(px(image, 1, 10), 0xFF000005u);
    // Top edge: source columns 2..3 stretched over 16 pixels, rows 0..1 as they are.
    EXPECT_EQ(px(image, 3, 1), 0xFF000200u);
    EXPECT_EQ(px(image, 18, 2), 0xFF000301u);
    // Centre: source (2..3, 2..3) stretched over 16 x 6.
    EXPECT_EQ(px(image, 3, 3), 0xFF000202u);
    EXPECT_EQ(px(image, 18, 8), 0xFF000303u);
    EXPECT_EQ(px(image, 21, 11), Background);
}

TEST(SkinDraw, ButtonStatesPickTheirBitmapsOrFallBack)
{
    SkinBitmapList bitmaps;
    auto a = solidBitmap("a", 2, 2, 0xFF0000FFu);
    auto b = solidBitmap("b", 2, 2, 0xFF00FF00u);
    bitmaps = {a.get(), b.get()};
    SkinButtonObject face;
    face.bitmap = {"a", 0, 0, 2, 2};
    face.bitmapHot = {"b", 0, 0, 2, 2};
    face.bitmapDisabled = {"missing", 0, 0, 2, 2};
    face.tileStyle = SkinTileStyle::Stretch;
    face.setBitmaps(&bitmaps);
    face.linkBitmaps();
    face.setBounds(0, 0, 4, 4);
    face.setState(SkinState::Hot);
    EXPECT_EQ(px(render(face, 4, 4), 1, 1), 0xFF00FF00u);
    face.setState(SkinState::Disabled); // empty disabled picture: the normal one
    EXPECT_EQ(px(render(face, 4, 4), 1, 1), 0xFF0000FFu);
    face.setState(SkinState::Pressed); // no pressed picture at all
    EXPECT_EQ(px(render(face, 4, 4), 1, 1), 0xFF0000FFu);
}

TEST(SkinDraw, ActiveVariantsSwapColourAndBitmap)
{
    SkinActiveObject item;
    item.color = 0x0000FF;
    item.activeColor = 0x00FF00;
    item.setBounds(0, 0, 4, 4);
    EXPECT_EQ(px(render(item, 4, 4), 1, 1), 0xFFFF0000u);
    item.setState(SkinState::Hot);
    EXPECT_EQ(px(render(item, 4, 4), 1, 1), 0xFF00FF00u);
    item.setState(SkinState::Disabled);
    item.setActive(true);
    EXPECT_EQ(px(render(item, 4, 4), 1, 1), 0xFF00FF00u);
    EXPECT_EQ(item.color, 0x0000FF); // restored after drawing

    SkinBitmapList bitmaps;
    auto a = solidBitmap("a", 2, 2, 0xFF0000FFu);
    auto b = solidBitmap("b", 2, 2, 0xFF00FF00u);
    bitmaps = {a.get(), b.get()};
    SkinActiveBitmap caption;
    caption.bitmap = {"a", 0, 0, 2, 2};
    caption.activeBitmap = {"b", 0, 0, 2, 2};
    caption.setBitmaps(&bitmaps);
    caption.linkBitmaps();
    caption.setBounds(0, 0, 2, 2);
    EXPECT_EQ(px(render(caption, 2, 2), 0, 0), 0xFF0000FFu);
    caption.setActive(true);
    EXPECT_EQ(px(render(caption, 2, 2), 0, 0), 0xFF00FF00u);
    caption.setActive(false);
    caption.setState(SkinState::Pressed); // pressed is not an active state here
    EXPECT_EQ(px(render(caption, 2, 2), 0, 0), 0xFF0000FFu);
    caption.activeBitmap.name = "none";
    caption.linkBitmaps();
    caption.setActive(true); // empty active picture: the normal one
    EXPECT_EQ(px(render(caption, 2, 2), 0, 0), 0xFF0000FFu);
}

TEST(SkinDraw, BitmapObjectWithEmptyLinkDrawsNothing)
{
    SkinBitmapObject o;
    o.bitmap = {"nowhere", 0, 0, 4, 4};
    o.color = clBlack;
    o.setBounds(0, 0, 4, 4);
    EXPECT_EQ(px(render(o, 4, 4), 1, 1), Background);
}

TEST(SkinRegion, MaskedBitmapsKeepNonKeyRunsOnly)
{
    SkinBitmapList bitmaps;
    auto bitmap = solidBitmap("b", 4, 3, 0xFF112233u);
    bitmap->scanLine(0)[0] = SkinKeyPixel;
    bitmap->scanLine(0)[3] = SkinKeyPixel;
    bitmap->scanLine(1)[1] = SkinKeyPixel;
    bitmaps.append(bitmap.get());
    SkinBitmapObject o;
    o.bitmap = {"b", 0, 0, 4, 3};
    o.setBitmaps(&bitmaps);
    o.linkBitmaps();
    o.setBounds(10, 20, 4, 3);
    QRegion expected;
    expected += QRect(11, 20, 2, 1);
    expected += QRect(10, 21, 1, 1);
    expected += QRect(12, 21, 2, 1);
    expected += QRect(10, 22, 4, 1);
    EXPECT_EQ(o.createRegion(), expected);
    // Unmasked, or of Kind SkinKind::Client: the whole rectangle.
    o.masked = false;
    EXPECT_EQ(o.createRegion(), QRegion(10, 20, 4, 3));
    o.masked = true;
    o.kind = SkinKind::Client;
    EXPECT_EQ(o.createRegion(), QRegion(10, 20, 4, 3));
}

TEST(SkinRegion, ParentsUniteTheirVisibleChildren)
{
    SkinObject parent;
    parent.setBounds(0, 0, 100, 100);
    auto* a = new SkinObject(&parent);
    a->setBounds(0, 0, 10, 10);
    auto* b = new SkinObject(&parent);
    b->setBounds(50, 50, 10, 10);
    auto* hidden = new SkinObject(&parent);
    hidden->setBounds(80, 0, 10, 10);
    hidden->visible = false;
    EXPECT_EQ(parent.createRegion(), QRegion(0, 0, 10, 10) + QRegion(50, 50, 10, 10));
    parent.drawIfOwner = true;
    EXPECT_EQ(parent.createRegion(), QRegion(0, 0, 100, 100));
    parent.drawIfOwner = false;
    parent.masked = false;
    EXPECT_EQ(parent.createRegion(), QRegion(0, 0, 100, 100));
}

TEST(SkinDraw, HugeObjectsCostOnlyTheVisiblePixels)
{
    // A masked, tiled and a masked, stretched object a million pixels wide on
    // a small canvas: only the canvas's pixels are computed, and the stretch
    // steps exactly as for the whole width.
    SkinBitmapList bitmaps;
    auto bitmap = positionBitmap(4, 4);
    bitmaps.append(bitmap.get());
    for (SkinTileStyle style : {SkinTileStyle::Tile, SkinTileStyle::Stretch}) {
        SkinBitmapObject o;
        o.bitmap = {"pos", 0, 0, 4, 4};
        o.tileStyle = style;
        o.setBitmaps(&bitmaps);
        o.linkBitmaps();
        o.setBounds(-500000, 0, 1000000, 4);
        const QImage image = render(o, 16, 4);
        if (style == SkinTileStyle::Tile) {
            EXPECT_EQ(sourceX(px(image, 0, 0)), 0); // 500000 % 4 == 0
            EXPECT_EQ(sourceX(px(image, 5, 0)), 1);
        } else {
            // step = 4 * 65536 / 1000000 = 0 (truncated): every pixel takes column 0.
            EXPECT_EQ(sourceX(px(image, 7, 0)), 0);
        }
    }
}

namespace {

// A control that draws a tiled bitmap object straight on its own painter.
class TiledWidget : public QWidget {
public:
    TiledWidget(SkinBitmapObject* object, QWidget* parent) : QWidget(parent), m_object(object) { }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_object->draw(painter);
    }

private:
    SkinBitmapObject* m_object;
};

} // namespace

TEST(SkinDraw, ControlsAwayFromTheWindowOriginDrawTheirWholeObject)
{
    // Painting a child widget goes to the window's backing store (or a grab)
    // with the child's offset in the device transform: the visible part must
    // still be the child's own rectangle.
    SkinBitmapList bitmaps;
    auto bitmap = solidBitmap("b", 3, 3, 0xFF00FF00u);
    bitmap->scanLine(0)[0] = 0xFF0000FFu;
    bitmaps.append(bitmap.get());
    for (SkinTileStyle style : {SkinTileStyle::Tile, SkinTileStyle::Stretch}) {
        for (bool masked : {false, true}) {
            SkinBitmapObject object;
            object.bitmap = {"b", 0, 0, 3, 3};
            object.tileStyle = style;
            object.masked = masked;
            object.setBitmaps(&bitmaps);
            object.linkBitmaps();
            object.setBounds(0, 0, 40, 20);
            QWidget window;
            window.resize(100, 80);
            TiledWidget control(&object, &window);
            control.setGeometry(30, 40, 40, 20);
            const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(shot.pixel(30 + 39, 40 + 19), 0xFF00FF00u) << int(style) << masked;
            EXPECT_EQ(shot.pixel(30, 40), 0xFF0000FFu) << int(style) << masked;
        }
    }
}
