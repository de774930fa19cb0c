#include "shell/ImageControl.h"

#include <QPaintEvent>
#include <QPainter>

namespace corvane::shell {

ImageControl::ImageControl(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    // Pieces lie over the board picture; nothing but their picture is drawn.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // Until it has a picture the control shows nothing (the point images
    // never get one): Qt then skips it when painting the window.
    setUpdatesEnabled(false);
}

QImage keyOutBottomLeftColour(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
        }
    }
    return image;
}

void ImageControl::setPicture(const QImage& picture, bool stretch, bool transparent)
{
    stretch_ = stretch;
    naturalSize_ = picture.size();
    QImage image = transparent ? keyOutBottomLeftColour(picture) : picture;
    if (stretch && !size().isEmpty() && !image.isNull()) {
        // Scale once here rather than on every paint; the key colour is out
        // already, so smooth scaling gives soft edges instead of a fringe.
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                    .scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture_ = QPixmap::fromImage(image);
    opaquePicture_ = !transparent && !image.isNull() && !image.hasAlphaChannel();
    updateOpaque();
    setUpdatesEnabled(!picture_.isNull());  // also schedules the repaint
}

void ImageControl::sizeToPicture()
{
    if (!naturalSize_.isEmpty())
        resize(naturalSize_);
}

void ImageControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateOpaque();
}

// A picture without transparent parts that covers the whole control (the
// board picture) hides what lies beneath it. Saying so spares the window
// below, frame and all, a repaint whenever a piece over the board moves.
void ImageControl::updateOpaque()
{
    const bool covered = stretch_ || (picture_.width() >= width() && picture_.height() >= height());
    setAttribute(Qt::WA_OpaquePaintEvent, opaquePicture_ && covered);
}

std::string ImageControl::name() const { return objectName().toStdString(); }

void ImageControl::setLeft(int left) { move(left, y()); }

void ImageControl::setTop(int top) { move(x(), top); }

bool ImageControl::isVisible() const
{
    return parentWidget() ? isVisibleTo(parentWidget()) : QWidget::isVisible();
}

void ImageControl::setVisible(bool visible) { QWidget::setVisible(visible); }

void ImageControl::paintEvent(QPaintEvent* event)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_ && picture_.size() != size()) {
        painter.drawPixmap(rect(), picture_);
        return;
    }
    if (!testAttribute(Qt::WA_OpaquePaintEvent)) {
        painter.drawPixmap(0, 0, picture_);
        return;
    }
    // The board picture, with the chat boxes lying over it, is repainted
    // through a region of several rectangles. Copied one rectangle at a time,
    // each under a clip of just that rectangle, its rows are plain copies;
    // under the whole region the raster engine would blend span by span.
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        painter.drawPixmap(rect.topLeft(), picture_, rect);
    }
}

} // namespace corvane::shell
