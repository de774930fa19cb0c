#pragma once
// What the window system lets a program do with its own top-level windows.
// On X11 a program places its windows and gives them any shape; on Wayland
// only the compositor places windows and a window's shape has no effect on
// what is shown. The skinned controls ask here instead of naming platforms;
// the application says which at start-up.

namespace corvane::skin {

// Whether windows are placed and shaped by the program itself (X11, and the
// offscreen platform; the default); false on Wayland, where popups must be
// the platform's popup windows and masked pixels must be transparent.
bool programPlacesWindows();
void setProgramPlacesWindows(bool places);

} // namespace corvane::skin
