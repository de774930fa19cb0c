#include "skin/frame/SkinFrameStates.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "skin/frame/SkinCustomForm.h"

namespace corvane::skin {

SkinFrameStates::SkinFrameStates(SkinCustomForm& form) : m_form(form)
{ }

void SkinFrameStates::setState(SkinWindowState state)
{
    if (state != m_state) {
        m_stateBefore = m_state;
        m_state = state;
    }
    if (SkinObject* root = m_form.tree())
        root->setState(skinStateOf(m_state)); // shows and hides caption buttons
    m_form.updateShape();
    m_form.repaintFrame();
}

void SkinFrameStates::rememberNormalBounds()
{
    if (m_state == SkinWindowState::Normal)
        m_normalBounds = m_form.owner()->geometry();
}

void SkinFrameStates::rememberLoadedBounds()
{
    m_normalBounds = m_form.owner()->geometry();
}

bool SkinFrameStates::isModal() const
{
    return m_form.owner()->isModal() && m_form.owner()->isVisible();
}

void SkinFrameStates::performState(SkinWindowState state)
{
    if (state == m_state)
        return;
    switch (state) {
    case SkinWindowState::Normal: restore(); break;
    case SkinWindowState::Maximized: maximize(); break;
    case SkinWindowState::Minimized: minimize(); break;
    case SkinWindowState::RolledUp: rollup(); break;
    case SkinWindowState::Tray: minimizeToTray(); break;
    }
}

void SkinFrameStates::close()
{
    QWidget* owner = m_form.owner();
    if (isModal()) {
        if (auto* dialog = qobject_cast<QDialog*>(owner))
            dialog->reject();
        return;
    }
    QPointer<SkinCustomForm> form(&m_form);
    // QWidget::close runs the owner's close query (its close event), which
    // may refuse; a refused close keeps the window as it is.
    const bool closed = owner->close();
    if (!form || !closed)
        return;
    const bool mainWindow = owner->parentWidget() == nullptr;
    if (mainWindow)
        emit m_form.mainWindowClosed();
}

void SkinFrameStates::minimize()
{
    if (isModal() || m_state == SkinWindowState::Minimized)
        return;
    QWidget* owner = m_form.owner();
    if (m_state == SkinWindowState::Tray) {
        m_form.m_tray.hide();
        owner->show();
    }
    rememberNormalBounds();
    setState(SkinWindowState::Minimized);
    owner->showMinimized();
}

void SkinFrameStates::maximize()
{
    if (m_state == SkinWindowState::Maximized) {
        restore();
        return;
    }
    if (m_state == SkinWindowState::Tray)
        restore();
    rememberNormalBounds();
    if (m_state == SkinWindowState::Minimized)
        m_form.owner()->showNormal();
    setState(SkinWindowState::Maximized);
    m_form.setWindowBounds(m_form.workArea());
    m_form.applyFrame();
}

void SkinFrameStates::rollup()
{
    if (m_state == SkinWindowState::RolledUp) {
        restore();
        return;
    }
    if (m_state == SkinWindowState::Minimized || m_state == SkinWindowState::Tray)
        return;
    rememberNormalBounds();
    const int height = m_form.topHeight() + m_form.bottomHeight();
    setState(SkinWindowState::RolledUp);
    m_form.setWindowBounds(QRect(m_form.owner()->pos(), QSize(m_form.owner()->width(), height)));
}

void SkinFrameStates::minimizeToTray()
{
    if (isModal())
        return;
    if (m_state == SkinWindowState::Tray) {
        restore();
        return;
    }
    if (!m_form.m_tray.isAvailable()) {
        minimize(); // no notification area on this desktop
        return;
    }
    rememberNormalBounds();
    setState(SkinWindowState::Tray);
    m_form.m_tray.show(m_form.frameIcon());
    m_form.owner()->hide();
}

void SkinFrameStates::restore()
{
    switch (m_state) {
    case SkinWindowState::Normal: return;
    case SkinWindowState::Tray: restoreFromTray(); return;
    case SkinWindowState::Minimized: restoreFromMinimized(); return;
    case SkinWindowState::Maximized:
        setState(SkinWindowState::Normal);
        m_form.setWindowBounds(m_normalBounds);
        m_form.applyFrame();
        return;
    case SkinWindowState::RolledUp: restoreFromRollup(); return;
    }
}

void SkinFrameStates::restoreFromTray()
{
    QWidget* owner = m_form.owner();
    m_form.m_tray.hide();
    setState(m_stateBefore == SkinWindowState::Tray || m_stateBefore == SkinWindowState::Minimized
                 ? SkinWindowState::Normal
                 : m_stateBefore);
    owner->show();
    owner->raise();
    owner->activateWindow();
}

void SkinFrameStates::restoreFromMinimized()
{
    setState(m_stateBefore == SkinWindowState::Minimized ? SkinWindowState::Normal : m_stateBefore);
    m_form.owner()->showNormal();
}

void SkinFrameStates::restoreFromRollup()
{
    if (m_stateBefore == SkinWindowState::Maximized) {
        setState(SkinWindowState::Maximized);
        m_form.setWindowBounds(m_form.workArea());
    } else {
        setState(SkinWindowState::Normal);
        m_form.setWindowBounds(m_normalBounds);
    }
}

void SkinFrameStates::followPlatformState()
{
    // A window manager that maximises a window whose frame cannot be sized
    // (fluxbox does, whatever the size hints say) or fills the screen with
    // it: the window goes back to its own size.
    constexpr Qt::WindowStates sizing = Qt::WindowMaximized | Qt::WindowFullScreen;
    if ((m_form.owner()->windowState() & sizing) && !m_form.dragging().sizeable) {
        QTimer::singleShot(0, m_form.owner(),
                           [owner = m_form.owner(), sizing] { owner->setWindowState(owner->windowState() & ~sizing); });
    }
    const bool minimized = m_form.owner()->windowState() & Qt::WindowMinimized;
    if (minimized && m_state != SkinWindowState::Minimized && m_state != SkinWindowState::Tray) {
        rememberNormalBounds();
        setState(SkinWindowState::Minimized);
    } else if (!minimized && m_state == SkinWindowState::Minimized) {
        setState(m_stateBefore == SkinWindowState::Minimized ? SkinWindowState::Normal : m_stateBefore);
    }
}

} // namespace corvane::skin
