#include "skin/menu/SkinPopupWindow.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include "skin/SkinWindowSystem.h"
#include "skin/menu/SkinAnimation.h"

namespace corvane::skin {

namespace {

QWidget* transientParentFor(QWidget* opener)
{
    return SkinPopupWindow::usesPlatformPopups() && opener ? opener->window() : nullptr;
}

Qt::WindowFlags popupFlags()
{
    if (SkinPopupWindow::usesPlatformPopups())
        return Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
    return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
           Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint;
}

} // namespace

bool SkinPopupWindow::usesPlatformPopups()
{
    return !programPlacesWindows();
}

// A child of its transient parent on the platform's popups (Qt makes the
// parent's window the transient parent), a window of its own otherwise.
SkinPopupWindow::SkinPopupWindow(SkinMenuItem* item, const SkinPopupMenuOptions& options, QWidget* opener)
    : QWidget(transientParentFor(opener), popupFlags()), m_options(options), m_skin(SkinMenuSkin::from(item))
{
    setObjectName(QStringLiteral("SkinPopupMenu"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(10, 10);
    if (options.blending.enabled)
        setWindowOpacity(qBound(0, options.blending.value, 255) / 255.0);
    m_skin.setHost(this);
    m_view = std::make_unique<SkinItemView>(item, Qt::Vertical, this, &m_skin);
    relayout();
}

SkinPopupWindow::~SkinPopupWindow() = default;

void SkinPopupWindow::relayout()
{
    const QMargins margins = SkinMenuPainter::popupMargins(m_skin);
    // Measure first, then place the items inside the margins.
    m_view->layout(QRect(QPoint(margins.left(), margins.top()), QSize(0, 0)));
    const QSize content = m_view->contentSize();
    m_size =
        QSize(content.width() + margins.left() + margins.right(), content.height() + margins.top() + margins.bottom());
    if (m_options.shadow.enabled)
        m_size += QSize(m_options.shadow.size, m_options.shadow.size);
    m_size = m_size.expandedTo(QSize(10, 10));
    resize(m_size);
}

void SkinPopupWindow::paintPopup(QPainter& painter)
{
    QRect frame(QPoint(0, 0), m_size);
    if (m_options.shadow.enabled) {
        const int s = m_options.shadow.size;
        frame.adjust(0, 0, -s, -s);
        const QColor shadow(0x40, 0x40, 0x40);
        painter.fillRect(QRect(frame.right() + 1, s, s, frame.height()), shadow);
        painter.fillRect(QRect(s, frame.bottom() + 1, frame.width(), s), shadow);
    }
    SkinMenuPainter::drawPopupBackground(painter, m_skin, frame, palette());
    m_view->paintItems(painter);
}

QImage SkinPopupWindow::renderPicture()
{
    QImage picture(m_size, QImage::Format_ARGB32);
    picture.fill(QColor::fromRgba(SkinKeyPixel));
    QPainter painter(&picture);
    paintPopup(painter);
    return picture;
}

void SkinPopupWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_animationFrame.isNull()) {
        painter.drawImage(0, 0, m_animationFrame);
        return;
    }
    paintPopup(painter);
}

bool SkinPopupWindow::event(QEvent* event)
{
    if (event->type() == skinRedrawEvent()) {
        update();
        return true;
    }
    return QWidget::event(event);
}

void SkinPopupWindow::showAt(const QPoint& screenPosition, bool animate)
{
    move(screenPosition);
    const SkinAnimation& animation = m_options.animation;
    if (!animate || !animation.enabled) {
        show();
        raise();
        return;
    }
    // The screen content the window will cover is the animation's background.
    QImage background;
    if (QScreen* screen = QGuiApplication::screenAt(screenPosition))
        background = screen
                         ->grabWindow(0, screenPosition.x() - screen->geometry().x(),
                                      screenPosition.y() - screen->geometry().y(), m_size.width(), m_size.height())
                         .toImage();
    if (background.size() != m_size) {
        background = QImage(m_size, QImage::Format_ARGB32);
        background.fill(palette().color(QPalette::Window));
    }
    const QImage picture = renderPicture();
    m_animationFrame = background;
    show();
    raise();
    runShowAnimation(animation, picture, background, [this](const QImage& frame) {
        m_animationFrame = frame;
        repaint();
    });
    m_animationFrame = QImage();
    repaint();
}

} // namespace corvane::skin
