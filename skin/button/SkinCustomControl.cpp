#include "skin/button/SkinCustomControl.h"

#include "skin/SkinTypes.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace corvane::skin {

namespace {

// The key colour as an opaque 32-bit pixel: buffers start out "transparent"
// in the skin's sense, and a plain copy shows whatever was left of it.
constexpr QRgb KeyFill = 0xFF000000u | SkinKeyPixel;

} // namespace

TSkinCustomControl::TSkinCustomControl(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted by the pipeline below, so Qt need not paint the
    // parent first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TSkinCustomControl::~TSkinCustomControl() = default;

void TSkinCustomControl::setPerformance(TSkinPerformance performance)
{
    if (m_performance == performance) return;
    m_performance = performance;
    update();
}

void TSkinCustomControl::setTransparent(bool transparent)
{
    if (m_transparent == transparent) return;
    m_transparent = transparent;
    update();
}

void TSkinCustomControl::setBlending(const TSkinBlending& blending)
{
    if (m_blending == blending) return;
    m_blending = blending;
    update();
}

QImage& TSkinCustomControl::sharedBuffer(const QSize& atLeast)
{
    static QImage buffer;
    QSize wanted = atLeast;
    if (buffer.isNull()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) wanted = wanted.expandedTo(screen->size());
    }
    wanted = wanted.expandedTo(buffer.size()).expandedTo(QSize(1, 1));
    if (buffer.size() != wanted) buffer = QImage(wanted, QImage::Format_RGB32);
    return buffer;
}

void TSkinCustomControl::paintParentBackground(QPainter& painter, const QPoint& at)
{
    QImage background(size(), QImage::Format_RGB32);
    background.fill(palette().color(QPalette::Window));
    QList<QWidget*> chain;
    for (QWidget* w = parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) chain.prepend(w);
    {
        QPainter p(&background);
        for (qsizetype i = 0; i < chain.size(); ++i) {
            QWidget* ancestor = chain[i];
            const QPoint origin = mapTo(ancestor, QPoint(0, 0));
            const QRect source = QRect(origin, size()) & ancestor->rect();
            if (source.isEmpty()) continue;
            // Only the window fills its background colour; the ancestors inside
            // it add what they paint themselves.
            const QWidget::RenderFlags flags = i == 0 ? QWidget::DrawWindowBackground : QWidget::RenderFlags();
            ancestor->render(&p, source.topLeft() - origin, QRegion(source), flags);
        }
    }
    painter.drawImage(at, background);
}

void TSkinCustomControl::paintComposed(QPainter& target)
{
    const QRect area(QPoint(0, 0), size());
    auto copyToTarget = [&](const QImage& image, const QRect& from) {
        if (m_blending.Enabled) {
            paintParentBackground(target, QPoint(0, 0));
            target.save();
            target.setOpacity(qBound(0, m_blending.Value, 255) / 255.0);
            target.drawImage(QPoint(0, 0), image, from);
            target.restore();
        } else {
            target.drawImage(QPoint(0, 0), image, from);
        }
    };

    switch (m_performance) {
    case spNoBuffer:
        if (m_transparent)
            paintParentBackground(target, QPoint(0, 0));
        else
            target.fillRect(area, palette().color(QPalette::Button));
        paintControl(target);
        break;
    case spDoubleBuffer: {
        QImage buffer(size(), QImage::Format_RGB32);
        buffer.fill(KeyFill);
        {
            QPainter p(&buffer);
            if (m_transparent) paintParentBackground(p, QPoint(0, 0));
            paintControl(p);
        }
        copyToTarget(buffer, area);
        break;
    }
    case spSharedBuffer: {
        QImage& shared = sharedBuffer(size());
        {
            QPainter p(&shared);
            p.setClipRect(area);
            p.fillRect(area, QColor::fromRgb(KeyFill));
            if (m_transparent) paintParentBackground(p, QPoint(0, 0));
            paintControl(p);
        }
        copyToTarget(shared, area);
        break;
    }
    }
}

QImage TSkinCustomControl::renderFace()
{
    QImage face(size(), QImage::Format_RGB32);
    face.fill(KeyFill);
    if (face.isNull()) return face;
    QPainter painter(&face);
    paintComposed(painter);
    return face;
}

void TSkinCustomControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintComposed(painter);
}

void TSkinCustomControl::enterEvent(QEnterEvent* event)
{
    m_pointerInside = true;
    emit mouseEntered();
    update();
    QWidget::enterEvent(event);
}

void TSkinCustomControl::leaveEvent(QEvent* event)
{
    m_pointerInside = false;
    emit mouseLeft();
    update();
    QWidget::leaveEvent(event);
}

void TSkinCustomControl::focusInEvent(QFocusEvent* event)
{
    m_focused = true;
    update();
    QWidget::focusInEvent(event);
}

void TSkinCustomControl::focusOutEvent(QFocusEvent* event)
{
    m_focused = false;
    update();
    QWidget::focusOutEvent(event);
}

} // namespace corvane::skin
