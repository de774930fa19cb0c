#pragma once
// The types the skin engine and its controls share: the stored enumerations,
// colours and fonts (skin/stream) and the skin notifications (skin/model).

#include "skin/model/SkinObjectEvents.h"
#include "skin/stream/SkinStoredTypes.h"
