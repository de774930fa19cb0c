// The button keeps the finished picture of each look and copies it while
// nothing it shows changed. These tests paint a button once (so that its
// look is kept), change one thing, and compare the repainted face with the
// face of a button made afresh with that change: a stale kept picture shows
// as a difference. Each change must also alter the face, or the comparison
// would prove nothing.
#include "ButtonTestSkin.h"
#include "ButtonTestSupport.h"
#include "skin/button/SkinButton.h"
#include "support/SaveSkinFile.h"

#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

// A button that counts how often it draws its face.
class CountingButton : public SkinButton {
public:
    using SkinButton::SkinButton;
    int paints = 0;

protected:
    void paintControl(QPainter& painter) override
    {
        ++paints;
        SkinButton::paintControl(painter);
    }
};

enum class Skin { Test, Stored, None };

// The send button at its place over a skinned background.
struct Scene {
    SkinEngine engine;
    SkinnedBackground client{&engine};
    CountingButton* button = new CountingButton(&client);

    explicit Scene(Skin skin)
    {
        if (skin == Skin::Test)
            buildButtonSkin(engine);
        if (skin == Skin::Stored)
            EXPECT_TRUE(loadIvory(engine));
        client.resize(200, 80);
        button->setGeometry(20, 20, 81, 25);
        button->setCaption(QStringLiteral("发  送"));
        button->setFocusPolicy(Qt::NoFocus);
        if (skin != Skin::None)
            button->setSkinEngine(&engine);
        client.show();
    }

    QImage face() { return faceOf(button); }
};

void enter(SkinButton* button)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &event);
}

using Change = std::function<void(Scene&)>;

const char* nameOf(Skin skin)
{
    return skin == Skin::Test ? "test skin" : skin == Skin::Stored ? "stored skin" : "no skin";
}

// Paints `kept` before and after `change`, and a fresh scene with the change
// made before its first paint. `alters` false: the change is one this face
// does not show (the plain face has no hot look).
void expectShownAtOnce(Skin skin, const Change& change, bool alters = true, int line = __builtin_LINE())
{
    SCOPED_TRACE(::testing::Message() << nameOf(skin) << ", change at line " << line);
    Scene kept(skin);
    const QImage before = kept.face();
    const int paints = kept.button->paints;
    ASSERT_EQ(kept.face(), before);
    ASSERT_EQ(kept.button->paints, paints) << "the look was not kept";
    change(kept);
    const QImage after = kept.face();

    Scene fresh(skin);
    change(fresh);
    EXPECT_TRUE(after == fresh.face()) << "the repainted face is not the face of a new button";
    EXPECT_EQ(after != before, alters) << "the change did not alter the face as expected";
}

} // namespace

TEST(SkinButtonLook, RepaintsOfAnUnchangedButtonCopyTheKeptPicture)
{
    Scene scene(Skin::Test);
    const QImage first = scene.face();
    const int paints = scene.button->paints;
    ASSERT_GE(paints, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(scene.face(), first);
    EXPECT_EQ(scene.button->paints, paints);
}

TEST(SkinButtonLook, ReturningToAKeptLookPaintsNothingNew)
{
    Scene scene(Skin::Test);
    const QImage normal = scene.face();
    enter(scene.button);
    const QImage hot = scene.face();
    const int paints = scene.button->paints;
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(scene.button, &leave);
    EXPECT_EQ(scene.face(), normal);
    enter(scene.button);
    EXPECT_EQ(scene.face(), hot);
    EXPECT_EQ(scene.button->paints, paints);
}

TEST(SkinButtonLook, UnbufferedButtonsPaintEveryTime)
{
    Scene scene(Skin::Test);
    scene.button->setPerformance(SkinPerformance::NoBuffer);
    scene.face();
    const int paints = scene.button->paints;
    scene.face();
    EXPECT_GT(scene.button->paints, paints);
}

TEST(SkinButtonLook, CaptionChangesShowAtOnce)
{
    for (Skin skin : {Skin::Stored, Skin::None}) {
        expectShownAtOnce(skin, [](Scene& s) { s.button->setCaption(QStringLiteral("确定")); });
        expectShownAtOnce(skin, [](Scene& s) { s.button->setCaption(QStringLiteral("发送了")); });
    }
}

TEST(SkinButtonLook, StateChangesShowAtOnce)
{
    for (Skin skin : {Skin::Stored, Skin::Test, Skin::None}) {
        // The plain face has no hot look.
        expectShownAtOnce(
            skin, [](Scene& s) { enter(s.button); }, skin != Skin::None);
        expectShownAtOnce(skin, [](Scene& s) {
            enter(s.button);
            sendMouse(s.button, QEvent::MouseButtonPress, {5, 5});
        });
        expectShownAtOnce(skin, [](Scene& s) { s.button->setState(ButtonState::Pressed); });
        expectShownAtOnce(skin, [](Scene& s) { s.button->setEnabled(false); });
        expectShownAtOnce(skin, [](Scene& s) { s.button->setDefault(true); });
    }
}

TEST(SkinButtonLook, PressAndReleaseShowEachFaceAtOnce)
{
    Scene scene(Skin::Stored);
    const QImage normal = scene.face();
    enter(scene.button);
    const QImage hot = scene.face();
    sendMouse(scene.button, QEvent::MouseButtonPress, {5, 5});
    const QImage pressed = scene.face();
    sendMouse(scene.button, QEvent::MouseMove, {200, 5}); // dragged out: normal again
    EXPECT_EQ(scene.button->state(), ButtonState::Normal);
    const QImage draggedOut = scene.face();
    sendMouse(scene.button, QEvent::MouseMove, {5, 5});
    EXPECT_EQ(scene.face(), pressed);
    sendMouse(scene.button, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(scene.face(), hot);
    EXPECT_NE(pressed, hot);
    EXPECT_NE(hot, normal);

    Scene fresh(Skin::Stored);
    enter(fresh.button);
    sendMouse(fresh.button, QEvent::MouseButtonPress, {5, 5});
    sendMouse(fresh.button, QEvent::MouseMove, {200, 5});
    EXPECT_EQ(draggedOut, fresh.face());
}

TEST(SkinButtonLook, SkinChangesShowAtOnce)
{
    // A new hue recolours the engine's bitmaps in place.
    expectShownAtOnce(Skin::Stored, [](Scene& s) { s.engine.setDeltaHue(80); });
    // The stored skin, saved as a skin file, replaces another one at run time.
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("ivory.tqkn"));
    {
        SkinEngine stored;
        ASSERT_TRUE(loadIvory(stored));
        ASSERT_TRUE(corvane::testing::saveSkinFile(stored.source(), file));
    }
    expectShownAtOnce(Skin::Test, [&](Scene& s) { s.engine.loadSkinFile(file); });
    // The button stops (or starts) using the skin.
    expectShownAtOnce(Skin::Stored, [](Scene& s) { s.button->setSkinObject(QStringLiteral("NoSuchObject")); });
    expectShownAtOnce(Skin::None, [](Scene& s) {
        ASSERT_TRUE(loadIvory(s.engine));
        s.button->setSkinEngine(&s.engine);
    });
}

TEST(SkinButtonLook, SkinRedrawRequestDropsTheKeptLooks)
{
    Scene scene(Skin::Stored);
    scene.face();
    const int paints = scene.button->paints;
    // A skin object of the button's copy that changed its look asks its host
    // to redraw.
    SkinRedrawEvent redraw(nullptr);
    QApplication::sendEvent(scene.button, &redraw);
    scene.face();
    EXPECT_GT(scene.button->paints, paints) << "the kept picture was copied";
}

TEST(SkinButtonLook, FontAndPaletteChangesOfThePlainFaceShowAtOnce)
{
    expectShownAtOnce(Skin::None, [](Scene& s) {
        QFont font = s.button->font();
        font.setPointSize(font.pointSize() + 4);
        s.button->setFont(font);
    });
    expectShownAtOnce(Skin::None, [](Scene& s) {
        QPalette palette = s.button->palette();
        palette.setColor(QPalette::Button, QColor(0x20, 0x80, 0x40));
        palette.setColor(QPalette::ButtonText, QColor(0xFF, 0xFF, 0x00));
        s.button->setPalette(palette);
    });
}

TEST(SkinButtonLook, GeometryGlyphAndLayoutChangesShowAtOnce)
{
    for (Skin skin : {Skin::Stored, Skin::None}) {
        expectShownAtOnce(skin, [](Scene& s) { s.button->resize(110, 31); });
        expectShownAtOnce(skin, [](Scene& s) {
            QImage glyph(12, 12, QImage::Format_ARGB32);
            glyph.fill(QColor(0xC0, 0x20, 0x20));
            s.button->setGlyph(glyph);
        });
        expectShownAtOnce(skin, [](Scene& s) {
            s.button->setCaption(QStringLiteral("一个很长的按钮标题"));
            s.button->setWordWrap(true);
        });
    }
}

TEST(SkinButtonLook, GlyphEditedInPlaceAndSetAgainShowsAtOnce)
{
    Scene scene(Skin::Stored);
    QImage glyph(12, 12, QImage::Format_ARGB32);
    glyph.fill(QColor(0xC0, 0x20, 0x20));
    scene.button->setGlyph(glyph);
    const QImage red = scene.face();
    glyph.fill(QColor(0x20, 0x20, 0xC0));
    scene.button->setGlyph(glyph);
    const QImage blue = scene.face();
    EXPECT_NE(red, blue);

    Scene fresh(Skin::Stored);
    fresh.button->setGlyph(glyph);
    EXPECT_EQ(blue, fresh.face());
}
