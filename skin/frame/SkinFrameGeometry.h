#pragma once
// The geometric rules of a skinned frame that need no window: which hit area a
// skin object's Kind gives, what the window system is told for it, snapping a
// dragged window to the work-area edges, and the size limits every position
// change goes through.

#include <QRect>

#include "skin/SkinTypes.h"
#include "skin/SkinFormTypes.h"

namespace corvane::skin {

// Where a point of the window lies, as the frame sees it. The built-in button
// areas exist only on the plain frame drawn without a skin.
enum class HitArea {
    Client,
    Caption,
    Left,
    Top,
    Right,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    SkinButton, // a caption button of the skin (SkinKind::SystemButton)
    CloseButton,
    MaximizeButton,
    MinimizeButton,
    RollupButton,
    SystemMenuButton
};

// What the window system is told for a point: move by it, size by one edge,
// a caption button (the pointer belongs to the frame), or plain client area.
enum class SystemAnswer {
    Client,
    Caption,
    Left,
    Top,
    Right,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Button
};

HitArea hitAreaOfKind(SkinKind kind);

// With Dragging.Moveable false the caption answers client; with Sizeable false
// (or a maximized window) every edge and corner does.
SystemAnswer systemAnswerOf(HitArea area, const SkinDragging& dragging, bool maximized);

bool isEdgeArea(HitArea area);
bool isBuiltInButtonArea(HitArea area);

// Snaps `window` onto the edges of `area` that lie less than `size` pixels
// away: left, else right; independently top, else bottom. The shadow width is
// not counted as part of the window.
QRect applyGravitation(const QRect& window, const QRect& area, const SkinGravitation& gravitation, int shadowSize = 0);

// Moves the edges of `start` that belong to `area` by `travel`, keeping at
// least `minimum`: a left or top edge stops where the size would fall below it.
QRect sizeByEdge(const QRect& start, HitArea area, const QPoint& travel, const QSize& minimum);

// Clamps a size to the maximum and, when `withMinimum`, to the minimum.
QSize clampSize(const QSize& size, const QSize& minimum, const QSize& maximum, bool withMinimum);

} // namespace corvane::skin
