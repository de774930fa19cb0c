#include "skin/SkinObjectIO.h"

#include "skin/SkinFilter.h"
#include "skin/SkinObjectForm.h"

namespace corvane::skin {

namespace {

constexpr std::int32_t BinaryChildrenMarker = 0xF0000;

void appendInt32(QByteArray& out, std::int32_t v)
{
    const auto u = std::uint32_t(v);
    const char bytes[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char((u >> 24) & 0xFF)};
    out.append(bytes, 4);
}

void appendString(QByteArray& out, const QByteArray& s)
{
    appendInt32(out, std::int32_t(s.size()));
    out.append(s);
}

// Reads the children stored in an "Objects" value into `parent`.
void readObjectsProperty(TSkinObject& parent, const QByteArray& value, TSkinReadBudget& budget, int depth)
{
    TSkinMemoryInput in(value.constData(), value.size());
    const std::int32_t header = in.readInt32();
    const bool binaryChildren = (header & BinaryChildrenMarker) == BinaryChildrenMarker;
    const std::int32_t count = binaryChildren ? (header & ~BinaryChildrenMarker) : header;
    if (count < 0 || count > TSkinLimits::MaxObjects)
        throw TSkinError("Invalid child count " + std::to_string(count) + " in Objects");
    for (std::int32_t i = 0; i < count; ++i) {
        const QByteArray className = in.readString(255);
        TSkinObjectRecord record;
        if (binaryChildren) {
            const std::int32_t size = in.readInt32();
            if (size < 0 || size > TSkinLimits::MaxBinaryBytes) throw TSkinError("Invalid child size in Objects");
            record = readBinaryObject(in.readBytes(size));
        } else {
            record = readTextObject(in.readString(TSkinLimits::MaxStringBytes));
        }
        // The class stored beside the record decides what is created.
        record.className = className;
        std::unique_ptr<TSkinObject> child = objectFromRecord(record, budget, depth + 1);
        child->setCharset(1);
        parent.appendChild(std::move(child));
    }
}

} // namespace

std::unique_ptr<TSkinObject> objectFromRecord(const TSkinObjectRecord& record, TSkinReadBudget& budget, int depth)
{
    if (depth > TSkinLimits::MaxNesting) throw TSkinError("Skin objects are nested too deeply");
    if (++budget.objects > TSkinLimits::MaxObjects) throw TSkinError("Too many skin objects");
    std::unique_ptr<TSkinObject> object(TSkinClassRegistry::create(record.className));
    if (!object) throw TSkinError("Class " + record.className.toStdString() + " not found");
    object->Name = QString::fromLatin1(record.name);
    for (const TSkinProperty& property : record.properties) {
        if (property.name == "Objects") {
            if (property.value.type != TSkinValue::Binary) throw TSkinError("Invalid property value: Objects");
            readObjectsProperty(*object, property.value.text, budget, depth);
        } else if (!object->readProperty(property)) {
            throw TSkinError("Error reading " + record.name.toStdString() + "." + property.name.toStdString()
                             + ": Property " + property.name.toStdString() + " does not exist");
        }
    }
    for (const TSkinObjectRecord& nested : record.children) {
        std::unique_ptr<TSkinObject> child = objectFromRecord(nested, budget, depth + 1);
        child->setCharset(1);
        object->appendChild(std::move(child));
    }
    return object;
}

QByteArray encodeObjectsProperty(const TSkinObject& object)
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

TSkinObjectRecord recordFromObject(const TSkinObject& object)
{
    TSkinObjectRecord record;
    record.className = object.className();
    record.name = object.Name.toLatin1();
    object.writeProperties(record.properties);
    record.properties.append({QByteArrayLiteral("Objects"), TSkinValue::fromBinary(encodeObjectsProperty(object))});
    return record;
}

} // namespace corvane::skin
