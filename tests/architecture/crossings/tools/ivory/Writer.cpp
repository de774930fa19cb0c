// Allowed: skin, beside the file. Crossing: tools -> shell.
#include "skin/SkinEngine.h"
#include "Palette.h"
#include "shell/MainWindow.h"
