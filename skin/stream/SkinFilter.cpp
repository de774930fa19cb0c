#include "skin/stream/SkinFilter.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace corvane::skin {

// ---------------------------------------------------------------------------
// Inputs

void SkinInput::readExact(char* data, std::int64_t count)
{
    while (count > 0) {
        const std::int64_t got = readSome(data, count);
        if (got <= 0)
            throw SkinError("Unexpected end of skin data");
        data += got;
        count -= got;
    }
}

std::int32_t SkinInput::readInt32()
{
    unsigned char b[4];
    readExact(reinterpret_cast<char*>(b), 4);
    return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                        std::uint32_t(b[3]) << 24);
}

std::int32_t SkinInput::readStringSize(int maxBytes)
{
    const std::int32_t size = readInt32();
    if (size < 0 || size > maxBytes)
        throw SkinError("Invalid string length " + std::to_string(size) + " in skin data");
    return size;
}

QByteArray SkinInput::readString(int maxBytes)
{
    return readBytes(readStringSize(maxBytes));
}

QByteArray SkinInput::readBytes(std::int64_t count)
{
    if (count < 0 || count > SkinLimits::MaxBinaryBytes)
        throw SkinError("Invalid block size in skin data");
    QByteArray out;
    // Grow in steps: a count larger than the data that follows fails after
    // reading what is there, not by reserving the whole count up front.
    constexpr std::int64_t Step = 1 << 20;
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t chunk = std::min(Step, count - done);
        out.resize(qsizetype(done + chunk));
        readExact(out.data() + done, chunk);
        done += chunk;
    }
    return out;
}

void SkinInput::consume(std::int64_t count)
{
    char scratch[4096];
    while (count > 0) {
        const std::int64_t n = std::min<std::int64_t>(count, sizeof scratch);
        readExact(scratch, n);
        count -= n;
    }
}

void SkinReadBudget::chargeObject()
{
    if (++objects > SkinLimits::MaxObjects)
        throw SkinError("Too many skin objects");
    chargeBytes(SkinLimits::ObjectCost);
}

void SkinReadBudget::chargeBytes(qint64 count)
{
    if (count < 0 || count > SkinLimits::MaxDecodedBytes - bytes)
        throw SkinError("Skin too large when decoded (more than " + std::to_string(SkinLimits::MaxDecodedBytes >> 20) +
                        " MiB)");
    bytes += count;
}

std::int64_t SkinMemoryInput::readSome(char* data, std::int64_t max)
{
    const std::int64_t n = std::min(max, m_size - m_pos);
    if (n <= 0)
        return 0;
    m_budget.chargeBytes(n);
    std::memcpy(data, m_data + m_pos, size_t(n));
    m_pos += n;
    return n;
}

struct SkinInflateInput::State {
    explicit State(SkinReadBudget& budget) : budget(budget) { }

    SkinReadBudget& budget;
    z_stream stream{};
    bool initialised = false;
    bool ended = false;         // zlib saw the end of the stream and its check value matched
    bool exhausted = false;     // the compressed data ran out before that end
    std::int64_t inputLeft = 0; // beyond what zlib's 32-bit avail_in holds
    // Small reads are served from a buffer, so that every 4-byte integer does
    // not cost a call into zlib.
    static constexpr int BufferSize = 64 * 1024;
    unsigned char buffer[BufferSize];
    int bufferPos = 0;
    int bufferEnd = 0;

    // Inflates into `out`; returns the number of bytes produced (0 at the end).
    std::int64_t inflateInto(unsigned char* out, std::int64_t max)
    {
        if (ended || exhausted)
            return 0;
        const uInt room = uInt(std::min<std::int64_t>(max, 1 << 30));
        stream.next_out = out;
        stream.avail_out = room;
        while (stream.avail_out > 0) {
            if (stream.avail_in == 0 && inputLeft > 0) {
                const uInt more = uInt(std::min<std::int64_t>(inputLeft, 1 << 30));
                stream.avail_in = more;
                inputLeft -= more;
            }
            // zlib checks the header and, at the end, the Adler-32 of all
            // the output: a damaged stream that still inflates fails there.
            const int rc = inflate(&stream, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) {
                ended = true;
                break;
            }
            if (rc == Z_BUF_ERROR && stream.avail_in == 0) {
                exhausted = true; // the data ends early; the reader reports it
                break;
            }
            if (rc != Z_OK)
                throw SkinError("error");
        }
        const std::int64_t produced = std::int64_t(room - stream.avail_out);
        budget.chargeBytes(produced);
        return produced;
    }
};

SkinInflateInput::SkinInflateInput(const char* data, std::int64_t size) : m_state(std::make_unique<State>(m_budget))
{
    State& s = *m_state;
    s.stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    const uInt first = uInt(std::min<std::int64_t>(size, 1 << 30));
    s.stream.avail_in = first;
    s.inputLeft = size - first;
    if (inflateInit(&s.stream) != Z_OK)
        throw SkinError("error");
    s.initialised = true;
}

SkinInflateInput::~SkinInflateInput()
{
    if (m_state->initialised)
        inflateEnd(&m_state->stream);
}

void SkinInflateInput::finish()
{
    // Whatever the stream holds after the body is inflated and dropped (still
    // counted against the budget), so that zlib reaches its check value.
    State& s = *m_state;
    while (s.inflateInto(s.buffer, State::BufferSize) > 0) { }
    s.bufferPos = s.bufferEnd = 0;
    if (!s.ended)
        throw SkinError("Unexpected end of skin data");
}

std::int64_t SkinInflateInput::readSome(char* data, std::int64_t max)
{
    State& s = *m_state;
    if (max <= 0)
        return 0;
    if (s.bufferPos == s.bufferEnd) {
        // Large reads go straight into the caller's memory.
        if (max >= State::BufferSize)
            return s.inflateInto(reinterpret_cast<unsigned char*>(data), max);
        s.bufferPos = 0;
        s.bufferEnd = int(s.inflateInto(s.buffer, State::BufferSize));
        if (s.bufferEnd == 0)
            return 0;
    }
    const int n = int(std::min<std::int64_t>(max, s.bufferEnd - s.bufferPos));
    std::memcpy(data, s.buffer + s.bufferPos, size_t(n));
    s.bufferPos += n;
    return n;
}

const char* SkinInflateInput::peek(std::int64_t count)
{
    State& s = *m_state;
    if (count < 0 || count > State::BufferSize)
        return nullptr;
    if (s.bufferEnd - s.bufferPos < count) {
        // Move what is left to the front and top the buffer up.
        const int left = s.bufferEnd - s.bufferPos;
        std::memmove(s.buffer, s.buffer + s.bufferPos, size_t(left));
        s.bufferPos = 0;
        s.bufferEnd = left;
        while (s.bufferEnd < count) {
            const std::int64_t got = s.inflateInto(s.buffer + s.bufferEnd, State::BufferSize - s.bufferEnd);
            if (got <= 0)
                return nullptr;
            s.bufferEnd += int(got);
        }
    }
    return reinterpret_cast<const char*>(s.buffer + s.bufferPos);
}

void SkinInflateInput::consume(std::int64_t count)
{
    State& s = *m_state;
    if (count <= s.bufferEnd - s.bufferPos) {
        s.bufferPos += int(count);
        return;
    }
    SkinInput::consume(count);
}

// ---------------------------------------------------------------------------
// Filters

std::unique_ptr<SkinInput> SkinFilterUncompressed::openBody(const char* data, std::int64_t size) const
{
    return std::make_unique<SkinMemoryInput>(data, size);
}

std::unique_ptr<SkinInput> SkinFilterCompressed::openBody(const char* data, std::int64_t size) const
{
    // The four magic bytes are skipped unchecked.
    if (size < 4)
        throw SkinError("Unexpected end of skin data");
    return std::make_unique<SkinInflateInput>(data + 4, size - 4);
}

const QList<const SkinFilter*>& skinFilters()
{
    static const SkinFilterUncompressed uncompressed;
    static const SkinFilterCompressed compressed;
    static const SkinFilterUltraCompressed ultra;
    static const SkinFilterMaxCompression max;
    static const QList<const SkinFilter*> filters = {&uncompressed, &compressed, &ultra, &max};
    return filters;
}

const SkinFilter& defaultSkinFilter()
{
    return *skinFilters().at(1);
}

const SkinFilter* skinFilterForFile(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty())
        return nullptr;
    for (const SkinFilter* filter : skinFilters())
        if (filter->extension().compare(suffix, Qt::CaseInsensitive) == 0)
            return filter;
    return nullptr;
}

} // namespace corvane::skin
