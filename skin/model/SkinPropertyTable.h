#pragma once
// The published properties of a skin object class, declared once as a table
// of {name, shape, accessors}: writing, reading and copying an object all walk
// its class's table, so a property is listed in one place only.
//
// A class's table starts with its base class's entries, then its own, which is
// the order the properties are stored in.

#include "skin/stream/SkinObjectRecord.h"
#include "skin/model/SkinProperties.h"

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <vector>

namespace corvane::skin {

class SkinObject;

struct SkinPropertyEntry {
    // A font or a bitmap link is stored as several dotted properties
    // ("Font.Color", "Bitmap.Left").
    enum class Shape { Plain, Font, Link };
    const char* name;
    Shape shape;
    void (*write)(const SkinObject& object, const char* name, QList<SkinProperty>& out);
    // `field` is the props::FontField or props::LinkField of a dotted name.
    void (*read)(SkinObject& object, int field, const SkinProperty& property);
    // Null for the bounds, which a copy sets after its children.
    void (*assign)(SkinObject& to, const SkinObject& from);
};

class SkinPropertyTable {
public:
    SkinPropertyTable(const SkinPropertyTable* base, std::initializer_list<SkinPropertyEntry> own);

    // Every entry, the base class's first.
    int size() const { return int(m_entries.size()); }
    const SkinPropertyEntry& entry(int index) const { return m_entries[size_t(index)].entry; }

    void write(const SkinObject& object, QList<SkinProperty>& out) const;
    // False when the class does not publish the property; throws SkinError
    // for a value of the wrong type.
    bool read(SkinObject& object, const SkinProperty& property) const;
    // The same for a property whose name is known to be `key`'s (see
    // props::internName), without looking the name up again.
    bool read(SkinObject& object, const props::PropertyKey* key, const SkinProperty& property) const;
    // Copies the values of the classes `from` shares with `to` (this table is
    // `to`'s).
    void assign(SkinObject& to, const SkinObject& from) const;

    bool inherits(const SkinPropertyTable& other) const;

private:
    struct Declared {
        SkinPropertyEntry entry;
        const SkinPropertyTable* declaredIn;
    };
    const SkinPropertyTable* m_base;
    std::vector<Declared> m_entries;
    // Property id (see props::lookupProperty) to entry index, -1 when absent;
    // built on the first read, once every class's table exists (the ids come
    // from all of them). Read for every property of a loading skin, so the
    // built index is seen through one acquire load, not a call_once.
    const std::vector<int>& indexById() const
    {
        if (!m_indexed.load(std::memory_order_acquire))
            buildIndex();
        return m_indexById;
    }
    void buildIndex() const;
    mutable std::atomic<bool> m_indexed{false};
    mutable std::vector<int> m_indexById;
};

// Entry makers: the member decides how its value is stored.
namespace skinprop {

template <class M> struct MemberOf;
template <class C, class T> struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};

template <auto M> auto& member(SkinObject& object)
{
    return static_cast<typename MemberOf<decltype(M)>::Class&>(object).*M;
}
template <auto M> const auto& member(const SkinObject& object)
{
    return static_cast<const typename MemberOf<decltype(M)>::Class&>(object).*M;
}

template <auto M> void assignMember(SkinObject& to, const SkinObject& from)
{
    member<M>(to) = member<M>(from);
}

// A bool, a colour (SkinColor), a coordinate (int), a font or a bitmap link.
template <auto M> SkinPropertyEntry property(const char* name)
{
    using T = typename MemberOf<decltype(M)>::Type;
    if constexpr (std::is_same_v<T, bool>) {
        return {
            name, SkinPropertyEntry::Shape::Plain,
            [](const SkinObject& o, const char* n, QList<SkinProperty>& out) { props::addBool(out, n, member<M>(o)); },
            [](SkinObject& o, int, const SkinProperty& p) { member<M>(o) = props::toBool(p); }, assignMember<M>};
    } else if constexpr (std::is_same_v<T, SkinFont>) {
        return {name, SkinPropertyEntry::Shape::Font,
                [](const SkinObject& o, const char* n, QList<SkinProperty>& out) {
                    props::writeFont(out, n, member<M>(o));
                },
                [](SkinObject& o, int field, const SkinProperty& p) { props::readFont(member<M>(o), field, p); },
                assignMember<M>};
    } else if constexpr (std::is_same_v<T, SkinBitmapLink>) {
        return {name, SkinPropertyEntry::Shape::Link,
                [](const SkinObject& o, const char* n, QList<SkinProperty>& out) {
                    props::writeLink(out, n, member<M>(o));
                },
                [](SkinObject& o, int field, const SkinProperty& p) { props::readLink(member<M>(o), field, p); },
                assignMember<M>};
    } else {
        static_assert(std::is_same_v<T, int>, "a published member is bool, int, SkinColor, a font, a link or an enum");
        return {
            name, SkinPropertyEntry::Shape::Plain,
            [](const SkinObject& o, const char* n, QList<SkinProperty>& out) { props::addInt(out, n, member<M>(o)); },
            [](SkinObject& o, int, const SkinProperty& p) { member<M>(o) = props::toCoordinate(p); }, assignMember<M>};
    }
}

// SkinColor is an int: colours are declared apart from coordinates.
template <auto M> SkinPropertyEntry colorProperty(const char* name)
{
    return {name, SkinPropertyEntry::Shape::Plain,
            [](const SkinObject& o, const char* n, QList<SkinProperty>& out) { props::addColor(out, n, member<M>(o)); },
            [](SkinObject& o, int, const SkinProperty& p) { member<M>(o) = props::toColor(p); }, assignMember<M>};
}

// An enumeration stored by its identifier.
template <auto M, QByteArray (*Ident)(int), int (*FromIdent)(const QByteArray&)>
SkinPropertyEntry enumProperty(const char* name)
{
    using T = typename MemberOf<decltype(M)>::Type;
    return {name, SkinPropertyEntry::Shape::Plain,
            [](const SkinObject& o, const char* n, QList<SkinProperty>& out) {
                props::addIdent(out, n, Ident(int(member<M>(o))));
            },
            [](SkinObject& o, int, const SkinProperty& p) { member<M>(o) = T(props::toEnum(p, FromIdent)); },
            assignMember<M>};
}

// A coordinate read through a getter and a setter (the bounds); not copied.
template <int (SkinObject::*Get)() const, void (SkinObject::*Set)(int)>
SkinPropertyEntry boundsProperty(const char* name)
{
    return {name, SkinPropertyEntry::Shape::Plain,
            [](const SkinObject& o, const char* n, QList<SkinProperty>& out) { props::addInt(out, n, (o.*Get)()); },
            [](SkinObject& o, int, const SkinProperty& p) { (o.*Set)(props::toCoordinate(p)); }, nullptr};
}

} // namespace skinprop

} // namespace corvane::skin
