#pragma once
// The frame drawn when no skin is available: a raised border, a caption bar in
// the classic desktop colours with the title, the window icon and the built-in
// caption buttons, all sized from the style's metrics.

#include <QIcon>
#include <QPainter>
#include <QRect>
#include <QString>

#include "skin/SkinFormTypes.h"
#include "skin/frame/SkinFrameGeometry.h"

namespace corvane::skin {

struct PlainFrameLayout {
    int border = 0;        // width of the outer border on every side
    int captionHeight = 0; // height of the caption bar below the top border
    QRect window;
    QRect caption;
    QRect client;
    QRect sysMenuButton, rollupButton, minimizeButton, maximizeButton, closeButton; // empty when absent

    // The layout for a window size, style and state (buttons by border icons).
    static PlainFrameLayout compute(const QSize& windowSize, SkinBorderStyle style, SkinBorderIcons icons,
                                    SkinWindowState state);

    HitArea hitArea(const QPoint& point) const;
};

// Paints the plain frame (not the client area).
void paintPlainFrame(QPainter& painter, const PlainFrameLayout& layout, const QString& caption, const QIcon& icon,
                     bool active, SkinWindowState state, HitArea pressedButton);

} // namespace corvane::skin
