#pragma once
// The published properties of a skin object class, declared once as a table
// of {name, shape, accessors}: writing, reading and copying an object all walk
// its class's table, so a property is listed in one place only.
//
// A class's table starts with its base class's entries, then its own, which is
// the order the properties are stored in.

#include "skin/SkinObjectRecord.h"
#include "skin/SkinProperties.h"

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <vector>

namespace corvane::skin {

class TSkinObject;

struct TSkinPropertyEntry {
    // A font or a bitmap link is stored as several dotted properties
    // ("Font.Color", "Bitmap.Left").
    enum Shape { Plain, Font, Link };
    const char* name;
    Shape shape;
    void (*write)(const TSkinObject& object, const char* name, QList<TSkinProperty>& out);
    // `field` is the props::FontField or props::LinkField of a dotted name.
    void (*read)(TSkinObject& object, int field, const TSkinProperty& property);
    // Null for the bounds, which a copy sets after its children.
    void (*assign)(TSkinObject& to, const TSkinObject& from);
};

class TSkinPropertyTable {
public:
    TSkinPropertyTable(const TSkinPropertyTable* base, std::initializer_list<TSkinPropertyEntry> own);

    // Every entry, the base class's first.
    int size() const { return int(m_entries.size()); }
    const TSkinPropertyEntry& entry(int index) const { return m_entries[size_t(index)].entry; }

    void write(const TSkinObject& object, QList<TSkinProperty>& out) const;
    // False when the class does not publish the property; throws TSkinError
    // for a value of the wrong type.
    bool read(TSkinObject& object, const TSkinProperty& property) const;
    // The same for a property whose name is known to be `key`'s (see
    // props::internName), without looking the name up again.
    bool read(TSkinObject& object, const props::PropertyKey* key, const TSkinProperty& property) const;
    // Copies the values of the classes `from` shares with `to` (this table is
    // `to`'s).
    void assign(TSkinObject& to, const TSkinObject& from) const;

    bool inherits(const TSkinPropertyTable& other) const;

private:
    struct Declared {
        TSkinPropertyEntry entry;
        const TSkinPropertyTable* declaredIn;
    };
    const TSkinPropertyTable* m_base;
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

template <auto M> auto& member(TSkinObject& object)
{
    return static_cast<typename MemberOf<decltype(M)>::Class&>(object).*M;
}
template <auto M> const auto& member(const TSkinObject& object)
{
    return static_cast<const typename MemberOf<decltype(M)>::Class&>(object).*M;
}

template <auto M> void assignMember(TSkinObject& to, const TSkinObject& from)
{
    member<M>(to) = member<M>(from);
}

// A bool, a colour (TColor), a coordinate (int), a font or a bitmap link.
template <auto M> TSkinPropertyEntry property(const char* name)
{
    using T = typename MemberOf<decltype(M)>::Type;
    using props::FontField;
    if constexpr (std::is_same_v<T, bool>) {
        return {name, TSkinPropertyEntry::Plain,
                [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) {
                    props::addBool(out, n, member<M>(o));
                },
                [](TSkinObject& o, int, const TSkinProperty& p) { member<M>(o) = props::toBool(p); }, assignMember<M>};
    } else if constexpr (std::is_same_v<T, TSkinFont>) {
        return {name, TSkinPropertyEntry::Font,
                [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) {
                    props::writeFont(out, n, member<M>(o));
                },
                [](TSkinObject& o, int field, const TSkinProperty& p) { props::readFont(member<M>(o), field, p); },
                assignMember<M>};
    } else if constexpr (std::is_same_v<T, TSkinBitmapLink>) {
        return {name, TSkinPropertyEntry::Link,
                [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) {
                    props::writeLink(out, n, member<M>(o));
                },
                [](TSkinObject& o, int field, const TSkinProperty& p) { props::readLink(member<M>(o), field, p); },
                assignMember<M>};
    } else {
        static_assert(std::is_same_v<T, int>, "a published member is bool, int, TColor, a font, a link or an enum");
        return {
            name, TSkinPropertyEntry::Plain,
            [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) { props::addInt(out, n, member<M>(o)); },
            [](TSkinObject& o, int, const TSkinProperty& p) { member<M>(o) = props::toCoordinate(p); },
            assignMember<M>};
    }
}

// TColor is an int: colours are declared apart from coordinates.
template <auto M> TSkinPropertyEntry colorProperty(const char* name)
{
    return {
        name, TSkinPropertyEntry::Plain,
        [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) { props::addColor(out, n, member<M>(o)); },
        [](TSkinObject& o, int, const TSkinProperty& p) { member<M>(o) = props::toColor(p); }, assignMember<M>};
}

// An enumeration stored by its identifier.
template <auto M, QByteArray (*Ident)(int), int (*FromIdent)(const QByteArray&)>
TSkinPropertyEntry enumProperty(const char* name)
{
    using T = typename MemberOf<decltype(M)>::Type;
    return {name, TSkinPropertyEntry::Plain,
            [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) {
                props::addIdent(out, n, Ident(int(member<M>(o))));
            },
            [](TSkinObject& o, int, const TSkinProperty& p) { member<M>(o) = T(props::toEnum(p, FromIdent)); },
            assignMember<M>};
}

// A coordinate read through a getter and a setter (the bounds); not copied.
template <int (TSkinObject::*Get)() const, void (TSkinObject::*Set)(int)>
TSkinPropertyEntry boundsProperty(const char* name)
{
    return {name, TSkinPropertyEntry::Plain,
            [](const TSkinObject& o, const char* n, QList<TSkinProperty>& out) { props::addInt(out, n, (o.*Get)()); },
            [](TSkinObject& o, int, const TSkinProperty& p) { (o.*Set)(props::toCoordinate(p)); }, nullptr};
}

} // namespace skinprop

} // namespace corvane::skin
