#pragma once
// SkinLookKey and SkinLookCache: the finished pictures of a control's
// looks, so that a repaint of an unchanged control is one copy instead of
// laying out its face, measuring and shaping its caption again. The skinned
// controls (the button, the menu bar) keep their looks in one of these.
//
// A key lists everything that can change what a paint produces (states,
// size, captions, fonts, palette, the identity and generation of the skin
// copy, ...). A picture is reused only for an equal key, so a change of any
// of them shows at once; the owner also clears the cache where a change is
// not visible in the key (a new skin copy, a redraw request).
//
// A look may cover only parts of its rectangle (a style that leaves corners
// untouched); it then lists the parts it drew, and only they are copied.

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVarLengthArray>

#include <type_traits>

#include <list>
#include <utility>
#include <vector>

namespace corvane::skin {

struct SkinLookKey {
    QVarLengthArray<qint64, 32> numbers;
    QString text;
    QVarLengthArray<QFont, 2> fonts;

    SkinLookKey& operator<<(qint64 number)
    {
        numbers.append(number);
        return *this;
    }
    template <class Enum>
    requires std::is_enum_v<Enum> SkinLookKey& operator<<(Enum value) { return *this << qint64(value); }
    SkinLookKey& operator<<(const QFont& font)
    {
        fonts.append(font);
        return *this;
    }
    bool operator==(const SkinLookKey& other) const
    {
        return numbers == other.numbers && text == other.text && fonts == other.fonts;
    }
};

// A kept look: its picture and the parts of it that were drawn, in the
// picture's own coordinates (none: all of it). When the parts are a small
// share of the picture (a frame's border), each part's pixels may be kept on
// their own instead, in the order of the parts, and the picture left null.
// A look with neither marks one that cannot be kept and is drawn each time.
struct SkinLook {
    QImage picture;
    std::vector<QRect> parts;
    std::vector<QImage> partPictures;
};

// A few pictures, most recently used first: a control moves between a
// handful of looks (normal, hot, pressed, focused, disabled), and hovering
// over it must not paint them again and again.
class SkinLookCache {
public:
    explicit SkinLookCache(int capacity) : m_capacity(capacity) { }

    // The picture for `key`, or null; a hit becomes the most recent one.
    // The pointer holds until the entry is dropped.
    const QImage* find(const SkinLookKey& key)
    {
        const SkinLook* look = findLook(key);
        return look ? &look->picture : nullptr;
    }

    // Keeps a picture as the most recent one, dropping the least recent
    // when full; returns the kept picture.
    const QImage& insert(SkinLookKey key, QImage picture)
    {
        return insertLook(std::move(key), SkinLook{std::move(picture), {}, {}}).picture;
    }

    // The same for looks that list the parts they drew.
    const SkinLook* findLook(const SkinLookKey& key)
    {
        for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
            if (!(entry->key == key))
                continue;
            m_entries.splice(m_entries.begin(), m_entries, entry);
            return &entry->look;
        }
        return nullptr;
    }
    const SkinLook& insertLook(SkinLookKey key, SkinLook look)
    {
        if (int(m_entries.size()) >= m_capacity)
            m_entries.pop_back();
        m_entries.push_front(Entry{std::move(key), std::move(look)});
        return m_entries.front().look;
    }

    void clear() { m_entries.clear(); }
    // Empties the cache and hands its looks back, so that the memory of
    // their pictures can be drawn over for the looks that replace them.
    std::vector<SkinLook> takeLooks()
    {
        std::vector<SkinLook> looks;
        looks.reserve(m_entries.size());
        for (Entry& entry : m_entries)
            looks.push_back(std::move(entry.look));
        m_entries.clear();
        return looks;
    }
    int size() const { return int(m_entries.size()); }
    // The memory the kept pictures take.
    qsizetype bytes() const
    {
        qsizetype total = 0;
        for (const Entry& entry : m_entries) {
            total += entry.look.picture.sizeInBytes();
            for (const QImage& part : entry.look.partPictures)
                total += part.sizeInBytes();
        }
        return total;
    }

private:
    struct Entry {
        SkinLookKey key;
        SkinLook look;
    };
    // A list, so that a hit moves to the front without moving any look.
    std::list<Entry> m_entries;
    int m_capacity;
};

} // namespace corvane::skin
