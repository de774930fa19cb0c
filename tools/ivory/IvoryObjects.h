// The object trees of the Ivory skin: how its bitmaps are cut and docked,
// built from the engine's own skin object classes.
#pragma once

#include "skin/model/SkinObjects.h"

#include <memory>
#include <vector>

namespace ivory {

using ObjectTree = std::unique_ptr<corvane::skin::SkinObject>;
using ObjectList = std::vector<ObjectTree>;

// The 21 top-level objects in load order ("Form", "MenuBar", "PopupMenu",
// "CheckBox", ..., "CopyOfPanel"), laid out at their stored sizes.
ObjectList ivoryObjects();

} // namespace ivory
