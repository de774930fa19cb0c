// Crossing: button -> frame.
#include "skin/SkinEngine.h"
#include "skin/frame/Frame.h"
