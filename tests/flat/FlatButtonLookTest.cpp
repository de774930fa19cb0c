// The colours the flat button renders in each state: face, border, default
// and transparent modes, derived colours, and the glyph strip.
#include "FlatButtonFixture.h"

using namespace corvane::flat;
using namespace flattest;

TEST_F(FlatButtonTest, FaceFollowsTheDialogAndBorderIsBlue)
{
    EXPECT_EQ(toColorRef(button->color()), kDialogFace);
    EXPECT_EQ(colorRefAt(button, 3, 3), kDialogFace);
    EXPECT_EQ(colorRefAt(button, 0, 0), kBlue);
    EXPECT_EQ(colorRefAt(button, 72, 24), kBlue);
    EXPECT_EQ(colorRefAt(button, 1, 1), kDialogFace); // one-pixel border
}

TEST_F(FlatButtonTest, HoveredLooksRaisedWithTheFocusedFace)
{
    movePointer(button, QPoint(5, 5));
    ASSERT_TRUE(showsHoverLook(button));
    EXPECT_EQ(colorRefAt(button, 3, 3), kHovered);
    EXPECT_EQ(colorRefAt(button, 0, 0), 0xFFFFFFu); // highlight top-left
    EXPECT_EQ(colorRefAt(button, 40, 0), 0xFFFFFFu);
    EXPECT_EQ(colorRefAt(button, 72, 0), 0x000000u); // top-right corner is the shadow's
    EXPECT_EQ(colorRefAt(button, 0, 24), 0x000000u); // and so is bottom-left
    EXPECT_EQ(colorRefAt(button, 72, 24), 0x000000u);
}

TEST_F(FlatButtonTest, PressedLooksSunkenWithTheDownFace)
{
    press(button, QPoint(10, 10));
    EXPECT_EQ(button->state(), flat::ButtonState::Down);
    EXPECT_EQ(colorRefAt(button, 3, 3), kPressed);
    EXPECT_EQ(colorRefAt(button, 0, 0), 0x000000u);
    EXPECT_EQ(colorRefAt(button, 72, 24), 0xFFFFFFu);
    release(button, QPoint(10, 10));
    EXPECT_EQ(clicksOf(button), 1);
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
}

TEST_F(FlatButtonTest, FocusLooksHovered)
{
    button->setFocus();
    settle();
    EXPECT_TRUE(showsHoverLook(button));
    EXPECT_EQ(colorRefAt(button, 3, 3), kHovered);
    form->setFocus();
    settle();
    EXPECT_FALSE(showsHoverLook(button));
    EXPECT_EQ(colorRefAt(button, 3, 3), kDialogFace);
}

TEST_F(FlatButtonTest, DefaultDrawsATwoPixelBorderUnlessHovered)
{
    EXPECT_EQ(colorRefAt(button, 1, 1), kDialogFace);
    button->setDefault(true);
    EXPECT_EQ(colorRefAt(button, 1, 1), kBlue);
    EXPECT_EQ(colorRefAt(button, 71, 23), kBlue);
    EXPECT_EQ(colorRefAt(button, 2, 2), kDialogFace);
    movePointer(button, QPoint(5, 5));
    EXPECT_EQ(colorRefAt(button, 1, 1), kHovered);
}

TEST_F(FlatButtonTest, TransparentModes)
{
    button->setColor(Qt::red); // own colour now, no longer the dialog's
    EXPECT_FALSE(button->parentColor());
    EXPECT_EQ(colorRefAt(button, 3, 3), 0x0000FFu);

    button->setTransparentMode(flat::TransparentMode::UnlessHovered);
    EXPECT_EQ(colorRefAt(button, 3, 3), kDialogFace);
    movePointer(button, QPoint(5, 5));
    EXPECT_EQ(colorRefAt(button, 3, 3), kHovered);
    press(button, QPoint(5, 5));
    EXPECT_EQ(colorRefAt(button, 3, 3), kPressed);
    release(button, QPoint(5, 5));

    button->setTransparentMode(flat::TransparentMode::Always);
    press(button, QPoint(5, 5));
    EXPECT_EQ(colorRefAt(button, 3, 3), kDialogFace);
    EXPECT_EQ(colorRefAt(button, 0, 0), 0x000000u); // the bevel is still drawn
    release(button, QPoint(5, 5));
}

TEST_F(FlatButtonTest, UseAdvColorsDerivesFromTheDialogColour)
{
    button->setColor(Qt::red);
    button->setUseAdvColors(true);
    EXPECT_TRUE(button->parentColor());
    const QColor face = flat::fromColorRef(kDialogFace);
    EXPECT_EQ(button->color(), face);
    EXPECT_EQ(button->colorFocused(), flat::adjustLightness(face, Qt::black, 10, flat::Lightness::Lighter));
    EXPECT_EQ(button->colorDown(), flat::adjustLightness(face, Qt::black, 10, flat::Lightness::Darker));
    EXPECT_EQ(button->colorBorder(), flat::adjustLightness(face, Qt::black, 50, flat::Lightness::Darker));

    // A new dialog colour is followed and derived again.
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    form->setPalette(palette);
    settle();
    EXPECT_EQ(button->color(), QColor(0, 0, 128));
    EXPECT_EQ(button->colorFocused(), QColor(0, 1, 170)); // lighter by 10: L 60+10+10 = 80
}

TEST(FlatButtonGlyph, NumGlyphsFromTheStripShape)
{
    FlatButton b;
    b.setNumGlyphs(2);
    b.setGlyph(QImage(100, 16, QImage::Format_RGB32));
    EXPECT_EQ(b.numGlyphs(), 2);
    b.setGlyph(QImage(64, 16, QImage::Format_RGB32));
    EXPECT_EQ(b.numGlyphs(), 4);
    b.setGlyph(QImage(80, 16, QImage::Format_RGB32));
    EXPECT_EQ(b.numGlyphs(), 1);
    b.setGlyph(QImage(32, 16, QImage::Format_RGB32));
    EXPECT_EQ(b.numGlyphs(), 2);
}

namespace {
// Four 8x8 images in a strip, each a plain colour with a key-coloured
// (magenta) bottom-left pixel.
QImage fourImageStrip()
{
    QImage strip(32, 8, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int i = 0; i < 4; ++i) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                strip.setPixel(8 * i + x, y, colours[i]);
        strip.setPixel(8 * i, 7, qRgb(255, 0, 255));
    }
    strip.setPixel(0, 7, qRgb(255, 0, 255));
    return strip;
}
} // namespace

TEST_F(FlatButtonTest, GlyphImageFollowsTheState)
{
    button->setCaption(QString());
    button->setGlyph(fourImageStrip());
    ASSERT_EQ(button->numGlyphs(), 4);
    // 73x25 client, 8x8 glyph, no caption: x (73-8+1) div 2 = 33, y margin (25-8+1) div 2 = 9.
    EXPECT_EQ(colorRefAt(button, 36, 12), 0x0000FFu);   // up: 1st (red)
    EXPECT_EQ(colorRefAt(button, 33, 16), kDialogFace); // key colour left out
    press(button, QPoint(5, 5));
    EXPECT_EQ(colorRefAt(button, 37, 13), 0xFF0000u); // down: 3rd (blue), moved by (1, 1)
    EXPECT_EQ(colorRefAt(button, 33, 9), kPressed);
    release(button, QPoint(5, 5));
    button->setGroupIndex(1);
    button->setDown(true);
    parkPointer();
    EXPECT_EQ(colorRefAt(button, 37, 13), 0x00FFFFu); // exclusive: 4th (yellow)
    button->setEnabled(false);
    EXPECT_EQ(colorRefAt(button, 36, 12), 0x00FF00u); // disabled: 2nd (green)
}

TEST_F(FlatButtonTest, DisabledShowsTheEmbossedGlyphAndTwoCaptions)
{
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    for (int y = 2; y < 5; ++y)
        for (int x = 2; x < 5; ++x)
            glyph.setPixel(x, y, qRgb(0, 0, 0));
    button->setCaption(QString());
    button->setGlyph(glyph);
    EXPECT_EQ(colorRefAt(button, 33 + 3, 9 + 3), 0x000000u);
    EXPECT_EQ(colorRefAt(button, 33 + 0, 9 + 0), kDialogFace); // white is the key

    button->setEnabled(false);
    EXPECT_EQ(button->state(), flat::ButtonState::Disabled);
    const quint32 shadow = toColorRef(flat::buttonShadowColor(button));
    const quint32 light = toColorRef(flat::buttonHighlightColor(button));
    EXPECT_EQ(colorRefAt(button, 33 + 3, 9 + 3), shadow);
    EXPECT_EQ(colorRefAt(button, 33 + 5, 9 + 5), light); // shifted one right and down
    EXPECT_EQ(colorRefAt(button, 33 + 0, 9 + 0), kDialogFace);
    EXPECT_EQ(colorRefAt(button, 0, 0), kBlue);

    button->setGlyph(QImage());
    button->setCaption(QStringLiteral("连 接"));
    EXPECT_TRUE(rendersColor(button, shadow));
    EXPECT_TRUE(rendersColor(button, light));
    EXPECT_FALSE(rendersColor(button, 0x000000u));

    button->setEnabled(true);
    EXPECT_EQ(button->state(), flat::ButtonState::Disabled); // until the next painting
    settle();
    button->grab();
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
}
