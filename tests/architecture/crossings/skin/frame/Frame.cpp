// Allowed: core, own part, moc output. Crossing: frame -> menu.
#include "skin/SkinFormTypes.h"
#include "skin/frame/Frame.h"
#include "moc_Frame.cpp"
#include "skin/menu/MenuBar.h"
