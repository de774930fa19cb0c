// Golden pictures of the skinned menus, rendered off the screen: the bar with
// the "游 戏" popup open and "设置..." hot, and the frame's system menu. The
// pictures are compared pixel for pixel with the references under golden/;
// CORVANE_WRITE_GOLDEN=1 writes the current rendering there instead.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "skin/menu/SkinPopupSystemMenu.h"
#include "skin/menu/SkinPopupWindow.h"
#include "tests/skin/menu/MenuTestSkin.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

QString goldenPath(const QString& name)
{
    return qEnvironmentVariable("CORVANE_SOURCE_DIR") + QStringLiteral("/tests/skin/menu/golden/") + name;
}

void compareWithGolden(const QImage& actual, const QString& name)
{
    const QString path = goldenPath(name);
    if (qEnvironmentVariableIntValue("CORVANE_WRITE_GOLDEN") == 1) {
        ASSERT_TRUE(actual.save(path)) << path.toStdString();
        return;
    }
    // Also kept beside the test for looking at a failure.
    actual.save(QDir::temp().filePath(QStringLiteral("menus-actual-") + name));
    const QImage expected(path);
    ASSERT_FALSE(expected.isNull()) << "missing reference " << path.toStdString();
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), e.size());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != e.pixel(x, y);
    EXPECT_EQ(differing, 0) << name.toStdString() << ": pixels differ from the reference";
}

} // namespace

TEST(MenuGolden, BarWithGamePopupOpenAndSecondEntryHot)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    window.resize(632, 200);
    auto menu = buildProgramMenu(&window, &engine);

    // Menu mode as the tracking loop leaves it: the bar item hot with its
    // popup open, the popup's "设置..." hot.
    SkinItemView* bar = menu->bar->view();
    bar->setTracking(true);
    bar->setHot(menu->game);
    SkinPopupWindow popup(menu->game, menu->game->popupOptions());
    popup.view()->setTracking(true);
    popup.view()->setHot(menu->entries[1]);

    QImage picture(632, 20 + popup.popupSize().height() + 10, QImage::Format_ARGB32);
    picture.fill(QColor(0x80, 0x80, 0x80));
    QPainter painter(&picture);
    menu->bar->render(&painter, QPoint(0, 0), QRegion(), QWidget::DrawChildren);
    painter.drawImage(menu->game->rect().left(), menu->game->rect().bottom() + 1, popup.renderPicture());
    painter.end();
    compareWithGolden(picture, QStringLiteral("menubar_popup_hot.png"));
}

TEST(MenuGolden, SystemMenuOfTheMainWindow)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    // The items the main window's frame shows in the normal state (close,
    // system menu, minimize, roll up and tray, no maximize).
    const QList<SkinSystemMenuItem> items = {{QStringLiteral("Mi&nimize"), QString(), 1},
                                              {QStringLiteral("Ro&llup"), QString(), 4},
                                              {QStringLiteral("Minimize to &Tray"), QString(), 5},
                                              {QStringLiteral("-"), QString(), -1},
                                              {QStringLiteral("&Close"), QStringLiteral("Alt+F4"), 0}};
    SkinMenuItem root;
    root.setImages(&SkinPopupSystemMenuPresenter::captionButtonImages());
    for (const SkinSystemMenuItem& entry : items) {
        auto* item = new SkinMenuItem(&root);
        item->setCaption(entry.caption);
        item->setShortcut(shortcutFromText(entry.shortcut));
        item->setImageIndex(entry.imageIndex);
        root.add(item);
    }
    root.setSkinEngine(&engine);
    ASSERT_EQ(root.count(), 5);

    SkinPopupWindow popup(&root, root.popupOptions());
    popup.view()->setTracking(true);
    popup.view()->setHot(root.item(0));
    compareWithGolden(popup.renderPicture(), QStringLiteral("system_menu.png"));
}

TEST(MenuGolden, CheckMarkArrowShortcutDisabledAndScrollStrips)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    SkinMenuItem root;
    root.setScrolled(true);
    root.setScrollCount(4);
    const char* captions[] = {"&Checked", "Sub&menu", "&Disabled", "Save && quit", "Hidden below"};
    for (const char* caption : captions) {
        auto* item = new SkinMenuItem(&root);
        item->setCaption(QString::fromLatin1(caption));
        root.add(item);
    }
    root.item(0)->setChecked(true);
    auto* inner = new SkinMenuItem(&root);
    inner->setCaption(QStringLiteral("Inner"));
    root.item(1)->add(inner);
    root.item(2)->setEnabled(false);
    root.item(3)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    root.setSkinEngine(&engine);

    SkinPopupWindow popup(&root, root.popupOptions());
    popup.view()->setTracking(true);
    popup.view()->setHot(root.item(0));
    popup.view()->setHotStrip(ScrollStrip::Down);
    const QImage picture = popup.renderPicture();
    popup.view()->setHotStrip(ScrollStrip::None);
    compareWithGolden(picture, QStringLiteral("popup_features.png"));
}
