#include "skin/button/SkinCustomControl.h"

#include "skin/SkinTypes.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace corvane::skin {

namespace {

// The key colour as an opaque pixel: an opaque buffer starts out
// "transparent" in the skin's sense, and a plain copy shows what is left of it.
constexpr QRgb KeyFill = 0xFF000000u | SkinKeyPixel;

} // namespace

SkinCustomControl::SkinCustomControl(QWidget* parent) : QWidget(parent)
{
    updateOpaquePainting();
}

SkinCustomControl::~SkinCustomControl() = default;

void SkinCustomControl::setPerformance(SkinPerformance performance)
{
    if (m_performance == performance)
        return;
    m_performance = performance;
    updateOpaquePainting();
    update();
}

void SkinCustomControl::setTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    updateOpaquePainting();
    update();
}

void SkinCustomControl::updateOpaquePainting()
{
    setAttribute(Qt::WA_OpaquePaintEvent, !m_transparent);
}

QImage& SkinCustomControl::sharedBuffer(const QSize& atLeast)
{
    static QImage buffer;
    QSize wanted = atLeast;
    if (buffer.isNull()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            wanted = wanted.expandedTo(screen->size());
    }
    wanted = wanted.expandedTo(buffer.size()).expandedTo(QSize(1, 1));
    if (buffer.size() != wanted)
        buffer = QImage(wanted, QImage::Format_ARGB32_Premultiplied);
    return buffer;
}

void SkinCustomControl::paintEvent(QPaintEvent*)
{
    QPainter target(this);
    const QRect area(QPoint(0, 0), size());
    // Transparent buffers start see-through; opaque ones in the key colour.
    const QColor bufferFill = m_transparent ? QColor(Qt::transparent) : QColor::fromRgb(KeyFill);

    auto copyToTarget = [&](const QImage& image) { target.drawImage(QPoint(0, 0), image, area); };

    if (m_performance == SkinPerformance::NoBuffer) {
        if (!m_transparent)
            target.fillRect(area, palette().color(QPalette::Button));
        paintControl(target);
        return;
    }

    SkinLookKey key;
    const bool keepsLooks = describeLook(key);
    if (keepsLooks) {
        key << m_performance << m_transparent << width() << height();
        if (const QImage* look = m_looks.find(key)) {
            copyToTarget(*look);
            return;
        }
    }

    QImage picture;
    if (m_performance == SkinPerformance::DoubleBuffer) {
        picture = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(bufferFill);
        QPainter p(&picture);
        paintControl(p);
    } else {
        QImage& shared = sharedBuffer(size());
        {
            QPainter p(&shared);
            p.setClipRect(area);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(area, bufferFill);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            paintControl(p);
        }
        copyToTarget(shared);
        // The shared buffer is painted over by the next control; a kept
        // look needs its own pixels.
        if (keepsLooks)
            m_looks.insert(std::move(key), shared.copy(area));
        return;
    }
    copyToTarget(picture);
    if (keepsLooks)
        m_looks.insert(std::move(key), std::move(picture));
}

bool SkinCustomControl::describeLook(SkinLookKey&) const
{
    return false;
}

void SkinCustomControl::setPointerInside(bool inside)
{
    if (m_pointerInside == inside)
        return;
    m_pointerInside = inside;
    if (inside)
        emit mouseEntered();
    else
        emit mouseLeft();
    update();
}

void SkinCustomControl::enterEvent(QEnterEvent* event)
{
    setPointerInside(true);
    QWidget::enterEvent(event);
}

void SkinCustomControl::leaveEvent(QEvent* event)
{
    setPointerInside(false);
    QWidget::leaveEvent(event);
}

void SkinCustomControl::focusInEvent(QFocusEvent* event)
{
    m_focused = true;
    update();
    QWidget::focusInEvent(event);
}

void SkinCustomControl::focusOutEvent(QFocusEvent* event)
{
    m_focused = false;
    update();
    QWidget::focusOutEvent(event);
}

} // namespace corvane::skin
