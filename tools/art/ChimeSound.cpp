#include "ChimeSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::art {
namespace {

struct Partial {
    double ratio; // of the strike's fundamental
    double amplitude;
    double decay; // time constant in seconds
};

// A bell-like tone: a fundamental with two quieter overtones that die away
// faster, which is what makes it sound struck rather than held.
constexpr Partial kPartials[] = {
    {1.0, 1.0, 0.30},
    {2.0, 0.28, 0.14},
    {3.01, 0.10, 0.07},
};

struct Strike {
    double start;     // seconds
    double frequency; // Hz
    double level;
};

// G5 then C6, a rising fourth.
constexpr Strike kStrikes[] = {
    {0.0, 783.99, 0.8},
    {0.12, 1046.50, 1.0},
};

constexpr double kAttackSeconds = 0.004; // too short to hear, long enough to avoid a click
constexpr double kFadeOutSeconds = 0.12; // brings the tail down to exact silence
constexpr double kPeakLevel = 0.72;      // of full scale, leaves headroom

double strikeValue(const Strike& strike, double t)
{
    const double local = t - strike.start;
    if (local < 0)
        return 0;
    const double attack =
        local < kAttackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * local / kAttackSeconds) : 1.0;
    double value = 0;
    for (const Partial& partial : kPartials)
        value += partial.amplitude * std::exp(-local / partial.decay) *
                 std::sin(2 * std::numbers::pi * strike.frequency * partial.ratio * local);
    return strike.level * attack * value;
}

} // namespace

std::vector<unsigned char> synthesizeChime()
{
    std::vector<double> wave(kChimeSampleCount);
    for (int i = 0; i < kChimeSampleCount; ++i) {
        const double t = double(i) / kChimeSampleRate;
        double value = 0;
        for (const Strike& strike : kStrikes)
            value += strikeValue(strike, t);
        const double untilEnd = double(kChimeSampleCount - 1 - i) / kChimeSampleRate;
        if (untilEnd < kFadeOutSeconds)
            value *= 0.5 - 0.5 * std::cos(std::numbers::pi * untilEnd / kFadeOutSeconds);
        wave[i] = value;
    }

    double peak = 0;
    for (double value : wave)
        peak = std::max(peak, std::abs(value));
    const double gain = peak > 0 ? kPeakLevel / peak : 0;

    std::vector<unsigned char> samples(kChimeSampleCount);
    for (int i = 0; i < kChimeSampleCount; ++i) {
        const long level = std::lround(128.0 + 127.0 * gain * wave[i]);
        samples[i] = static_cast<unsigned char>(std::clamp(level, 0L, 255L));
    }
    return samples;
}

} // namespace corvane::art
