#pragma once
// An in-memory byte stream with a read/write position, the container every
// outgoing game message is written into and every incoming datagram is
// copied out through.
#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace corvane::endpoint {

class ByteStream {
public:
    ByteStream() = default;

    qint64 size() const { return m_bytes.size(); }
    qint64 position() const { return m_position; }

    // Positions beyond the end are allowed; the next write fills the gap with zeros.
    void setPosition(qint64 position) { m_position = std::max<qint64>(0, position); }

    // Writes count bytes at the current position, overwriting or growing the
    // stream, and advances the position past them.
    void write(const void* data, qint64 count)
    {
        if (count <= 0)
            return;
        const qint64 end = m_position + count;
        if (end > m_bytes.size())
            m_bytes.resize(end, '\0');
        std::memcpy(m_bytes.data() + m_position, data, static_cast<std::size_t>(count));
        m_position = end;
    }
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    void write(std::string_view bytes) { write(bytes.data(), static_cast<qint64>(bytes.size())); }
    // A zero-terminated text, without its terminator.
    void write(const char* text) { write(std::string_view(text)); }

    // Reads up to count bytes from the current position; returns how many were read.
    qint64 read(void* data, qint64 count)
    {
        const qint64 available = std::max<qint64>(0, m_bytes.size() - m_position);
        const qint64 n = std::clamp<qint64>(count, 0, available);
        if (n > 0)
            std::memcpy(data, m_bytes.constData() + m_position, static_cast<std::size_t>(n));
        m_position += n;
        return n;
    }
    // Reads up to count bytes from the current position.
    QByteArray read(qint64 count)
    {
        const qint64 available = std::max<qint64>(0, m_bytes.size() - m_position);
        QByteArray out(static_cast<qsizetype>(std::clamp<qint64>(count, 0, available)), '\0');
        read(out.data(), out.size());
        return out;
    }

    // The whole content, independent of the position.
    const QByteArray& bytes() const { return m_bytes; }

    void clear()
    {
        m_bytes.clear();
        m_position = 0;
    }

private:
    QByteArray m_bytes;
    qint64 m_position = 0;
};

} // namespace corvane::endpoint
