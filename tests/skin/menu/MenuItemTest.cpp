// Items: the sub-item tree, captions with accelerators, shortcut keys and
// texts, and which clicks are posted.

#include <gtest/gtest.h>

#include "skin/menu/SkinPopupSystemMenu.h"
#include "skin/menu/SkinMenuItem.h"
#include "tests/skin/menu/MenuTestSkin.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

TEST(MenuItem, SubItemsKeepOrderAndKnowTheirParent)
{
    QObject form;
    SkinMenuItem top(&form);
    auto* a = new SkinMenuItem(&form);
    auto* b = new SkinMenuItem(&form);
    auto* c = new SkinMenuItem(&form);
    top.add(a);
    top.add(c);
    top.insert(1, b);
    ASSERT_EQ(top.count(), 3);
    EXPECT_EQ(top.item(0), a);
    EXPECT_EQ(top.item(1), b);
    EXPECT_EQ(top.item(2), c);
    EXPECT_EQ(b->parent(), &form) << "the form owns the item, the menu only holds it";

    // Moving an item under another parent takes it out of the first.
    SkinMenuItem other(&form);
    other.add(b);
    EXPECT_EQ(top.count(), 2);
    EXPECT_EQ(other.item(0), b);

    // A destroyed item leaves its parent's list.
    delete c;
    EXPECT_EQ(top.count(), 1);
    EXPECT_EQ(top.item(0), a);
}

TEST(MenuItem, ImagesComeFromTheTopAncestorWhenAnItemHasNone)
{
    SkinImageList images(QSize(12, 12));
    SkinMenuItem root;
    root.setImages(&images);
    auto* top = new SkinMenuItem(&root);
    auto* sub = new SkinMenuItem(&root);
    root.add(top);
    top->add(sub);
    EXPECT_EQ(sub->effectiveImages(), &images);
    SkinImageList own(QSize(16, 16));
    sub->setImages(&own);
    EXPECT_EQ(sub->effectiveImages(), &own);
}

TEST(MenuItem, CaptionsAndAccelerators)
{
    EXPECT_EQ(displayCaption(QStringLiteral("Mi&nimize")), QStringLiteral("Minimize"));
    EXPECT_EQ(displayCaption(QStringLiteral("Save && quit")), QStringLiteral("Save & quit"));
    EXPECT_EQ(displayCaption(QStringLiteral("游 戏")), QStringLiteral("游 戏"));
    EXPECT_EQ(acceleratorOf(QStringLiteral("Ro&llup")), QChar('L'));
    EXPECT_EQ(acceleratorOf(QStringLiteral("A && B")), QChar());
    EXPECT_EQ(acceleratorOf(QStringLiteral("重新开始")), QChar());
}

TEST(MenuItem, ShortcutKeysAndTexts)
{
    const QKeySequence altF4(Qt::ALT | Qt::Key_F4);
    const QKeySequence ctrlShiftS(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(shortcutOf(Qt::Key_F4, Qt::AltModifier), altF4);
    EXPECT_EQ(shortcutOf(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier), ctrlShiftS);
    EXPECT_EQ(shortcutOf(Qt::Key_Enter, Qt::NoModifier), QKeySequence(Qt::Key_Return));
    EXPECT_TRUE(shortcutOf(Qt::Key_Shift, Qt::ShiftModifier).isEmpty());
    EXPECT_EQ(shortcutText(altF4), QStringLiteral("Alt+F4"));
    EXPECT_EQ(shortcutText(ctrlShiftS), QStringLiteral("Shift+Ctrl+S"));
    EXPECT_EQ(shortcutText(QKeySequence(Qt::Key_PageDown)), QStringLiteral("PgDn"));
    EXPECT_EQ(shortcutText(QKeySequence()), QString());
    EXPECT_EQ(shortcutFromText(QStringLiteral("Alt+F4")), altF4);
    EXPECT_EQ(shortcutFromText(QStringLiteral("ctrl+shift+s")), ctrlShiftS);
    EXPECT_TRUE(shortcutFromText(QStringLiteral("Hyper+?")).isEmpty());
}

TEST(MenuItem, ShortcutSearchIsDepthFirstInItemOrder)
{
    SkinMenuItem root;
    auto* file = new SkinMenuItem(&root);
    auto* open = new SkinMenuItem(&root);
    auto* edit = new SkinMenuItem(&root);
    auto* again = new SkinMenuItem(&root);
    root.add(file);
    file->add(open);
    root.add(edit);
    edit->add(again);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    again->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(root.findShortcut(QKeySequence(Qt::CTRL | Qt::Key_O)), open);
    EXPECT_EQ(root.findShortcut(QKeySequence(Qt::CTRL | Qt::Key_P)), nullptr);
    EXPECT_EQ(root.findShortcut(QKeySequence()), nullptr);
}

TEST(MenuItem, OnlyChoosableItemsPostTheirClick)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    SkinMenuItem* separator = menu->entries[4];
    QObject::connect(separator, &SkinMenuItem::triggered, [&] { menu->clicks.append(QStringLiteral("separator")); });
    separator->click();
    QObject::connect(menu->game, &SkinMenuItem::triggered, [&] { menu->clicks.append(QStringLiteral("game")); });
    menu->game->click(); // has sub-items: they open instead
    menu->entries[0]->setEnabled(false);
    menu->entries[0]->click();
    processPending();
    EXPECT_TRUE(menu->clicks.isEmpty());

    menu->entries[1]->click();
    EXPECT_TRUE(menu->clicks.isEmpty()) << "the click is posted, not run at once";
    processPending();
    EXPECT_EQ(menu->clicks, QStringList{QStringLiteral("CustomItem2")});
}

TEST(MenuItem, TheBarOffersShortcutsOfItsItems)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    EXPECT_FALSE(menu->bar->offerShortCut(Qt::Key_R, Qt::ControlModifier)) << "the program's items have none";
    menu->entries[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_TRUE(menu->bar->offerShortCut(Qt::Key_R, Qt::ControlModifier));
    processPending();
    EXPECT_EQ(menu->clicks, QStringList{QStringLiteral("CustomItem1")});
}
