// Allowed: its own layer. Crossing: stream -> model.
#include "skin/stream/Record.h"
#include "skin/model/Source.h"
