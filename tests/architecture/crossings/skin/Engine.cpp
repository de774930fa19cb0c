// Crossings: core -> a skin part, core -> ui, core -> the writers.
#include "skin/SkinTypes.h"
#include "skin/button/Button.h"
#include "ui/Box.h"
#include "skin/writer/SkinWriter.h"
