#pragma once
// SkinFrameTray: the notification-area icon of a frame minimized to the
// tray, tipped with the application's name. A double click on it asks for
// the window back, its context click for the system menu.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <functional>

class QSystemTrayIcon;

namespace corvane::skin {

class SkinFrameTray : public QObject {
    Q_OBJECT
public:
    // The icon, once shown, is a child of `window`.
    explicit SkinFrameTray(QObject* window);

    // Whether the desktop offers a notification area (probed by default).
    bool isAvailable() const { return m_available && m_available(); }
    void setAvailable(std::function<bool()> available) { m_available = std::move(available); }

    void show(const QIcon& icon);
    void hide();
    // Follows the window's icon while the tray icon exists.
    void setIcon(const QIcon& icon);

signals:
    void restoreRequested();
    void menuRequested();

private:
    QObject* m_window;
    std::function<bool()> m_available;
    QPointer<QSystemTrayIcon> m_icon;
};

} // namespace corvane::skin
