#include "skin/menu/SkinMenuPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <qdrawutil.h>

#include "skin/model/SkinObjects.h"

namespace corvane::skin {

namespace {

std::unique_ptr<SkinObject> copyOf(const SkinObject* object)
{
    return object ? object->copyTree() : nullptr;
}

int textWidth(const QFont& font, const QString& text)
{
    return text.isEmpty() ? 0 : QFontMetrics(font).horizontalAdvance(text);
}

// The system's menu-item metric that an image list must exceed before the
// glyph column grows with it.
constexpr int SystemMenuCheckWidth = 16;

QColor plainTextColor(const QPalette& palette, bool hot, bool enabled)
{
    if (!enabled)
        return palette.color(QPalette::Disabled, QPalette::Text);
    return hot ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::ButtonText);
}

} // namespace

SkinMenuSkin SkinMenuSkin::from(const SkinMenuItem* item)
{
    SkinMenuSkin skin;
    if (!item)
        return skin;
    skin.barFrame = copyOf(childNamed(item->menuBarObject(), QStringLiteral("Frame")));
    skin.barItem = copyOf(item->menuBarItemObject());
    skin.popupFrame = copyOf(childNamed(item->popupMenuObject(), QStringLiteral("Frame")));
    skin.popupItem = copyOf(item->popupItemObject());
    skin.popupSeparator = copyOf(item->popupSeparatorObject());
    return skin;
}

void SkinMenuSkin::setHost(QObject* host)
{
    for (SkinObject* object : {barFrame.get(), barItem.get(), popupFrame.get(), popupItem.get(), popupSeparator.get()})
        if (object)
            object->setHost(host);
}

QFont SkinMenuPainter::plainFont()
{
    QFont font = QApplication::font("QMenu");
    return font;
}

// ---------------------------------------------------------------------------
// Measuring

QSize SkinMenuPainter::measureBarItem(const SkinMenuItem* item, const SkinMenuSkin& skin)
{
    const QString caption = displayCaption(item->caption());
    QSize size;
    if (SkinObject* object = skin.barItem.get()) {
        const QFont font = object->getFont().toQFont();
        size = QSize(textWidth(font, caption) + object->textMarginLeft + object->textMarginRight, object->height());
    } else {
        const QFontMetrics metrics(plainFont());
        size = QSize(textWidth(plainFont(), caption) + 12, metrics.height() + 6);
    }
    return size;
}

int SkinMenuPainter::glyphColumnWidth(SkinMenuItem* parent)
{
    SkinImageList* images = parent ? parent->effectiveImages() : nullptr;
    if (images && images->width() > SystemMenuCheckWidth)
        return images->width() + 6;
    return MenuGlyphColumnWidth;
}

QSize SkinMenuPainter::measurePopupItem(SkinMenuItem* item, const SkinMenuSkin& skin, int glyphWidth)
{
    if (item->isSeparator() && skin.popupSeparator)
        return QSize(skin.popupSeparator->width(), skin.popupSeparator->height());
    const QString caption = item->isSeparator() ? QString() : displayCaption(item->caption());
    const QString shortCut = shortcutText(item->shortcut());
    QSize size;
    if (SkinObject* object = skin.popupItem.get()) {
        const QFont font = object->getFont().toQFont();
        size = QSize(textWidth(font, caption) + glyphWidth + textWidth(font, shortCut) + 42, object->height());
    } else {
        const QFont font = plainFont();
        const int height = item->isSeparator() ? 9 : QFontMetrics(font).height() + 6;
        size = QSize(textWidth(font, caption) + glyphWidth + textWidth(font, shortCut) + 42, height);
    }
    if (!item->isSeparator())
        size.setHeight(qMax(size.height(), glyphWidth + 4));
    return size;
}

QMargins SkinMenuPainter::popupMargins(const SkinMenuSkin& skin)
{
    if (SkinObject* frame = skin.popupFrame.get())
        return QMargins(frame->marginLeft, frame->marginTop, frame->marginRight, frame->marginBottom);
    return QMargins(MenuPlainMargin, MenuPlainMargin, MenuPlainMargin, MenuPlainMargin);
}

int SkinMenuPainter::barHeight(const SkinMenuSkin& skin, int tallestItem)
{
    if (SkinObject* frame = skin.barFrame.get())
        return frame->height();
    return tallestItem + 4;
}

QRect SkinMenuPainter::barInnerRect(const SkinMenuSkin& skin, const QRect& bar)
{
    if (SkinObject* frame = skin.barFrame.get())
        return bar.adjusted(frame->marginLeft, frame->marginTop, -frame->marginRight, -frame->marginBottom);
    return bar.adjusted(2, 2, -2, -2);
}

// ---------------------------------------------------------------------------
// Drawing

void SkinMenuPainter::drawBarBackground(QPainter& painter, SkinMenuSkin& skin, const QRect& bar,
                                         const QPalette& palette)
{
    if (SkinObject* frame = skin.barFrame.get()) {
        frame->setBounds(bar);
        frame->draw(painter);
        return;
    }
    painter.fillRect(bar, palette.color(QPalette::Button));
}

void SkinMenuPainter::drawBarItem(QPainter& painter, SkinMenuSkin& skin, SkinMenuItem* item, SkinState state,
                                  const QPalette& palette)
{
    if (SkinObject* object = skin.barItem.get()) {
        object->setBounds(item->rect());
        object->text = item->caption(); // the skin underlines the accelerator letter
        object->secondText.clear();
        object->enabled = item->isEnabled();
        object->setState(state);
        object->draw(painter);
        return;
    }
    const bool hot = state != MenuItemStateNormal;
    if (hot)
        painter.fillRect(item->rect(), palette.color(QPalette::Highlight));
    painter.save();
    painter.setFont(plainFont());
    painter.setPen(plainTextColor(palette, hot, item->isEnabled()));
    painter.drawText(item->rect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, item->caption());
    painter.restore();
}

void SkinMenuPainter::drawPopupBackground(QPainter& painter, SkinMenuSkin& skin, const QRect& window,
                                           const QPalette& palette)
{
    if (SkinObject* frame = skin.popupFrame.get()) {
        frame->setBounds(window);
        frame->draw(painter);
        return;
    }
    painter.fillRect(window, palette.color(QPalette::Button));
    qDrawWinPanel(&painter, window, palette, false);
}

void SkinMenuPainter::drawPopupItem(QPainter& painter, SkinMenuSkin& skin, SkinMenuItem* item, SkinState state,
                                    int glyphWidth, const QPalette& palette)
{
    const QRect r = item->rect();
    if (item->isSeparator()) {
        if (SkinObject* separator = skin.popupSeparator.get()) {
            separator->setBounds(r);
            separator->setState(MenuItemStateNormal);
            separator->draw(painter);
        } else if (SkinObject* object = skin.popupItem.get()) {
            object->setBounds(r);
            object->text = QStringLiteral("-");
            object->secondText.clear();
            object->enabled = true;
            object->setState(MenuItemStateNormal);
            object->draw(painter);
        } else {
            qDrawShadeLine(&painter, r.left() + 3, r.top() + r.height() / 2 - 1, r.right() - 3,
                           r.top() + r.height() / 2 - 1, palette, true);
        }
        return;
    }

    QColor fontColor;
    if (SkinObject* object = skin.popupItem.get()) {
        object->setBounds(r);
        object->text = item->caption();
        object->secondText = shortcutText(item->shortcut());
        object->textMarginLeft = qMax(object->textMarginLeft, glyphWidth);
        object->enabled = item->isEnabled();
        object->setState(state);
        object->draw(painter);
        fontColor = toQColor(object->getFont().color);
    } else {
        const bool hot = state != MenuItemStateNormal;
        if (hot)
            painter.fillRect(r, palette.color(QPalette::Highlight));
        fontColor = plainTextColor(palette, hot, item->isEnabled());
        painter.save();
        painter.setFont(plainFont());
        painter.setPen(fontColor);
        const QRect text = r.adjusted(glyphWidth, 0, -10, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                         item->caption());
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shortcutText(item->shortcut()));
        painter.restore();
    }

    SkinImageList* images = item->effectiveImages();
    const bool hasImage = images && item->imageIndex() >= 0 && item->imageIndex() < images->count();
    if (hasImage) {
        images->draw(painter, r.left() + (glyphWidth - images->width()) / 2,
                     r.top() + (r.height() - images->height()) / 2, item->imageIndex(), item->isEnabled());
    } else if (item->isChecked()) {
        const int cx = (r.left() + (r.left() + glyphWidth)) / 2 - 2;
        const int cy = (r.top() + (r.top() + r.height())) / 2 + 1;
        drawCheckMark(painter, cx, cy, fontColor);
    }
    if (item->hasVisibleItems())
        drawSubmenuArrow(painter, r, fontColor);
}

void SkinMenuPainter::drawScrollStrip(QPainter& painter, SkinMenuSkin& skin, const QRect& strip, bool up, bool hot,
                                       const QPalette& palette)
{
    QColor color;
    if (skin.popupItem) {
        std::unique_ptr<SkinObject> object = skin.popupItem->copyTree();
        object->setBounds(strip);
        object->text.clear();
        object->secondText.clear();
        object->setState(hot ? MenuItemStateTracking : MenuItemStateNormal);
        object->draw(painter);
        color = toQColor(object->getFont().color);
    } else {
        if (hot)
            painter.fillRect(strip, palette.color(QPalette::Highlight));
        color = plainTextColor(palette, hot, true);
    }
    drawScrollTriangle(painter, strip, up, color);
}

void SkinMenuPainter::drawCheckMark(QPainter& painter, int cx, int cy, const QColor& color)
{
    static const QPoint first[] = {{-2, -2}, {0, 0}, {4, -4}, {4, -3}, {0, 1}, {-2, -1}, {-2, -2}};
    static const QPoint second[] = {{-3, -2}, {-3, -1}, {0, 2}, {5, -3}, {5, -5}};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 0));
    QPolygon one;
    for (const QPoint& p : first)
        one << p + QPoint(cx, cy);
    QPolygon two;
    for (const QPoint& p : second)
        two << p + QPoint(cx, cy);
    painter.drawPolyline(one);
    painter.drawPolyline(two);
    painter.restore();
}

void SkinMenuPainter::drawSubmenuArrow(QPainter& painter, const QRect& itemRect, const QColor& color)
{
    // A solid right-pointing triangle 4 wide and 7 high, centred in the
    // rightmost column.
    const QRect column(itemRect.right() + 1 - MenuArrowColumnWidth, itemRect.top(), MenuArrowColumnWidth,
                       itemRect.height());
    const int left = column.left() + (column.width() - 4) / 2;
    const int top = column.top() + (column.height() - 7) / 2;
    for (int i = 0; i < 4; ++i)
        painter.fillRect(QRect(left + i, top + i, 1, 7 - 2 * i), color);
}

void SkinMenuPainter::drawScrollTriangle(QPainter& painter, const QRect& rect, bool up, const QColor& color)
{
    const int left = rect.left() + (rect.width() - 7) / 2;
    const int top = rect.top() + (rect.height() - 4) / 2;
    for (int row = 0; row < 4; ++row) {
        const int width = up ? 1 + 2 * row : 7 - 2 * row;
        painter.fillRect(QRect(left + (7 - width) / 2, top + row, width, 1), color);
    }
}

} // namespace corvane::skin
