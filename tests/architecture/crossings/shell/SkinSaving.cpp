// Crossing: shell -> the skin writers (the program only reads skins).
#include "skin/SkinEngine.h"
#include "skin/writer/SkinWriter.h"
