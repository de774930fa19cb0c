#include "flat/FlatTitlebar.h"

#include "flat/InvalidOperationError.h"
#include "flat/FlatColors.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace corvane::flat {

namespace {
constexpr quint32 defaultInactiveText = 8559266; // red 162, green 154, blue 130
const char* const notOnFormMessage = "TFlatTitlebar can only be placed on a descndant of a TCustomForm";

bool isForm(const QWidget* widget)
{
    return widget && widget->isWindow();
}
} // namespace

QWidget* FlatTitlebar::checkedForm(QWidget* parent)
{
    if (parent && !isForm(parent))
        throw InvalidOperationError(notOnFormMessage);
    return parent;
}

FlatTitlebar::FlatTitlebar(QWidget* parent)
    : QWidget(checkedForm(parent)),
      m_activeTextColor(Qt::white),
      m_inactiveTextColor(flat::fromColorRef(defaultInactiveText)),
      m_titlebarColor(Qt::black)
{
    resize(100, 19);
    watchForm(parent);
}

void FlatTitlebar::watchForm(QWidget* form)
{
    if (m_form)
        m_form->removeEventFilter(this);
    m_form = form;
    if (!form)
        return;
    // The bar watches its window's activation and size; the filter goes away
    // with the bar, so a bar destroyed early leaves its window untouched.
    form->installEventFilter(this);
    m_active = form->isActiveWindow();
    applyAlign();
    update();
}

void FlatTitlebar::setActiveTextColor(const QColor& color)
{
    if (m_activeTextColor == color)
        return;
    m_activeTextColor = color;
    update();
}

void FlatTitlebar::setInactiveTextColor(const QColor& color)
{
    if (m_inactiveTextColor == color)
        return;
    m_inactiveTextColor = color;
    update();
}

void FlatTitlebar::setTitlebarColor(const QColor& color)
{
    if (m_titlebarColor == color)
        return;
    m_titlebarColor = color;
    update();
}

void FlatTitlebar::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void FlatTitlebar::setAlign(Align align)
{
    m_align = align;
    applyAlign();
}

void FlatTitlebar::applyAlign()
{
    if (m_align == Align::Top && parentWidget())
        setGeometry(0, 0, parentWidget()->width(), height());
}

void FlatTitlebar::setActive(bool active)
{
    m_active = active;
    update();
}

bool FlatTitlebar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_form) {
        switch (event->type()) {
        case QEvent::WindowActivate: setActive(true); break;
        case QEvent::WindowDeactivate: setActive(false); break;
        case QEvent::Resize: applyAlign(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FlatTitlebar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

bool FlatTitlebar::event(QEvent* event)
{
    // Re-parented by QWidget::setParent, which cannot refuse:
    // follow a new window, and let go of the old one when the new parent is
    // not a window, so the bar never moves or watches the wrong thing.
    if (event->type() == QEvent::ParentChange && parentWidget() != m_form)
        watchForm(isForm(parentWidget()) ? parentWidget() : nullptr);
    return QWidget::event(event);
}

void FlatTitlebar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    const int textWidth = metrics.horizontalAdvance(m_caption);
    const int textHeight = metrics.height();
    painter.fillRect(rect(), m_titlebarColor);
    painter.setPen(m_active ? m_activeTextColor : m_inactiveTextColor);
    const int x = width() / 2 - textWidth / 2;
    const int y = height() / 2 - textHeight / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), m_caption);
}

void FlatTitlebar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !m_dragging && m_form) {
        if (QGuiApplication::platformName() == QLatin1String("wayland")) {
            // A Wayland client cannot place its own window; the compositor
            // moves it instead.
            if (QWindow* handle = window()->windowHandle())
                handle->startSystemMove();
        } else {
            m_dragging = true;
        }
    }
    m_pressGlobal = event->globalPosition().toPoint();
    if (m_form)
        m_formPosAtPress = m_form->pos();
}

void FlatTitlebar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !m_form)
        return;
    // Keep the grab point under the pointer: the window moves by the
    // pointer's travel since the press.
    const QPoint travel = event->globalPosition().toPoint() - m_pressGlobal;
    m_form->move(m_formPosAtPress + travel);
}

void FlatTitlebar::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

} // namespace corvane::flat
