#pragma once
// Shared constants and small types of the skinned menus: the messages the
// tracking loop and the click dispatcher use, shortcut key codes and their
// display text, and the image list an item draws its glyph from.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <Qt>

#include "skin/draw/SkinCaption.h"

class QPainter;

namespace corvane::skin {

// A level posts this to itself to open the sub-items of its new hot item.
constexpr int CM_MENUOPENSUB = 1135; // 0x046F
// A chosen item travels to the click dispatcher in this message, so that its
// OnClick runs only after every menu has closed and repainted.
constexpr int CM_MENUCLICK = 2234; // 0x08BA

// Geometry of the popup menus.
constexpr int MenuGlyphColumnWidth = 22;  // check mark / image column
constexpr int MenuArrowColumnWidth = 22;  // submenu arrow, rightmost
constexpr int MenuPlainMargin = 3;        // popup border without a skin
constexpr int MenuScrollStripHeight = 10; // each of the two scroll strips
constexpr int MenuScrollInterval = 100;   // ms between scroll steps

// Buttons a menu bar adds for a maximized child window of a multi-document
// frame; this program has none.
enum class SkinItemSpecial : int { None = 0, Close = 1, Restore = 2, Minimize = 3, ChildIcon = 4 };

// A shortcut: key code + 0x2000 with Shift + 0x4000 with Ctrl + 0x8000 with
// Alt; 0 is none. Key codes are those of the original platform (letters and
// digits are their upper-case character codes, F1 is 0x70 ...).
using Shortcut = int;
constexpr Shortcut scShift = 0x2000;
constexpr Shortcut scCtrl = 0x4000;
constexpr Shortcut scAlt = 0x8000;
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;

// The platform key code of a Qt key; 0 when it has none.
int virtualKeyOf(int qtKey);
// The shortcut of a key press (0 when the key has no code).
Shortcut shortCutOf(int qtKey, Qt::KeyboardModifiers modifiers);
// "Ctrl+Shift+S", "Alt+F4"; empty for 0.
QString shortCutText(Shortcut shortCut);

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
