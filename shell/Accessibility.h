#pragma once
// What a screen reader learns of the program's own controls. The board, the
// skinned send button and menu bar and the flat buttons draw themselves, so
// to Qt's accessibility they are plain widgets ("filler"); the factory
// installed here gives them their roles (canvas, button, menu bar) and the
// buttons their press action. Their names are set where they are made.

namespace corvane::shell {

// Installs the factory once; later calls do nothing.
void installAccessibility();

} // namespace corvane::shell
