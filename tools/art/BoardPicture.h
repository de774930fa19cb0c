#pragma once

#include <QImage>

namespace corvane::art {

// The board picture: a 632 x 434 indexed image of 16 colours (the colours of
// ArtPalette.h in their enum order), the wooden board with its grid on the
// left and the light chat panel on the right.
QImage paintBoardPicture();

} // namespace corvane::art
