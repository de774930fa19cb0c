// Crossing: ui -> skin.
#include "ui/Box.h"
#include "skin/SkinEngine.h"
