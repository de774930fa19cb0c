#pragma once
// SkinForm1: the main window's skinned frame with the settings it is stored
// with — caption "CorvaneV1.0", not sizeable, close, system menu, minimize,
// roll up and tray buttons (no maximize), the "Form" object of the engine.

#include "skin/frame/TSkinForm.h"

namespace corvane::skin {

// Creates the frame for `owner` (its controls in `clientWidget`), sets the
// main window's settings, and finishes loading, which applies the frame.
TSkinForm* createSkinForm1(QWidget* owner, QWidget* clientWidget, TSkinEngine* engine,
                           TSkinFrameMenuBar* menuBar = nullptr);

// The main window's border icons: no maximize, no help.
constexpr TSkinBorderIcons mainWindowBorderIcons = borderIconBit(biClose) | borderIconBit(biSystemMenu) |
                                                   borderIconBit(biMinimize) | borderIconBit(biRollup) |
                                                   borderIconBit(biTray);

} // namespace corvane::skin
