#pragma once
// Shared constants and small types of the skinned menus: geometry, shortcut
// keys and their display text, and the image list an item draws its glyph
// from.

#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QSize>
#include <QString>
#include <Qt>

#include "skin/draw/SkinCaption.h"

class QPainter;

namespace corvane::skin {

// Geometry of the popup menus.
constexpr int MenuGlyphColumnWidth = 22;  // check mark / image column
constexpr int MenuArrowColumnWidth = 22;  // submenu arrow, rightmost
constexpr int MenuPlainMargin = 3;        // popup border without a skin
constexpr int MenuScrollStripHeight = 10; // each of the two scroll strips
constexpr int MenuScrollInterval = 100;   // ms between scroll steps

// A shortcut is one key with any of Shift, Ctrl and Alt; an empty sequence
// is none. Only the keys that have a text below can be shortcuts (letters,
// digits, F1..F24 and the named keys); Enter and Return are the same key.

// The shortcut of a key press; empty when the key cannot be one.
QKeySequence shortcutOf(int qtKey, Qt::KeyboardModifiers modifiers);
// "Shift+Ctrl+S", "Alt+F4"; empty for none.
QString shortcutText(const QKeySequence& shortcut);
// "Alt+F4", "Ctrl+Shift+S" ... back to a shortcut; empty when not understood.
QKeySequence shortcutFromText(const QString& text);

// Pictures for item glyphs, all of one size.
class SkinImageList {
public:
    SkinImageList() = default;
    explicit SkinImageList(QSize size) : m_size(size) { }
    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    int count() const { return int(m_images.size()); }
    void add(const QImage& image) { m_images.append(image); }
    // Draws picture `index` with its top-left corner at (x, y), greyed when
    // disabled; nothing for an index out of range.
    void draw(QPainter& painter, int x, int y, int index, bool enabled) const;

private:
    QSize m_size;
    QList<QImage> m_images;
};

} // namespace corvane::skin
