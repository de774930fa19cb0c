#pragma once
// SkinCustomForm: replaces the platform's frame of a top-level window by one
// the program draws itself. The window becomes frameless; the frame paints the
// band around the client area, answers hit tests, moves the window by its
// caption, runs the caption functions (close, minimize, maximize, roll up,
// minimize to the tray, restore, system menu) and keeps the window state.
//
// The frame hooks its owner window through an event filter: painting, pointer,
// activation, size and state changes and the skin notifications of the owner
// reach the frame first. The owner's controls live in one child widget (the
// client widget), which the frame places on its client rectangle.
//
// Without a skin the frame draws a plain frame from the style's metrics;
// SkinForm adds the skin's object tree.
//
// The form itself takes the window over, lays the frame out and routes the
// owner's events; its collaborators do one job each: PlatformWindowSettings
// keeps what the platform's frame had, SkinFramePicture draws the skinned
// window and keeps the picture of its frame band, SkinFrameInput the
// pointer, keyboard and hit testing, SkinFrameStates the window states,
// SkinFrameSystemMenu the system menu and SkinFrameTray the
// notification-area icon.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QShortcut>
#include <functional>
#include <memory>
#include <optional>

#include "skin/model/SkinObject.h"
#include "skin/frame/PlainFrame.h"
#include "skin/frame/PlatformWindowSettings.h"
#include "skin/SkinFormTypes.h"
#include "skin/SkinStoredShape.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "skin/frame/SkinFrameInput.h"
#include "skin/frame/SkinFramePicture.h"
#include "skin/frame/SkinFrameStates.h"
#include "skin/frame/SkinFrameSystemMenu.h"
#include "skin/frame/SkinFrameTray.h"

class QWidget;

namespace corvane::skin {

class SkinCustomForm;

class SkinCustomForm : public QObject, public SkinFrameInterface {
    Q_OBJECT
public:
    // Creation: the frame hooks `owner` (a top-level window) and places
    // `clientWidget` (a child of the owner holding its controls) on its client
    // rectangle. The frame is a child object of the owner.
    SkinCustomForm(QWidget* owner, QWidget* clientWidget);
    ~SkinCustomForm() override;

    // The end of loading: the frame takes over the window (call once, after
    // the properties are set).
    virtual void loaded();
    bool isLoaded() const { return m_loaded; }

    QWidget* owner() const { return m_owner; }

    // ---- Settings.
    // Whether the frame replaces the platform's frame (it does by default).
    bool isActive() const { return m_replacesPlatformFrame; }
    void setActive(bool active);
    SkinBorderIcons borderIcons() const override { return m_borderIcons; }
    void setBorderIcons(SkinBorderIcons icons);
    SkinBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(SkinBorderStyle style);
    QString caption() const;
    void setCaption(const QString& caption); // also the owner's caption
    // Whether the pointer moves and sizes the window, and where it grips.
    SkinDragging dragging() const { return m_dragging; }
    void setDragging(const SkinDragging& dragging) { m_dragging = dragging; }
    // The menu bar that Alt + a letter and shortcut keys go to.
    SkinFrameMenuBar* menuBar() const { return m_menuBar; }
    void setMenuBar(SkinFrameMenuBar* menuBar) { m_menuBar = menuBar; }
    // How the system menu opens (its animation); in the tray it opens plainly.
    SkinPopupMenuOptions systemMenuOptions() const { return m_systemMenuOptions; }
    void setSystemMenuOptions(const SkinPopupMenuOptions& options) { m_systemMenuOptions = options; }
    SkinWindowState windowState() const { return m_states.state(); }
    // Before loading: the state to take once the window exists. After: runs
    // the action that leads to it.
    void setWindowState(SkinWindowState state);

    // ---- Window-state actions.
    void close() { m_states.close(); }
    void minimize() { m_states.minimize(); }
    void maximize() { m_states.maximize(); }             // toggles: from maximized it restores
    void rollup() { m_states.rollup(); }                 // toggles: from rolled up it restores
    void minimizeToTray() { m_states.minimizeToTray(); } // toggles; minimizes where the desktop has no tray
    void restore() { m_states.restore(); }
    void help();
    // Opens the system menu at a screen point, else at the client origin (at
    // the pointer in the tray).
    void showSystemMenu(std::optional<QPoint> screenPoint = std::nullopt) { m_systemMenu.show(screenPoint); }
    // Runs the action of a system menu item; false for an unknown caption.
    bool runSystemMenuCommand(const QString& caption) { return m_systemMenu.run(caption); }

    // ---- Geometry, in window coordinates.
    QRect clientRect() const;
    // The frame's height above and below the client area.
    int topHeight() const;
    int bottomHeight() const;
    QRect normalBounds() const { return m_states.normalBounds(); }
    SystemAnswer systemAnswerAt(const QPoint& windowPoint) { return m_input.systemAnswerAt(windowPoint); }
    QSize minimumTrackSize() const;
    QSize maximumTrackSize() const;
    // The area windows snap to and maximize into.
    QRect workArea() const;

    // ---- Collaborators that tests and later controls replace.
    void setSystemMenuPresenter(std::unique_ptr<SkinSystemMenuPresenter> presenter)
    {
        m_systemMenu.setPresenter(std::move(presenter));
    }
    // Whether the desktop offers a notification area (probed by default).
    void setTrayAvailable(std::function<bool()> available) { m_tray.setAvailable(std::move(available)); }

    // ---- SkinFrameInterface.
    bool isFrameActive() const override { return m_windowActive; }
    void performSkinAction(SkinAction action, SkinSystemButton* button) override;
    QIcon frameIcon() const override;

    // Sets the whole window's bounds through the frame's limits.
    void setWindowBounds(const QRect& bounds);

    // Repaints the frame band (not the client area).
    void repaintFrame();
    // The window shape worked out beforehand for the skin the frame has now
    // (see SkinStoredShape.h): taken instead of drawing and scanning the
    // frame's bitmaps while the window has that size in the normal state. A
    // change of skin forgets it.
    void setStoredShape(const StoredWindowShape& stored) { m_storedShape = stored; }

signals:
    // The frame closed its main window (one without a parent widget) and its
    // close query accepted: the application is done.
    void mainWindowClosed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- What a skin adds; the plain frame answers with nothing.
    // The object tree laid out to the window, when the frame draws a skin.
    virtual SkinObject* tree() const { return nullptr; }
    virtual SkinObject* clientObject() const { return nullptr; }
    virtual SkinObject* titleObject() const { return nullptr; }
    // The window size a frame without a client object gives its window (the
    // size its tree was designed with); empty when the client size is kept.
    virtual QSize designedWindowSize() const { return QSize(); }
    // Called for the owner's skin notifications.
    virtual void skinChanging(SkinEngine* /*engine*/) { }
    virtual void skinChanged(SkinEngine* /*engine*/) { }

    // Step 4: recompute the frame, keep the client size, repaint.
    void applyFrame();
    // After a size change: layout, client widget, window shape.
    void updateShape();
    // Forgets every pointer into the object tree (before it is freed).
    void forgetObjects();
    void stopHoverTimer() { m_input.stopHoverTimer(); }
    void updateHoverTimer() { m_input.updateHoverTimer(); }

private:
    friend class SkinFrameInput;
    friend class SkinFrameStates;

    // The client rectangle for a window size under the current frame.
    QRect clientRectFor(const QSize& windowSize);
    PlainFrameLayout plainLayout() const;
    void layoutTreeTo(const QSize& size);

    void makeFrameless();
    void restorePlatformFrame();
    // The skin's messages to the owner and the window events the frame
    // follows; true when the frame took the event.
    bool handleSkinMessage(QEvent* event);
    bool handleWindowEvent(QEvent* event);
    void activationChanged();
    void paint(const QRegion& region);
    void paintPlain(QPainter& painter, const QRegion& region);
    // What the skinned window is drawn from now.
    SkinFrameScene scene() const;
    void invalidateFrameCache() { m_picture.invalidate(); }

    QWidget* m_owner;
    QPointer<QWidget> m_client;
    bool m_loaded = false;
    bool m_replacesPlatformFrame = true;
    bool m_framed = false;
    PlatformWindowSettings m_platformSettings;
    QSize m_lastClientSize;
    // The size and state the window shape was last built for.
    QSize m_shapedSize;
    SkinWindowState m_shapedState = SkinWindowState::Normal;
    std::optional<StoredWindowShape> m_storedShape;
    // The window's shape where the platform cannot shape windows (painted
    // instead: transparent outside it); empty where the window is shaped.
    QRegion m_translucentShape;

    SkinBorderIcons m_borderIcons = defaultBorderIcons;
    SkinBorderStyle m_borderStyle = SkinBorderStyle::Standard;
    SkinDragging m_dragging;
    SkinFrameMenuBar* m_menuBar = nullptr;
    SkinPopupMenuOptions m_systemMenuOptions;
    bool m_windowActive = false;

    SkinFramePicture m_picture;
    SkinFrameTray m_tray;
    SkinFrameStates m_states{*this};
    SkinFrameSystemMenu m_systemMenu{*this};
    SkinFrameInput m_input{*this};
    // Children of the owner (shortcuts work in their parent's window);
    // removed with the frame.
    QPointer<QShortcut> m_systemMenuKey;
    QPointer<QShortcut> m_closeKey;
    QPointer<QObject> m_altTap;
};

} // namespace corvane::skin
