#pragma once
// Containers of a skin: the four filters (file formats) and the "SkinStream"
// content stored with the main window (a presence byte, then the default
// filter's encoding). Compressed filters use zlib streams; reading inflates on
// demand while the body is parsed. (The writers are in skin/writer.)

#include "skin/stream/SkinObjectRecord.h"
#include "skin/stream/SkinStoredTypes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

namespace corvane::skin {

// A forward-only byte source for the body readers. Every read that cannot be
// satisfied throws SkinError, so truncated input never yields garbage.
class SkinInput {
public:
    virtual ~SkinInput() = default;
    // Reads up to `max` bytes; returns how many were read (0 at the end).
    virtual std::int64_t readSome(char* data, std::int64_t max) = 0;

    void readExact(char* data, std::int64_t count);
    std::int32_t readInt32();
    // A string: 32-bit byte count, then the bytes (at most `maxBytes`).
    QByteArray readString(int maxBytes);
    // Only the count of a string (checked against `maxBytes`), for a reader
    // that takes the bytes in place (peek).
    std::int32_t readStringSize(int maxBytes);
    // `count` bytes; the buffer grows as data arrives, so a huge count in a
    // short input fails without allocating the huge buffer first.
    QByteArray readBytes(std::int64_t count);
    // The next `count` bytes in place, when the input holds them contiguously
    // in memory already (null otherwise); consume() then moves past them. Lets
    // the pixel reader work on the data without copying it first.
    virtual const char* peek(std::int64_t /*count*/) { return nullptr; }
    virtual void consume(std::int64_t count);
    // Called once the body is read: checks what the container says about its
    // end (a compressed stream's check value). Throws SkinError on a mismatch.
    virtual void finish() { }

    // What the load reading this input has decoded so far: the inputs charge
    // every byte they deliver, the body readers every pixel and object.
    SkinReadBudget& budget() { return m_budget; }

protected:
    SkinReadBudget m_budget;
};

class SkinMemoryInput : public SkinInput {
public:
    SkinMemoryInput(const char* data, std::int64_t size) : m_data(data), m_size(size) { }
    std::int64_t readSome(char* data, std::int64_t max) override;
    const char* peek(std::int64_t count) override
    {
        return count >= 0 && count <= m_size - m_pos ? m_data + m_pos : nullptr;
    }
    void consume(std::int64_t count) override { skip(count); }
    std::int64_t position() const { return m_pos; }
    // Moves past `count` bytes; throws when fewer are left.
    void skip(std::int64_t count)
    {
        if (count < 0 || count > m_size - m_pos)
            throw SkinError("Unexpected end of skin data");
        m_budget.chargeBytes(count);
        m_pos += count;
    }

private:
    const char* m_data;
    std::int64_t m_size;
    std::int64_t m_pos = 0;
};

// Inflates a zlib stream (RFC 1950) on demand. Corrupt data throws
// SkinError("error"); output beyond the load's budget throws too. finish()
// inflates what is left after the body (ignoring it) and verifies the
// stream's Adler-32 check value.
class SkinInflateInput : public SkinInput {
public:
    SkinInflateInput(const char* data, std::int64_t size);
    ~SkinInflateInput() override;
    std::int64_t readSome(char* data, std::int64_t max) override;
    const char* peek(std::int64_t count) override;
    void consume(std::int64_t count) override;
    void finish() override;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

class SkinFilter {
public:
    virtual ~SkinFilter() = default;
    virtual QByteArray className() const = 0;
    virtual QString extension() const = 0; // without the dot, e.g. "tqkn"
    virtual QString description() const = 0;
    // The skin body inside the filter's encoding, read on demand (see
    // readSkin in SkinSource.h).
    virtual std::unique_ptr<SkinInput> openBody(const char* data, std::int64_t size) const = 0;
    // How the filter stores a skin: the zlib level of the compressed body
    // behind four magic bytes (0: the plain body as it is), and whether the
    // body is the packed one.
    virtual int compressionLevel() const = 0;
    virtual bool packedBody() const { return false; }
};

class SkinFilterUncompressed : public SkinFilter {
public:
    QByteArray className() const override { return "TSkinFilterUncompressed"; }
    QString extension() const override { return QStringLiteral("uskn"); }
    QString description() const override { return QStringLiteral("Uncompressed Skin"); }
    std::unique_ptr<SkinInput> openBody(const char* data, std::int64_t size) const override;
    int compressionLevel() const override { return 0; }
};

class SkinFilterCompressed : public SkinFilter {
public:
    QByteArray className() const override { return "TSkinFilterCompressed"; }
    QString extension() const override { return QStringLiteral("tqkn"); }
    QString description() const override { return QStringLiteral("Compressed Skin"); }
    std::unique_ptr<SkinInput> openBody(const char* data, std::int64_t size) const override;
    int compressionLevel() const override { return 1; }
};

class SkinFilterUltraCompressed : public SkinFilterCompressed {
public:
    QByteArray className() const override { return "TSkinFilterUltraCompressed"; }
    QString extension() const override { return QStringLiteral("xskn"); }
    QString description() const override { return QStringLiteral("Ultra Compressed Skin"); }
    int compressionLevel() const override { return 9; }
};

class SkinFilterMaxCompression : public SkinFilterUltraCompressed {
public:
    QByteArray className() const override { return "TSkinFilterMaxCompression"; }
    QString extension() const override { return QStringLiteral("mskn"); }
    QString description() const override { return QStringLiteral("Maximum Compressed"); }
    bool packedBody() const override { return true; }
};

// The filters in registration order: uncompressed, compressed, ultra, max.
const QList<const SkinFilter*>& skinFilters();
const SkinFilter& defaultSkinFilter(); // SkinFilterCompressed
// The first filter whose extension matches the file name's (case-insensitive);
// null when none does.
const SkinFilter* skinFilterForFile(const QString& fileName);


} // namespace corvane::skin
