#pragma once
// The computer's eight levels, as the engine's own strength settings: its
// skill level (-20, the weakest it has, to 20, full strength) and the time it
// is given for each move. Level 1 plays loose moves a beginner can punish;
// level 8 is the engine at full strength within three seconds a move.

namespace corvane::computer {

constexpr int LowestLevel = 1;
constexpr int HighestLevel = 8;
constexpr int DefaultLevel = 3;

struct LevelSettings {
    int skillLevel = 20;   // the engine's "Skill Level", -20..20
    int moveTimeMs = 3000; // "go movetime"
};

// Levels outside 1..8 are held to the nearest one.
LevelSettings levelSettings(int level);

} // namespace corvane::computer
