#include "skin/button/SkinButtonLayout.h"

#include "skin/SkinTypes.h"

namespace corvane::skin {

SkinState buttonSkinState(bool enabled, ButtonState state, bool pointerInside, bool focusedOrActiveDefault)
{
    if (!enabled)
        return SkinState::Disabled;
    if (state == ButtonState::Pressed)
        return SkinState::Pressed;
    if (pointerInside)
        return SkinState::Hot;
    if (focusedOrActiveDefault)
        return SkinState::Focused;
    return SkinState::Normal;
}

QRect centredIn(const QRect& area, const QSize& size)
{
    // C++ integer division truncates towards zero, as the offsets must.
    return QRect(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

SkinButtonContent layoutButtonContent(const QSize& buttonSize, const QSize& textSize, const QSize& glyphSize,
                                      GlyphPlacement placement, int spacing, bool wordWrap, bool pressed)
{
    const bool hasGlyph = !glyphSize.isEmpty();
    const int gw = hasGlyph ? glyphSize.width() : 0;
    const int gh = hasGlyph ? glyphSize.height() : 0;
    const bool horizontal = placement == GlyphPlacement::Left || placement == GlyphPlacement::Right;

    QSize text = textSize;
    if (wordWrap)
        text = QSize(buttonSize.width() - spacing - gw - 10, buttonSize.height() - spacing - gh - 10);

    QSize content = text;
    if (hasGlyph) {
        if (horizontal)
            content.rwidth() += gw + spacing;
        else
            content.rheight() += gh + spacing;
        content = content.expandedTo(glyphSize);
    }

    SkinButtonContent out;
    out.content = centredIn(QRect(QPoint(0, 0), buttonSize), content);
    if (pressed)
        out.content.translate(1, 1);
    const QRect& c = out.content;

    if (!hasGlyph) {
        out.textArea = c;
        return out;
    }
    const int stripW = gw + spacing, stripH = gh + spacing;
    switch (placement) {
    case GlyphPlacement::Left:
        out.glyphArea = QRect(c.left(), c.top(), stripW, c.height());
        out.textArea = QRect(c.left() + stripW, c.top(), c.width() - stripW, c.height());
        out.glyphRect = QRect(c.left(), c.top() + (c.height() - gh) / 2, gw, gh);
        break;
    case GlyphPlacement::Right:
        out.glyphArea = QRect(c.left() + c.width() - stripW, c.top(), stripW, c.height());
        out.textArea = QRect(c.left(), c.top(), c.width() - stripW, c.height());
        out.glyphRect = QRect(c.left() + c.width() - gw, c.top() + (c.height() - gh) / 2, gw, gh);
        break;
    case GlyphPlacement::Top:
        out.glyphArea = QRect(c.left(), c.top(), c.width(), stripH);
        out.textArea = QRect(c.left(), c.top() + stripH, c.width(), c.height() - stripH);
        out.glyphRect = QRect(c.left() + (c.width() - gw) / 2, c.top(), gw, gh);
        break;
    case GlyphPlacement::Bottom:
        out.glyphArea = QRect(c.left(), c.top() + c.height() - stripH, c.width(), stripH);
        out.textArea = QRect(c.left(), c.top(), c.width(), c.height() - stripH);
        out.glyphRect = QRect(c.left() + (c.width() - gw) / 2, c.top() + c.height() - gh, gw, gh);
        break;
    }
    return out;
}

int glyphCountFor(const QSize& glyphBitmapSize, int current)
{
    const int w = glyphBitmapSize.width(), h = glyphBitmapSize.height();
    if (h <= 0 || w <= 0 || w % h != 0)
        return current;
    const int count = w / h;
    return count < 5 ? count : 1;
}

} // namespace corvane::skin
