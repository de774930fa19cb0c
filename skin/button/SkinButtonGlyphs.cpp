#include "skin/button/SkinButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane::skin {

QImage glyphWithTransparency(const QImage& glyph)
{
    if (glyph.isNull() || glyph.hasAlphaChannel())
        return glyph.convertToFormat(QImage::Format_ARGB32);
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == transparent)
                line[x] = 0;
    }
    return image;
}

QImage disabledGlyph(const QImage& glyph)
{
    const QImage source = glyph.convertToFormat(QImage::Format_ARGB32);
    QImage image(source.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // Dark pixels of the glyph form the silhouette; it is drawn once in the
    // highlight colour one pixel down and right, then in the shadow colour.
    auto silhouette = [&](QRgb color, int dx, int dy) {
        for (int y = 0; y < source.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < source.width(); ++x) {
                if (qAlpha(in[x]) < 128 || qGray(in[x]) >= 192)
                    continue;
                const int tx = x + dx, ty = y + dy;
                if (tx < image.width() && ty < image.height())
                    reinterpret_cast<QRgb*>(image.scanLine(ty))[tx] = color;
            }
        }
    };
    silhouette(qRgb(0xFF, 0xFF, 0xFF), 1, 1);
    silhouette(qRgb(0x80, 0x80, 0x80), 0, 0);
    return image;
}

} // namespace corvane::skin
