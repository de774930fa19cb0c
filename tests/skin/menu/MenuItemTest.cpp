// Items: defaults of the published properties, the sub-item tree, captions
// with accelerators, shortcut codes and texts, and which clicks are posted.

#include <gtest/gtest.h>

#include <QStatusTipEvent>

#include "skin/menu/SkinPopupSystemMenu.h"
#include "skin/menu/SkinCustomItem.h"
#include "skin/menu/SkinItemView.h"
#include "tests/skin/menu/MenuTestSkin.h"

using namespace corvane::skin;
using namespace corvane::skin::test;

TEST(MenuItem, PublishedDefaults)
{
    SkinItem item;
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(item.Parent(), nullptr);
    EXPECT_FALSE(item.Checked);
    EXPECT_TRUE(item.Enabled);
    EXPECT_TRUE(item.Visible);
    EXPECT_EQ(item.ImageIndex, -1);
    EXPECT_EQ(item.ShortCut, 0);
    EXPECT_FALSE(item.Scrolled);
    EXPECT_EQ(item.ScrollCount, 0);
    EXPECT_EQ(item.Images, nullptr);
}

TEST(MenuItem, SubItemsKeepOrderAndKnowTheirParent)
{
    QObject form;
    SkinItem top(&form);
    auto* a = new SkinItem(&form);
    auto* b = new SkinItem(&form);
    auto* c = new SkinItem(&form);
    top.add(a);
    top.add(c);
    top.insert(1, b);
    ASSERT_EQ(top.Count(), 3);
    EXPECT_EQ(top.item(0), a);
    EXPECT_EQ(top.item(1), b);
    EXPECT_EQ(top.item(2), c);
    EXPECT_EQ(b->Parent(), &top);
    EXPECT_EQ(b->parent(), &form) << "the form owns the item, the menu only holds it";

    // Moving an item under another parent takes it out of the first.
    SkinItem other(&form);
    b->setParentComponent(&other);
    EXPECT_EQ(top.Count(), 2);
    EXPECT_EQ(other.item(0), b);

    // A destroyed item leaves its parent's list.
    delete c;
    EXPECT_EQ(top.Count(), 1);
    EXPECT_EQ(top.item(0), a);
}

TEST(MenuItem, ImagesComeFromTheTopAncestorWhenAnItemHasNone)
{
    SkinImageList images(QSize(12, 12));
    SkinItem root;
    root.Images = &images;
    auto* top = new SkinItem(&root);
    auto* sub = new SkinItem(&root);
    root.add(top);
    top->add(sub);
    EXPECT_EQ(sub->effectiveImages(), &images);
    SkinImageList own(QSize(16, 16));
    sub->Images = &own;
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

TEST(MenuItem, ShortCutCodesAndTexts)
{
    EXPECT_EQ(shortCutOf(Qt::Key_F4, Qt::AltModifier), VK_F4 | scAlt);
    EXPECT_EQ(shortCutOf(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier), 'S' | scCtrl | scShift);
    EXPECT_EQ(shortCutOf(Qt::Key_Shift, Qt::ShiftModifier), 0);
    EXPECT_EQ(shortCutText(VK_F4 | scAlt), QStringLiteral("Alt+F4"));
    EXPECT_EQ(shortCutText('S' | scCtrl | scShift), QStringLiteral("Shift+Ctrl+S"));
    EXPECT_EQ(shortCutText(0), QString());
    EXPECT_EQ(shortCutFromText(QStringLiteral("Alt+F4")), VK_F4 | scAlt);
    EXPECT_EQ(shortCutFromText(QStringLiteral("Ctrl+Q")), 'Q' | scCtrl);
    EXPECT_EQ(shortCutFromText(QStringLiteral("Hyper+?")), 0);
}

TEST(MenuItem, ShortCutSearchIsDepthFirstInItemOrder)
{
    SkinItem root;
    auto* file = new SkinItem(&root);
    auto* open = new SkinItem(&root);
    auto* edit = new SkinItem(&root);
    auto* again = new SkinItem(&root);
    root.add(file);
    file->add(open);
    root.add(edit);
    edit->add(again);
    open->ShortCut = 'O' | scCtrl;
    again->ShortCut = 'O' | scCtrl;
    EXPECT_EQ(root.findShortCut('O' | scCtrl), open);
    EXPECT_EQ(root.findShortCut('P' | scCtrl), nullptr);
    EXPECT_EQ(root.findShortCut(0), nullptr);
}

TEST(MenuItem, OnlyChoosableItemsPostTheirClick)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    SkinItem* separator = menu->entries[4];
    separator->OnClick = [&](SkinCustomItem*) { menu->clicks.append(QStringLiteral("separator")); };
    separator->click();
    menu->game->OnClick = [&](SkinCustomItem*) { menu->clicks.append(QStringLiteral("game")); };
    menu->game->click(); // has sub-items: they open instead
    menu->entries[0]->Enabled = false;
    menu->entries[0]->click();
    processPending();
    EXPECT_TRUE(menu->clicks.isEmpty());

    menu->entries[1]->click();
    EXPECT_TRUE(menu->clicks.isEmpty()) << "the click is posted, not run at once";
    processPending();
    EXPECT_EQ(menu->clicks, QStringList{QStringLiteral("CustomItem2")});
}

TEST(MenuItem, TheBarOffersShortCutsOfItsItems)
{
    SkinEngine engine;
    buildMenuSkin(engine);
    QWidget window;
    auto menu = buildProgramMenu(&window, &engine);
    EXPECT_FALSE(menu->bar->offerShortCut(Qt::Key_R, Qt::ControlModifier)) << "the program's items have none";
    menu->entries[0]->ShortCut = 'R' | scCtrl;
    EXPECT_TRUE(menu->bar->offerShortCut(Qt::Key_R, Qt::ControlModifier));
    processPending();
    EXPECT_EQ(menu->clicks, QStringList{QStringLiteral("CustomItem1")});
}

TEST(MenuItem, AHotItemsHintReachesItsWindowAsStatusTip)
{
    struct TipWindow : QWidget {
        QString tip;
        bool event(QEvent* event) override
        {
            if (event->type() == QEvent::StatusTip)
                tip = static_cast<QStatusTipEvent*>(event)->tip();
            return QWidget::event(event);
        }
    } window;
    SkinEngine engine;
    buildMenuSkin(engine);
    auto menu = buildProgramMenu(&window, &engine);
    menu->entries[1]->Hint = QStringLiteral("连接设置");
    SkinItemView view(menu->game, Qt::Vertical, &window, &menu->bar->barSkin());
    view.setHot(menu->entries[1]);
    EXPECT_TRUE(window.tip.isEmpty()) << "only while tracking";
    view.setHot(nullptr);
    view.tracking = true;
    view.setHot(menu->entries[1]);
    EXPECT_EQ(window.tip, QStringLiteral("连接设置"));
}
