#include "ArtKit.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ivory {

QImage keyedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kKey);
    return image;
}

bool isKey(QRgb pixel)
{
    return qRed(pixel) == 255 && qGreen(pixel) == 0 && qBlue(pixel) == 255;
}

QColor mix(const QColor& from, const QColor& to, double t)
{
    auto lerp = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    return QColor(lerp(from.red(), to.red()), lerp(from.green(), to.green()), lerp(from.blue(), to.blue()));
}

void fillRect(QImage& image, const QRect& rect, const QColor& color)
{
    const QRect r = rect.intersected(image.rect());
    const QRgb value = color.rgb();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            image.setPixel(x, y, value);
}

QColor gradientAt(const QColor& top, const QColor& bottom, int row, int rows)
{
    if (rows <= 1)
        return top;
    return mix(top, bottom, static_cast<double>(row) / (rows - 1));
}

void gradientV(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom)
{
    for (int row = 0; row < rect.height(); ++row)
        fillRect(image, QRect(rect.left(), rect.top() + row, rect.width(), 1),
                 gradientAt(top, bottom, row, rect.height()));
}

void copyRect(QImage& target, const QPoint& at, const QImage& source, const QRect& from)
{
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            target.setPixel(at.x() + x, at.y() + y, source.pixel(from.left() + x, from.top() + y));
}

PixelPlace classify(int x, int y, int width, int height, const Radii& radii)
{
    const double px = x + 0.5, py = y + 0.5;
    const bool left = px < width / 2.0, top = py < height / 2.0;
    const int r = top ? (left ? radii.topLeft : radii.topRight) : (left ? radii.bottomLeft : radii.bottomRight);

    const double toLeft = px, toRight = width - px, toTop = py, toBottom = height - py;
    double depth = std::min({toLeft, toRight, toTop, toBottom});
    Side nearest = Side::Top;
    if (depth == toTop)
        nearest = Side::Top;
    else if (depth == toLeft)
        nearest = Side::Left;
    else if (depth == toBottom)
        nearest = Side::Bottom;
    else
        nearest = Side::Right;

    const double cx = left ? r : width - r, cy = top ? r : height - r;
    const bool inCornerX = left ? px < cx : px > cx;
    const bool inCornerY = top ? py < cy : py > cy;
    if (r > 0 && inCornerX && inCornerY) {
        depth = r - std::hypot(px - cx, py - cy);
        // Within a corner the upper half belongs to the horizontal edge.
        const double dx = std::abs(px - cx), dy = std::abs(py - cy);
        nearest = dy >= dx ? (top ? Side::Top : Side::Bottom) : (left ? Side::Left : Side::Right);
    }
    PixelPlace place;
    place.outside = depth <= 0.0;
    place.ring = place.outside ? -1 : static_cast<int>(std::floor(depth));
    place.nearest = nearest;
    return place;
}

void roundedBox(QImage& image, const QRect& rect, const Radii& radii, const BoxStyle& style)
{
    for (int y = 0; y < rect.height(); ++y) {
        for (int x = 0; x < rect.width(); ++x) {
            const PixelPlace place = classify(x, y, rect.width(), rect.height(), radii);
            QColor color;
            if (place.outside) {
                color = style.outside;
            } else if (place.ring == 0) {
                color = style.border;
            } else if (place.ring == 1 && (place.nearest == Side::Top || place.nearest == Side::Left) &&
                       style.highlight.isValid()) {
                color = style.highlight;
            } else if (place.ring == 1 && (place.nearest == Side::Bottom || place.nearest == Side::Right) &&
                       style.shade.isValid()) {
                color = style.shade;
            } else {
                color = gradientAt(style.fillTop, style.fillBottom, y, rect.height());
            }
            // Parts beyond the image are cut off (a tab's open bottom edge, say).
            const QPoint at(rect.left() + x, rect.top() + y);
            if (color.isValid() && image.rect().contains(at))
                image.setPixel(at, color.rgb());
        }
    }
}

void paintPath(QImage& image, const QPoint& origin, const QPainterPath& path, const QColor& color)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(origin);
    painter.fillPath(path, color);
}

void strokePath(QImage& image, const QPoint& origin, const QPainterPath& path, const QColor& color, double width)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(origin);
    QPen pen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void keyOut(QImage& image, const QRect& rect, const QColor& background)
{
    const QRgb bg = background.rgb();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (bg & 0xFFFFFF))
                image.setPixel(x, y, kKey.rgb());
}

} // namespace ivory
