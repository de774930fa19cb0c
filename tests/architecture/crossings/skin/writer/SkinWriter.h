// Allowed: the core. Crossing: writer -> a skin part.
#include "skin/SkinTypes.h"
#include "skin/frame/Frame.h"
