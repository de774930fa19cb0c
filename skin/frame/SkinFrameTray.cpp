#include "skin/frame/SkinFrameTray.h"

#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace corvane::skin {

namespace {

// Notification-area tips hold at most this many characters.
constexpr int trayTipLength = 63;

} // namespace

SkinFrameTray::SkinFrameTray(QObject* window)
    : m_window(window), m_available([] { return QSystemTrayIcon::isSystemTrayAvailable(); })
{ }

void SkinFrameTray::show(const QIcon& icon)
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(m_window);
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick)
                emit restoreRequested();
            else if (reason == QSystemTrayIcon::Context)
                emit menuRequested();
        });
    }
    m_icon->setIcon(icon);
    m_icon->setToolTip(QGuiApplication::applicationDisplayName().left(trayTipLength));
    m_icon->show();
}

void SkinFrameTray::hide()
{
    if (m_icon)
        m_icon->hide();
}

void SkinFrameTray::setIcon(const QIcon& icon)
{
    if (m_icon)
        m_icon->setIcon(icon);
}

} // namespace corvane::skin
