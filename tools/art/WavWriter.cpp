#include "WavWriter.h"

namespace corvane::art {
namespace {

void putU16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void putU32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

} // namespace

QByteArray encodeWav8Mono(const std::vector<unsigned char>& samples, int sampleRate)
{
    const quint32 dataSize = quint32(samples.size());
    const bool padded = dataSize % 2 != 0; // chunks keep an even length
    QByteArray out;
    out.append("RIFF");
    putU32(out, 4 + (8 + 16) + (8 + dataSize + (padded ? 1 : 0)));
    out.append("WAVE");

    out.append("fmt ");
    putU32(out, 16);
    putU16(out, 1); // PCM
    putU16(out, 1); // one channel
    putU32(out, quint32(sampleRate));
    putU32(out, quint32(sampleRate)); // bytes per second: one byte per sample
    putU16(out, 1);                   // block alignment
    putU16(out, 8);                   // bits per sample

    out.append("data");
    putU32(out, dataSize);
    out.append(reinterpret_cast<const char*>(samples.data()), qsizetype(samples.size()));
    if (padded)
        out.append(char(0x80));
    return out;
}

} // namespace corvane::art
