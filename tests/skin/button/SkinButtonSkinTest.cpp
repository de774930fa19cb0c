// The skinned face: which skin state the button shows, attaching to and
// detaching from the engine, the change notifications, the face picture per
// state, the see-through corners, the painting modes, and the content layout.
#include "ButtonTestSkin.h"
#include "ButtonTestSupport.h"
#include "skin/model/SkinObjects.h"
#include "skin/button/SkinButton.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

// A window painting the test skin's client background, with one skinned
// button at 20, 20 (81 x 25, caption "发  送").
struct SkinnedWindow {
    SkinEngine engine;
    SkinnedBackground form{&engine};
    SkinButton* button = new SkinButton(&form);

    explicit SkinnedWindow(bool maskedFace = true)
    {
        buildButtonSkin(engine, maskedFace);
        form.resize(160, 80);
        button->setGeometry(20, 20, 81, 25);
        button->setCaption(QStringLiteral("发  送"));
        button->setSkinEngine(&engine);
        form.show();
    }
};

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

QRgb centre(const QImage& face)
{
    return face.pixel(face.width() / 2, 3);
}

// The bounding box of the caption's pixels (the test skin's caption is white,
// which no face picture contains).
QRect captionBox(const QImage& face)
{
    QRect box;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (qRed(face.pixel(x, y)) > 0xE0 && qGreen(face.pixel(x, y)) > 0xE0)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(SkinButtonState, PriorityOfTheConditions)
{
    // Disabled wins over everything, then pressed, hot, focused/default.
    EXPECT_EQ(buttonSkinState(false, ButtonState::Pressed, true, true), SkinState::Disabled);
    EXPECT_EQ(buttonSkinState(false, ButtonState::Normal, false, false), SkinState::Disabled);
    EXPECT_EQ(buttonSkinState(true, ButtonState::Pressed, true, true), SkinState::Pressed);
    EXPECT_EQ(buttonSkinState(true, ButtonState::Pressed, false, false), SkinState::Pressed);
    EXPECT_EQ(buttonSkinState(true, ButtonState::Normal, true, true), SkinState::Hot);
    EXPECT_EQ(buttonSkinState(true, ButtonState::Normal, true, false), SkinState::Hot);
    EXPECT_EQ(buttonSkinState(true, ButtonState::Normal, false, true), SkinState::Focused);
    EXPECT_EQ(buttonSkinState(true, ButtonState::Normal, false, false), SkinState::Normal);
}

TEST(SkinButtonState, ButtonReportsItsConditions)
{
    SkinnedWindow w;
    EXPECT_EQ(w.button->skinState(), SkinState::Normal);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w.button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w.button, &enter);
    EXPECT_TRUE(w.button->pointerInside());
    EXPECT_EQ(w.button->skinState(), SkinState::Hot);
    sendMouse(w.button, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(w.button->skinState(), SkinState::Pressed);
    sendMouse(w.button, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(w.button->skinState(), SkinState::Hot);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.button, &leave);
    EXPECT_FALSE(w.button->pointerInside());
    // The press gave it the focus (the window may not be active offscreen, so
    // the focus flag is driven directly).
    QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(w.button, &focusIn);
    EXPECT_EQ(w.button->skinState(), SkinState::Focused);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(w.button, &focusOut);
    EXPECT_EQ(w.button->skinState(), SkinState::Normal);
}

TEST(SkinButtonSkin, AttachingCopiesTheObjectAndMakesAMaskedFaceTransparent)
{
    SkinnedWindow w;
    EXPECT_TRUE(w.button->drawsSkin());
    EXPECT_FALSE(w.button->testAttribute(Qt::WA_OpaquePaintEvent)); // transparent

    SkinnedWindow unmasked(false);
    EXPECT_TRUE(unmasked.button->drawsSkin());
    EXPECT_TRUE(unmasked.button->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(SkinButtonSkin, MissingObjectOrEngineDrawsPlain)
{
    SkinnedWindow w;
    w.button->setSkinObject(QStringLiteral("NoSuchObject"));
    EXPECT_FALSE(w.button->drawsSkin());
    const QImage plain = faceOf(w.button);
    EXPECT_EQ(plain.pixel(40, 3), w.button->palette().color(QPalette::Button).rgb());

    w.button->setSkinObject(QStringLiteral("button")); // names ignore case
    EXPECT_TRUE(w.button->drawsSkin());

    auto* engine = new SkinEngine;
    buildButtonSkin(*engine);
    w.button->setSkinEngine(engine);
    ASSERT_TRUE(w.button->drawsSkin());
    delete engine; // the engine goes away: the button detaches
    EXPECT_EQ(w.button->skinEngine(), nullptr);
    EXPECT_FALSE(w.button->drawsSkin());
    EXPECT_EQ(faceOf(w.button).pixel(40, 3), w.button->palette().color(QPalette::Button).rgb());
}

TEST(SkinButtonSkin, SkinChangeDropsTheCopyAndTakesANewOne)
{
    SkinnedWindow w;
    ASSERT_TRUE(w.button->drawsSkin());
    // A notification from another engine is not for this button.
    SkinEngine otherEngine;
    SkinChangeEvent foreign(skinChangingEvent(), &otherEngine);
    QApplication::sendEvent(w.button, &foreign);
    EXPECT_TRUE(w.button->drawsSkin());

    SkinChangeEvent changing(skinChangingEvent(), &w.engine);
    QApplication::sendEvent(w.button, &changing);
    EXPECT_FALSE(w.button->drawsSkin());
    SkinChangeEvent changed(skinChangedEvent(), &w.engine);
    QApplication::sendEvent(w.button, &changed);
    EXPECT_TRUE(w.button->drawsSkin());
}

TEST(SkinButtonSkin, HueChangeOfTheEngineReachesTheButtonThroughItsNotifications)
{
    SkinnedWindow w;
    const QRgb before = centre(faceOf(w.button));
    w.engine.setDeltaHue(60); // brackets the shift with the skin-changing event / the skin-changed event
    ASSERT_TRUE(w.button->drawsSkin());
    const QRgb after = centre(faceOf(w.button));
    EXPECT_NE(before, after);
}

TEST(SkinButtonSkin, FacePictureFollowsTheState)
{
    SkinnedWindow w;
    // Without a focus policy the press leaves the focus alone, so that the
    // focused picture below comes from the default role alone.
    w.button->setFocusPolicy(Qt::NoFocus);
    EXPECT_EQ(centre(faceOf(w.button)), FaceNormal);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w.button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w.button, &enter);
    EXPECT_EQ(centre(faceOf(w.button)), FaceHot);
    sendMouse(w.button, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(centre(faceOf(w.button)), FacePressed);
    // Dragged out: neither pressed nor hot (the window system reports no
    // crossing while the button is held; the move does).
    sendMouse(w.button, QEvent::MouseMove, {200, 5});
    EXPECT_EQ(centre(faceOf(w.button)), FaceNormal);
    sendMouse(w.button, QEvent::MouseMove, {10, 5});
    EXPECT_EQ(centre(faceOf(w.button)), FacePressed);
    sendMouse(w.button, QEvent::MouseMove, {200, 5});
    sendMouse(w.button, QEvent::MouseButtonRelease, {200, 5});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.button, &leave);
    EXPECT_EQ(centre(faceOf(w.button)), FaceNormal);
    w.button->setDefault(true);
    EXPECT_EQ(centre(faceOf(w.button)), FaceFocused);
    w.button->setDefault(false);
    EXPECT_EQ(centre(faceOf(w.button)), FaceNormal);

    w.button->setEnabled(false);
    EXPECT_EQ(centre(faceOf(w.button)), FaceDisabled);
    w.button->setEnabled(true);
    EXPECT_EQ(centre(faceOf(w.button)), FaceNormal);
}

TEST(SkinButtonSkin, BackgroundShowsThroughTheMaskedCorners)
{
    SkinnedWindow w;
    const QImage face = faceOf(w.button);
    // The button sits at 20, 20 of a background of 8-pixel squares: its
    // top-left pixel lies on the dark square (16..23, 16..23).
    EXPECT_EQ(face.pixel(0, 0), ClientDark);
    EXPECT_EQ(face.pixel(1, 1), ClientDark);
    EXPECT_EQ(face.pixel(80, 24), w.form.grab().toImage().pixel(100, 44));
    EXPECT_EQ(face.pixel(2, 0), 0xFF000000u); // the border beside the corner
}

TEST(SkinButtonSkin, PaintingModesGiveTheSameFace)
{
    SkinnedWindow w;
    auto inWindow = [&] { return w.form.grab().toImage().copy(20, 20, 81, 25).convertToFormat(QImage::Format_RGB32); };
    const QImage doubleBuffered = faceOf(w.button);
    EXPECT_EQ(differingPixels(inWindow(), doubleBuffered), 0);
    w.button->setPerformance(SkinPerformance::SharedBuffer);
    EXPECT_EQ(differingPixels(faceOf(w.button), doubleBuffered), 0);
    EXPECT_EQ(differingPixels(inWindow(), doubleBuffered), 0);
    w.button->setPerformance(SkinPerformance::NoBuffer);
    EXPECT_EQ(differingPixels(faceOf(w.button), doubleBuffered), 0);
    // Painted straight on the control at its place in the window.
    EXPECT_EQ(differingPixels(inWindow(), doubleBuffered), 0);
}

TEST(SkinButtonSkin, OpaqueDoubleBufferIsAPlainCopyOfTheKeyFilledBuffer)
{
    SkinnedWindow w;
    w.button->setTransparent(false);
    // Nothing paints the masked corners: the buffer's key colour stays.
    EXPECT_EQ(faceOf(w.button).pixel(0, 0), 0xFF000000u | SkinKeyPixel);
    w.button->setPerformance(SkinPerformance::NoBuffer);
    EXPECT_EQ(faceOf(w.button).pixel(0, 0), w.button->palette().color(QPalette::Button).rgb());
}

TEST(SkinButtonSkin, CaptionIsCentredAndMovesWhilePressed)
{
    SkinnedWindow w;
    const QRect normal = captionBox(faceOf(w.button));
    ASSERT_FALSE(normal.isEmpty());
    // Centred within a pixel or two (glyph side bearings).
    EXPECT_NEAR(normal.center().x(), 40, 2);
    EXPECT_NEAR(normal.center().y(), 12, 2);
    sendMouse(w.button, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(captionBox(faceOf(w.button)), normal.translated(1, 1));
}

TEST(SkinButtonLayoutRules, ContentCentredWithTruncation)
{
    // Text only: 30 x 13 in 81 x 25 -> offsets (81 - 30) / 2 = 25, (25 - 13) / 2 = 6.
    SkinButtonContent c = layoutButtonContent({81, 25}, {30, 13}, QSize(), GlyphPlacement::Left, 4, false, false);
    EXPECT_EQ(c.content, QRect(25, 6, 30, 13));
    EXPECT_EQ(c.textArea, c.content);
    EXPECT_TRUE(c.glyphRect.isNull());
    c = layoutButtonContent({81, 25}, {30, 13}, QSize(), GlyphPlacement::Left, 4, false, true);
    EXPECT_EQ(c.content, QRect(26, 7, 30, 13));
    // Larger than the button: negative offsets truncate towards zero.
    c = layoutButtonContent({20, 10}, {25, 13}, QSize(), GlyphPlacement::Left, 4, false, false);
    EXPECT_EQ(c.content.topLeft(), QPoint(-2, -1));
}

TEST(SkinButtonLayoutRules, GlyphStripOnEachSide)
{
    const QSize button(100, 40), text(30, 13), glyph(16, 16);
    SkinButtonContent c = layoutButtonContent(button, text, glyph, GlyphPlacement::Left, 4, false, false);
    EXPECT_EQ(c.content, QRect(25, 12, 50, 16)); // 30 + 16 + 4 wide, glyph high
    EXPECT_EQ(c.glyphArea, QRect(25, 12, 20, 16));
    EXPECT_EQ(c.glyphRect, QRect(25, 12, 16, 16));
    EXPECT_EQ(c.textArea, QRect(45, 12, 30, 16));

    c = layoutButtonContent(button, text, glyph, GlyphPlacement::Right, 4, false, false);
    EXPECT_EQ(c.glyphArea, QRect(55, 12, 20, 16));
    EXPECT_EQ(c.glyphRect, QRect(59, 12, 16, 16));
    EXPECT_EQ(c.textArea, QRect(25, 12, 30, 16));

    c = layoutButtonContent(button, text, glyph, GlyphPlacement::Top, 4, false, false);
    EXPECT_EQ(c.content, QRect(35, 3, 30, 33)); // 13 + 16 + 4 high
    EXPECT_EQ(c.glyphArea, QRect(35, 3, 30, 20));
    EXPECT_EQ(c.glyphRect, QRect(42, 3, 16, 16));
    EXPECT_EQ(c.textArea, QRect(35, 23, 30, 13));

    c = layoutButtonContent(button, text, glyph, GlyphPlacement::Bottom, 4, false, true);
    EXPECT_EQ(c.content, QRect(36, 4, 30, 33));
    EXPECT_EQ(c.glyphRect, QRect(43, 21, 16, 16));
    EXPECT_EQ(c.textArea, QRect(36, 4, 30, 13));
}

TEST(SkinButtonLayoutRules, WordWrapTakesTheButtonLessSpacingGlyphAndTen)
{
    const SkinButtonContent c =
        layoutButtonContent({100, 60}, {500, 13}, QSize(16, 16), GlyphPlacement::Left, 4, true, false);
    // Text 100 - 4 - 16 - 10 = 70 by 60 - 4 - 16 - 10 = 30; content 90 x 30.
    EXPECT_EQ(c.content, QRect(5, 15, 90, 30));
    EXPECT_EQ(c.textArea, QRect(25, 15, 70, 30));
}

TEST(SkinButtonLayoutRules, NumberOfGlyphImages)
{
    EXPECT_EQ(glyphCountFor({16, 16}, 3), 1);
    EXPECT_EQ(glyphCountFor({64, 16}, 1), 4);
    EXPECT_EQ(glyphCountFor({32, 16}, 1), 2);
    EXPECT_EQ(glyphCountFor({80, 16}, 2), 1); // five images is not a glyph strip
    EXPECT_EQ(glyphCountFor({30, 16}, 2), 2); // not a multiple: unchanged
    EXPECT_EQ(glyphCountFor({16, 0}, 2), 2);  // no height: unchanged
    EXPECT_EQ(glyphCountFor({0, 0}, 3), 3);
}

TEST(SkinButtonGlyph, DisabledImageOfAStripAndTheGlyphBesideTheCaption)
{
    SkinnedWindow w;
    QImage strip(32, 16, QImage::Format_ARGB32);
    strip.fill(qRgb(0xFF, 0, 0));
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            strip.setPixel(x, y, qRgb(0, 0xFF, 0));
    w.button->resize(120, 30);
    w.button->setGlyph(strip);
    auto countColour = [](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    };
    QImage face = faceOf(w.button);
    EXPECT_EQ(countColour(face, qRgb(0xFF, 0, 0)), 16 * 16);
    w.button->setEnabled(false);
    face = faceOf(w.button);
    EXPECT_EQ(countColour(face, qRgb(0, 0xFF, 0)), 16 * 16);
    EXPECT_EQ(countColour(face, qRgb(0xFF, 0, 0)), 0);
}
