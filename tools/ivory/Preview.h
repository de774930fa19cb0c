// Previews of the skin for its author: enlarged bitmaps and a mock-up of the
// program's main window composed from the object trees, so that cuts, nine-
// slice margins and states can be checked by eye.
#pragma once

#include "NamedBitmap.h"
#include "SkinObject.h"

#include <QImage>
#include <QString>

#include <vector>

namespace ivory {

struct DrawState {
  bool active = true;   // the window (or control) has the focus
  int state = 0;        // 0 normal, 4 rolled up, 5 hot, 6 pressed, 7 focused, 8 disabled
  int pointer = 0;      // caption buttons: 0 normal, 1 hot, 2 pressed
};

// Draws an object tree (already laid out) onto `target` as the skin engine
// would: fills, text, nine-slice bitmaps with the key colour masked out.
void drawTree(QImage& target, const SkinObject& object, const BitmapList& bitmaps,
              const DrawState& state);

// Writes enlarged bitmaps and mock-ups as PNG files into `folder`. The
// mock-ups show `board` (the program's 632 x 434 board picture) in the client
// area when it is not null, else a grey stand-in.
bool writePreviews(const QString& folder, const BitmapList& bitmaps,
                   const std::vector<SkinObject>& objects, const QImage& board, QString* error);

}  // namespace ivory
