#include "shell/ImageControl.h"

#include <QHash>
#include <QLabel>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QResizeEvent>
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

namespace {

// What setPicture made of a source picture for one size and treatment. The
// pieces of one side and kind share their source picture, so each prepared
// picture is made once and shared (QImage shares its pixels between copies).
struct PreparedKey {
    qint64 source = 0;
    QSize size;
    bool stretch = false;
    bool transparent = false;
    bool operator==(const PreparedKey&) const = default;
};

size_t qHash(const PreparedKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.source, key.size.width(), key.size.height(), key.stretch, key.transparent);
}

QImage preparePicture(const QImage& picture, const QSize& size, bool stretch, bool transparent)
{
    if (!transparent && !stretch)
        return picture;  // drawn as it is (the board keeps its 4-bit picture)
    QImage image = transparent ? keyOutBottomLeftColour(picture) : picture;
    if (image.isNull())
        return image;
    // Premultiplied: the format the raster engine draws without converting.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
    if (stretch && !size.isEmpty()) {
        // Scale once here rather than on every paint; the key colour is out
        // already, so smooth scaling gives soft edges instead of a fringe.
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

QImage sharedPreparedPicture(const QImage& picture, const QSize& size, bool stretch, bool transparent)
{
    static QHash<PreparedKey, QImage> prepared;
    const PreparedKey key{picture.cacheKey(), stretch ? size : QSize(), stretch, transparent};
    if (const auto found = prepared.constFind(key); found != prepared.constEnd())
        return *found;
    // Only pictures some control still shows are worth keeping.
    if (prepared.size() >= 64)
        prepared.removeIf([](const auto& entry) { return entry.value().isDetached(); });
    const QImage image = preparePicture(picture, size, stretch, transparent);
    prepared.insert(key, image);
    return image;
}

} // namespace

void ImageControl::setPicture(const QImage& picture, bool stretch, bool transparent)
{
    stretch_ = stretch;
    naturalSize_ = picture.size();
    picture_ = picture.isNull() ? QImage() : sharedPreparedPicture(picture, size(), stretch, transparent);
    opaquePicture_ = !transparent && !picture_.isNull() && !picture_.hasAlphaChannel();
    updateOpaque();
    updatePainting();
    update();
    if (layer_)
        layer_->composedChanged(geometry());
    if (isLayer_)
        composed_ = QImage();  // drawn afresh on the next paint
}

void ImageControl::sizeToPicture()
{
    if (!naturalSize_.isEmpty())
        resize(naturalSize_);
}

void ImageControl::composeOnto(ImageControl* layer)
{
    if (layer_)
        layer_->composedChanged(geometry());
    layer_ = layer;
    if (layer) {
        layer->isLayer_ = true;
        layer->composedChanged(geometry());
    }
    updatePainting();
}

void ImageControl::composeOverlay(QWidget* widget)
{
    if (!widget || isComposedOverlay(widget))
        return;
    isLayer_ = true;
    overlays_.push_back(widget);
    widget->installEventFilter(this);
    if (parentWidget())
        parentWidget()->installEventFilter(this);  // a label's text change
    updateOverlayPainting(widget);
    update(widget->geometry().translated(-pos()));
}

bool ImageControl::isComposedOverlay(const QWidget* widget) const
{
    for (const QPointer<QWidget>& overlay : overlays_) {
        if (overlay == widget)
            return overlayFits(widget);
    }
    return false;
}

bool ImageControl::overlayFits(const QWidget* widget) const
{
    return widget->parentWidget() == parentWidget() && testAttribute(Qt::WA_OpaquePaintEvent) &&
           !widget->testAttribute(Qt::WA_OpaquePaintEvent) && geometry().contains(widget->geometry());
}

void ImageControl::updateOverlayPainting(QWidget* widget)
{
    const bool painted = !overlayFits(widget);
    if (widget->testAttribute(Qt::WA_ForceUpdatesDisabled) == painted)
        widget->setUpdatesEnabled(painted);
}

qint64 ImageControl::overlayKey(const QWidget* widget) const
{
    qint64 key = overlayEvents_;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        key ^= qint64(qHash(label->text())) << 1;
    return key;
}

bool ImageControl::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Paint || renderingOverlay_)
        return false;
    if (watched == parentWidget()) {
        // A label whose text changed asks its parent for a new layout.
        if (type == QEvent::LayoutRequest) {
            for (const QPointer<QWidget>& overlay : overlays_) {
                if (overlay)
                    update(overlay->geometry().translated(-pos()));
            }
        }
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    ++overlayEvents_;
    QRect changed = widget->geometry();
    if (type == QEvent::Move)
        changed |= QRect(static_cast<QMoveEvent*>(event)->oldPos(), widget->size());
    else if (type == QEvent::Resize)
        changed |= QRect(widget->pos(), static_cast<QResizeEvent*>(event)->oldSize());
    if (type == QEvent::Move || type == QEvent::Resize)
        updateOverlayPainting(widget);
    update(changed.translated(-pos()));
    return false;
}

bool ImageControl::wantsComposing() const
{
    return layer_ && !picture_.isNull() && layer_->parentWidget() == parentWidget() &&
           layer_->testAttribute(Qt::WA_OpaquePaintEvent) && layer_->geometry().contains(geometry());
}

bool ImageControl::isComposed() const { return wantsComposing(); }

void ImageControl::updatePainting()
{
    const bool painted = !picture_.isNull() && !wantsComposing();
    if (testAttribute(Qt::WA_ForceUpdatesDisabled) == painted)
        setUpdatesEnabled(painted);
}

void ImageControl::composedChanged(const QRect& rect)
{
    // `rect` is in the parent's coordinates, like a sibling's geometry.
    update(rect.translated(-pos()));
}

void ImageControl::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (layer_)
        layer_->composedChanged(QRect(event->oldPos(), size()) | geometry());
    afterGeometryChange();
}

void ImageControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateOpaque();
    if (layer_)
        layer_->composedChanged(QRect(pos(), event->oldSize()) | geometry());
    afterGeometryChange();
}

void ImageControl::afterGeometryChange()
{
    updatePainting();
    if (!isLayer_ || !parentWidget())
        return;
    // Controls that were composed onto this one may now lie outside it.
    for (QObject* sibling : parentWidget()->children()) {
        auto* image = qobject_cast<ImageControl*>(sibling);
        if (image && image->layer_ == this)
            image->updatePainting();
    }
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

void ImageControl::setVisible(bool visible)
{
    const bool wasHidden = isHidden();
    QWidget::setVisible(visible);
    if (layer_ && wasHidden != isHidden())
        layer_->composedChanged(geometry());
}

void ImageControl::drawPicture(QPainter& painter, const QPoint& at) const
{
    if (stretch_ && picture_.size() != size())
        painter.drawImage(QRect(at, size()), picture_);
    else
        painter.drawImage(at, picture_);
}

std::vector<ImageControl::Placement> ImageControl::currentPlacements() const
{
    std::vector<Placement> placements;
    if (!parentWidget())
        return placements;
    // In stacking order, bottom to top, as the window would paint them.
    for (QObject* sibling : parentWidget()->children()) {
        if (const auto* image = qobject_cast<const ImageControl*>(sibling)) {
            if (image->layer_ == this && image->wantsComposing())
                placements.push_back({image, nullptr, image->geometry().translated(-pos()), !image->isHidden(),
                                      image->picture_.cacheKey()});
        } else if (auto* widget = qobject_cast<QWidget*>(sibling); widget && isComposedOverlay(widget)) {
            placements.push_back(
                {nullptr, widget, widget->geometry().translated(-pos()), !widget->isHidden(), overlayKey(widget)});
        }
    }
    return placements;
}

// The board keeps its picture with 16 colours, a quarter of the memory of a
// full-colour one; its colours are looked up here, row by row, where the
// composed picture is redrawn. (QPainter would draw such a picture through
// its general span fetcher, which for a large area starts worker threads.)
bool ImageControl::copyIndexedPicture(QImage& target, const QRegion& region) const
{
    if (picture_.format() != QImage::Format_Indexed8 || picture_.hasAlphaChannel() ||
        target.format() != QImage::Format_RGB32 || target.devicePixelRatio() != 1.0 ||
        (stretch_ && picture_.size() != size()))
        return false;
    const QList<QRgb> table = picture_.colorTable();
    const QRect area = picture_.rect() & target.rect();
    for (const QRect& part : region) {
        const QRect rect = part & area;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const uchar* from = picture_.constScanLine(y) + rect.left();
            auto* to = reinterpret_cast<QRgb*>(target.scanLine(y)) + rect.left();
            for (int x = 0; x < rect.width(); ++x)
                to[x] = 0xFF000000u | (from[x] < table.size() ? table[from[x]] : 0u);
        }
    }
    return true;
}

// This control's picture with the composed controls drawn over it, redrawn
// where any of them differs from when it was last drawn.
const QImage& ImageControl::composedPicture()
{
    std::vector<Placement> placements = currentPlacements();
    QRegion stale;
    // At the screen's pixel density, so that a label's text stays as sharp
    // as when it draws itself on the window.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const bool resized = composed_.size() != pixels || composed_.devicePixelRatio() != ratio;
    if (resized || placements.size() != composedFor_.size()) {
        if (resized) {
            composed_ = QImage(pixels, QImage::Format_RGB32);
            composed_.setDevicePixelRatio(ratio);
        }
        stale = rect();
    } else {
        for (std::size_t i = 0; i < placements.size(); ++i) {
            const Placement& now = placements[i];
            const Placement& before = composedFor_[i];
            if (now == before)
                continue;
            if (now.image != before.image || now.overlay != before.overlay) {
                stale = rect();
                break;
            }
            if (before.shown)
                stale += before.place;
            if (now.shown)
                stale += now.place;
        }
    }
    if (!stale.isEmpty()) {
        // An overlay's partly transparent pixels (anti-aliased text) must
        // be drawn once over what lies beneath, never over themselves: where
        // the redrawn part touches an overlay, its whole place is redrawn.
        for (const Placement& placement : placements) {
            if (placement.overlay && placement.shown && stale.intersects(placement.place))
                stale += placement.place;
        }
        const bool copied = copyIndexedPicture(composed_, stale);
        QPainter painter(&composed_);
        painter.setClipRegion(stale);
        if (!copied)
            drawPicture(painter, QPoint(0, 0));
        const QRect bounds = stale.boundingRect();
        for (const Placement& placement : placements) {
            if (!placement.shown || !placement.place.intersects(bounds))
                continue;
            if (placement.image) {
                placement.image->drawPicture(painter, placement.place.topLeft());
            } else {
                // The overlay's own painting, as it would paint on the window.
                painter.save();
                renderingOverlay_ = true;  // its own events here change nothing
                placement.overlay->render(&painter, placement.place.topLeft(), QRegion(), QWidget::RenderFlags());
                renderingOverlay_ = false;
                painter.restore();
            }
        }
    }
    composedFor_ = std::move(placements);
    return composed_;
}

void ImageControl::paintEvent(QPaintEvent* event)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (!testAttribute(Qt::WA_OpaquePaintEvent) || (stretch_ && picture_.size() != size())) {
        drawPicture(painter, QPoint(0, 0));
        return;
    }
    // The board picture, with the chat boxes lying over it, is repainted
    // through a region of several rectangles. Copied one rectangle at a time,
    // each under a clip of just that rectangle, its rows are plain copies;
    // under the whole region the raster engine would blend span by span.
    if (isLayer_) {
        const QImage& composed = composedPicture();
        const qreal ratio = composed.devicePixelRatio();
        for (const QRect& rect : event->region()) {
            painter.setClipRect(rect);
            painter.drawImage(QRectF(rect), composed,
                              QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio));
        }
        return;
    }
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        painter.drawImage(rect.topLeft(), picture_, rect);
    }
}

} // namespace corvane::shell
