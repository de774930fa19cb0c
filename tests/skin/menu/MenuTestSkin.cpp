#include "tests/skin/menu/MenuTestSkin.h"

#include <QCoreApplication>

#include "skin/model/SkinObjects.h"

namespace corvane::skin::test {

namespace {

std::unique_ptr<SkinBitmap> bitmap(const QString& name, int width, int height)
{
    auto result = std::make_unique<SkinBitmap>();
    result->name = name;
    result->setSize(width, height);
    return result;
}

// "menu": the bar strip in the top row (ends darker than the middle, with a
// light line at the top and a dark one at the bottom), the active item strip
// in the bottom row.
std::unique_ptr<SkinBitmap> menuBitmap()
{
    auto b = bitmap(QStringLiteral("menu"), 136, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 136; ++x) {
            QRgb pixel;
            if (y < 20) {
                const int edge = (x < 15 || x >= 121) ? 24 : 0;
                int level = 236 - y * 2 - edge;
                if (y == 0)
                    level = 252;
                if (y == 19)
                    level = 150;
                pixel = qRgb(level, level - 4, level - 16);
            } else {
                const int level = 120 - (y - 20) * 2;
                pixel = qRgb(level - 30, level, level + 20);
                if (y == 20 || y == 39)
                    pixel = qRgb(40, 60, 80);
            }
            b->scanLine(y)[x] = pixel;
        }
    }
    return b;
}

// "menuborders": a 12 x 12 frame piece: dark outer line, light inner line,
// item colour inside.
std::unique_ptr<SkinBitmap> menuBordersBitmap()
{
    auto b = bitmap(QStringLiteral("menuborders"), 12, 12);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int ring = std::min(std::min(x, y), std::min(11 - x, 11 - y));
            QRgb pixel = qRgb(0xE8, 0xE1, 0xD7);
            if (ring == 0)
                pixel = qRgb(0x57, 0x6C, 0x77);
            else if (ring == 1)
                pixel = qRgb(0xFF, 0xFF, 0xFF);
            else if (ring == 2)
                pixel = qRgb(0xC8, 0xC8, 0xC0);
            b->scanLine(y)[x] = pixel;
        }
    }
    return b;
}

SkinFont itemFont(SkinColor color)
{
    SkinFont font;
    font.color = color;
    return font;
}

} // namespace

void buildMenuSkin(SkinEngine& engine)
{
    SkinSource& source = engine.source();
    source.clear();
    source.skinName = QStringLiteral("Menu test");
    source.addBitmap(menuBitmap());
    source.addBitmap(menuBordersBitmap());

    auto menuBar = std::make_unique<SkinObject>();
    menuBar->name = QStringLiteral("MenuBar");
    menuBar->kind = SkinKind::MenuBar;
    menuBar->setBounds(0, 0, 200, 20);
    auto* frame = new SkinBitmapObject(menuBar.get());
    frame->name = QStringLiteral("Frame");
    frame->align = SkinAlign::Client;
    frame->kind = SkinKind::MenuBar;
    frame->masked = false;
    frame->marginLeft = 15;
    frame->marginRight = 15;
    frame->bitmap = {QStringLiteral("menu"), 0, 0, 136, 20};
    frame->setBounds(0, 0, 200, 20);
    auto* barItem = new SkinActiveBitmap(menuBar.get());
    barItem->name = QStringLiteral("Item");
    barItem->kind = SkinKind::MenuBarItem;
    barItem->masked = false;
    barItem->textMarginLeft = 5;
    barItem->textMarginRight = 5;
    barItem->font = itemFont(2765882);
    barItem->activeFont = itemFont(clWhite);
    barItem->bitmap = {QStringLiteral("menu"), 15, 0, 121, 20};
    barItem->activeBitmap = {QStringLiteral("menu"), 15, 20, 67, 40};
    barItem->setBounds(0, 0, 37, 20);
    source.addObject(std::move(menuBar));

    auto popup = std::make_unique<SkinObject>();
    popup->name = QStringLiteral("PopupMenu");
    popup->kind = SkinKind::PopupMenu;
    popup->setBounds(0, 0, 100, 70);
    auto* popupFrame = new SkinBitmapObject(popup.get());
    popupFrame->name = QStringLiteral("Frame");
    popupFrame->masked = false;
    popupFrame->marginLeft = popupFrame->marginTop = popupFrame->marginRight = popupFrame->marginBottom = 3;
    popupFrame->bitmap = {QStringLiteral("menuborders"), 0, 0, 12, 12};
    popupFrame->setBounds(0, 0, 100, 70);
    auto* popupItem = new SkinActiveObject(popup.get());
    popupItem->name = QStringLiteral("Item");
    popupItem->kind = SkinKind::PopupMenuItem;
    popupItem->color = 14148072;      // 0xD7E1E8
    popupItem->activeColor = 5729399; // 0x576C77
    popupItem->font = itemFont(2765882);
    popupItem->activeFont = itemFont(clWhite);
    popupItem->textMarginLeft = 20;
    popupItem->textMarginRight = 10;
    popupItem->setBounds(0, 0, 80, 20);
    source.addObject(std::move(popup));
}

std::unique_ptr<ProgramMenu> buildProgramMenu(QWidget* window, SkinEngine* engine)
{
    auto menu = std::make_unique<ProgramMenu>();
    auto* bar = new SkinMenuBar(window);
    bar->setObjectName(QStringLiteral("SkinMenuBar1"));
    bar->setGeometry(0, 0, 632, 20);
    bar->setAlignment(SkinMenuBar::Alignment::Top);
    menu->bar = bar;

    auto makeItem = [&](const char* name, const QString& caption) {
        auto* item = new SkinMenuItem(window);
        item->setObjectName(QString::fromLatin1(name));
        item->setCaption(caption);
        return item;
    };
    menu->game = makeItem("CustomItem5", QStringLiteral("游 戏"));
    bar->rootItem()->add(menu->game);
    const struct {
        const char* name;
        const char* caption;
    } entries[] = {{"CustomItem1", "重新开始"}, {"CustomItem2", "设置..."}, {"CustomItem3", "关于..."},
                   {"CustomItem4", "帮助"},     {"CustomItem6", "-"},       {"CustomItem7", "退出"}};
    ProgramMenu* raw = menu.get();
    for (const auto& entry : entries) {
        SkinMenuItem* item = makeItem(entry.name, QString::fromUtf8(entry.caption));
        if (item->objectName() != QLatin1String("CustomItem6"))
            QObject::connect(item, &SkinMenuItem::triggered, [raw, item] { raw->clicks.append(item->objectName()); });
        menu->game->add(item);
        menu->entries.append(item);
    }
    bar->setSkinEngine(engine);
    bar->loaded();
    return menu;
}

void processPending()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace corvane::skin::test
