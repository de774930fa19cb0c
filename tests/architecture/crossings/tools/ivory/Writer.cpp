// Allowed: skin, the skin writers, beside the file. Crossing: tools -> shell.
#include "skin/SkinEngine.h"
#include "skin/writer/SkinWriter.h"
#include "Palette.h"
#include "shell/MainWindow.h"
