#include "shell/ChatBoxStyle.h"

#include <QApplication>
#include <QBitmap>
#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

namespace corvane::shell {

namespace {

// Enough looks for two boxes being scrolled, hovered, pressed and focused;
// past it the pictures are dropped and drawn again as needed.
constexpr qsizetype maximumPictures = 64;

void writeCommon(QDataStream& out, const QStyleOption& option, const QWidget* widget, qreal pixelRatio)
{
    // The widget too: a style may draw differently for some kinds of widget.
    out << quintptr(widget) << option.version << option.type << int(option.state) << int(option.direction)
        << option.rect.size() << option.palette.cacheKey() << pixelRatio;
}

QByteArray keyOf(const QStyleOptionSlider& option, const QWidget* widget, qreal pixelRatio)
{
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << QByteArrayLiteral("scroll bar");
    writeCommon(out, option, widget, pixelRatio);
    out << int(option.subControls) << int(option.activeSubControls) << option.minimum << option.maximum
        << option.sliderPosition << option.sliderValue << option.singleStep << option.pageStep
        << int(option.orientation) << option.upsideDown << int(option.tickPosition) << option.tickInterval
        << option.notchTarget << option.dialWrapping << int(option.keyboardModifiers);
    return key;
}

QByteArray keyOf(QStyle::PrimitiveElement element, const QStyleOptionFrame& option, const QWidget* widget,
                 qreal pixelRatio)
{
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << QByteArrayLiteral("frame") << int(element);
    writeCommon(out, option, widget, pixelRatio);
    out << option.lineWidth << option.midLineWidth << int(option.features) << int(option.frameShape);
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
        // Set where the style drew: colour 1 of a bitmap, which a region takes.
        QImage shownMask(drawn.size(), QImage::Format_Mono);
        shownMask.setColorTable({QColor(Qt::color0).rgb(), QColor(Qt::color1).rgb()});
        shownMask.fill(0);
        for (int y = 0; y < drawn.height() && keepable; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            for (int x = 0; x < drawn.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                if (alpha == 255)
                    shownMask.setPixel(x, y, 1);
                else if (alpha == 0)
                    everywhere = false;
                else {
                    keepable = false;
                    break;
                }
            }
        }
        if (keepable && (everywhere || pixelRatio == 1.0)) {
            picture.pixels = drawn.convertToFormat(QImage::Format_RGB32);
            if (!everywhere)
                picture.shown = QRegion(QBitmap::fromImage(shownMask));
        }
        if (pictures_.size() >= maximumPictures)
            pictures_.clear();
        found = pictures_.insert(key, picture);
    }
    if (found->pixels.isNull())
        return false;
    if (found->shown.isEmpty()) {
        painter->drawImage(rect.topLeft(), found->pixels);
        return true;
    }
    // Only the pixels the style drew, one rectangle at a time.
    for (const QRect& part : found->shown)
        painter->drawImage(part.topLeft() + rect.topLeft(), found->pixels, part);
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
