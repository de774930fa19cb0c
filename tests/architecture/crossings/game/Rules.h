// Crossings: Qt in game, game -> net.
#include <vector>
#include <QString>
#include "game/Position.h"
#include "net/protocol/Wire.h"
