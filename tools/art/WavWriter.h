#pragma once

#include <QByteArray>
#include <vector>

namespace corvane::art {

// A RIFF/WAVE file of one channel of unsigned 8-bit PCM samples.
QByteArray encodeWav8Mono(const std::vector<unsigned char>& samples, int sampleRate);

} // namespace corvane::art
