// The object trees of the Ivory skin: how its bitmaps are cut and docked.
#pragma once

#include "SkinObject.h"

#include <vector>

namespace ivory {

// The 21 top-level objects in load order ("Form", "MenuBar", "PopupMenu",
// "CheckBox", ..., "CopyOfPanel"), laid out at their stored sizes.
std::vector<SkinObject> ivoryObjects();

}  // namespace ivory
