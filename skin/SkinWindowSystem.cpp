#include "skin/SkinWindowSystem.h"

namespace corvane::skin {

namespace {
bool g_programPlacesWindows = true;
}

bool programPlacesWindows()
{
    return g_programPlacesWindows;
}

void setProgramPlacesWindows(bool places)
{
    g_programPlacesWindows = places;
}

} // namespace corvane::skin
