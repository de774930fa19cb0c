// Allowed: net, game, its own folder. Crossings: computer -> ui, computer -> shell.
#include "computer/Peer.h"
#include "net/protocol/Wire.h"
#include "game/Position.h"
#include "ui/Box.h"
#include "shell/MainWindow.h"
