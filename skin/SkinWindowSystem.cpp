#include "skin/SkinWindowSystem.h"

#include <QGuiApplication>

namespace corvane::skin {

namespace {
std::optional<bool> g_chosen;
}

bool programPlacesWindows()
{
    if (g_chosen)
        return *g_chosen;
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void setProgramPlacesWindows(std::optional<bool> places)
{
    g_chosen = places;
}

} // namespace corvane::skin
