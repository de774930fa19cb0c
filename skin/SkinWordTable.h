#pragma once
// A small, fixed set of words (property names, identifiers) with a value
// each, looked up in constant time: open addressing over a power-of-two table
// with a hash of the length and a few bytes. Reading a skin looks words up
// several times per property, which makes this faster than a general hash.

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <vector>

namespace corvane::skin {

template <class Value>
class TSkinWordTable {
public:
    struct Entry {
        QByteArray word;
        Value value{};
    };

    explicit TSkinWordTable(std::uint32_t capacity = 256)
    {
        std::uint32_t size = 16;
        while (size < capacity * 4) size *= 2;
        m_entries.resize(size);
        m_mask = size - 1;
    }

    // The first value added for a word stays.
    void add(const QByteArray& word, const Value& value)
    {
        if (find(word.constData(), word.size())) return;
        for (std::uint32_t i = hash(word.constData(), word.size()) & m_mask;; i = (i + 1) & m_mask) {
            if (m_entries[i].word.isNull()) {
                m_entries[i] = {word, value};
                return;
            }
        }
    }

    const Entry* find(const char* data, qsizetype size) const
    {
        for (std::uint32_t i = hash(data, size) & m_mask;; i = (i + 1) & m_mask) {
            const Entry& entry = m_entries[i];
            if (entry.word.isNull()) return nullptr;
            if (entry.word.size() == size && equalBytes(entry.word.constData(), data, size)) return &entry;
        }
    }
    const Entry* find(const QByteArray& word) const { return find(word.constData(), word.size()); }

private:
    // Words are short: comparing eight bytes at a time in line beats a call.
    static bool equalBytes(const char* a, const char* b, qsizetype size)
    {
        qsizetype i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t x, y;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (x != y) return false;
        }
        for (; i < size; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }

    static std::uint32_t hash(const char* data, qsizetype size)
    {
        if (size <= 0) return 0;
        const auto at = [data](qsizetype i) { return std::uint32_t(std::uint8_t(data[i])); };
        std::uint32_t h = std::uint32_t(size) * 0x9E3779B1u;
        h ^= at(0) | at(size - 1) << 8 | at(size / 2) << 16 | at((size * 3) / 4) << 24;
        h ^= at(size / 4) * 0x85EBCA6Bu;
        h *= 0xC2B2AE35u;
        return h ^ (h >> 15);
    }

    std::vector<Entry> m_entries;
    std::uint32_t m_mask = 0;
};

} // namespace corvane::skin
