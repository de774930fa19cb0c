// Crossings: flat -> ui, flat -> skin.
#include "flat/Edit.h"
#include "ui/Box.h"
#include "skin/SkinEngine.h"
