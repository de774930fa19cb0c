// Allowed: ui (for now). Crossings: menu -> frame, menu -> shell.
#include "ui/HandlerGuard.h"
#include "skin/frame/Frame.h"
#include "shell/TForm1.h"
