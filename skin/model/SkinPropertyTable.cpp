#include "skin/model/SkinPropertyTable.h"

#include "skin/model/SkinObject.h"

namespace corvane::skin {

SkinPropertyTable::SkinPropertyTable(const SkinPropertyTable* base, std::initializer_list<SkinPropertyEntry> own)
    : m_base(base)
{
    if (base)
        m_entries = base->m_entries;
    for (const SkinPropertyEntry& entry : own)
        m_entries.push_back({entry, this});
}

void SkinPropertyTable::write(const SkinObject& object, QList<SkinProperty>& out) const
{
    for (const Declared& d : m_entries)
        d.entry.write(object, d.entry.name, out);
}

bool SkinPropertyTable::read(SkinObject& object, const SkinProperty& property) const
{
    return read(object, props::lookupProperty(property.name), property);
}

bool SkinPropertyTable::read(SkinObject& object, const props::PropertyKey* key, const SkinProperty& property) const
{
    if (!key)
        return false;
    const std::vector<int>& indexById = this->indexById();
    if (key->id >= int(indexById.size()))
        return false;
    const int index = indexById[size_t(key->id)];
    if (index < 0)
        return false;
    entry(index).read(object, key->field, property);
    return true;
}

void SkinPropertyTable::buildIndex() const
{
    static std::mutex building;
    const std::lock_guard lock(building);
    if (m_indexed.load(std::memory_order_relaxed))
        return;
    for (int i = 0; i < size(); ++i) {
        const int id = props::propertyId(entry(i).name);
        if (id >= int(m_indexById.size()))
            m_indexById.resize(size_t(id) + 1, -1);
        m_indexById[size_t(id)] = i;
    }
    m_indexed.store(true, std::memory_order_release);
}

void SkinPropertyTable::assign(SkinObject& to, const SkinObject& from) const
{
    const SkinPropertyTable& source = from.properties();
    for (const Declared& d : m_entries)
        if (d.entry.assign && source.inherits(*d.declaredIn))
            d.entry.assign(to, from);
}

bool SkinPropertyTable::inherits(const SkinPropertyTable& other) const
{
    for (const SkinPropertyTable* t = this; t; t = t->m_base)
        if (t == &other)
            return true;
    return false;
}

} // namespace corvane::skin
