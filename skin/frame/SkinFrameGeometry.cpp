#include "skin/frame/SkinFrameGeometry.h"

#include <QSize>
#include <cstdlib>

namespace corvane::skin {

HitArea hitAreaOfKind(SkinKind kind)
{
    switch (kind) {
    case SkinKind::Caption:
    case SkinKind::Title: return HitArea::Caption;
    case SkinKind::Left: return HitArea::Left;
    case SkinKind::Top: return HitArea::Top;
    case SkinKind::Right: return HitArea::Right;
    case SkinKind::Bottom: return HitArea::Bottom;
    case SkinKind::TopLeft: return HitArea::TopLeft;
    case SkinKind::TopRight: return HitArea::TopRight;
    case SkinKind::BottomLeft: return HitArea::BottomLeft;
    case SkinKind::BottomRight: return HitArea::BottomRight;
    case SkinKind::SystemButton: return HitArea::SkinButton;
    default: return HitArea::Client;
    }
}

bool isEdgeArea(HitArea area)
{
    switch (area) {
    case HitArea::Left:
    case HitArea::Top:
    case HitArea::Right:
    case HitArea::Bottom:
    case HitArea::TopLeft:
    case HitArea::TopRight:
    case HitArea::BottomLeft:
    case HitArea::BottomRight: return true;
    default: return false;
    }
}

bool isBuiltInButtonArea(HitArea area)
{
    switch (area) {
    case HitArea::CloseButton:
    case HitArea::MaximizeButton:
    case HitArea::MinimizeButton:
    case HitArea::RollupButton:
    case HitArea::SystemMenuButton: return true;
    default: return false;
    }
}

SystemAnswer systemAnswerOf(HitArea area, const SkinDragging& dragging, bool maximized)
{
    if (area == HitArea::Caption)
        return dragging.moveable ? SystemAnswer::Caption : SystemAnswer::Client;
    if (area == HitArea::SkinButton || isBuiltInButtonArea(area))
        return SystemAnswer::Button;
    if (!isEdgeArea(area) || !dragging.sizeable || maximized)
        return SystemAnswer::Client;
    switch (area) {
    case HitArea::Left: return SystemAnswer::Left;
    case HitArea::Top: return SystemAnswer::Top;
    case HitArea::Right: return SystemAnswer::Right;
    case HitArea::Bottom: return SystemAnswer::Bottom;
    case HitArea::TopLeft: return SystemAnswer::TopLeft;
    case HitArea::TopRight: return SystemAnswer::TopRight;
    case HitArea::BottomLeft: return SystemAnswer::BottomLeft;
    default: return SystemAnswer::BottomRight;
    }
}

QRect applyGravitation(const QRect& window, const QRect& area, const SkinGravitation& gravitation, int shadowSize)
{
    if (!gravitation.enabled)
        return window;
    QRect result = window;
    const int size = gravitation.size;
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

QRect sizeByEdge(const QRect& start, HitArea area, const QPoint& travel, const QSize& minimum)
{
    int left = start.x();
    int top = start.y();
    int right = start.x() + start.width();
    int bottom = start.y() + start.height();
    const bool moveLeft = area == HitArea::Left || area == HitArea::TopLeft || area == HitArea::BottomLeft;
    const bool moveRight = area == HitArea::Right || area == HitArea::TopRight || area == HitArea::BottomRight;
    const bool moveTop = area == HitArea::Top || area == HitArea::TopLeft || area == HitArea::TopRight;
    const bool moveBottom = area == HitArea::Bottom || area == HitArea::BottomLeft || area == HitArea::BottomRight;

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
