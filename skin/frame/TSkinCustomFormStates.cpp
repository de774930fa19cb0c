// TSkinCustomForm: the window-state actions (close, minimize, maximize, roll
// up, minimize to the tray, restore) and the notification-area icon.

#include "skin/frame/TSkinCustomForm.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QSystemTrayIcon>
#include <QWhatsThis>
#include <QWidget>

namespace corvane::skin {

namespace {

// A minimized window that does not minimize the application is as wide as
// the desktop's minimized windows.
constexpr int minimizedWindowWidth = 160;
// Notification-area tips hold at most this many characters.
constexpr int trayTipLength = 63;

} // namespace

// ---------------------------------------------------------------------------
// Window-state actions

void TSkinCustomForm::setState(TSkinWindowState state)
{
    if (state != m_state) {
        m_stateBefore = m_state;
        m_state = state;
    }
    if (TSkinObject* root = tree())
        root->setState(skinStateOf(m_state));  // shows and hides caption buttons
    updateShape();
    repaintFrame();
}

void TSkinCustomForm::rememberNormalBounds()
{
    if (m_state == wsNormal)
        m_normalBounds = m_owner->geometry();
}

bool TSkinCustomForm::isModal() const { return m_owner->isModal() && m_owner->isVisible(); }

bool TSkinCustomForm::allowed(const TSkinFormActionEvent& event)
{
    bool allow = true;
    if (event)
        event(this, allow);
    return allow;
}

void TSkinCustomForm::close()
{
    if (!allowed(OnClose))
        return;
    if (isModal()) {
        if (auto* dialog = qobject_cast<QDialog*>(m_owner))
            dialog->reject();
        return;
    }
    QPointer<TSkinCustomForm> self(this);
    // QWidget::close runs the owner's close query (its close event), which
    // may refuse; a refused close keeps the window as it is.
    const bool closed = m_owner->close();
    if (!self || !closed)
        return;
    const bool mainWindow = m_owner->parentWidget() == nullptr;
    if (mainWindow && m_terminate)
        m_terminate();
}

void TSkinCustomForm::minimize()
{
    if (!allowed(OnMinimize) || isModal() || m_state == wsMinimized)
        return;
    if (m_state == wsTray) {
        hideTrayIcon();
        m_owner->show();
    }
    rememberNormalBounds();
    if (MinimizeApplication) {
        setState(wsMinimized);
        m_owner->showMinimized();
        return;
    }
    const int height = topHeight() + bottomHeight();
    const QRect area = workArea();
    setState(wsMinimized);
    setWindowBounds(QRect(m_owner->x(), area.y() + area.height() - height, minimizedWindowWidth, height));
}

void TSkinCustomForm::maximize()
{
    if (!allowed(OnMaximize))
        return;
    if (m_state == wsMaximized) {
        restore();
        return;
    }
    if (m_state == wsTray)
        restore();
    rememberNormalBounds();
    if (m_state == wsMinimized && MinimizeApplication)
        m_owner->showNormal();
    setState(wsMaximized);
    setWindowBounds(workArea());
    applyFrame();
}

void TSkinCustomForm::rollup()
{
    if (!allowed(OnRollup))
        return;
    if (m_state == wsRollup) {
        restore();
        return;
    }
    if (m_state == wsMinimized || m_state == wsTray)
        return;
    rememberNormalBounds();
    const int height = topHeight() + bottomHeight();
    setState(wsRollup);
    setWindowBounds(QRect(m_owner->pos(), QSize(m_owner->width(), height)));
}

void TSkinCustomForm::minimizeToTray()
{
    if (!allowed(OnMinToTray) || isModal())
        return;
    if (m_state == wsTray) {
        restore();
        return;
    }
    if (!m_trayAvailable || !m_trayAvailable()) {
        minimize();  // no notification area on this desktop
        return;
    }
    rememberNormalBounds();
    setState(wsTray);
    showTrayIcon();
    m_owner->hide();
}

void TSkinCustomForm::restore()
{
    const TSkinWindowState before = m_stateBefore;
    switch (m_state) {
    case wsNormal: return;
    case wsTray:
        hideTrayIcon();
        setState(before == wsTray || before == wsMinimized ? wsNormal : before);
        m_owner->show();
        m_owner->raise();
        m_owner->activateWindow();
        return;
    case wsMinimized:
        if (MinimizeApplication) {
            setState(before == wsMinimized ? wsNormal : before);
            m_owner->showNormal();
        } else if (before == wsMaximized) {
            setState(wsMaximized);
            setWindowBounds(workArea());
        } else {
            setState(wsNormal);
            setWindowBounds(m_normalBounds);
        }
        return;
    case wsMaximized:
        setState(wsNormal);
        setWindowBounds(m_normalBounds);
        applyFrame();
        return;
    case wsRollup:
        if (before == wsMaximized) {
            setState(wsMaximized);
            setWindowBounds(workArea());
        } else {
            setState(wsNormal);
            setWindowBounds(m_normalBounds);
        }
        return;
    }
}

void TSkinCustomForm::help() { QWhatsThis::enterWhatsThisMode(); }

void TSkinCustomForm::followPlatformState()
{
    // The window system may minimize or restore the window on its own (task
    // bar, window manager keys); the frame's state follows it.
    const bool minimized = m_owner->windowState() & Qt::WindowMinimized;
    if (minimized && m_state != wsMinimized && m_state != wsTray) {
        rememberNormalBounds();
        setState(wsMinimized);
    } else if (!minimized && m_state == wsMinimized && MinimizeApplication) {
        setState(m_stateBefore == wsMinimized ? wsNormal : m_stateBefore);
    }
}

QString TSkinCustomForm::trayTip() const
{
    const QString tip = MinimizeApplication ? QGuiApplication::applicationDisplayName() : Caption();
    return tip.left(trayTipLength);
}

void TSkinCustomForm::showTrayIcon()
{
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick)
                restore();
            else if (reason == QSystemTrayIcon::Context)
                showSystemMenu(QCursor::pos());
        });
    }
    m_tray->setIcon(frameIcon());
    m_tray->setToolTip(trayTip());
    m_tray->show();
}

void TSkinCustomForm::hideTrayIcon()
{
    if (m_tray)
        m_tray->hide();
}

} // namespace corvane::skin
