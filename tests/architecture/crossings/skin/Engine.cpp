// Crossings: core -> a skin part, core -> ui.
#include "skin/SkinTypes.h"
#include "skin/button/Button.h"
#include "ui/Box.h"
