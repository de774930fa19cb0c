// TSkinCustomForm: the frame's layout (client rectangle, size limits, window
// shape) and hit testing of window points.

#include "skin/frame/TSkinCustomForm.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace corvane::skin {

namespace {

// The default size limits of a frame: no smaller than a caption with a little
// room for its buttons.
constexpr QSize defaultMinimumTrackSize(150, 40);

} // namespace

// ---------------------------------------------------------------------------
// Geometry

TPlainFrameLayout TSkinCustomForm::plainLayout() const
{
    return TPlainFrameLayout::compute(m_owner->size(), m_borderStyle, m_borderIcons, m_state);
}

void TSkinCustomForm::layoutTreeTo(const QSize& size)
{
    if (TSkinObject* root = tree())
        root->setBounds(0, 0, size.width(), size.height());
}

QRect TSkinCustomForm::clientRectFor(const QSize& windowSize)
{
    if (TSkinObject* root = tree()) {
        layoutTreeTo(windowSize);
        TSkinObject* client = clientObject();
        if (!client)
            return QRect(QPoint(0, 0), windowSize);
        if (client->left() != 0 && client->top() != 0)
            return client->boundsRect();
        (void)root;
    }
    return TPlainFrameLayout::compute(windowSize, m_borderStyle, m_borderIcons, m_state).client;
}

QRect TSkinCustomForm::clientRect() const
{
    return const_cast<TSkinCustomForm*>(this)->clientRectFor(m_owner->size());
}

int TSkinCustomForm::topHeight() const { return clientRect().top(); }

int TSkinCustomForm::bottomHeight() const
{
    const QRect client = clientRect();
    return m_owner->height() - (client.top() + client.height());
}

TSkinObject* TSkinCustomForm::objectAt(const QPoint& windowPoint)
{
    TSkinObject* root = tree();
    if (!root || !m_owner->rect().contains(windowPoint))
        return nullptr;
    layoutTreeTo(m_owner->size());
    return root->objectAt(windowPoint);
}

THitArea TSkinCustomForm::hitAreaAt(const QPoint& windowPoint)
{
    if (tree()) {
        TSkinObject* object = objectAt(windowPoint);
        return object ? hitAreaOfKind(object->Kind) : THitArea::Client;
    }
    return plainLayout().hitArea(windowPoint);
}

TSystemAnswer TSkinCustomForm::systemAnswerAt(const QPoint& windowPoint)
{
    return systemAnswerOf(hitAreaAt(windowPoint), Dragging, m_state == wsMaximized);
}

QRect TSkinCustomForm::workArea() const
{
    QScreen* screen = m_owner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(0, 0, 1 << 15, 1 << 15);
    return m_stayOnTop ? screen->geometry() : screen->availableGeometry();
}

QSize TSkinCustomForm::minimumTrackSize() const
{
    return QSize(Constraints.MinWidth > 0 ? Constraints.MinWidth : defaultMinimumTrackSize.width(),
                 Constraints.MinHeight > 0 ? Constraints.MinHeight : defaultMinimumTrackSize.height());
}

QSize TSkinCustomForm::maximumTrackSize() const
{
    const QSize area = workArea().size();
    return QSize(Constraints.MaxWidth > 0 ? Constraints.MaxWidth : area.width(),
                 Constraints.MaxHeight > 0 ? Constraints.MaxHeight : area.height());
}

void TSkinCustomForm::setWindowBounds(const QRect& bounds)
{
    const bool withMinimum = m_state != wsMinimized && m_state != wsRollup;
    const QSize size = clampSize(bounds.size(), minimumTrackSize(), maximumTrackSize(), withMinimum);
    const QRect target(bounds.topLeft(), size);
    // A frame that cannot be sized by the pointer keeps the window system from
    // sizing it as well; every size change of the frame goes through here.
    m_owner->setMinimumSize(0, 0);
    m_owner->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (target != m_owner->geometry())
        m_owner->setGeometry(target);
    if (!Dragging.Sizeable)
        m_owner->setFixedSize(size);
    updateShape();
}

void TSkinCustomForm::updateShape()
{
    if (!m_framed)
        return;
    const QSize size = m_owner->size();
    const QRect client = clientRectFor(size);  // lays the tree out to the window
    invalidateFrameCache();
    m_lastClientSize = client.size();
    if (m_client && m_client->geometry() != client)
        m_client->setGeometry(client);
    if (size != m_shapedSize || m_shapedState != m_state) {
        m_shapedSize = size;
        m_shapedState = m_state;
        if (TSkinObject* root = tree()) {
            root->setState(skinStateOf(m_state));
            QRegion region = root->createRegion();
            if (Shadow.Enabled)
                region |= region.translated(Shadow.Size, Shadow.Size);
            m_owner->setMask(region);
        } else {
            m_owner->clearMask();
        }
    }
    if (OnResize)
        OnResize(this);
}

} // namespace corvane::skin
