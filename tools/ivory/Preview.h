// Previews of the skin for its author: enlarged bitmaps and a mock-up of the
// program's main window composed from the object trees with the engine's own
// drawing, so that cuts, nine-slice margins and states can be checked by eye.
#pragma once

#include "IvoryObjects.h"
#include "NamedBitmap.h"

#include "skin/draw/SkinBitmap.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

namespace ivory {

// The skin's bitmaps as the engine holds them once loaded: pure magenta (and
// colours within 5 of it) snapped to the engine's key colour.
class LoadedBitmaps {
public:
    explicit LoadedBitmaps(const BitmapList& bitmaps);
    const corvane::skin::SkinBitmapList* list() const { return &m_list; }

private:
    std::vector<std::unique_ptr<corvane::skin::SkinBitmap>> m_bitmaps;
    corvane::skin::SkinBitmapList m_list;
};

// Draws an object tree (already laid out) onto `target` as the skin engine
// does, active or not and in `state`.
void drawObject(QImage& target, corvane::skin::SkinObject& object, const LoadedBitmaps& bitmaps, bool active,
                corvane::skin::SkinState state);

// Writes enlarged bitmaps and mock-ups as PNG files into `folder`. The
// mock-ups show `board` (the program's 632 x 434 board picture) in the client
// area when it is not null, else a grey stand-in.
bool writePreviews(const QString& folder, const BitmapList& bitmaps, const ObjectList& objects, const QImage& board,
                   QString* error);

} // namespace ivory
