// Allowed: beside the file, game. Crossings: net -> ui, net -> shell.
#include "Codec.h"
#include "game/Position.h"
#include "ui/Box.h"
#include "shell/TForm1.h"
