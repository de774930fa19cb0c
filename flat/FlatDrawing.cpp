#include "flat/FlatDrawing.h"

#include <QPainter>

namespace corvane::flat {

void drawBevelFrame(QPainter& painter, const QRect& rect, const QColor& top, const QColor& bottom, int width)
{
    // Corner coordinates, right and bottom inclusive.
    int left = rect.left();
    int topY = rect.top();
    int right = rect.left() + rect.width() - 1;
    int bottomY = rect.top() + rect.height() - 1;
    for (int ring = 0; ring < width; ++ring) {
        if (right < left || bottomY < topY)
            return;
        // Left column down to the row above the bottom, top row up to the
        // column left of the right edge.
        painter.fillRect(QRect(left, topY, 1, bottomY - topY), top);
        painter.fillRect(QRect(left, topY, right - left, 1), top);
        // Right column including both corners, bottom row including both.
        painter.fillRect(QRect(right, topY, 1, bottomY - topY + 1), bottom);
        painter.fillRect(QRect(left, bottomY, right - left + 1, 1), bottom);
        ++left;
        ++topY;
        --right;
        --bottomY;
    }
}

QImage keyedOut(const QImage& image, QRgb key)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = key & 0xFFFFFF;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == keyRgb)
                line[x] = 0;
        }
    }
    return result;
}

QRgb bottomLeftColor(const QImage& image)
{
    if (image.isNull())
        return 0;
    return image.pixel(0, image.height() - 1);
}

QImage embossedImage(const QImage& image, const QColor& face, const QColor& highlight, const QColor& shadow)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage result(source.size(), QImage::Format_RGB32);
    result.fill(face);
    const int w = source.width();
    const int h = source.height();
    auto isBlack = [&](int x, int y) { return (source.pixel(x, y) & 0xFFFFFF) == 0; };
    // Highlight through the mask moved one pixel right and down.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (isBlack(x, y) && x + 1 < w && y + 1 < h)
                result.setPixel(x + 1, y + 1, highlight.rgb());
        }
    }
    // Shadow through the mask at its own place, over the highlight.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (isBlack(x, y))
                result.setPixel(x, y, shadow.rgb());
        }
    }
    return result;
}

GlyphCaptionPlacement placeGlyphAndCaption(const QRect& client, const QPoint& offset, const QSize& captionSize,
                                           ButtonLayout layout, int margin, int spacing, const QSize& glyphSize)
{
    const QPoint c(client.width(), client.height());
    const QPoint g(glyphSize.width(), glyphSize.height());
    const QPoint t(captionSize.width(), captionSize.height());
    QPoint glyphPos;
    QPoint captionPos;

    const bool horizontal = layout == ButtonLayout::GlyphLeft || layout == ButtonLayout::GlyphRight;
    if (horizontal) {
        glyphPos.setY((c.y() - g.y() + 1) / 2);
        captionPos.setY((c.y() - t.y() + 1) / 2);
    } else {
        glyphPos.setX((c.x() - g.x() + 1) / 2);
        captionPos.setX((c.x() - t.x() + 1) / 2);
    }

    if (t.x() == 0 || g.x() == 0)
        spacing = 0;

    // Sizes along the layout's axis.
    const int cA = horizontal ? c.x() : c.y();
    const int gA = horizontal ? g.x() : g.y();
    const int tA = horizontal ? t.x() : t.y();
    if (margin == -1 && spacing == -1) {
        margin = (cA - gA - tA) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (cA - (gA + spacing + tA) + 1) / 2;
    } else if (spacing == -1) {
        spacing = ((cA - (margin + gA)) - tA) / 2;
    }

    switch (layout) {
    case ButtonLayout::GlyphLeft:
        glyphPos.setX(margin);
        captionPos.setX(glyphPos.x() + g.x() + spacing);
        break;
    case ButtonLayout::GlyphRight:
        glyphPos.setX(c.x() - margin - g.x());
        captionPos.setX(glyphPos.x() - spacing - t.x());
        break;
    case ButtonLayout::GlyphTop:
        glyphPos.setY(margin);
        captionPos.setY(glyphPos.y() + g.y() + spacing);
        break;
    case ButtonLayout::GlyphBottom:
        glyphPos.setY(c.y() - margin - g.y());
        captionPos.setY(glyphPos.y() - spacing - t.y());
        break;
    }

    const QPoint shift = client.topLeft() + offset;
    GlyphCaptionPlacement placement;
    placement.glyphPos = glyphPos + shift;
    placement.captionBounds = QRect(captionPos + shift, captionSize);
    return placement;
}

} // namespace corvane::flat
