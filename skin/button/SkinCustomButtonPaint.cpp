// SkinCustomButton: the glyph, the caption and the plain face.
#include "skin/button/SkinCustomButton.h"

#include "skin/button/SkinButtonGlyphs.h"

#include <QPainter>
#include <climits>

namespace corvane::skin {

namespace {

// One-pixel edges of `box`: left and top in one colour, right and bottom in
// the other.
void drawEdges(QPainter& painter, const QRect& box, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(box.left(), box.bottom(), box.left(), box.top());
    painter.drawLine(box.left(), box.top(), box.right(), box.top());
    painter.setPen(bottomRight);
    painter.drawLine(box.right(), box.top(), box.right(), box.bottom());
    painter.drawLine(box.right(), box.bottom(), box.left(), box.bottom());
}

} // namespace

QSize SkinCustomButton::glyphSize() const
{
    if (m_glyph.isNull() || m_glyphCount <= 0)
        return QSize();
    return QSize(m_glyph.width() / m_glyphCount, m_glyph.height());
}

QImage SkinCustomButton::currentGlyphImage() const
{
    const QSize size = glyphSize();
    if (size.isEmpty())
        return QImage();
    // Images in the bitmap: up, disabled, pressed, (down).
    int index = 0;
    bool greyOut = false;
    if (!isEnabled()) {
        if (m_glyphCount >= 2)
            index = 1;
        else
            greyOut = true;
    } else if (m_state == ButtonState::Pressed && m_glyphCount >= 3) {
        index = 2;
    }
    QImage image = glyphWithTransparency(m_glyph.copy(index * size.width(), 0, size.width(), size.height()));
    if (greyOut)
        image = disabledGlyph(image);
    return image;
}

QSize SkinCustomButton::captionLineSize(const QFont& font) const
{
    if (m_caption.isEmpty())
        return QSize(0, 0);
    const QFontMetrics metrics(font);
    return QSize(metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption).width(), metrics.height());
}

SkinButtonContent SkinCustomButton::contentLayout(const QFont& font) const
{
    return layoutButtonContent(size(), captionLineSize(font), glyphSize(), GlyphPlacement::Left, m_spacing, m_wordWrap,
                               m_state == ButtonState::Pressed);
}

void SkinCustomButton::drawCaption(QPainter& painter, const QRect& textArea, const QFont& font,
                                   const QColor& color) const
{
    if (m_caption.isEmpty())
        return;
    int flags = Qt::TextShowMnemonic | Qt::AlignHCenter | Qt::AlignTop;
    QSize textSize;
    if (m_wordWrap) {
        const QFontMetrics metrics(font);
        flags |= Qt::TextWordWrap;
        textSize = metrics.boundingRect(QRect(0, 0, qMax(0, textArea.width()), INT_MAX / 4), flags, m_caption).size();
    } else {
        flags |= Qt::TextSingleLine;
        textSize = captionLineSize(font);
    }
    painter.save();
    painter.setLayoutDirection(layoutDirection());
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(centredIn(textArea, textSize), flags, m_caption);
    painter.restore();
}

void SkinCustomButton::drawGlyph(QPainter& painter, const QRect& glyphRect) const
{
    const QImage image = currentGlyphImage();
    if (!image.isNull())
        painter.drawImage(glyphRect.topLeft(), image);
}

bool SkinCustomButton::describeLook(SkinLookKey& key) const
{
    key << skinState() << int(m_state) << isEnabled() << focusedFlag() << m_activeDefault << pointerInside()
        << layoutDirection() << m_glyph.cacheKey() << m_glyphCount << m_spacing << m_wordWrap << palette().cacheKey();
    key.text = m_caption;
    key << font();
    return true;
}

void SkinCustomButton::paintControl(QPainter& painter)
{
    paintPlain(painter);
}

void SkinCustomButton::paintPlain(QPainter& painter)
{
    const QPalette& pal = palette();
    QRect r = rect();
    painter.save();
    painter.fillRect(r, pal.color(QPalette::Button));

    // The classic push button: a black outline marks the default (or focused)
    // button; the pressed face is flat with a shadow line.
    if (isEnabled() && (m_activeDefault || focusedFlag())) {
        drawEdges(painter, r, pal.color(QPalette::Shadow), pal.color(QPalette::Shadow));
        r.adjust(1, 1, -1, -1);
    }
    if (m_state == ButtonState::Pressed) {
        drawEdges(painter, r, pal.color(QPalette::Dark), pal.color(QPalette::Dark));
    } else {
        drawEdges(painter, r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        drawEdges(painter, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
    }

    const SkinButtonContent content = contentLayout(font());
    drawGlyph(painter, content.glyphRect);
    if (isEnabled()) {
        drawCaption(painter, content.textArea, font(), pal.color(QPalette::ButtonText));
    } else {
        drawCaption(painter, content.textArea.translated(1, 1), font(), pal.color(QPalette::Light));
        drawCaption(painter, content.textArea, font(), pal.color(QPalette::Dark));
    }

    if (focusedFlag()) {
        QPen dotted(pal.color(QPalette::ButtonText), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
    painter.restore();
}

} // namespace corvane::skin
