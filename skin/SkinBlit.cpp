#include "skin/SkinBlit.h"

#include <QRegion>
#include <vector>

namespace corvane::skin {

namespace {

QImage transparentImage(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(0u);
    return image;
}

// Copies the non-key pixels of `source` (unscaled, repeated from its origin)
// into a transparent image of `size`.
QImage maskedTile(const QImage& sourceImage, const QRect& source, const QSize& size)
{
    QImage out = transparentImage(size);
    for (int y = 0; y < size.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(
            sourceImage.constScanLine(source.top() + y % source.height()));
        auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const std::uint32_t p = in[source.left() + x % source.width()];
            if (!isKeyPixel(p)) line[x] = p | 0xFF000000u;
        }
    }
    return out;
}

} // namespace

void maskedStretch(const QImage& sourceImage, const QRect& source, QImage& dest, const QRect& destRect)
{
    if (source.isEmpty() || destRect.isEmpty()) return;
    // 16.16 fixed point: each destination pixel takes the source pixel the
    // running position truncates to.
    const std::int64_t stepX = (std::int64_t(source.width()) << 16) / destRect.width();
    const std::int64_t stepY = (std::int64_t(source.height()) << 16) / destRect.height();
    std::int64_t fy = 0;
    for (int y = 0; y < destRect.height(); ++y, fy += stepY) {
        const int sy = source.top() + int(fy >> 16);
        const auto* in = reinterpret_cast<const std::uint32_t*>(sourceImage.constScanLine(sy));
        auto* out = reinterpret_cast<std::uint32_t*>(dest.scanLine(destRect.top() + y));
        std::int64_t fx = 0;
        for (int x = 0; x < destRect.width(); ++x, fx += stepX) {
            const std::uint32_t p = in[source.left() + int(fx >> 16)];
            if (!isKeyPixel(p)) out[destRect.left() + x] = p | 0xFF000000u;
        }
    }
}

void drawBitmapPart(QPainter& painter, const TSkinBitmap& bitmap, const QRect& requested, const QRect& dest,
                    TSkinTileStyle style, bool masked, const QRect& centreOn)
{
    // A link may name a rectangle reaching outside its bitmap: only the part
    // inside is ever read.
    const QRect source = requested & QRect(0, 0, bitmap.width(), bitmap.height());
    if (source.isEmpty() || dest.isEmpty()) return;
    const QImage& pixels = bitmap.image();

    switch (style) {
    case tsStretch:
        if (masked) {
            QImage part = transparentImage(dest.size());
            maskedStretch(pixels, source, part, part.rect());
            painter.drawImage(dest.topLeft(), part);
        } else {
            painter.drawImage(dest, bitmap.opaqueImage(), source);
        }
        break;
    case tsCenter: {
        const QRect area = centreOn.isValid() ? centreOn : dest;
        const QPoint at(area.left() + (area.width() - source.width()) / 2,
                        area.top() + (area.height() - source.height()) / 2);
        if (masked)
            painter.drawImage(at, maskedTile(pixels, source, source.size()));
        else
            painter.drawImage(at, bitmap.opaqueImage(), source);
        break;
    }
    case tsTile:
    default:
        if (masked) {
            painter.drawImage(dest.topLeft(), maskedTile(pixels, source, dest.size()));
        } else {
            const QImage opaque = bitmap.opaqueImage();
            for (int y = dest.top(); y <= dest.bottom(); y += source.height()) {
                const int h = qMin(source.height(), dest.bottom() + 1 - y);
                for (int x = dest.left(); x <= dest.right(); x += source.width()) {
                    const int w = qMin(source.width(), dest.right() + 1 - x);
                    painter.drawImage(QPoint(x, y), opaque, QRect(source.left(), source.top(), w, h));
                }
            }
        }
        break;
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
            if (!isKeyPixel(src[x])) dst[x] = src[x] | 0xFF000000u;
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
            while (x < image.width() && isKeyPixel(line[x])) ++x;
            const int start = x;
            while (x < image.width() && !isKeyPixel(line[x])) ++x;
            if (x > start) runs.emplace_back(origin.x() + start, origin.y() + y, x - start, 1);
        }
        if (runs.empty()) continue;
        // One row is a single band, already sorted by x: a valid banded region.
        QRegion row;
        row.setRects(runs.data(), int(runs.size()));
        region |= row;
    }
    return region;
}

} // namespace corvane::skin
