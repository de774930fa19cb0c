#pragma once
// What the window system lets a program do with its own top-level windows.
// On X11 a program places its windows and gives them any shape; on Wayland
// only the compositor places windows and a window's shape has no effect on
// what is shown. The skinned controls ask here instead of naming platforms.

#include <optional>

namespace corvane::skin {

// Whether windows are placed and shaped by the program itself (X11, and the
// offscreen platform of the tests); false on Wayland, where popups must be
// the platform's popup windows and masked pixels must be transparent.
bool programPlacesWindows();

// Tests choose with a value; std::nullopt lets the platform decide again.
void setProgramPlacesWindows(std::optional<bool> places);

} // namespace corvane::skin
