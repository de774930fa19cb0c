#include "shell/PlainTitleBar.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvane::shell {

PlainTitleBar::PlainTitleBar(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption)
{
    setObjectName(QStringLiteral("FlatTitlebar1"));
}

QColor PlainTitleBar::textColour() const
{
    return window()->isActiveWindow() ? QColor(Qt::white) : QColor(162, 154, 130);
}

void PlainTitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::blue);
    painter.setPen(textColour());
    painter.setFont(font());
    painter.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

bool PlainTitleBar::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate ||
        event->type() == QEvent::ActivationChange)
        update();
    return QWidget::event(event);
}

void PlainTitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    pressOffset_ = event->globalPosition().toPoint() - window()->pos();
}

void PlainTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        window()->move(event->globalPosition().toPoint() - pressOffset_);
}

void PlainTitleBar::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

} // namespace corvane::shell
