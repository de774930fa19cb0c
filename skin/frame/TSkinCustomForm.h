#pragma once
// TSkinCustomForm: replaces the platform's frame of a top-level window by one
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
// TSkinForm adds the skin's object tree.
//
// The members are defined by job: creation, loading and properties in
// TSkinCustomForm.cpp; layout and hit testing in TSkinCustomFormGeometry.cpp;
// painting and the kept picture in TSkinCustomFormPainting.cpp; the owner's
// events and the pointer in TSkinCustomFormInput.cpp; window states and the
// tray in TSkinCustomFormStates.cpp; the system menu and caption-button
// actions in TSkinCustomFormSystemMenu.cpp.

#include <QImage>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRubberBand>
#include <QShortcut>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "skin/SkinObject.h"
#include "skin/frame/PlainFrame.h"
#include "skin/SkinFormTypes.h"
#include "skin/frame/SkinFrameGeometry.h"
#include "skin/frame/SkinSystemMenu.h"

class QMouseEvent;
class QSystemTrayIcon;
class QWidget;

namespace corvane::skin {

class TSkinCustomForm;

// Events. A veto event receives `allow` set to true and may clear it.
using TSkinNotifyEvent = std::function<void(TSkinCustomForm* sender)>;
using TSkinFormActionEvent = std::function<void(TSkinCustomForm* sender, bool& allow)>;

class TSkinCustomForm : public QObject, public TSkinFrameInterface {
    Q_OBJECT
public:
    // Message posted to the owner to perform a stored window state once the
    // window exists.
    static constexpr int CM_PERFORMSTATE = 1391;

    // Creation: the frame hooks `owner` (a top-level window) and places
    // `clientWidget` (a child of the owner holding its controls) on its client
    // rectangle. The frame is a child object of the owner.
    TSkinCustomForm(QWidget* owner, QWidget* clientWidget);
    ~TSkinCustomForm() override;

    // The end of loading: the frame takes over the window (call once, after
    // the properties are set).
    virtual void loaded();
    bool isLoaded() const { return m_loaded; }

    QWidget* owner() const { return m_owner; }
    QWidget* clientWidget() const { return m_client; }

    // ---- Published properties.
    bool Active() const { return m_enabled; }
    void setActive(bool active);
    TSkinAnimation Animation;
    TSkinBlending Blending{false, 150};
    TSkinBorderIcons BorderIcons() const { return m_borderIcons; }
    void setBorderIcons(TSkinBorderIcons icons);
    TSkinBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TSkinBorderStyle style);
    QString Caption() const;
    void setCaption(const QString& caption);   // also the owner's caption
    TSkinDragging Dragging;
    TSkinGravitation Gravitation;
    TSkinConstraints Constraints;
    TSkinFrameMenuBar* MenuBar = nullptr;
    TSkinPopupMenuOptions SystemMenuOptions;
    TSkinPopupMenuOptions TrayMenuOptions;
    QPointer<QMenu> SystemMenuLink;
    QPointer<QMenu> TrayMenuLink;
    bool MinimizeApplication = true;
    TSkinFormPerformance Performance = fpNoBuffer;
    TSkinShadow Shadow;
    bool StayOnTop() const { return m_stayOnTop; }
    void setStayOnTop(bool stayOnTop);
    bool StretchBackground = false;
    TSkinWindowState WindowState() const { return m_state; }
    // Before loading: the state to take once the window exists. After: runs
    // the action that leads to it.
    void setWindowState(TSkinWindowState state);

    TSkinNotifyEvent OnCreate, OnPaint, OnResize;
    TSkinFormActionEvent OnClose, OnMinimize, OnMaximize, OnRollup, OnMinToTray;

    // ---- Window-state actions (each fires its veto event first).
    void close();
    void minimize();
    void maximize();      // toggles: from maximized it restores
    void rollup();        // toggles: from rolled up it restores
    void minimizeToTray();// toggles; minimizes where the desktop has no tray
    void restore();
    void help();
    // Opens the system menu at a screen point, else at the client origin (at
    // the pointer in the tray).
    void showSystemMenu(std::optional<QPoint> screenPoint = std::nullopt);
    // Runs the action of a system menu item; false for an unknown caption.
    bool runSystemMenuCommand(const QString& caption);

    // ---- Geometry, in window coordinates.
    QRect clientRect() const;
    // The frame's height above and below the client area.
    int topHeight() const;
    int bottomHeight() const;
    QRect normalBounds() const { return m_normalBounds; }
    THitArea hitAreaAt(const QPoint& windowPoint);
    TSystemAnswer systemAnswerAt(const QPoint& windowPoint);
    QSize minimumTrackSize() const;
    QSize maximumTrackSize() const;
    // The area windows snap to and maximize into.
    QRect workArea() const;

    // ---- Hover tracking: one step of the 100 ms timer for a window point.
    void trackPointer(const QPoint& windowPoint);
    bool hoverTimerActive() const { return m_hoverTimer.isActive(); }
    TSkinObject* hoverObject() const { return m_hoverObject; }
    TSkinObject* pressedObject() const { return m_pressedObject; }

    // ---- Collaborators that tests and later controls replace.
    void setSystemMenuPresenter(std::unique_ptr<TSkinSystemMenuPresenter> presenter);
    // What ends the application after the main window closed (quit by default).
    void setTerminateApplication(std::function<void()> terminate) { m_terminate = std::move(terminate); }
    // Whether the desktop offers a notification area (probed by default).
    void setTrayAvailable(std::function<bool()> available) { m_trayAvailable = std::move(available); }
    QSystemTrayIcon* trayIcon() const { return m_tray; }

    // ---- TSkinFrameInterface.
    bool isFrameActive() const override;
    TSkinBorderIcons borderIcons() const override { return m_borderIcons; }
    void performSkinAction(TSkinAction action, TSkinSystemButton* button) override;
    QIcon frameIcon() const override;

    // Sets the whole window's bounds through the frame's limits.
    void setWindowBounds(const QRect& bounds);

    // Repaints the frame band (not the client area).
    void repaintFrame();
    // How often the cached picture of the skinned window has been drawn; a
    // repaint that changes nothing the frame shows must not add to it.
    int frameCacheRedraws() const { return m_frameCacheRedraws; }
    // The memory the kept picture takes, in bytes.
    qsizetype frameCacheBytes() const;

    // OnCustomAction of TSkinForm goes through this.
    std::function<void(TSkinSystemButton*)> customAction;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- What a skin adds; the plain frame answers with nothing.
    // The object tree laid out to the window, when the frame draws a skin.
    virtual TSkinObject* tree() const { return nullptr; }
    virtual TSkinObject* clientObject() const { return nullptr; }
    virtual TSkinObject* titleObject() const { return nullptr; }
    // The window size a frame without a client object gives its window (the
    // size its tree was designed with); empty when the client size is kept.
    virtual QSize designedWindowSize() const { return QSize(); }
    // Called for the owner's skin notifications.
    virtual void skinChanging(TSkinEngine* /*engine*/) {}
    virtual void skinChanged(TSkinEngine* /*engine*/) {}

    // Step 4: recompute the frame, keep the client size, repaint.
    void applyFrame();
    // After a size change: layout, client widget, window shape, OnResize.
    void updateShape();
    // Forgets every pointer into the object tree (before it is freed).
    void forgetObjects();
    void stopHoverTimer() { m_hoverTimer.stop(); }
    void updateHoverTimer();

private:
    // The client rectangle for a window size under the current frame.
    QRect clientRectFor(const QSize& windowSize);
    TPlainFrameLayout plainLayout() const;
    void layoutTreeTo(const QSize& size);
    TSkinObject* objectAt(const QPoint& windowPoint);

    void makeFrameless();
    void restorePlatformFrame();
    void paint(const QRegion& region);
    // Draws the skinned window; parts lying wholly outside `target` (window
    // coordinates) may be left out.
    void paintSkinned(QPainter& painter, const QRect& target);
    // Draws the skinned window within `region` straight onto `painter`,
    // over the window's background, as a painter opened on the window would.
    void paintSkinnedDirect(QPainter& painter, const QRegion& region);
    // One kept piece of the drawn skinned window: its place in the window
    // and its picture.
    struct FramePiece {
        QRect rect;
        QImage picture;
    };
    // The skinned window as paintSkinned draws it, kept for the frame band
    // around the client area only (the client area is covered by the
    // window's children and drawn directly where it shows), redrawn only when
    // invalidateFrameCache() was called or a drawing input changed.
    const std::vector<FramePiece>& cachedSkinnedFrame();
    void invalidateFrameCache() { m_frameCacheDirty = true; }

    bool handleMouse(QMouseEvent* event);
    void press(const QPoint& windowPoint, const QPoint& globalPoint, Qt::MouseButton button,
               Qt::MouseButtons buttons, bool doubleClick);
    void moveTo(const QPoint& windowPoint, const QPoint& globalPoint, Qt::MouseButtons buttons);
    void release(const QPoint& windowPoint, const QPoint& globalPoint, Qt::MouseButton button,
                 Qt::MouseButtons buttons);
    void dragTo(const QPoint& globalPoint);
    void setHitArea(THitArea area);
    void updateCursor(TSystemAnswer answer);
    void runBuiltInButton(THitArea area);
    // Ends a press of the frame and returns every caption button it or the
    // pointer drew hot or pressed to normal (the window lost the pointer).
    void endPointerStates();
    // The system's keyboard-menu command without a character (Alt alone):
    // the menu bar enters keyboard mode.
    void keyboardMenuCommand();

    void setState(TSkinWindowState state);
    void rememberNormalBounds();
    bool isModal() const;
    bool allowed(const TSkinFormActionEvent& event);
    void followPlatformState();
    void showTrayIcon();
    void hideTrayIcon();
    QString trayTip() const;
    void performStoredState(TSkinWindowState state);

    QWidget* m_owner;
    QPointer<QWidget> m_client;
    bool m_loaded = false;
    bool m_enabled = true;
    bool m_framed = false;
    Qt::WindowFlags m_platformFlags;
    QSize m_platformMinimum;
    QSize m_platformMaximum;
    QSize m_lastClientSize;
    // The size and state the window shape was last built for.
    QSize m_shapedSize;
    TSkinWindowState m_shapedState = wsNormal;

    TSkinBorderIcons m_borderIcons = defaultBorderIcons;
    TSkinBorderStyle m_borderStyle = bsStandard;
    bool m_stayOnTop = false;
    TSkinWindowState m_state = wsNormal;
    TSkinWindowState m_stateBefore = wsNormal;
    TSkinWindowState m_storedState = wsNormal;
    QRect m_normalBounds;

    // Pointer handling.
    bool m_windowActive = false;
    bool m_pointerInside = false;
    bool m_pressing = false;
    bool m_dragging = false;
    bool m_doubleClick = false;
    THitArea m_hitArea = THitArea::Client;
    THitArea m_pressArea = THitArea::Client;
    QPoint m_pressGlobal;
    QRect m_pressBounds;
    QRect m_outline;
    std::unique_ptr<QRubberBand> m_outlineBand;
    TSkinObject* m_hoverObject = nullptr;
    TSkinObject* m_pressedObject = nullptr;
    QTimer m_hoverTimer;

    // Cache of the drawn skinned window. Drawing the object tree costs far
    // more than copying pixels, and most repaints (the client's children,
    // hover of one caption button) leave the frame as it was.
    std::vector<FramePiece> m_frameCache;
    bool m_frameCacheDirty = true;
    // What the cache was drawn for; a difference redraws it even when nobody
    // invalidated it.
    struct FrameCacheKey {
        const TSkinObject* tree = nullptr;
        QSize size;
        qreal pixelRatio = 1.0;
        bool active = false;
        TSkinWindowState state = wsNormal;
        TSkinFormPerformance performance = fpNoBuffer;
        QString title;
        QRect client;
        bool operator==(const FrameCacheKey&) const = default;
    };
    FrameCacheKey m_frameCacheKey;
    int m_frameCacheRedraws = 0;
    // Whether the owner painted opaquely before the frame took it over.
    bool m_platformOpaquePaint = false;

    std::unique_ptr<TSkinSystemMenuPresenter> m_menuPresenter;
    std::function<void()> m_terminate;
    std::function<bool()> m_trayAvailable;
    QSystemTrayIcon* m_tray = nullptr;
    // Children of the owner (shortcuts work in their parent's window);
    // removed with the frame.
    QPointer<QShortcut> m_systemMenuKey;
    QPointer<QShortcut> m_closeKey;
    QPointer<QObject> m_altTap;
};

} // namespace corvane::skin
