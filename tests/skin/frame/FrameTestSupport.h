#pragma once
// Helpers for the frame tests: the stored skin loaded once, a stand-in main
// window (an owner with one client widget of the designed 632 x 450 and a
// close query that counts and may refuse), pointer events delivered the way
// the window system hands them to the owner, and a system menu that records
// instead of opening.

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "shell/MainWindowFrame.h"
#include "skin/SkinEngine.h"
#include "skin/frame/SkinForm.h"

namespace corvane::skin::testing {

// The main window's frame settings live with the main window in the shell.
using shell::createMainWindowFrame;
using shell::mainWindowBorderIcons;

inline SkinEngine& storedSkinEngine()
{
    static SkinEngine* engine = [] {
        auto* e = new SkinEngine;
        QFile file(QStringLiteral(":/skin/ivory.skin"));
        if (file.open(QIODevice::ReadOnly))
            e->readSkinStream(file.readAll());
        return e;
    }();
    return *engine;
}

// The owner window: a top-level widget of the designed client size whose
// controls live in one client widget, like the main window.
class TestOwner : public QWidget {
public:
    static constexpr int ClientWidth = 632;
    static constexpr int ClientHeight = 450;

    TestOwner()
    {
        setWindowTitle(QStringLiteral("CorvaneV1.0"));
        setFixedSize(ClientWidth, ClientHeight);
        client = new QWidget(this);
        client->setObjectName(QStringLiteral("ClientArea"));
        client->setGeometry(0, 0, ClientWidth, ClientHeight);
    }

    QWidget* client = nullptr;
    int closeQueries = 0;
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closeQueries;
        if (refuseClose)
            event->ignore();
        else
            event->accept();
    }
};

class RecordingMenu : public SkinSystemMenuPresenter {
public:
    struct Shown {
        QStringList captions;
        QPoint at;
    };
    std::vector<Shown>* shown;
    QString choose; // caption to pick, empty for none
    explicit RecordingMenu(std::vector<Shown>* log, QString pick = QString()) : shown(log), choose(std::move(pick)) { }
    void popup(QWidget*, const QList<SkinSystemMenuItem>& items, const QPoint& at, const SkinPopupMenuOptions&,
               const std::function<void(const QString&)>& chosen) override
    {
        Shown s;
        for (const auto& item : items)
            s.captions << item.caption;
        s.at = at;
        shown->push_back(s);
        if (!choose.isEmpty())
            chosen(choose);
    }
};

// A main window with SkinForm1 attached and its collaborators recorded.
struct FramedWindow {
    std::unique_ptr<TestOwner> owner = std::make_unique<TestOwner>();
    SkinForm* frame = nullptr;
    int terminations = 0;
    std::vector<RecordingMenu::Shown> menus;

    explicit FramedWindow(SkinEngine* engine = &storedSkinEngine())
    {
        frame = createMainWindowFrame(owner.get(), owner->client, engine);
        QObject::connect(frame, &SkinForm::mainWindowClosed, [this] { ++terminations; });
        frame->setSystemMenuPresenter(std::make_unique<RecordingMenu>(&menus));
        owner->move(40, 30);
        QCursor::setPos(0, 0); // off the window, whatever an earlier test left
    }

    QWidget& window() { return *owner; }
    // What the window shows of `object` now (a caption button: normal, hot
    // or pressed).
    QImage picture(const SkinObject* object) { return owner->grab(object->boundsRect()).toImage(); }

    void changeDragging(const std::function<void(SkinDragging&)>& change)
    {
        SkinDragging dragging = frame->dragging();
        change(dragging);
        frame->setDragging(dragging);
    }
    // The frame's hover timer: it finds what the pointer is over every 100 ms.
    QTimer* hoverTimer() const { return owner->findChild<QTimer*>(QStringLiteral("frameHoverTimer")); }
    // The pointer rests at a window point and the hover timer ticks once.
    void hoverAt(const QPoint& windowPoint)
    {
        QCursor::setPos(global(windowPoint));
        QMetaObject::invokeMethod(hoverTimer(), "timeout");
    }
    // The notification-area icon, once the window went to the tray.
    QSystemTrayIcon* trayIcon() const { return owner->findChild<QSystemTrayIcon*>(); }

    void show()
    {
        owner->show();
        owner->activateWindow();
        QApplication::setActiveWindow(owner.get());
        QApplication::processEvents();
    }

    QPoint global(const QPoint& windowPoint) const { return owner->mapToGlobal(windowPoint); }

    void send(QEvent::Type type, const QPoint& windowPoint, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(windowPoint), QPointF(global(windowPoint)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(owner.get(), &event);
    }
    void press(const QPoint& p, Qt::MouseButton b = Qt::LeftButton) { send(QEvent::MouseButtonPress, p, b, b); }
    void doubleClick(const QPoint& p) { send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton); }
    void release(const QPoint& p, Qt::MouseButton b = Qt::LeftButton)
    {
        send(QEvent::MouseButtonRelease, p, b, Qt::NoButton);
    }
    void moveHeld(const QPoint& p) { send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void hover(const QPoint& p) { send(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    void click(const QPoint& p)
    {
        press(p);
        release(p);
    }
};

// The caption button of the frame's tree with that name.
inline SkinSystemButton* button(SkinForm& frame, const char* name)
{
    return dynamic_cast<SkinSystemButton*>(frame.tree()->findObject(QString::fromLatin1(name)));
}

inline QPoint centre(const SkinObject* object)
{
    return QPoint(object->left() + object->width() / 2, object->top() + object->height() / 2);
}

} // namespace corvane::skin::testing
