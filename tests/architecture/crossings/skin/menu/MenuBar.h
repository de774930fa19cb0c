// Crossings: menu -> ui, menu -> frame, menu -> shell.
#include "ui/Box.h"
#include "skin/frame/Frame.h"
#include "shell/MainWindow.h"
