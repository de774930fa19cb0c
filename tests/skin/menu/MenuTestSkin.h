#pragma once
// A skin engine holding the "MenuBar" and "PopupMenu" trees of the stored
// skin (same classes, sizes, margins, colours and text settings), drawn from
// small generated bitmaps so that the menu tests do not depend on artwork,
// and the program's "游 戏" menu on a skinned bar.

#include <QStringList>
#include <memory>

#include "skin/SkinEngine.h"
#include "skin/menu/SkinMenuBar.h"

namespace corvane::skin::test {

// Fills the engine with the menu trees.
void buildMenuSkin(SkinEngine& engine);

// The program's menu: a bar on `window` with CustomItem5 "游 戏" and its six
// entries; every click handler appends the item's name to `clicks`.
struct ProgramMenu {
    SkinMenuBar* bar = nullptr;
    SkinMenuItem* game = nullptr; // CustomItem5
    QList<SkinMenuItem*> entries; // CustomItem1..4, 6, 7 in menu order
    QStringList clicks;
};
std::unique_ptr<ProgramMenu> buildProgramMenu(QWidget* window, SkinEngine* engine);

// Lets posted events (menu clicks) run.
void processPending();

} // namespace corvane::skin::test
