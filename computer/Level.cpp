#include "computer/Level.h"

#include <algorithm>
#include <array>

namespace corvane::computer {

LevelSettings levelSettings(int level)
{
    static constexpr std::array<LevelSettings, HighestLevel> Table{{
        {-20, 200},
        {-12, 300},
        {-5, 500},
        {2, 800},
        {8, 1200},
        {13, 1600},
        {17, 2200},
        {20, 3000},
    }};
    return Table[static_cast<std::size_t>(std::clamp(level, LowestLevel, HighestLevel) - LowestLevel)];
}

} // namespace corvane::computer
