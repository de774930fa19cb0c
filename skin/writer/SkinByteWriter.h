#pragma once
// The little-endian integers and counted strings that the skin stream, the
// binary object form and BMP files are built from.

#include <QByteArray>
#include <cstdint>

namespace corvane::skin::bytes {

// The low `size` bytes of `value`, least significant first.
inline void appendLittleEndian(QByteArray& out, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

inline void appendInt32(QByteArray& out, std::int32_t value)
{
    appendLittleEndian(out, std::uint32_t(value), 4);
}

// A 32-bit length, then the bytes.
inline void appendString(QByteArray& out, const QByteArray& s)
{
    appendInt32(out, std::int32_t(s.size()));
    out.append(s);
}

} // namespace corvane::skin::bytes
