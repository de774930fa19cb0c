// Allowed: beside the file, game, ui (for now). Crossing: net -> shell.
#include "Codec.h"
#include "game/Position.h"
#include "ui/HandlerGuard.h"
#include "shell/TForm1.h"
