// Allowed: draw and stream below. Crossing: model -> a skin part.
#include "skin/draw/Blit.h"
#include "skin/stream/Filter.h"
#include "skin/frame/Frame.h"
