#include "skin/model/SkinObjectIO.h"

#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinProperties.h"
#include "skin/model/SkinPropertyTable.h"
#include "skin/stream/SkinWordTable.h"

#include <array>
#include <cstring>

namespace corvane::skin {

namespace {

// The child count of an "Objects" value whose children are in the binary form.
constexpr std::int32_t BinaryChildrenMarker = 0xF0000;

[[noreturn]] void fail(const std::string& what)
{
    throw SkinError(what);
}

void readObjectsValue(SkinObject& parent, const char* data, qint64 size, SkinReadBudget& budget, int depth);

// The property that holds an object's children. Compared as two QByteArrays
// (the length first), not against a C string that would be measured each time.
bool isObjectsName(const QByteArray& name)
{
    static const QByteArray objects("Objects");
    return name == objects;
}

// Reads the binary object form straight into skin objects, without building
// records first: a skin's children are almost all stored this way, and this is
// the hot path of loading.
class DirectBinaryReader {
public:
    DirectBinaryReader(const char* data, qint64 size, SkinReadBudget& budget)
        : m_data(data), m_end(data + size), m_budget(budget)
    { }

    // `className` (stored beside the object) decides the class created.
    std::unique_ptr<SkinObject> readRoot(const QByteArray& className, int depth)
    {
        if (m_end - m_data < 4 || std::memcmp(m_data, "TPF0", 4) != 0)
            fail("Invalid stream format (object signature missing)");
        m_data += 4;
        std::unique_ptr<SkinObject> object = readObject(&className, depth);
        // The record's size is stored beside it: the object must fill it.
        if (m_data != m_end)
            fail("Binary object data longer than its object");
        return object;
    }

private:
    void need(qint64 n)
    {
        if (n < 0 || n > m_end - m_data)
            fail("Unexpected end of binary object data");
    }
    quint8 byte()
    {
        need(1);
        return quint8(*m_data++);
    }
    qint64 littleEndian(int size)
    {
        need(size);
        quint64 v = 0;
        for (int i = 0; i < size; ++i)
            v |= quint64(quint8(m_data[i])) << (8 * i);
        m_data += size;
        const int shift = 64 - 8 * size;
        return qint64(v << shift) >> shift;
    }
    QByteArray shortString()
    {
        const int n = byte();
        need(n);
        QByteArray out = props::intern(m_data, n);
        m_data += n;
        return out;
    }

    // A property's name and the published property it names, from one lookup.
    // Objects store their properties in their class's table order, which
    // starts with the base classes' entries: the name at a position is most
    // often the one an object read before had there, and is then taken from
    // that object after a comparison, without a lookup.
    props::InternedName propertyName(int position)
    {
        thread_local std::array<props::InternedName, 64> recent{};
        return recentOrInterned(recent, position);
    }

    // An identifier value, the same way: most objects share their enums'
    // and colours' values.
    QByteArray identifier(int position)
    {
        thread_local std::array<props::InternedName, 64> recent{};
        return recentOrInterned(recent, position).word;
    }

    props::InternedName recentOrInterned(std::array<props::InternedName, 64>& recent, int position)
    {
        const int n = byte();
        need(n);
        props::InternedName* seen =
            position >= 0 && position < int(recent.size()) ? &recent[size_t(position)] : nullptr;
        props::InternedName name;
        if (seen && seen->word.size() == n && SkinWordTable<int>::sameBytes(seen->word.constData(), m_data, n)) {
            name = *seen;
        } else {
            name = props::internName(m_data, n);
            if (seen)
                *seen = name;
        }
        m_data += n;
        return name;
    }

    // String values (mostly bitmap names, seldom known words) are copied
    // into one buffer of the reader's and lent to the value: the objects copy
    // what they keep, so one allocation serves all of an object's strings.
    void shortStringInto(QByteArray& to)
    {
        to = QByteArray(); // gives the buffer back if the value still has it
        const int n = byte();
        need(n);
        m_strings.resize(n);
        std::memcpy(m_strings.data(), m_data, size_t(n));
        m_data += n;
        to = m_strings;
    }

    std::unique_ptr<SkinObject> readObject(const QByteArray* forcedClass, int depth)
    {
        if (depth > SkinLimits::MaxNesting)
            fail("Skin objects are nested too deeply");
        m_budget.chargeObject();
        need(1);
        if ((quint8(*m_data) & 0xF0) == 0xF0) {
            const quint8 flags = byte();
            if (flags & 0x02)
                skipValue(byte());
        }
        const QByteArray storedClass = shortString();
        const QByteArray& className = forcedClass ? *forcedClass : storedClass;
        std::unique_ptr<SkinObject> object = SkinClassRegistry::create(className);
        if (!object)
            fail("Class " + className.toStdString() + " not found");
        // The object's name is kept as text only: no byte array for it.
        const int nameSize = byte();
        need(nameSize);
        const QLatin1StringView name(m_data, nameSize);
        m_data += nameSize;
        object->name = name;
        const SkinPropertyTable& properties = object->properties();
        SkinProperty property;
        int count = 0;
        for (;;) {
            props::InternedName interned = propertyName(count);
            property.name = std::move(interned.word);
            if (property.name.isEmpty())
                break;
            if (++count > SkinLimits::MaxProperties)
                fail("Too many properties in one object");
            const quint8 tag = byte();
            if (tag == 10 && isObjectsName(property.name)) {
                const qint64 n = littleEndian(4);
                if (n < 0 || n > SkinLimits::MaxBinaryBytes)
                    fail("Binary value too long in binary object data");
                need(n);
                readObjectsValue(*object, m_data, n, m_budget, depth);
                m_data += n;
                continue;
            }
            readValue(tag, property.value, count - 1);
            if (!properties.read(*object, interned.key, property))
                fail("Error reading " + std::string(name.data(), size_t(name.size())) + "." +
                     property.name.toStdString() + ": Property " + property.name.toStdString() + " does not exist");
        }
        for (;;) {
            need(1);
            if (*m_data == 0) {
                ++m_data;
                break;
            }
            std::unique_ptr<SkinObject> child = readObject(nullptr, depth + 1);
            child->setCharset(1);
            object->appendChild(std::move(child));
        }
        return object;
    }

    // `position`: the property's place in its object, -1 when it has none.
    void readValue(quint8 tag, SkinValue& v, int position)
    {
        switch (tag) {
        case 2:
            v.type = SkinValue::Type::Integer;
            v.integer = littleEndian(1);
            break;
        case 3:
            v.type = SkinValue::Type::Integer;
            v.integer = littleEndian(2);
            break;
        case 4:
            v.type = SkinValue::Type::Integer;
            v.integer = littleEndian(4);
            break;
        case 19:
            v.type = SkinValue::Type::Integer;
            v.integer = littleEndian(8);
            break;
        case 6:
            v.type = SkinValue::Type::String;
            shortStringInto(v.text);
            break;
        case 7:
            v.type = SkinValue::Type::Identifier;
            v.text = identifier(position);
            break;
        case 8:
            v.type = SkinValue::Type::Boolean;
            v.boolean = false;
            break;
        case 9:
            v.type = SkinValue::Type::Boolean;
            v.boolean = true;
            break;
        case 10:
        case 12: {
            const qint64 n = littleEndian(4);
            if (n < 0 || n > (tag == 10 ? SkinLimits::MaxBinaryBytes : SkinLimits::MaxStringBytes))
                fail("Value too long in binary object data");
            need(n);
            v.type = tag == 10 ? SkinValue::Type::Binary : SkinValue::Type::String;
            v.text = QByteArray(m_data, qsizetype(n));
            m_data += n;
            break;
        }
        case 11:
            v.type = SkinValue::Type::Set;
            v.items.clear();
            for (;;) {
                QByteArray item = shortString();
                if (item.isEmpty())
                    break;
                if (v.items.size() >= 256)
                    fail("Set too large in binary object data");
                v.items.append(std::move(item));
            }
            break;
        default: fail("Invalid property value type " + std::to_string(tag) + " in binary object data");
        }
    }

    void skipValue(quint8 tag)
    {
        SkinValue ignored;
        readValue(tag, ignored, -1);
    }

    const char* m_data;
    const char* const m_end;
    SkinReadBudget& m_budget;
    QByteArray m_strings;
};

// Reads the children stored in an "Objects" value into `parent`.
void readObjectsValue(SkinObject& parent, const char* data, qint64 size, SkinReadBudget& budget, int depth)
{
    SkinMemoryInput in(data, size);
    const std::int32_t header = in.readInt32();
    const bool binaryChildren = (header & BinaryChildrenMarker) == BinaryChildrenMarker;
    const std::int32_t count = binaryChildren ? (header & ~BinaryChildrenMarker) : header;
    if (count < 0 || count > SkinLimits::MaxObjects)
        throw SkinError("Invalid child count " + std::to_string(count) + " in Objects");
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t nameSize = in.readInt32();
        if (nameSize < 0 || nameSize > 255)
            throw SkinError("Invalid class name length in Objects");
        if (in.position() + nameSize > size)
            throw SkinError("Unexpected end of skin data");
        const QByteArray className = props::intern(data + in.position(), nameSize);
        in.skip(nameSize);
        std::unique_ptr<SkinObject> child;
        if (binaryChildren) {
            const std::int32_t childSize = in.readInt32();
            if (childSize < 0 || in.position() + childSize > size)
                throw SkinError("Invalid child size in Objects");
            child = DirectBinaryReader(data + in.position(), childSize, budget).readRoot(className, depth + 1);
            in.skip(childSize);
        } else {
            SkinObjectRecord record = readTextObject(in.readString(SkinLimits::MaxStringBytes));
            // The class stored beside the record decides what is created.
            record.className = className;
            child = objectFromRecord(record, budget, depth + 1);
        }
        child->setCharset(1);
        parent.appendChild(std::move(child));
    }
    if (in.position() != size)
        throw SkinError("Objects value longer than its children");
}

} // namespace

std::unique_ptr<SkinObject> objectFromRecord(const SkinObjectRecord& record, SkinReadBudget& budget, int depth)
{
    if (depth > SkinLimits::MaxNesting)
        throw SkinError("Skin objects are nested too deeply");
    budget.chargeObject();
    std::unique_ptr<SkinObject> object = SkinClassRegistry::create(record.className);
    if (!object)
        throw SkinError("Class " + record.className.toStdString() + " not found");
    object->name = QString::fromLatin1(record.name);
    for (const SkinProperty& property : record.properties) {
        if (isObjectsName(property.name)) {
            if (property.value.type != SkinValue::Type::Binary)
                throw SkinError("Invalid property value: Objects");
            readObjectsValue(*object, property.value.text.constData(), property.value.text.size(), budget, depth);
        } else if (!object->readProperty(property)) {
            throw SkinError("Error reading " + record.name.toStdString() + "." + property.name.toStdString() +
                             ": Property " + property.name.toStdString() + " does not exist");
        }
    }
    for (const SkinObjectRecord& nested : record.children) {
        std::unique_ptr<SkinObject> child = objectFromRecord(nested, budget, depth + 1);
        child->setCharset(1);
        object->appendChild(std::move(child));
    }
    return object;
}

std::unique_ptr<SkinObject> objectFromBinary(const QByteArray& className, const char* data, qint64 size,
                                              SkinReadBudget& budget)
{
    return DirectBinaryReader(data, size, budget).readRoot(className, 0);
}

} // namespace corvane::skin
