#include "skin/frame/PlainFrame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QStyle>
#include <qdrawutil.h>

namespace corvane::skin {

namespace {

bool has(SkinBorderIcons icons, SkinBorderIcon icon)
{
    return (icons & borderIconBit(icon)) != 0;
}

int styleMetric(QStyle::PixelMetric metric, int fallback)
{
    const int value = QApplication::style() ? QApplication::style()->pixelMetric(metric) : 0;
    return value > 0 ? value : fallback;
}

void drawCaptionButton(QPainter& painter, const QRect& rect, QStyle::StandardPixmap glyph, bool pressed)
{
    if (rect.isEmpty())
        return;
    const QPalette palette = QApplication::palette();
    qDrawWinButton(&painter, rect, palette, pressed, &palette.brush(QPalette::Button));
    const QIcon icon = QApplication::style()->standardIcon(glyph);
    const QRect glyphRect = rect.adjusted(2, 2, -2, -2).translated(pressed ? 1 : 0, pressed ? 1 : 0);
    icon.paint(&painter, glyphRect);
}

} // namespace

PlainFrameLayout PlainFrameLayout::compute(const QSize& windowSize, SkinBorderStyle style, SkinBorderIcons icons,
                                           SkinWindowState state)
{
    PlainFrameLayout layout;
    layout.window = QRect(QPoint(0, 0), windowSize);
    if (style == SkinBorderStyle::None) {
        layout.client = layout.window;
        return layout;
    }
    layout.border = styleMetric(QStyle::PM_MdiSubWindowFrameWidth, 4);
    layout.captionHeight =
        style == SkinBorderStyle::ToolWindow ? 16 : qMax(18, styleMetric(QStyle::PM_TitleBarHeight, 18));
    const int b = layout.border;
    layout.caption = QRect(b, b, qMax(0, windowSize.width() - 2 * b), layout.captionHeight);
    const int clientTop = b + layout.captionHeight;
    layout.client =
        QRect(b, clientTop, qMax(0, windowSize.width() - 2 * b), qMax(0, windowSize.height() - clientTop - b));

    // Buttons from the right: close, maximize or restore, minimize, roll up.
    const int size = layout.captionHeight - 4;
    int right = layout.caption.right() - 1;
    auto place = [&](QRect& target, int gap) {
        target = QRect(right - size + 1, layout.caption.top() + 2, size, size);
        right -= size + gap;
    };
    if (has(icons, SkinBorderIcon::Close))
        place(layout.closeButton, 2);
    if (has(icons, SkinBorderIcon::Maximize) && state != SkinWindowState::Minimized)
        place(layout.maximizeButton, 0);
    if (has(icons, SkinBorderIcon::Minimize) && state != SkinWindowState::Minimized)
        place(layout.minimizeButton, 2);
    if (has(icons, SkinBorderIcon::RollUp) && state != SkinWindowState::Minimized)
        place(layout.rollupButton, 2);
    if (has(icons, SkinBorderIcon::SystemMenu))
        layout.sysMenuButton = QRect(layout.caption.left() + 2, layout.caption.top() + 1, 16, 16);
    return layout;
}

HitArea PlainFrameLayout::hitArea(const QPoint& p) const
{
    if (!window.contains(p) || client.contains(p))
        return HitArea::Client;
    if (closeButton.contains(p))
        return HitArea::CloseButton;
    if (maximizeButton.contains(p))
        return HitArea::MaximizeButton;
    if (minimizeButton.contains(p))
        return HitArea::MinimizeButton;
    if (rollupButton.contains(p))
        return HitArea::RollupButton;
    if (sysMenuButton.contains(p))
        return HitArea::SystemMenuButton;
    if (caption.contains(p))
        return HitArea::Caption;
    // The border: corners reach a caption height along each edge.
    const int corner = qMax(border, captionHeight);
    const bool left = p.x()<window.left() + corner, right = p.x()> window.right() - corner;
    const bool top = p.y()<window.top() + corner, bottom = p.y()> window.bottom() - corner;
    const bool onLeft = p.x()<window.left() + border, onRight = p.x()> window.right() - border;
    const bool onTop = p.y()<window.top() + border, onBottom = p.y()> window.bottom() - border;
    if ((onTop && left) || (onLeft && top))
        return HitArea::TopLeft;
    if ((onTop && right) || (onRight && top))
        return HitArea::TopRight;
    if ((onBottom && left) || (onLeft && bottom))
        return HitArea::BottomLeft;
    if ((onBottom && right) || (onRight && bottom))
        return HitArea::BottomRight;
    if (onLeft)
        return HitArea::Left;
    if (onRight)
        return HitArea::Right;
    if (onTop)
        return HitArea::Top;
    if (onBottom)
        return HitArea::Bottom;
    return HitArea::Caption;
}

void paintPlainFrame(QPainter& painter, const PlainFrameLayout& layout, const QString& caption, const QIcon& icon,
                     bool active, SkinWindowState state, HitArea pressedButton)
{
    if (layout.border == 0 && layout.captionHeight == 0)
        return;
    const QPalette palette = QApplication::palette();
    const QRegion band = QRegion(layout.window) - QRegion(layout.client);
    painter.save();
    painter.setClipRegion(band);
    painter.fillRect(layout.window, palette.brush(QPalette::Button));
    qDrawWinPanel(&painter, layout.window, palette, false);

    // The classic caption colours: deep blue when active, grey when not.
    QLinearGradient gradient(layout.caption.topLeft(), layout.caption.topRight());
    gradient.setColorAt(0, active ? QColor(0x00, 0x00, 0x80) : QColor(0x80, 0x80, 0x80));
    gradient.setColorAt(1, active ? QColor(0x10, 0x84, 0xD0) : QColor(0xC0, 0xC0, 0xC0));
    painter.fillRect(layout.caption, gradient);

    int textLeft = layout.caption.left() + 4;
    if (!layout.sysMenuButton.isEmpty()) {
        icon.paint(&painter, layout.sysMenuButton);
        textLeft = layout.sysMenuButton.right() + 4;
    }
    int textRight = layout.caption.right() - 2;
    for (const QRect& button : {layout.rollupButton, layout.minimizeButton, layout.maximizeButton, layout.closeButton})
        if (!button.isEmpty())
            textRight = qMin(textRight, button.left() - 4);
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(active ? Qt::white : QColor(0xD4, 0xD0, 0xC8));
    const QRect textRect(textLeft, layout.caption.top(), qMax(0, textRight - textLeft), layout.caption.height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(font).elidedText(caption, Qt::ElideRight, textRect.width()));

    const bool restoreGlyph = state == SkinWindowState::Maximized;
    drawCaptionButton(painter, layout.rollupButton,
                      state == SkinWindowState::RolledUp ? QStyle::SP_TitleBarUnshadeButton
                                                         : QStyle::SP_TitleBarShadeButton,
                      pressedButton == HitArea::RollupButton);
    drawCaptionButton(painter, layout.minimizeButton, QStyle::SP_TitleBarMinButton,
                      pressedButton == HitArea::MinimizeButton);
    drawCaptionButton(painter, layout.maximizeButton,
                      restoreGlyph ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton,
                      pressedButton == HitArea::MaximizeButton);
    drawCaptionButton(painter, layout.closeButton, QStyle::SP_TitleBarCloseButton,
                      pressedButton == HitArea::CloseButton);
    painter.restore();
}

} // namespace corvane::skin
