// Writing skin objects: the record of an object (with the "Objects" value
// of its children), the text object form ("object Name: TClass" ... "end",
// CR LF line ends) and the binary object form ("TPF0", each object as class
// name, object name, tagged properties up to an empty name and nested
// objects up to a zero byte).
#include "skin/writer/SkinObjectWriter.h"

#include "skin/writer/SkinByteWriter.h"

#include <cstdint>

namespace corvane::skin {

namespace {

using bytes::appendInt32;
using bytes::appendLittleEndian;
using bytes::appendString;

// The child count of an "Objects" value whose children are in the binary form.
constexpr std::int32_t BinaryChildrenMarker = 0xF0000;

[[noreturn]] void fail(const std::string& what)
{
    throw SkinError(what);
}

void putShortString(QByteArray& out, const QByteArray& s)
{
    if (s.size() > 255)
        fail("Name too long for the binary object form");
    out.append(char(s.size()));
    out.append(s);
}

void writeBinaryRecord(QByteArray& out, const SkinObjectRecord& r)
{
    putShortString(out, r.className);
    putShortString(out, r.name);
    for (const SkinProperty& p : r.properties) {
        putShortString(out, p.name);
        const SkinValue& v = p.value;
        switch (v.type) {
        case SkinValue::Type::Integer:
            if (v.integer >= -128 && v.integer <= 127) {
                out.append(char(2));
                appendLittleEndian(out, std::uint64_t(v.integer), 1);
            } else if (v.integer >= -32768 && v.integer <= 32767) {
                out.append(char(3));
                appendLittleEndian(out, std::uint64_t(v.integer), 2);
            } else if (v.integer >= INT32_MIN && v.integer <= INT32_MAX) {
                out.append(char(4));
                appendLittleEndian(out, std::uint64_t(v.integer), 4);
            } else {
                out.append(char(19));
                appendLittleEndian(out, std::uint64_t(v.integer), 8);
            }
            break;
        case SkinValue::Type::Identifier:
            out.append(char(7));
            putShortString(out, v.text);
            break;
        case SkinValue::Type::String:
            if (v.text.size() <= 255) {
                out.append(char(6));
                putShortString(out, v.text);
            } else {
                out.append(char(12));
                appendLittleEndian(out, std::uint64_t(v.text.size()), 4);
                out.append(v.text);
            }
            break;
        case SkinValue::Type::Boolean: out.append(char(v.boolean ? 9 : 8)); break;
        case SkinValue::Type::Set:
            out.append(char(11));
            for (const QByteArray& item : v.items)
                putShortString(out, item);
            out.append(char(0));
            break;
        case SkinValue::Type::Binary:
            out.append(char(10));
            appendLittleEndian(out, std::uint64_t(v.text.size()), 4);
            out.append(v.text);
            break;
        }
    }
    out.append(char(0));
    for (const SkinObjectRecord& child : r.children)
        writeBinaryRecord(out, child);
    out.append(char(0));
}

QByteArray quoteString(const QByteArray& s)
{
    if (s.isEmpty())
        return "''";
    QByteArray out;
    bool inQuotes = false;
    for (char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 32 && c < 127) {
            if (!inQuotes) {
                out.append('\'');
                inQuotes = true;
            }
            if (c == '\'')
                out.append("''");
            else
                out.append(ch);
        } else {
            if (inQuotes) {
                out.append('\'');
                inQuotes = false;
            }
            out.append('#').append(QByteArray::number(c));
        }
    }
    if (inQuotes)
        out.append('\'');
    return out;
}

void writeTextRecord(QByteArray& out, const SkinObjectRecord& r, int indent)
{
    const QByteArray pad(indent, ' ');
    out += pad + "object ";
    if (!r.name.isEmpty())
        out += r.name + ": ";
    out += r.className + "\r\n";
    const QByteArray inner(indent + 2, ' ');
    for (const SkinProperty& p : r.properties) {
        out += inner + p.name + " = ";
        const SkinValue& v = p.value;
        switch (v.type) {
        case SkinValue::Type::Integer: out += QByteArray::number(v.integer); break;
        case SkinValue::Type::Identifier: out += v.text; break;
        case SkinValue::Type::String: out += quoteString(v.text); break;
        case SkinValue::Type::Boolean: out += v.boolean ? "True" : "False"; break;
        case SkinValue::Type::Set: out += "[" + v.items.join(", ") + "]"; break;
        case SkinValue::Type::Binary: {
            out += "{";
            const QByteArray hex = v.text.toHex().toUpper();
            const QByteArray hexPad(indent + 4, ' ');
            for (int i = 0; i < hex.size(); i += 64)
                out += "\r\n" + hexPad + hex.mid(i, 64);
            out += "}";
            break;
        }
        }
        out += "\r\n";
    }
    for (const SkinObjectRecord& child : r.children)
        writeTextRecord(out, child, indent + 2);
    out += pad + "end\r\n";
}

} // namespace

QByteArray writeTextObject(const SkinObjectRecord& record)
{
    QByteArray out;
    writeTextRecord(out, record, 0);
    return out;
}

QByteArray writeBinaryObject(const SkinObjectRecord& record)
{
    QByteArray out("TPF0");
    writeBinaryRecord(out, record);
    return out;
}

QByteArray encodeObjectsProperty(const SkinObject& object)
{
    QByteArray out;
    appendInt32(out, std::int32_t(object.childCount()) | BinaryChildrenMarker);
    for (const auto& child : object.children()) {
        appendString(out, child->className());
        const QByteArray binary = writeBinaryObject(recordFromObject(*child));
        appendInt32(out, std::int32_t(binary.size()));
        out.append(binary);
    }
    return out;
}

SkinObjectRecord recordFromObject(const SkinObject& object)
{
    SkinObjectRecord record;
    record.className = object.className();
    record.name = object.name.toLatin1();
    object.writeProperties(record.properties);
    record.properties.append({QByteArrayLiteral("Objects"), SkinValue::fromBinary(encodeObjectsProperty(object))});
    return record;
}

} // namespace corvane::skin
