// Layout and measuring: the bar's height and first item from the skin's
// "Frame", item widths from the captions, the popup's column, frame margins,
// the glyph column, scrolled popups, and the plain measures without a skin.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>

#include "skin/menu/SkinPopupWindow.h"
#include "tests/skin/menu/MenuTestSkin.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

int captionWidth(const QString& text)
{
    SkinFont font; // the skin's item font: MS Sans Serif, -11
    return QFontMetrics(font.toQFont()).horizontalAdvance(text);
}

} // namespace

TEST(MenuLayout, BarTakesItsHeightFromTheSkinFrameAndStartsAt15)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    window.resize(632, 450);
    auto menu = buildProgramMenu(&window, &engine);
    EXPECT_EQ(menu->bar->geometry(), QRect(0, 0, 632, 20));
    EXPECT_EQ(menu->game->rect(), QRect(15, 0, captionWidth(QStringLiteral("游 戏")) + 5 + 5, 20));

    // Aligned to the top, the bar follows the window's width.
    window.show();
    window.resize(700, 450);
    EXPECT_EQ(menu->bar->geometry(), QRect(0, 0, 700, 20));
}

TEST(MenuLayout, BarItemsFollowEachOther)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    auto* second = new SkinMenuItem(&window);
    second->setCaption(QStringLiteral("&View"));
    menu->bar->rootItem()->add(second);
    auto* hidden = new SkinMenuItem(&window);
    hidden->setCaption(QStringLiteral("Hidden"));
    hidden->setVisible(false);
    menu->bar->rootItem()->insert(1, hidden);
    menu->bar->relayout();
    EXPECT_EQ(second->rect().left(), menu->game->rect().right() + 1);
    EXPECT_EQ(second->rect().width(), captionWidth(QStringLiteral("View")) + 10) << "the & mark takes no room";
    EXPECT_TRUE(hidden->rect().isEmpty());
}

TEST(MenuLayout, PopupOfTheGameMenu)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    SkinPopupWindow popup(menu->game, menu->game->popupOptions());
    const QList<SkinMenuItem*> shown = popup.view()->shownItems();
    ASSERT_EQ(shown.size(), 6);

    int widest = 0;
    for (SkinMenuItem* entry : menu->entries)
        if (!entry->isSeparator())
            widest = qMax(widest, captionWidth(entry->caption()) + MenuGlyphColumnWidth + 42);
    int y = 3;
    for (SkinMenuItem* item : shown) {
        // Ordinary rows are at least glyph column + 4 high; the separator keeps
        // the skin item's height.
        const int height = item->isSeparator() ? 20 : qMax(20, MenuGlyphColumnWidth + 4);
        EXPECT_EQ(item->rect(), QRect(3, y, widest, height)) << item->objectName().toStdString();
        y += height;
    }
    EXPECT_EQ(popup.popupSize(), QSize(widest + 6, y + 3)) << "3-pixel frame margins on every side";
}

TEST(MenuLayout, ShortcutTextWidensTheItemAndAShadowTheWindow)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    SkinMenuItem root;
    auto* close = new SkinMenuItem(&root);
    close->setCaption(QStringLiteral("&Close"));
    close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    root.add(close);
    root.setSkinEngine(&engine);
    SkinPopupWindow plain(&root, root.popupOptions());
    EXPECT_EQ(close->rect().width(),
              captionWidth(QStringLiteral("Close")) + 22 + captionWidth(QStringLiteral("Alt+F4")) + 42);

    SkinPopupMenuOptions options;
    options.shadow.enabled = true;
    SkinPopupWindow shadowed(&root, options);
    EXPECT_EQ(shadowed.popupSize(), plain.popupSize() + QSize(4, 4));
}

TEST(MenuLayout, ScrolledPopupShowsAWindowOfItemsBetweenStrips)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    SkinMenuItem root;
    root.setScrolled(true);
    root.setScrollCount(3);
    for (int i = 0; i < 6; ++i) {
        auto* item = new SkinMenuItem(&root);
        item->setCaption(QStringLiteral("Item %1").arg(i));
        root.add(item);
    }
    root.setSkinEngine(&engine);
    SkinPopupWindow popup(&root, root.popupOptions());
    SkinItemView* view = popup.view();
    ASSERT_EQ(view->shownItems().size(), 3);
    EXPECT_EQ(root.item(0)->rect().top(), 3 + MenuScrollStripHeight);
    EXPECT_EQ(view->stripAt(QPoint(5, 3)), ScrollStrip::Up);
    EXPECT_EQ(view->stripAt(QPoint(5, root.item(0)->rect().top())), ScrollStrip::None);
    EXPECT_EQ(view->stripAt(QPoint(5, root.item(2)->rect().bottom() + 1)), ScrollStrip::Down);
    EXPECT_EQ(view->contentSize().height(), 3 * 26 + 20) << "the strips add 20 pixels";
    EXPECT_TRUE(root.item(3)->rect().isEmpty());

    EXPECT_FALSE(view->canScroll(-1));
    EXPECT_TRUE(view->canScroll(+1));
    view->scroll(+1);
    EXPECT_EQ(view->shownItems().first(), root.item(1));
    // Moving the hot item past the window scrolls it along; wrapping to the
    // first item brings the window back.
    view->setHot(root.item(3));
    view->setHot(view->neighbour(+1));
    view->setHot(view->neighbour(+1));
    EXPECT_EQ(view->hot(), root.item(5));
    EXPECT_EQ(view->shownItems().last(), root.item(5));
    EXPECT_FALSE(view->canScroll(+1));
    view->setHot(view->neighbour(+1));
    EXPECT_EQ(view->hot(), root.item(0));
    EXPECT_EQ(view->shownItems().first(), root.item(0));
}

TEST(MenuLayout, PointingAtAStripScrollsStepByStepToTheEnd)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    SkinMenuItem root;
    root.setScrolled(true);
    root.setScrollCount(2);
    for (int i = 0; i < 4; ++i) {
        auto* item = new SkinMenuItem(&root);
        item->setCaption(QStringLiteral("Item %1").arg(i));
        root.add(item);
    }
    root.setSkinEngine(&engine);
    SkinPopupWindow popup(&root, root.popupOptions());
    SkinItemView* view = popup.view();
    const auto scrollUntilFirstIs = [&](ScrollStrip strip, SkinMenuItem* first) {
        view->setHotStrip(strip);
        QElapsedTimer clock;
        clock.start();
        while (view->shownItems().first() != first && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        view->setHotStrip(ScrollStrip::None);
        return view->shownItems().first() == first;
    };
    EXPECT_TRUE(scrollUntilFirstIs(ScrollStrip::Down, root.item(2))) << "down to the last window";
    EXPECT_FALSE(view->canScroll(+1));
    EXPECT_TRUE(scrollUntilFirstIs(ScrollStrip::Up, root.item(0))) << "and back up";
}

TEST(MenuLayout, WithoutASkinItemsUseThePlainMeasures)
{
    QWidget window;
    auto menu = buildProgramMenu(&window, nullptr);
    EXPECT_EQ(menu->game->rect().left(), 2);
    SkinPopupWindow popup(menu->game, menu->game->popupOptions());
    EXPECT_EQ(popup.view()->origin(), QPoint(3, 3)) << "a plain popup keeps a 3-pixel border";
    EXPECT_EQ(menu->entries[4]->rect().height(), 9);
}

TEST(MenuLayout, SkinChangeDropsAndRetakesTheSkin)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    ASSERT_NE(menu->game->menuBarItemObject(), nullptr);
    const QImage skinned = menu->bar->grab().toImage();

    SkinChangeEvent changing(skinChangingEvent(), &engine);
    QCoreApplication::sendEvent(menu->bar, &changing);
    EXPECT_NE(menu->bar->grab().toImage(), skinned) << "the bar draws plainly while the skin changes";
    EXPECT_EQ(menu->game->menuBarItemObject(), nullptr);
    EXPECT_EQ(menu->entries[0]->popupItemObject(), nullptr) << "every item lets go of the skin";

    SkinChangeEvent changed(skinChangedEvent(), &engine);
    QCoreApplication::sendEvent(menu->bar, &changed);
    EXPECT_EQ(menu->bar->grab().toImage(), skinned);
    EXPECT_NE(menu->entries[0]->popupItemObject(), nullptr);
    EXPECT_EQ(menu->bar->height(), 20);
    EXPECT_EQ(menu->game->rect().left(), 15);

    // A change of another engine is not this bar's business.
    SkinEngine other;
    SkinChangeEvent foreign(skinChangingEvent(), &other);
    QCoreApplication::sendEvent(menu->bar, &foreign);
    EXPECT_EQ(menu->bar->grab().toImage(), skinned);
}
