#pragma once
// SkinFrameTray: the notification-area icon of a frame minimized to the
// tray. A double click on it asks for the window back, its context click
// for the system menu.

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace corvane::skin {

class SkinFrameTray {
public:
    SkinFrameTray(std::function<void()> restore, std::function<void()> menu);
    ~SkinFrameTray();

    // Whether the desktop offers a notification area (probed by default).
    bool isAvailable() const { return m_available && m_available(); }
    void setAvailable(std::function<bool()> available) { m_available = std::move(available); }

    void show(const QIcon& icon, const QString& tip);
    void hide();
    // Follow the window's caption and icon while the icon exists.
    void setTip(const QString& tip);
    void setIcon(const QIcon& icon);
    // Null until the icon was first shown.
    QSystemTrayIcon* icon() const { return m_icon.get(); }

private:
    std::function<void()> m_restore;
    std::function<void()> m_menu;
    std::function<bool()> m_available;
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace corvane::skin
