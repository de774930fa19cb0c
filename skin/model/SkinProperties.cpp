#include "skin/model/SkinProperties.h"

#include "skin/model/SkinObjects.h"
#include "skin/model/SkinPropertyTable.h"
#include "skin/stream/SkinWordTable.h"

#include <QHash>
#include <QSet>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::skin::props {

namespace {

[[noreturn]] void invalid(const SkinProperty& p)
{
    throw SkinError("Invalid property value: " + p.name.toStdString());
}

} // namespace

int toInt(const SkinProperty& p)
{
    if (p.value.type != SkinValue::Type::Integer)
        invalid(p);
    if (p.value.integer < INT32_MIN || p.value.integer > INT32_MAX)
        invalid(p);
    return int(p.value.integer);
}

int toCoordinate(const SkinProperty& p)
{
    const int v = toInt(p);
    if (v < -SkinLimits::MaxStoredCoordinate || v > SkinLimits::MaxStoredCoordinate)
        invalid(p);
    return v;
}

bool toBool(const SkinProperty& p)
{
    if (p.value.type != SkinValue::Type::Boolean)
        invalid(p);
    return p.value.boolean;
}

QString toString(const SkinProperty& p)
{
    if (p.value.type != SkinValue::Type::String)
        invalid(p);
    // 8-bit text; Latin-1 keeps every byte, so names round-trip exactly.
    return QString::fromLatin1(p.value.text);
}

SkinColor toColor(const SkinProperty& p)
{
    if (p.value.type == SkinValue::Type::Integer)
        return SkinColor(std::uint32_t(toInt(p)));
    if (p.value.type == SkinValue::Type::Identifier) {
        SkinColor color;
        if (colorFromIdent(p.value.text, &color))
            return color;
    }
    invalid(p);
}

int toEnum(const SkinProperty& p, int (*fromIdent)(const QByteArray&))
{
    if (p.value.type == SkinValue::Type::Identifier) {
        const int v = fromIdent(p.value.text);
        if (v >= 0)
            return v;
    }
    invalid(p);
}

void addInt(QList<SkinProperty>& out, const char* name, qint64 v)
{
    out.append({QByteArray(name), SkinValue::fromInteger(v)});
}
void addBool(QList<SkinProperty>& out, const char* name, bool v)
{
    out.append({QByteArray(name), SkinValue::fromBool(v)});
}
void addIdent(QList<SkinProperty>& out, const char* name, const QByteArray& v)
{
    out.append({QByteArray(name), SkinValue::fromIdent(v)});
}
void addColor(QList<SkinProperty>& out, const char* name, SkinColor v)
{
    const QByteArray ident = colorIdent(v);
    if (!ident.isEmpty())
        addIdent(out, name, ident);
    else
        addInt(out, name, v);
}

static const char* const fontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
static const char* const pitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};

void writeFont(QList<SkinProperty>& out, const QByteArray& prefix, const SkinFont& font)
{
    const QByteArray charset = charsetIdent(font.charset);
    if (!charset.isEmpty())
        out.append({prefix + ".Charset", SkinValue::fromIdent(charset)});
    else
        out.append({prefix + ".Charset", SkinValue::fromInteger(font.charset)});
    addColor(out, (prefix + ".Color").constData(), font.color);
    out.append({prefix + ".Height", SkinValue::fromInteger(font.height)});
    out.append({prefix + ".Name", SkinValue::fromString(font.name.toLatin1())});
    if (font.pitch > 0 && font.pitch < 3)
        out.append({prefix + ".Pitch", SkinValue::fromIdent(pitchNames[font.pitch])});
    QList<QByteArray> styles;
    for (int i = 0; i < 4; ++i)
        if (font.style & (1u << i))
            styles.append(fontStyleNames[i]);
    out.append({prefix + ".Style", SkinValue::fromSet(styles)});
}

void readFont(SkinFont& font, int field, const SkinProperty& p)
{
    switch (FontField(field)) {
    case FontField::Charset:
        if (p.value.type == SkinValue::Type::Identifier) {
            if (!charsetFromIdent(p.value.text, &font.charset))
                invalid(p);
        } else {
            font.charset = toInt(p) & 0xFF;
        }
        break;
    case FontField::Color: font.color = toColor(p); break;
    case FontField::Height: font.height = toInt(p); break;
    case FontField::Size:
        // Points at 96 pixels per inch, as a negative (character) height.
        font.height = -int(std::lround(double(toInt(p)) * 96.0 / 72.0));
        break;
    case FontField::Name:
        // Most fonts keep the default name: no new string for those.
        if (p.value.type != SkinValue::Type::String)
            invalid(p);
        if (font.name != QLatin1StringView(p.value.text))
            font.name = toString(p);
        break;
    case FontField::Pitch:
        if (p.value.type != SkinValue::Type::Identifier)
            invalid(p);
        font.pitch = -1;
        for (int i = 0; i < 3; ++i)
            if (p.value.text == pitchNames[i])
                font.pitch = i;
        if (font.pitch < 0)
            invalid(p);
        break;
    case FontField::Style: {
        if (p.value.type != SkinValue::Type::Set)
            invalid(p);
        unsigned style = 0;
        for (const QByteArray& item : p.value.items) {
            int bit = -1;
            for (int i = 0; i < 4; ++i)
                if (item == fontStyleNames[i])
                    bit = i;
            if (bit < 0)
                invalid(p);
            style |= 1u << bit;
        }
        font.style = style;
        break;
    }
    default: invalid(p);
    }
}

void writeLink(QList<SkinProperty>& out, const QByteArray& prefix, const SkinBitmapLink& link)
{
    out.append({prefix + ".Name", SkinValue::fromString(link.name.toLatin1())});
    out.append({prefix + ".Left", SkinValue::fromInteger(link.left)});
    out.append({prefix + ".Top", SkinValue::fromInteger(link.top)});
    out.append({prefix + ".Right", SkinValue::fromInteger(link.right)});
    out.append({prefix + ".Bottom", SkinValue::fromInteger(link.bottom)});
}

void readLink(SkinBitmapLink& link, int field, const SkinProperty& p)
{
    switch (LinkField(field)) {
    case LinkField::Name: link.name = toString(p); break;
    case LinkField::Left: link.left = toCoordinate(p); break;
    case LinkField::Top: link.top = toCoordinate(p); break;
    case LinkField::Right: link.right = toCoordinate(p); break;
    case LinkField::Bottom: link.bottom = toCoordinate(p); break;
    default: invalid(p);
    }
}

namespace {

// The names the classes' property tables publish, with their ids, and every
// name a stored property may have (the nested ones dotted).
struct PublishedNames {
    QHash<QByteArray, int> ids;
    QHash<QByteArray, PropertyKey> keys;
};

const PublishedNames& publishedNames()
{
    static const PublishedNames names = [] {
        PublishedNames n;
        const char* const fontFields[] = {"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"};
        const char* const linkFields[] = {"Name", "Left", "Top", "Right", "Bottom"};
        for (const SkinPropertyTable* table : SkinClassRegistry::propertyTables()) {
            for (int i = 0; i < table->size(); ++i) {
                const SkinPropertyEntry& entry = table->entry(i);
                const QByteArray name(entry.name);
                if (n.ids.contains(name))
                    continue;
                const int id = int(n.ids.size());
                n.ids.insert(name, id);
                switch (entry.shape) {
                case SkinPropertyEntry::Shape::Plain: n.keys.insert(name, {id, 0}); break;
                case SkinPropertyEntry::Shape::Font:
                    for (int f = 0; f < 7; ++f)
                        n.keys.insert(name + '.' + fontFields[f], {id, f});
                    break;
                case SkinPropertyEntry::Shape::Link:
                    for (int f = 0; f < 5; ++f)
                        n.keys.insert(name + '.' + linkFields[f], {id, f});
                    break;
                }
            }
        }
        return n;
    }();
    return names;
}

} // namespace

namespace {

// Every word a skin is made of (property names, identifiers, class names) in
// one word table: loading looks up several words per property, so this is on
// the hot path of reading a skin. A word's value is its property, if it names
// one.
//
// The words' bytes lie side by side in one buffer that lives as long as the
// program, and the table's words are views of it: copying one touches no
// reference count, and a name that points into the buffer is known to be a
// word, whose property then comes from its offset without hashing it again.
class Dictionary {
public:
    using Table = SkinWordTable<const PropertyKey*>;

    explicit Dictionary(const QList<std::pair<QByteArray, const PropertyKey*>>& words)
        : m_table(std::uint32_t(words.size()))
    {
        qsizetype total = 0;
        for (const auto& [word, key] : words)
            total += word.size() + 1;
        m_bytes.reserve(total);
        for (const auto& [word, key] : words)
            m_bytes.append(word).append('\0');
        qsizetype offset = 0;
        for (const auto& [word, key] : words) {
            m_table.add(QByteArray::fromRawData(m_bytes.constData() + offset, word.size()), key);
            offset += word.size() + 1;
        }
        // Once every word is in (the table's entries move while it grows).
        m_wordAt.assign(size_t(m_bytes.size()), nullptr);
        offset = 0;
        for (const auto& [word, key] : words) {
            const Table::Entry* entry = m_table.find(m_bytes.constData() + offset, word.size());
            if (entry->word.constData() == m_bytes.constData() + offset)
                m_wordAt[size_t(offset)] = entry;
            offset += word.size() + 1;
        }
    }
    // The offsets point into this object's own table.
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    // Bytes read from a skin: looked up by their content.
    const Table::Entry* findBytes(const char* data, qsizetype size) const { return m_table.find(data, size); }

    // A name that may be a view of a word (see intern): found by its address
    // when it is one.
    const Table::Entry* find(const char* data, qsizetype size) const
    {
        // Compared as integers: the name may point anywhere.
        const auto at = std::uintptr_t(data) - std::uintptr_t(m_bytes.constData());
        if (at < std::uintptr_t(m_bytes.size())) {
            const Table::Entry* word = m_wordAt[size_t(at)];
            if (word && word->word.size() == size)
                return word;
        }
        return m_table.find(data, size);
    }

private:
    QByteArray m_bytes; // every word, each followed by a zero byte
    Table m_table;
    std::vector<const Table::Entry*> m_wordAt; // by offset in m_bytes of a word's first byte
};

Dictionary makeDictionary()
{
    QList<std::pair<QByteArray, const PropertyKey*>> words;
    const auto add = [&words](const QByteArray& word, const PropertyKey* key) { words.append({word, key}); };
    for (auto it = publishedNames().keys.constBegin(); it != publishedNames().keys.constEnd(); ++it)
        add(it.key(), &it.value());
    for (const char* extra : {"object", "end", "inherited", "inline", "Objects", "True", "False", "fsBold", "fsItalic",
                              "fsUnderline", "fsStrikeOut", "fpDefault", "fpVariable", "fpFixed"})
        add(QByteArray(extra), nullptr);
    for (int i = 0; i < 32; ++i) {
        for (QByteArray (*name)(int) :
             {alignIdent, kindIdent, textAlignIdent, textEffectIdent, tileStyleIdent, actionIdent}) {
            const QByteArray ident = name(i);
            if (!ident.isEmpty() && !(ident[0] >= '0' && ident[0] <= '9'))
                add(ident, nullptr);
        }
    }
    for (int charset = 0; charset < 256; ++charset) {
        const QByteArray ident = charsetIdent(charset);
        if (!ident.isEmpty())
            add(ident, nullptr);
    }
    for (SkinColor color : {clBlack, clSilver, clGray, clWhite, clNone, clWindowText, clBtnFace})
        add(colorIdent(color), nullptr);
    for (const QByteArray& className : SkinClassRegistry::classNames())
        add(className, nullptr);
    return Dictionary(words);
}

const Dictionary& dictionary()
{
    static const Dictionary words = makeDictionary();
    return words;
}

} // namespace

const PropertyKey* lookupProperty(const QByteArray& name)
{
    // A name read from a skin is a view of its dictionary word (see intern):
    // found by its address, not hashed again.
    const Dictionary::Table::Entry* word = dictionary().find(name.constData(), name.size());
    return word ? word->value : nullptr;
}

int propertyId(const char* name)
{
    return publishedNames().ids.value(QByteArray(name), -1);
}

InternedName internName(const char* data, qsizetype size)
{
    if (const Dictionary::Table::Entry* word = dictionary().findBytes(data, size))
        return {word->word, word->value};
    return {QByteArray(data, size), nullptr};
}

QByteArray intern(const char* data, qsizetype size)
{
    if (const Dictionary::Table::Entry* word = dictionary().findBytes(data, size))
        return word->word;
    return QByteArray(data, size);
}

} // namespace corvane::skin::props
