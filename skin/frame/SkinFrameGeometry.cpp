#include "skin/frame/SkinFrameGeometry.h"

#include <QSize>
#include <cstdlib>

namespace corvane::skin {

THitArea hitAreaOfKind(TSkinKind kind)
{
    switch (kind) {
    case skCaption:
    case skTitle: return THitArea::Caption;
    case skLeft: return THitArea::Left;
    case skTop: return THitArea::Top;
    case skRight: return THitArea::Right;
    case skBottom: return THitArea::Bottom;
    case skTopLeft: return THitArea::TopLeft;
    case skTopRight: return THitArea::TopRight;
    case skBottomLeft: return THitArea::BottomLeft;
    case skBottomRight: return THitArea::BottomRight;
    case skSysButton: return THitArea::SkinButton;
    default: return THitArea::Client;
    }
}

bool isEdgeArea(THitArea area)
{
    switch (area) {
    case THitArea::Left:
    case THitArea::Top:
    case THitArea::Right:
    case THitArea::Bottom:
    case THitArea::TopLeft:
    case THitArea::TopRight:
    case THitArea::BottomLeft:
    case THitArea::BottomRight: return true;
    default: return false;
    }
}

bool isBuiltInButtonArea(THitArea area)
{
    switch (area) {
    case THitArea::CloseButton:
    case THitArea::MaximizeButton:
    case THitArea::MinimizeButton:
    case THitArea::RollupButton:
    case THitArea::SystemMenuButton: return true;
    default: return false;
    }
}

TSystemAnswer systemAnswerOf(THitArea area, const TSkinDragging& dragging, bool maximized)
{
    if (area == THitArea::Caption)
        return dragging.Moveable ? TSystemAnswer::Caption : TSystemAnswer::Client;
    if (area == THitArea::SkinButton || isBuiltInButtonArea(area))
        return TSystemAnswer::Button;
    if (!isEdgeArea(area) || !dragging.Sizeable || maximized)
        return TSystemAnswer::Client;
    switch (area) {
    case THitArea::Left: return TSystemAnswer::Left;
    case THitArea::Top: return TSystemAnswer::Top;
    case THitArea::Right: return TSystemAnswer::Right;
    case THitArea::Bottom: return TSystemAnswer::Bottom;
    case THitArea::TopLeft: return TSystemAnswer::TopLeft;
    case THitArea::TopRight: return TSystemAnswer::TopRight;
    case THitArea::BottomLeft: return TSystemAnswer::BottomLeft;
    default: return TSystemAnswer::BottomRight;
    }
}

QRect applyGravitation(const QRect& window, const QRect& area, const TSkinGravitation& gravitation, int shadowSize)
{
    if (!gravitation.Enabled)
        return window;
    QRect result = window;
    const int size = gravitation.Size;
    // Edges as exclusive coordinates; the shadow hangs off the right and bottom.
    const int right = window.x() + window.width() - shadowSize;
    const int bottom = window.y() + window.height() - shadowSize;
    const int areaRight = area.x() + area.width();
    const int areaBottom = area.y() + area.height();

    if (std::abs(window.x() - area.x()) < size)
        result.moveLeft(area.x());
    else if (std::abs(right - areaRight) < size)
        result.moveLeft(window.x() + (areaRight - right));

    if (std::abs(window.y() - area.y()) < size)
        result.moveTop(area.y());
    else if (std::abs(bottom - areaBottom) < size)
        result.moveTop(window.y() + (areaBottom - bottom));
    return result;
}

QRect sizeByEdge(const QRect& start, THitArea area, const QPoint& travel, const QSize& minimum)
{
    int left = start.x();
    int top = start.y();
    int right = start.x() + start.width();
    int bottom = start.y() + start.height();
    const bool moveLeft = area == THitArea::Left || area == THitArea::TopLeft || area == THitArea::BottomLeft;
    const bool moveRight = area == THitArea::Right || area == THitArea::TopRight || area == THitArea::BottomRight;
    const bool moveTop = area == THitArea::Top || area == THitArea::TopLeft || area == THitArea::TopRight;
    const bool moveBottom = area == THitArea::Bottom || area == THitArea::BottomLeft || area == THitArea::BottomRight;

    if (moveLeft)
        left = qMin(left + travel.x(), right - minimum.width());
    if (moveRight)
        right = qMax(right + travel.x(), left + minimum.width());
    if (moveTop)
        top = qMin(top + travel.y(), bottom - minimum.height());
    if (moveBottom)
        bottom = qMax(bottom + travel.y(), top + minimum.height());
    return QRect(left, top, right - left, bottom - top);
}

QSize clampSize(const QSize& size, const QSize& minimum, const QSize& maximum, bool withMinimum)
{
    QSize result = size.boundedTo(maximum);
    if (withMinimum)
        result = result.expandedTo(minimum);
    return result;
}

} // namespace corvane::skin
