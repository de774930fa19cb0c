// How the flat button draws itself: face, bevelled border, the glyph of its
// state and the caption.
#include "flat/FlatButton.h"

#include "flat/FlatColors.h"
#include "flat/FlatDrawing.h"

#include <QPainter>

namespace corvane::flat {

namespace {

// Which image of the glyph strip a state shows, and whether the single image
// of a disabled button is embossed.
struct GlyphChoice {
    int index = 0;
    bool embossed = false;
};

GlyphChoice chooseGlyph(int numGlyphs, flat::ButtonState state)
{
    switch (state) {
    case flat::ButtonState::Up: return {0, false};
    case flat::ButtonState::Disabled: return numGlyphs == 1 ? GlyphChoice{0, true} : GlyphChoice{1, false};
    case flat::ButtonState::Down: return {numGlyphs >= 3 ? 2 : 0, false};
    case flat::ButtonState::Exclusive: return {numGlyphs == 4 ? 3 : (numGlyphs == 3 ? 2 : 0), false};
    }
    return {};
}

} // namespace

void FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRgb transparentKey = flat::bottomLeftColor(m_glyph);
    painter.setFont(font());
    const bool pressedLook = m_state == flat::ButtonState::Down || m_state == flat::ButtonState::Exclusive;
    const QPoint offset = pressedLook ? QPoint(1, 1) : QPoint(0, 0);

    const QSize glyphSize = m_glyph.isNull() ? QSize(0, 0) : QSize(m_glyph.width() / m_numGlyphs, m_glyph.height());
    const QSize captionSize = m_caption.isEmpty()
                                  ? QSize(0, 0)
                                  : painter.fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
    const flat::GlyphCaptionPlacement placement =
        flat::placeGlyphAndCaption(rect(), offset, captionSize, m_layout, m_margin, m_spacing, glyphSize);

    followEnabled();
    paintFace(painter);
    paintBorder(painter);
    if (!m_glyph.isNull())
        paintGlyph(painter, placement.glyphPos, transparentKey);
    paintCaption(painter, placement.captionBounds);
}

// The state follows the enabled flag at the latest when painted.
void FlatButton::followEnabled()
{
    if (isEnabled() && m_state == flat::ButtonState::Disabled) {
        m_state = (m_down && m_groupIndex != 0) ? flat::ButtonState::Exclusive : flat::ButtonState::Up;
    } else if (!isEnabled()) {
        m_state = flat::ButtonState::Disabled;
        m_pressing = false;
    }
}

// The face colour of the current state, or an invalid colour where the
// parent's background shows through.
QColor FlatButton::faceColor() const
{
    if (m_transparentMode == flat::TransparentMode::Always)
        return QColor();
    if (m_transparentMode == flat::TransparentMode::UnlessHovered && !m_mouseOver)
        return QColor();
    switch (m_state) {
    case flat::ButtonState::Up: return m_mouseOver ? m_colorFocused : m_color;
    case flat::ButtonState::Disabled: return m_color;
    case flat::ButtonState::Down: return m_colorDown;
    case flat::ButtonState::Exclusive: return m_mouseOver ? m_colorFocused : m_colorDown;
    }
    return m_color;
}

void FlatButton::paintFace(QPainter& painter)
{
    // Without a colour nothing is filled: the parent has already painted its
    // background beneath this (non-opaque) widget.
    const QColor face = faceColor();
    if (face.isValid())
        painter.fillRect(rect(), face);
}

void FlatButton::paintBorder(QPainter& painter)
{
    switch (m_state) {
    case flat::ButtonState::Up:
        if (m_mouseOver)
            flat::drawBevelFrame(painter, rect(), m_colorHighLight, m_colorShadow, 1);
        else
            flat::drawBevelFrame(painter, rect(), m_colorBorder, m_colorBorder, m_default ? 2 : 1);
        break;
    case flat::ButtonState::Disabled: flat::drawBevelFrame(painter, rect(), m_colorBorder, m_colorBorder, 1); break;
    case flat::ButtonState::Down:
    case flat::ButtonState::Exclusive: flat::drawBevelFrame(painter, rect(), m_colorShadow, m_colorHighLight, 1); break;
    }
}

void FlatButton::paintGlyph(QPainter& painter, const QPoint& pos, QRgb transparentKey)
{
    const int imageWidth = m_glyph.width() / m_numGlyphs;
    if (imageWidth <= 0)
        return;
    const GlyphChoice choice = chooseGlyph(m_numGlyphs, m_state);
    QImage image = m_glyph.copy(choice.index * imageWidth, 0, imageWidth, m_glyph.height());
    if (choice.embossed) {
        image = flat::embossedImage(image, flat::buttonFaceColor(this), flat::buttonHighlightColor(this),
                                    flat::buttonShadowColor(this));
        transparentKey = flat::bottomLeftColor(image);
    }
    painter.drawImage(pos, flat::keyedOut(image, transparentKey));
}

void FlatButton::paintCaption(QPainter& painter, const QRect& bounds)
{
    if (m_caption.isEmpty())
        return;
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(flat::windowTextColor(this));
        painter.drawText(bounds, flags, m_caption);
    } else {
        painter.setPen(flat::buttonHighlightColor(this));
        painter.drawText(bounds.translated(1, 1), flags, m_caption);
        painter.setPen(flat::buttonShadowColor(this));
        painter.drawText(bounds, flags, m_caption);
    }
}

} // namespace corvane::flat
