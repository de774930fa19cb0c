// Docking layout of skin object trees, used to store consistent child
// positions and to compose previews of the skin.
#pragma once

#include "SkinObject.h"

namespace ivory {

// Moves and sizes the object (a negative size becomes 0) and, if anything
// changed, lays its children out again.
void setBounds(SkinObject& object, int left, int top, int width, int height);

// Places the visible children by their Align rule inside the object's
// rectangle, in passes: most-top/bottom, most-left/right, top/bottom,
// left/right, centre, client; then corner anchors follow the resized edges.
void layoutChildren(SkinObject& object);

}  // namespace ivory
