#pragma once
// Writers for the little-endian integers and counted strings that the skin
// stream and the binary object form are built from. Internal to the skin
// engine: the object writer and the skin source both use them.

#include <QByteArray>
#include <cstdint>

namespace corvane::skin::bytes {

inline void appendInt32(QByteArray& out, std::int32_t v)
{
    const auto u = std::uint32_t(v);
    const char bytes[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char((u >> 24) & 0xFF)};
    out.append(bytes, 4);
}

// A 32-bit length, then the bytes.
inline void appendString(QByteArray& out, const QByteArray& s)
{
    appendInt32(out, std::int32_t(s.size()));
    out.append(s);
}

} // namespace corvane::skin::bytes
