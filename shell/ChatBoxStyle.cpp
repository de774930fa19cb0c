#include "shell/ChatBoxStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

#include <type_traits>
#include <utility>
#include <vector>

namespace corvane::shell {

namespace {

// Enough looks for two boxes being scrolled, hovered, pressed and focused;
// past it the pictures are dropped and drawn again as needed.
constexpr qsizetype maximumPictures = 64;

// The key of a look: the values it is drawn from, as raw bytes (made on
// every paint, so without a stream's allocations).
class KeyWriter {
public:
    KeyWriter() { key_.reserve(160); }
    template <typename T>
    KeyWriter& operator<<(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        key_.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    QByteArray take() { return std::move(key_); }

private:
    QByteArray key_;
};

void writeCommon(KeyWriter& out, const QStyleOption& option, const QWidget* widget, qreal pixelRatio)
{
    // The widget too: a style may draw differently for some kinds of widget.
    out << quintptr(widget) << option.version << option.type << int(option.state) << int(option.direction)
        << option.rect.width() << option.rect.height() << option.palette.cacheKey() << pixelRatio;
}

QByteArray keyOf(const QStyleOptionSlider& option, const QWidget* widget, qreal pixelRatio)
{
    KeyWriter out;
    out << 's';
    writeCommon(out, option, widget, pixelRatio);
    out << int(option.subControls) << int(option.activeSubControls) << option.minimum << option.maximum
        << option.sliderPosition << option.sliderValue << option.singleStep << option.pageStep
        << int(option.orientation) << option.upsideDown << int(option.tickPosition) << option.tickInterval
        << option.notchTarget << option.dialWrapping << int(option.keyboardModifiers);
    return out.take();
}

QByteArray keyOf(QStyle::PrimitiveElement element, const QStyleOptionFrame& option, const QWidget* widget,
                 qreal pixelRatio)
{
    KeyWriter out;
    out << 'f' << int(element);
    writeCommon(out, option, widget, pixelRatio);
    out << option.lineWidth << option.midLineWidth << int(option.features) << int(option.frameShape);
    return out.take();
}

// A picture copies exactly only onto whole pixels, without blending.
bool copiesExactly(const QPainter& painter)
{
    const QTransform transform = painter.deviceTransform();
    return painter.device() && transform.type() <= QTransform::TxTranslate &&
           transform.dx() == qRound(transform.dx()) && transform.dy() == qRound(transform.dy()) &&
           painter.opacity() == 1.0 && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

} // namespace

ChatBoxStyle::ChatBoxStyle(QObject* parent) : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
    setParent(parent);
}

template <typename Draw>
bool ChatBoxStyle::copyKept(const QByteArray& key, QPainter* painter, const QRect& rect, Draw draw) const
{
    auto found = pictures_.constFind(key);
    if (found == pictures_.cend()) {
        ++drawn_;
        const qreal pixelRatio = painter->device()->devicePixelRatio();
        QImage drawn((QSizeF(rect.size()) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(pixelRatio);
        drawn.fill(Qt::transparent);
        {
            // What the widget's painter carries into the style's drawing.
            QPainter picturePainter(&drawn);
            picturePainter.setFont(painter->font());
            picturePainter.setPen(painter->pen());
            picturePainter.setBrush(painter->brush());
            picturePainter.setRenderHints(painter->renderHints());
            draw(&picturePainter);
        }
        Picture picture;
        bool everywhere = true;
        bool keepable = true;
        // Where the style drew, as rectangles: the runs of drawn pixels of
        // each row, rows with the same runs joined into one band.
        std::vector<QRect> open;
        std::vector<std::pair<int, int>> previousRuns;
        for (int y = 0; y < drawn.height() && keepable; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            std::vector<std::pair<int, int>> runs;
            for (int x = 0; x < drawn.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                if (alpha == 255) {
                    if (runs.empty() || runs.back().second != x)
                        runs.push_back({x, x + 1});
                    else
                        ++runs.back().second;
                } else if (alpha == 0) {
                    everywhere = false;
                } else {
                    keepable = false;
                    break;
                }
            }
            if (runs == previousRuns && !open.empty()) {
                for (QRect& band : open)
                    band.setBottom(y);
                continue;
            }
            picture.shown.insert(picture.shown.end(), open.begin(), open.end());
            open.clear();
            for (const auto& [from, to] : runs)
                open.push_back(QRect(from, y, to - from, 1));
            previousRuns = std::move(runs);
        }
        picture.shown.insert(picture.shown.end(), open.begin(), open.end());
        if (keepable && (everywhere || pixelRatio == 1.0))
            picture.pixels = drawn.convertToFormat(QImage::Format_RGB32);
        if (everywhere)
            picture.shown.clear();
        if (pictures_.size() >= maximumPictures)
            pictures_.clear();
        found = pictures_.insert(key, picture);
    }
    if (found->pixels.isNull())
        return false;
    // Each copy under a clip of one rectangle: the raster engine then copies
    // rows of pixels, where under the widget's clip region it would blend
    // span by span (handing large areas to worker threads).
    painter->save();
    if (found->shown.empty()) {
        painter->setClipRect(rect, Qt::IntersectClip);
        painter->drawImage(rect.topLeft(), found->pixels);
    } else {
        // Only the pixels the style drew, one rectangle at a time.
        for (const QRect& part : found->shown) {
            const QRect target = part.translated(rect.topLeft());
            painter->setClipRect(target, Qt::IntersectClip);
            painter->drawImage(target.topLeft(), found->pixels, part);
            painter->setClipping(false);
        }
    }
    painter->restore();
    return true;
}

void ChatBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                      const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control == CC_ScrollBar && slider && !option->rect.isEmpty() && copiesExactly(*painter)) {
        const QByteArray key = keyOf(*slider, widget, painter->device()->devicePixelRatio());
        QStyleOptionSlider atOrigin(*slider);
        atOrigin.rect.moveTo(0, 0);
        if (copyKept(key, painter, option->rect, [&](QPainter* into) {
                QProxyStyle::drawComplexControl(control, &atOrigin, into, widget);
            }))
            return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void ChatBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element == PE_Frame && frame && !option->rect.isEmpty() && copiesExactly(*painter)) {
        const QByteArray key = keyOf(element, *frame, widget, painter->device()->devicePixelRatio());
        QStyleOptionFrame atOrigin(*frame);
        atOrigin.rect.moveTo(0, 0);
        if (copyKept(key, painter, option->rect, [&](QPainter* into) {
                QProxyStyle::drawPrimitive(element, &atOrigin, into, widget);
            }))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace corvane::shell
