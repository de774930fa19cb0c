#pragma once

#include <vector>

namespace corvane::art {

constexpr int kChimeSampleRate = 11025;
constexpr int kChimeSampleCount = 11856; // about 1.08 seconds

// The notification chime played when a chat line or a restart arrives: two
// soft bell strikes a fourth apart, unsigned 8-bit samples around 128,
// starting and ending in silence.
std::vector<unsigned char> synthesizeChime();

} // namespace corvane::art
