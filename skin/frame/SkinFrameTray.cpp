#include "skin/frame/SkinFrameTray.h"

#include <QSystemTrayIcon>

namespace corvane::skin {

namespace {

// Notification-area tips hold at most this many characters.
constexpr int trayTipLength = 63;

} // namespace

SkinFrameTray::SkinFrameTray(std::function<void()> restore, std::function<void()> menu)
    : m_restore(std::move(restore)),
      m_menu(std::move(menu)),
      m_available([] { return QSystemTrayIcon::isSystemTrayAvailable(); })
{ }

SkinFrameTray::~SkinFrameTray() = default;

void SkinFrameTray::show(const QIcon& icon, const QString& tip)
{
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>();
        QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, m_icon.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::DoubleClick)
                                 m_restore();
                             else if (reason == QSystemTrayIcon::Context)
                                 m_menu();
                         });
    }
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip.left(trayTipLength));
    m_icon->show();
}

void SkinFrameTray::hide()
{
    if (m_icon)
        m_icon->hide();
}

void SkinFrameTray::setTip(const QString& tip)
{
    if (m_icon)
        m_icon->setToolTip(tip.left(trayTipLength));
}

void SkinFrameTray::setIcon(const QIcon& icon)
{
    if (m_icon)
        m_icon->setIcon(icon);
}

} // namespace corvane::skin
