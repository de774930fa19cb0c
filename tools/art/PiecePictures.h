#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace corvane::art {

struct PiecePicture {
    QString fileName; // e.g. "black_general.bmp"
    QImage image;     // kPieceWidth x kPieceHeight, opaque, key-coloured background
};

// The 14 distinct piece pictures: black's chariot, horse, elephant, advisor,
// general, cannon and soldier, then red's.
std::vector<PiecePicture> paintPiecePictures();

// One token on a transparent background, `diameter` pixels across; used
// for the icon.
QImage paintToken(int diameter, const QString& glyph, bool red);

} // namespace corvane::art
