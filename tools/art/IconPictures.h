#pragma once

#include <QImage>

namespace corvane::art {

// The window icon at `size` x `size` pixels: a black general's token behind
// a red general's, on a transparent background.
QImage paintIcon(int size);

} // namespace corvane::art
