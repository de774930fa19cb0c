#pragma once
// A small, fixed set of words (property names, identifiers) with a value
// each, looked up in constant time: open addressing over a power-of-two table
// with a hash of the length and the bytes at both ends. Reading a skin looks
// words up several times per property, which makes this faster than a
// general hash.

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <vector>

namespace corvane::skin {

template <class Value> class SkinWordTable {
public:
    struct Entry {
        QByteArray word;
        Value value{};
    };

    // `capacity`: about the most words the table will hold.
    explicit SkinWordTable(std::uint32_t capacity = 256)
    {
        std::uint32_t size = 16;
        while (size < capacity * 4)
            size *= 2;
        m_slots.resize(size);
        m_mask = size - 1;
        m_entries.reserve(capacity);
    }

    // The first value added for a word stays. Entries found before stay
    // where they are as long as no more than `capacity` words are added.
    void add(const QByteArray& word, const Value& value)
    {
        if (find(word.constData(), word.size()))
            return;
        for (std::uint32_t i = hash(word.constData(), word.size()) & m_mask;; i = (i + 1) & m_mask) {
            if (m_slots[i] == 0) {
                m_entries.push_back({word, value});
                m_slots[i] = std::uint16_t(m_entries.size());
                return;
            }
        }
    }

    const Entry* find(const char* data, qsizetype size) const
    {
        for (std::uint32_t i = hash(data, size) & m_mask;; i = (i + 1) & m_mask) {
            const std::uint16_t slot = m_slots[i];
            if (slot == 0)
                return nullptr;
            const Entry& entry = m_entries[slot - 1u];
            if (entry.word.size() == size && equalBytes(entry.word.constData(), data, size))
                return &entry;
        }
    }
    const Entry* find(const QByteArray& word) const { return find(word.constData(), word.size()); }

    // Whether `size` bytes at `a` and `b` are the same, as the table compares
    // words (for readers that check a word they expect before looking it up).
    static bool sameBytes(const char* a, const char* b, qsizetype size) { return equalBytes(a, b, size); }

private:
    static std::uint64_t load8(const char* p)
    {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        return v;
    }
    static std::uint32_t load4(const char* p)
    {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }

    // Words are short: compared as two overlapping loads from each end (plus
    // eight-byte steps for long ones), in line, without a call or a byte loop.
    static bool equalBytes(const char* a, const char* b, qsizetype size)
    {
        if (size >= 8) {
            for (qsizetype i = 0; i + 8 < size; i += 8)
                if (load8(a + i) != load8(b + i))
                    return false;
            return load8(a + size - 8) == load8(b + size - 8);
        }
        if (size >= 4)
            return load4(a) == load4(b) && load4(a + size - 4) == load4(b + size - 4);
        for (qsizetype i = 0; i < size; ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }

    // The length and the bytes at both ends: the words of a skin differ
    // there (their prefixes are shared: "sa", "Font.", "TSkin").
    static std::uint32_t hash(const char* data, qsizetype size)
    {
        std::uint64_t h = std::uint64_t(size) * 0x9E3779B97F4A7C15ull;
        if (size >= 8) {
            h ^= load8(data) + load8(data + size - 8) * 0xC2B2AE3D27D4EB4Full;
        } else if (size >= 4) {
            h ^= load4(data) | std::uint64_t(load4(data + size - 4)) << 32;
        } else {
            for (qsizetype i = 0; i < size; ++i)
                h ^= std::uint64_t(std::uint8_t(data[i])) << (8 * i);
        }
        h *= 0xFF51AFD7ED558CCDull;
        return std::uint32_t(h >> 32) ^ std::uint32_t(h);
    }

    // The probed slots hold only an entry's number (0 for none), so that the
    // part a lookup jumps around in is small enough to stay in the cache.
    std::vector<std::uint16_t> m_slots;
    std::vector<Entry> m_entries; // in the order added
    std::uint32_t m_mask = 0;
};

} // namespace corvane::skin
