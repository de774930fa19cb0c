#pragma once
// The stored form of one skin object, independent of its encoding: the class
// name, the object name, the properties in stored order and the nested
// objects. The text object form and the binary object form ("TPF0") both read
// into and write from this record; skin objects fill themselves from it.

#include <QByteArray>
#include <QList>

namespace corvane::skin {

struct SkinValue {
    enum class Type { Integer, Identifier, String, Boolean, Set, Binary };
    Type type = Type::Integer;
    qint64 integer = 0;      // Integer
    bool boolean = false;    // Boolean
    QByteArray text;         // Identifier, String (8-bit text), Binary bytes
    QList<QByteArray> items; // Set: identifiers

    static SkinValue fromInteger(qint64 v)
    {
        SkinValue r;
        r.type = Type::Integer;
        r.integer = v;
        return r;
    }
    static SkinValue fromIdent(const QByteArray& v)
    {
        SkinValue r;
        r.type = Type::Identifier;
        r.text = v;
        return r;
    }
    static SkinValue fromString(const QByteArray& v)
    {
        SkinValue r;
        r.type = Type::String;
        r.text = v;
        return r;
    }
    static SkinValue fromBool(bool v)
    {
        SkinValue r;
        r.type = Type::Boolean;
        r.boolean = v;
        return r;
    }
    static SkinValue fromSet(const QList<QByteArray>& v)
    {
        SkinValue r;
        r.type = Type::Set;
        r.items = v;
        return r;
    }
    static SkinValue fromBinary(const QByteArray& v)
    {
        SkinValue r;
        r.type = Type::Binary;
        r.text = v;
        return r;
    }

    bool operator==(const SkinValue& o) const
    {
        if (type != o.type)
            return false;
        switch (type) {
        case Type::Integer: return integer == o.integer;
        case Type::Boolean: return boolean == o.boolean;
        case Type::Set: return items == o.items;
        default: return text == o.text;
        }
    }
};

struct SkinProperty {
    QByteArray name; // may be dotted: "Font.Color", "Bitmap.Left"
    SkinValue value;
    bool operator==(const SkinProperty&) const = default;
};

struct SkinObjectRecord {
    QByteArray className;
    QByteArray name;
    QList<SkinProperty> properties;
    QList<SkinObjectRecord> children; // nested "object ... end" blocks
    bool operator==(const SkinObjectRecord&) const = default;

    const SkinValue* find(const QByteArray& propertyName) const
    {
        for (const SkinProperty& p : properties)
            if (p.name == propertyName)
                return &p.value;
        return nullptr;
    }
};

// Limits of the readers, so that hostile input cannot make them allocate
// without bound or recurse without end.
struct SkinLimits {
    static constexpr int MaxNesting = 32;           // object nesting depth
    static constexpr int MaxStringBytes = 1 << 20;  // one string / text form
    static constexpr int MaxBinaryBytes = 64 << 20; // one binary property
    static constexpr int MaxProperties = 4096;      // per object
    static constexpr int MaxObjects = 100000;       // per skin, all levels
    static constexpr int MaxBitmaps = 4096;
    static constexpr int MaxBitmapSide = 16384;
    static constexpr qint64 MaxBitmapPixels = 16 << 20; // 64 MiB of pixels each
    // All that one skin may decode: the bytes of its body (decompressed) plus
    // the pixels of all its bitmaps plus ObjectCost per object. The stored skin
    // charges 0.8 MB (0.42 MB of body, 0.28 MB of pixels, 95 objects); the
    // limit leaves room for a skin ten times as rich, or one with a
    // window-sized background picture.
    static constexpr qint64 MaxDecodedBytes = 8 << 20;
    static constexpr int ObjectCost = 1024;             // about what one object takes in memory
    static constexpr int MaxStoredCoordinate = 1 << 20; // bounds, margins, link rectangles
    static constexpr int MaxCoordinate = 1 << 24;       // any bounds after layout
};

// What one load has used of the limits: objects created, bytes decoded.
struct SkinReadBudget {
    int objects = 0;
    qint64 bytes = 0;
    // Counts one more object; throws SkinError past MaxObjects or the bytes.
    void chargeObject();
    // Counts `count` decoded bytes before they are allocated; throws
    // SkinError when the skin would decode to more than MaxDecodedBytes.
    void chargeBytes(qint64 count);
};

} // namespace corvane::skin
