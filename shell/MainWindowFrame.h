#pragma once
// The main window's skinned frame with the settings it is stored
// with — caption "CorvaneV1.0", not sizeable, close, system menu, minimize,
// roll up and tray buttons (no maximize), the "Form" object of the engine —
// and its system menu shown as a skinned popup menu drawn with that engine.

#include "skin/frame/SkinForm.h"

namespace corvane::skin {
class SkinFrameMenuBar;
}

namespace corvane::shell {

// Creates the frame for `owner` (its controls in `clientWidget`), sets the
// main window's settings, and finishes loading, which applies the frame.
// Alt + a letter and shortcut keys pressed in the window go to `menuBar`.
skin::SkinForm* createMainWindowFrame(QWidget* owner, QWidget* clientWidget, skin::SkinEngine* engine,
                                      skin::SkinFrameMenuBar* menuBar = nullptr);

// The main window's border icons: no maximize, no help.
constexpr skin::SkinBorderIcons mainWindowBorderIcons =
    skin::borderIconBit(skin::SkinBorderIcon::Close) | skin::borderIconBit(skin::SkinBorderIcon::SystemMenu) |
    skin::borderIconBit(skin::SkinBorderIcon::Minimize) | skin::borderIconBit(skin::SkinBorderIcon::RollUp) |
    skin::borderIconBit(skin::SkinBorderIcon::Tray);

} // namespace corvane::shell
