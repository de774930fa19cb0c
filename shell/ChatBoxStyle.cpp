#include "shell/ChatBoxStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

#include <bit>
#include <utility>
#include <vector>

namespace corvane::shell {

namespace {

// Enough looks for two boxes being scrolled, hovered, pressed and focused;
// past it the least recently used are dropped and drawn again as needed.
constexpr int maximumPictures = 64;

// A real number as a key number, exactly.
qint64 exactly(double value)
{
    return std::bit_cast<qint64>(value);
}

void writeCommon(skin::SkinLookKey& key, const QStyleOption& option, const QWidget* widget, qreal pixelRatio)
{
    // The widget too: a style may draw differently for some kinds of widget.
    key << qint64(quintptr(widget)) << option.version << option.type << int(option.state) << int(option.direction)
        << option.rect.width() << option.rect.height() << option.palette.cacheKey() << exactly(pixelRatio);
}

skin::SkinLookKey keyOf(const QStyleOptionSlider& option, const QWidget* widget, qreal pixelRatio)
{
    skin::SkinLookKey key;
    key << 's';
    writeCommon(key, option, widget, pixelRatio);
    key << int(option.subControls) << int(option.activeSubControls) << option.minimum << option.maximum
        << option.sliderPosition << option.sliderValue << option.singleStep << option.pageStep
        << int(option.orientation) << option.upsideDown << int(option.tickPosition) << option.tickInterval
        << exactly(option.notchTarget) << option.dialWrapping << int(option.keyboardModifiers);
    return key;
}

skin::SkinLookKey keyOf(QStyle::PrimitiveElement element, const QStyleOptionFrame& option, const QWidget* widget,
                         qreal pixelRatio)
{
    skin::SkinLookKey key;
    key << 'f' << int(element);
    writeCommon(key, option, widget, pixelRatio);
    key << option.lineWidth << option.midLineWidth << int(option.features) << int(option.frameShape);
    return key;
}

// A picture copies exactly only onto whole pixels, without blending.
bool copiesExactly(const QPainter& painter)
{
    const QTransform transform = painter.deviceTransform();
    return painter.device() && transform.type() <= QTransform::TxTranslate &&
           transform.dx() == qRound(transform.dx()) && transform.dy() == qRound(transform.dy()) &&
           painter.opacity() == 1.0 && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

// The look as kept from what the style drew on a transparent picture: where
// the style drew, as rectangles (the runs of drawn pixels of each row, rows
// with the same runs joined into one band), and the pixels when every pixel
// came out wholly opaque or untouched.
skin::SkinLook keptLook(const QImage& drawn, qreal pixelRatio)
{
    skin::SkinLook look;
    bool everywhere = true;
    std::vector<QRect> open;
    std::vector<std::pair<int, int>> previousRuns;
    for (int y = 0; y < drawn.height(); ++y) {
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
                return {}; // partly transparent: drawn each time
            }
        }
        if (runs == previousRuns && !open.empty()) {
            for (QRect& band : open)
                band.setBottom(y);
            continue;
        }
        look.parts.insert(look.parts.end(), open.begin(), open.end());
        open.clear();
        for (const auto& [from, to] : runs)
            open.push_back(QRect(from, y, to - from, 1));
        previousRuns = std::move(runs);
    }
    look.parts.insert(look.parts.end(), open.begin(), open.end());
    if (everywhere) {
        look.picture = drawn.convertToFormat(QImage::Format_RGB32);
        look.parts.clear();
    } else if (pixelRatio == 1.0) {
        // A frame draws its border only: its parts are kept on their own
        // rather than in a picture of the whole box.
        qint64 area = 0;
        for (const QRect& part : look.parts)
            area += qint64(part.width()) * part.height();
        if (area * 2 < qint64(drawn.width()) * drawn.height()) {
            for (const QRect& part : look.parts)
                look.partPictures.push_back(drawn.copy(part).convertToFormat(QImage::Format_RGB32));
        } else {
            look.picture = drawn.convertToFormat(QImage::Format_RGB32);
        }
    }
    return look;
}

// Copies a kept look to `rect`. Each copy goes under a clip of one rectangle:
// the raster engine then copies rows of pixels, where under the widget's
// clip region it would blend span by span (handing large areas to worker
// threads).
void copyLook(QPainter* painter, const QRect& rect, const skin::SkinLook& look)
{
    painter->save();
    if (look.parts.empty()) {
        painter->setClipRect(rect, Qt::IntersectClip);
        painter->drawImage(rect.topLeft(), look.picture);
    } else {
        // Only the pixels the style drew, one rectangle at a time.
        for (std::size_t index = 0; index < look.parts.size(); ++index) {
            const QRect& part = look.parts[index];
            const QRect target = part.translated(rect.topLeft());
            painter->setClipRect(target, Qt::IntersectClip);
            if (look.partPictures.empty())
                painter->drawImage(target.topLeft(), look.picture, part);
            else
                painter->drawImage(target.topLeft(), look.partPictures[index]);
            painter->setClipping(false);
        }
    }
    painter->restore();
}

} // namespace

ChatBoxStyle::ChatBoxStyle(QObject* parent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_looks(maximumPictures)
{
    setParent(parent);
}

template <typename Draw>
bool ChatBoxStyle::copyKept(skin::SkinLookKey key, QPainter* painter, const QRect& rect, Draw draw) const
{
    const skin::SkinLook* look = m_looks.findLook(key);
    if (!look) {
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
        look = &m_looks.insertLook(std::move(key), keptLook(drawn, pixelRatio));
    }
    if (look->picture.isNull() && look->partPictures.empty())
        return false;
    copyLook(painter, rect, *look);
    return true;
}

void ChatBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                      const QWidget* widget) const
{
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control == CC_ScrollBar && slider && !option->rect.isEmpty() && copiesExactly(*painter)) {
        skin::SkinLookKey key = keyOf(*slider, widget, painter->device()->devicePixelRatio());
        QStyleOptionSlider atOrigin(*slider);
        atOrigin.rect.moveTo(0, 0);
        if (copyKept(std::move(key), painter, option->rect,
                     [&](QPainter* into) { QProxyStyle::drawComplexControl(control, &atOrigin, into, widget); }))
            return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void ChatBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element == PE_Frame && frame && !option->rect.isEmpty() && copiesExactly(*painter)) {
        skin::SkinLookKey key = keyOf(element, *frame, widget, painter->device()->devicePixelRatio());
        QStyleOptionFrame atOrigin(*frame);
        atOrigin.rect.moveTo(0, 0);
        if (copyKept(std::move(key), painter, option->rect,
                     [&](QPainter* into) { QProxyStyle::drawPrimitive(element, &atOrigin, into, widget); }))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

} // namespace corvane::shell
