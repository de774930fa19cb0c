#include "skin/draw/SkinBlit.h"

#include <QRegion>
#include <vector>

namespace corvane::skin {

namespace {

QImage transparentImage(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull())
        image.fill(0u);
    return image;
}

// The part of `dest` that can show on the painter's device (and inside its
// clip), so that a huge destination never costs more than the device's pixels.
// The device rectangle is taken back through the world transform only: when a
// widget paints, Qt may redirect the painter into its window's backing store
// or a grab, and the device transform then also holds the widget's offset in
// that target, while device() is still the widget itself.
QRect visiblePart(QPainter& painter, const QRect& dest)
{
    QRect visible = dest;
    if (QPaintDevice* device = painter.device()) {
        bool invertible = false;
        const QTransform inverse = painter.worldTransform().inverted(&invertible);
        if (invertible)
            visible &= inverse.mapRect(QRect(0, 0, device->width(), device->height())).adjusted(-1, -1, 1, 1);
    }
    if (painter.hasClipping())
        visible &= painter.clipBoundingRect().toAlignedRect();
    return visible;
}

// Copies the non-key pixels of `source` repeated from dest's top-left, for
// the visible part only, into a transparent image of that part's size.
QImage maskedTile(const QImage& sourceImage, const QRect& source, const QRect& dest, const QRect& visible)
{
    QImage out = transparentImage(visible.size());
    if (out.isNull())
        return out;
    for (int y = 0; y < visible.height(); ++y) {
        const int dy = visible.top() - dest.top() + y;
        const auto* in =
            reinterpret_cast<const std::uint32_t*>(sourceImage.constScanLine(source.top() + dy % source.height()));
        auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < visible.width(); ++x) {
            const int dx = visible.left() - dest.left() + x;
            const std::uint32_t p = in[source.left() + dx % source.width()];
            if (!isKeyPixel(p))
                line[x] = p | 0xFF000000u;
        }
    }
    return out;
}

// The masked stretch of `source` onto a destination of `destSize`, writing
// only the destination pixels in `part` (relative to the destination's
// top-left) to `out` at `at`. Each destination pixel takes the source pixel
// that the 16.16 fixed-point position truncates to; position = index * step,
// the same as adding the step once per pixel.
void maskedStretchPart(const QImage& sourceImage, const QRect& source, const QSize& destSize, const QRect& part,
                       QImage& out, const QPoint& at)
{
    const std::int64_t stepX = (std::int64_t(source.width()) << 16) / destSize.width();
    const std::int64_t stepY = (std::int64_t(source.height()) << 16) / destSize.height();
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const int sy = source.top() + int((std::int64_t(y) * stepY) >> 16);
        const auto* in = reinterpret_cast<const std::uint32_t*>(sourceImage.constScanLine(sy));
        auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(at.y() + y - part.top()));
        std::int64_t fx = std::int64_t(part.left()) * stepX;
        for (int x = part.left(); x <= part.right(); ++x, fx += stepX) {
            const std::uint32_t p = in[source.left() + int(fx >> 16)];
            if (!isKeyPixel(p))
                line[at.x() + x - part.left()] = p | 0xFF000000u;
        }
    }
}

} // namespace

void drawBitmapPart(QPainter& painter, const SkinBitmap& bitmap, const QRect& requested, const QRect& dest,
                    SkinTileStyle style, bool masked, const QRect& centreOn)
{
    // A link may name a rectangle reaching outside its bitmap: only the part
    // inside is ever read.
    const QRect source = requested & QRect(0, 0, bitmap.width(), bitmap.height());
    if (source.isEmpty() || dest.isEmpty())
        return;
    const QImage& pixels = bitmap.image();

    switch (style) {
    case SkinTileStyle::Stretch: {
        const QRect visible = visiblePart(painter, dest);
        if (visible.isEmpty())
            return;
        if (masked) {
            QImage part = transparentImage(visible.size());
            if (part.isNull())
                return;
            maskedStretchPart(pixels, source, dest.size(), visible.translated(-dest.topLeft()), part, QPoint(0, 0));
            painter.drawImage(visible.topLeft(), part);
        } else {
            painter.drawImage(dest, bitmap.opaqueImage(), source);
        }
        break;
    }
    case SkinTileStyle::Center: {
        const QRect area = centreOn.isValid() ? centreOn : dest;
        const QPoint at(area.left() + (area.width() - source.width()) / 2,
                        area.top() + (area.height() - source.height()) / 2);
        if (masked) {
            const QRect whole(at, source.size());
            painter.drawImage(at, maskedTile(pixels, source, whole, whole));
        } else {
            painter.drawImage(at, bitmap.opaqueImage(), source);
        }
        break;
    }
    case SkinTileStyle::Tile:
    default: {
        const QRect visible = visiblePart(painter, dest);
        if (visible.isEmpty())
            return;
        if (masked) {
            painter.drawImage(visible.topLeft(), maskedTile(pixels, source, dest, visible));
        } else {
            // Only the tiles that reach the visible part.
            const QImage opaque = bitmap.opaqueImage();
            const int firstY = dest.top() + (visible.top() - dest.top()) / source.height() * source.height();
            const int firstX = dest.left() + (visible.left() - dest.left()) / source.width() * source.width();
            for (int y = firstY; y <= visible.bottom(); y += source.height()) {
                const int h = qMin(source.height(), dest.bottom() + 1 - y);
                for (int x = firstX; x <= visible.right(); x += source.width()) {
                    const int w = qMin(source.width(), dest.right() + 1 - x);
                    painter.drawImage(QPoint(x, y), opaque, QRect(source.left(), source.top(), w, h));
                }
            }
        }
        break;
    }
    }
}

QImage keyToTransparent(const QImage& image)
{
    QImage in = image.convertToFormat(QImage::Format_RGB32);
    QImage out = transparentImage(in.size());
    for (int y = 0; y < in.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < in.width(); ++x)
            if (!isKeyPixel(src[x]))
                dst[x] = src[x] | 0xFF000000u;
    }
    return out;
}

QRegion regionFromNonKeyPixels(const QImage& image, const QPoint& origin)
{
    QRegion region;
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        runs.clear();
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && isKeyPixel(line[x]))
                ++x;
            const int start = x;
            while (x < image.width() && !isKeyPixel(line[x]))
                ++x;
            if (x > start)
                runs.emplace_back(origin.x() + start, origin.y() + y, x - start, 1);
        }
        if (runs.empty())
            continue;
        // One row is a single band, already sorted by x: a valid banded region.
        QRegion row;
        row.setRects(runs.data(), int(runs.size()));
        region |= row;
    }
    return region;
}

} // namespace corvane::skin
