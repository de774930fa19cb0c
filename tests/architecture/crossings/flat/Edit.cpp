// Allowed: ui (for now). Crossing: flat -> skin.
#include "flat/Edit.h"
#include "ui/HandlerGuard.h"
#include "skin/SkinEngine.h"
