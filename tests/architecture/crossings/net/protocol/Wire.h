// Allowed: beside the file, game. Crossings: net -> ui, net -> shell, net -> computer.
#include "Codec.h"
#include "game/Position.h"
#include "ui/Box.h"
#include "shell/MainWindow.h"
#include "computer/Peer.h"
