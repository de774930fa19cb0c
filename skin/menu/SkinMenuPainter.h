#pragma once
// Measuring and drawing of menu items, bars and popups, with the skin's
// objects or, without a skin, plainly in system colours.
//
// A menu window never draws the engine's objects: SkinMenuSkin holds the
// window's own copies of the objects it needs, taken from an item's skin
// references.

#include <QFont>
#include <QPainter>
#include <memory>

#include "skin/model/SkinObject.h"
#include "skin/menu/SkinMenuItem.h"

namespace corvane::skin {

struct SkinMenuSkin {
    std::unique_ptr<SkinObject> barFrame;       // "MenuBar"."Frame"
    std::unique_ptr<SkinObject> barItem;        // "MenuBar"."Item" (or "ToolbarItem")
    std::unique_ptr<SkinObject> popupFrame;     // "PopupMenu"."Frame"
    std::unique_ptr<SkinObject> popupItem;      // "PopupMenu"."Item"
    std::unique_ptr<SkinObject> popupSeparator; // "PopupMenu"."Separator" (optional)

    // Copies the objects the item refers to (nothing without a skin).
    static SkinMenuSkin from(const SkinMenuItem* item);
    void setHost(QObject* host);
};

// The item states of the skin: hot outside menu mode, hot in menu mode.
constexpr SkinState MenuItemStateNormal = SkinState::Normal;
constexpr SkinState MenuItemStateHot = SkinState::Hot;
constexpr SkinState MenuItemStateTracking = SkinState::Focused;

class SkinMenuPainter {
public:
    // The font of plain menus (system menu font).
    static QFont plainFont();

    // ---- Measuring.
    static QSize measureBarItem(const SkinMenuItem* item, const SkinMenuSkin& skin);
    // The glyph column of a popup showing the sub-items of `parent`.
    static int glyphColumnWidth(SkinMenuItem* parent);
    static QSize measurePopupItem(SkinMenuItem* item, const SkinMenuSkin& skin, int glyphWidth);
    // Margins of the popup window around its items (3 on every side in the
    // stored skin and without a skin).
    static QMargins popupMargins(const SkinMenuSkin& skin);
    // Height of a bar: the skin frame's height, else the tallest item plus 4.
    static int barHeight(const SkinMenuSkin& skin, int tallestItem);
    // The bar's inner rectangle: the frame laid out to the bar less its margins.
    static QRect barInnerRect(const SkinMenuSkin& skin, const QRect& bar);

    // ---- Drawing.
    static void drawBarBackground(QPainter& painter, SkinMenuSkin& skin, const QRect& bar, const QPalette& palette);
    static void drawBarItem(QPainter& painter, SkinMenuSkin& skin, SkinMenuItem* item, SkinState state,
                            const QPalette& palette);
    static void drawPopupBackground(QPainter& painter, SkinMenuSkin& skin, const QRect& window,
                                    const QPalette& palette);
    static void drawPopupItem(QPainter& painter, SkinMenuSkin& skin, SkinMenuItem* item, SkinState state,
                              int glyphWidth, const QPalette& palette);
    // A scroll strip; `up` chooses the triangle's direction.
    static void drawScrollStrip(QPainter& painter, SkinMenuSkin& skin, const QRect& strip, bool up, bool hot,
                                const QPalette& palette);
    // The check mark polylines centred on (cx, cy) as the item computes them.
    static void drawCheckMark(QPainter& painter, int cx, int cy, const QColor& color);
    // The submenu arrow in the rightmost 22 pixels of `itemRect`.
    static void drawSubmenuArrow(QPainter& painter, const QRect& itemRect, const QColor& color);
    // A solid 7 x 4 triangle centred in `rect`.
    static void drawScrollTriangle(QPainter& painter, const QRect& rect, bool up, const QColor& color);
};

} // namespace corvane::skin
