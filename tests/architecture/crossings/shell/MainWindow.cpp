// Allowed: everything below the shell.
#include "shell/MainWindow.h"
#include "skin/frame/Frame.h"
#include "skin/menu/MenuBar.h"
#include "flat/Edit.h"
#include "net/protocol/Wire.h"
#include "game/Position.h"
#include "ui/Box.h"
#include <QWidget>
#include "computer/Peer.h"
