// The binary object form: "TPF0", then each object as class name, object
// name, tagged properties up to an empty name and nested objects up to a zero
// byte.
#include "skin/SkinObjectForm.h"

#include "skin/SkinProperties.h"
#include "skin/SkinTypes.h"

#include <cstdint>
#include <cstring>

namespace corvane::skin {

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw SkinError(what);
}

class BinaryReader {
public:
    explicit BinaryReader(const QByteArray& bytes) : m_bytes(bytes) { }

    SkinObjectRecord readRoot()
    {
        if (m_bytes.size() < 4 || std::memcmp(m_bytes.constData(), "TPF0", 4) != 0)
            fail("Invalid stream format (object signature missing)");
        m_pos = 4;
        return readObject(0);
    }

private:
    void need(qint64 n)
    {
        if (n < 0 || m_pos + n > m_bytes.size())
            fail("Unexpected end of binary object data");
    }
    quint8 byte()
    {
        need(1);
        return quint8(m_bytes[m_pos++]);
    }
    qint64 littleEndian(int size)
    {
        need(size);
        quint64 v = 0;
        for (int i = 0; i < size; ++i)
            v |= quint64(quint8(m_bytes[m_pos + i])) << (8 * i);
        m_pos += size;
        // Sign-extend from `size` bytes.
        const int shift = 64 - 8 * size;
        return qint64(v << shift) >> shift;
    }
    QByteArray bytes(qint64 n)
    {
        need(n);
        QByteArray out = m_bytes.mid(int(m_pos), int(n));
        m_pos += n;
        return out;
    }
    QByteArray shortString()
    {
        const int n = byte();
        need(n);
        const QByteArray out = props::intern(m_bytes.constData() + m_pos, n);
        m_pos += n;
        return out;
    }

    SkinObjectRecord readObject(int depth)
    {
        if (depth > SkinLimits::MaxNesting)
            fail("Skin objects are nested too deeply");
        SkinObjectRecord record;
        need(1);
        // Optional filer flags ahead of the class name (inherited, child position, inline).
        if ((quint8(m_bytes[m_pos]) & 0xF0) == 0xF0) {
            const quint8 flags = byte();
            if (flags & 0x02)
                value(byte());
        }
        record.className = shortString();
        record.name = shortString();
        for (;;) {
            const QByteArray name = shortString();
            if (name.isEmpty())
                break;
            if (record.properties.size() >= SkinLimits::MaxProperties)
                fail("Too many properties in one object");
            if (record.properties.isEmpty())
                record.properties.reserve(48);
            record.properties.append({name, value(byte())});
        }
        for (;;) {
            need(1);
            if (m_bytes[m_pos] == 0) {
                ++m_pos;
                break;
            }
            record.children.append(readObject(depth + 1));
        }
        return record;
    }

    SkinValue value(quint8 tag)
    {
        switch (tag) {
        case 2: return SkinValue::fromInteger(littleEndian(1));
        case 3: return SkinValue::fromInteger(littleEndian(2));
        case 4: return SkinValue::fromInteger(littleEndian(4));
        case 19: return SkinValue::fromInteger(littleEndian(8));
        case 6: return SkinValue::fromString(shortString());
        case 12: {
            const qint64 n = littleEndian(4);
            if (n < 0 || n > SkinLimits::MaxStringBytes)
                fail("String too long in binary object data");
            return SkinValue::fromString(bytes(n));
        }
        case 7: return SkinValue::fromIdent(shortString());
        case 8: return SkinValue::fromBool(false);
        case 9: return SkinValue::fromBool(true);
        case 10: {
            const qint64 n = littleEndian(4);
            if (n < 0 || n > SkinLimits::MaxBinaryBytes)
                fail("Binary value too long in binary object data");
            return SkinValue::fromBinary(bytes(n));
        }
        case 11: {
            QList<QByteArray> items;
            for (;;) {
                QByteArray item = shortString();
                if (item.isEmpty())
                    break;
                if (items.size() >= 256)
                    fail("Set too large in binary object data");
                items.append(item);
            }
            return SkinValue::fromSet(items);
        }
        default: fail("Invalid property value type " + std::to_string(tag) + " in binary object data");
        }
    }

    const QByteArray& m_bytes;
    qint64 m_pos = 0;
};

void putShortString(QByteArray& out, const QByteArray& s)
{
    if (s.size() > 255)
        fail("Name too long for the binary object form");
    out.append(char(s.size()));
    out.append(s);
}

void putLittleEndian(QByteArray& out, qint64 v, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(char((quint64(v) >> (8 * i)) & 0xFF));
}

void writeBinaryRecord(QByteArray& out, const SkinObjectRecord& r)
{
    putShortString(out, r.className);
    putShortString(out, r.name);
    for (const SkinProperty& p : r.properties) {
        putShortString(out, p.name);
        const SkinValue& v = p.value;
        switch (v.type) {
        case SkinValue::Integer:
            if (v.integer >= -128 && v.integer <= 127) {
                out.append(char(2));
                putLittleEndian(out, v.integer, 1);
            } else if (v.integer >= -32768 && v.integer <= 32767) {
                out.append(char(3));
                putLittleEndian(out, v.integer, 2);
            } else if (v.integer >= INT32_MIN && v.integer <= INT32_MAX) {
                out.append(char(4));
                putLittleEndian(out, v.integer, 4);
            } else {
                out.append(char(19));
                putLittleEndian(out, v.integer, 8);
            }
            break;
        case SkinValue::Identifier:
            out.append(char(7));
            putShortString(out, v.text);
            break;
        case SkinValue::String:
            if (v.text.size() <= 255) {
                out.append(char(6));
                putShortString(out, v.text);
            } else {
                out.append(char(12));
                putLittleEndian(out, v.text.size(), 4);
                out.append(v.text);
            }
            break;
        case SkinValue::Boolean: out.append(char(v.boolean ? 9 : 8)); break;
        case SkinValue::Set:
            out.append(char(11));
            for (const QByteArray& item : v.items)
                putShortString(out, item);
            out.append(char(0));
            break;
        case SkinValue::Binary:
            out.append(char(10));
            putLittleEndian(out, v.text.size(), 4);
            out.append(v.text);
            break;
        }
    }
    out.append(char(0));
    for (const SkinObjectRecord& child : r.children)
        writeBinaryRecord(out, child);
    out.append(char(0));
}

} // namespace

SkinObjectRecord readBinaryObject(const QByteArray& bytes)
{
    return BinaryReader(bytes).readRoot();
}

QByteArray writeBinaryObject(const SkinObjectRecord& record)
{
    QByteArray out("TPF0");
    writeBinaryRecord(out, record);
    return out;
}

} // namespace corvane::skin
