// The menu bar keeps the finished picture of each look and copies it while
// nothing it shows changed. These tests check that the copied picture is
// exactly what drawing the background and the items straight onto the
// target gives, and that every change (captions and flags of the items,
// hot states, the skin, the hue, the size, the palette) shows at once: a bar
// painted before the change and repainted after it must look like a bar made
// afresh with the change.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>

#include "support/SaveSkinFile.h"
#include "tests/skin/menu/MenuTestSkin.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

enum class Skin { Test, Stored, None };

const char* nameOf(Skin skin)
{
    return skin == Skin::Test ? "test skin" : skin == Skin::Stored ? "stored skin" : "no skin";
}

bool loadStoredSkin(SkinEngine& engine)
{
    QFile file(qEnvironmentVariable("CORVANE_SOURCE_DIR") + QStringLiteral("/resources/skin/ivory.skin"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    engine.readSkinStream(file.readAll());
    return engine.hasSkin();
}

// The program's menu bar on a window.
struct BarScene {
    SkinEngine engine;
    QWidget window;
    std::unique_ptr<ProgramMenu> menu;

    explicit BarScene(Skin skin)
    {
        if (skin == Skin::Test)
            buildMenuSkin(engine);
        if (skin == Skin::Stored)
            EXPECT_TRUE(loadStoredSkin(engine));
        window.resize(632, 120);
        menu = buildProgramMenu(&window, skin == Skin::None ? nullptr : &engine);
        window.show();
    }

    SkinMenuBar* bar() const { return menu->bar; }

    // The bar as a repaint puts it on a grey target with `ratio` device
    // pixels per pixel, seen through `transform`.
    QImage picture(QImage::Format format = QImage::Format_ARGB32, qreal ratio = 1,
                   const QTransform& transform = QTransform()) const
    {
        QImage image(bar()->size() * ratio, format);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0x80, 0x80, 0x80));
        QPainter painter(&image);
        painter.setTransform(transform);
        bar()->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
        return image;
    }

    // The background and the items drawn straight onto the same target, the
    // way the bar painted itself before it kept its pictures.
    QImage drawnDirectly(QImage::Format format = QImage::Format_ARGB32, qreal ratio = 1,
                         const QTransform& transform = QTransform()) const
    {
        QImage image(bar()->size() * ratio, format);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0x80, 0x80, 0x80));
        QPainter painter(&image);
        painter.setTransform(transform);
        painter.setPen(bar()->palette().color(bar()->foregroundRole()));
        painter.setBrush(bar()->palette().brush(bar()->backgroundRole()));
        painter.setFont(bar()->font());
        painter.setLayoutDirection(bar()->layoutDirection());
        // The bar's skin: its items' objects and its own frame.
        SkinMenuSkin skin = SkinMenuSkin::from(bar()->rootItem());
        if (SkinObject* frame = childNamed(bar()->rootItem()->menuBarObject(), QStringLiteral("Frame")))
            skin.barFrame = frame->copyTree();
        SkinMenuPainter::drawBarBackground(painter, skin, bar()->rect(), bar()->palette());
        bar()->view()->paintItems(painter);
        return image;
    }
};

// The three looks of the bar's item: normal, hot, hot in menu mode.
void setLook(BarScene& scene, int look)
{
    SkinItemView* view = scene.bar()->view();
    view->setTracking(look == 2);
    view->setHot(look == 0 ? nullptr : scene.menu->game);
}

using Change = std::function<void(BarScene&)>;

void expectShownAtOnce(Skin skin, const Change& change, int line = __builtin_LINE())
{
    SCOPED_TRACE(::testing::Message() << nameOf(skin) << ", change at line " << line);
    BarScene kept(skin);
    const QImage before = kept.picture();
    change(kept);
    const QImage after = kept.picture();

    BarScene fresh(skin);
    change(fresh);
    EXPECT_TRUE(after == fresh.picture()) << "the repainted bar is not the bar of a new window";
    EXPECT_TRUE(after != before) << "the change did not alter the bar";
}

// The stored skin saved as a skin file, for replacing a skin at run time.
QString storedSkinFile(const QTemporaryDir& folder)
{
    const QString file = folder.filePath(QStringLiteral("ivory.tqkn"));
    SkinEngine stored;
    EXPECT_TRUE(loadStoredSkin(stored));
    EXPECT_TRUE(corvane::testing::saveSkinFile(stored.source(), file));
    return file;
}

} // namespace

TEST(MenuBarPicture, KeptPictureIsWhatDrawingStraightOntoTheTargetGives)
{
    for (Skin skin : {Skin::Stored, Skin::Test, Skin::None}) {
        BarScene scene(skin);
        for (int look = 0; look < 3; ++look) {
            setLook(scene, look);
            for (QImage::Format format :
                 {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
                SCOPED_TRACE(::testing::Message() << nameOf(skin) << ", look " << look << ", format " << format);
                const QImage first = scene.picture(format);
                EXPECT_TRUE(first == scene.drawnDirectly(format));
                EXPECT_TRUE(scene.picture(format) == first); // the kept picture, copied again
            }
        }
        setLook(scene, 0);
    }
}

TEST(MenuBarPicture, SharpAtHighPixelDensityAndExactUnderScaledPainters)
{
    BarScene scene(Skin::Stored);
    for (int look = 0; look < 3; ++look) {
        setLook(scene, look);
        for (qreal ratio : {2.0, 1.5}) {
            SCOPED_TRACE(::testing::Message() << "look " << look << ", ratio " << ratio);
            EXPECT_TRUE(scene.picture(QImage::Format_ARGB32, ratio) ==
                        scene.drawnDirectly(QImage::Format_ARGB32, ratio));
        }
        // (A rotated painter is not tried: QWidget::render() then paints the
        // bar into a picture of its own and turns that.)
        for (const QTransform& transform :
             {QTransform::fromScale(1.5, 1.5), QTransform::fromTranslate(0.5, 0.25), QTransform::fromScale(1.3, 1.3)}) {
            SCOPED_TRACE(::testing::Message()
                         << "look " << look << ", scale " << transform.m11() << ", offset " << transform.dx());
            EXPECT_TRUE(scene.picture(QImage::Format_ARGB32, 1, transform) ==
                        scene.drawnDirectly(QImage::Format_ARGB32, 1, transform));
        }
    }
}

TEST(MenuBarPicture, HotStatesShowAtOnce)
{
    for (Skin skin : {Skin::Stored, Skin::Test, Skin::None}) {
        expectShownAtOnce(skin, [](BarScene& s) { setLook(s, 1); });
        expectShownAtOnce(skin, [](BarScene& s) { setLook(s, 2); });
    }
    // Back from hot to normal.
    BarScene scene(Skin::Stored);
    const QImage normal = scene.picture();
    setLook(scene, 1);
    EXPECT_TRUE(scene.picture() != normal);
    setLook(scene, 0);
    EXPECT_TRUE(scene.picture() == normal);
}

TEST(MenuBarPicture, ItemChangesShowAtOnce)
{
    for (Skin skin : {Skin::Stored, Skin::None}) {
        // A caption of the same width: the items keep their places, and the
        // bar is not told.
        expectShownAtOnce(skin, [](BarScene& s) { s.menu->game->setCaption(QStringLiteral("棋 局")); });
        expectShownAtOnce(skin, [](BarScene& s) {
            s.menu->game->setCaption(QStringLiteral("游戏与设置"));
            s.bar()->relayout();
        });
        expectShownAtOnce(skin, [](BarScene& s) { s.menu->game->setEnabled(false); });
        expectShownAtOnce(skin, [](BarScene& s) {
            s.menu->game->setVisible(false);
            s.bar()->relayout();
        });
        expectShownAtOnce(skin, [](BarScene& s) {
            auto* help = new SkinMenuItem(&s.window);
            help->setCaption(QStringLiteral("帮 助"));
            s.bar()->rootItem()->add(help);
            s.bar()->relayout();
        });
    }
}

TEST(MenuBarPicture, SkinChangesShowAtOnce)
{
    expectShownAtOnce(Skin::Stored, [](BarScene& s) { s.engine.setDeltaHue(80); });
    QTemporaryDir folder;
    const QString file = storedSkinFile(folder);
    expectShownAtOnce(Skin::Test, [&](BarScene& s) { s.engine.loadSkinFile(file); });
}

TEST(MenuBarPicture, SizeAndPaletteChangesShowAtOnce)
{
    for (Skin skin : {Skin::Stored, Skin::None})
        expectShownAtOnce(skin, [](BarScene& s) { s.window.resize(480, 120); });
    expectShownAtOnce(Skin::None, [](BarScene& s) {
        QPalette palette = s.bar()->palette();
        palette.setColor(QPalette::Button, QColor(0x20, 0x80, 0x40));
        palette.setColor(QPalette::ButtonText, QColor(0xFF, 0xFF, 0x00));
        s.bar()->setPalette(palette);
    });
}
