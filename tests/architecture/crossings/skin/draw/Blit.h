// Allowed: the stream below. Crossing: draw -> the engine above.
#include "skin/stream/Record.h"
#include "skin/SkinEngine.h"
