#include "skin/frame/TSkinCustomForm.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QWhatsThis>
#include <QWidget>
#include <QWindow>

#include "skin/SkinBlit.h"
#include "skin/frame/SkinAltTap.h"
#include "skin/SkinObjects.h"

namespace corvane::skin {

namespace {

// The default size limits of a frame: no smaller than a caption with a little
// room for its buttons.
constexpr QSize defaultMinimumTrackSize(150, 40);
// A minimized window that does not minimize the application is as wide as
// the desktop's minimized windows.
constexpr int minimizedWindowWidth = 160;
// Notification-area tips hold at most this many characters.
constexpr int trayTipLength = 63;

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Qt::CursorShape cursorFor(TSystemAnswer answer)
{
    switch (answer) {
    case TSystemAnswer::Left:
    case TSystemAnswer::Right: return Qt::SizeHorCursor;
    case TSystemAnswer::Top:
    case TSystemAnswer::Bottom: return Qt::SizeVerCursor;
    case TSystemAnswer::TopLeft:
    case TSystemAnswer::BottomRight: return Qt::SizeFDiagCursor;
    case TSystemAnswer::TopRight:
    case TSystemAnswer::BottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

TSkinCustomForm::TSkinCustomForm(QWidget* owner, QWidget* clientWidget)
    : QObject(owner), m_owner(owner), m_client(clientWidget)
{
    Q_ASSERT(owner);
    setObjectName(QStringLiteral("SkinForm"));
    m_menuPresenter = std::make_unique<TPlainSystemMenuPresenter>();
    m_terminate = [] { QCoreApplication::quit(); };
    m_trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    // Hover tracking runs only while the window is active and the pointer is
    // over it (updateHoverTimer), so an idle window costs nothing.
    m_hoverTimer.setInterval(100);
    connect(&m_hoverTimer, &QTimer::timeout, this,
            [this] { trackPointer(m_owner->mapFromGlobal(QCursor::pos())); });

    m_windowActive = owner->isActiveWindow();
    owner->installEventFilter(this);
}

TSkinCustomForm::~TSkinCustomForm()
{
    m_hoverTimer.stop();
    forgetObjects();
    delete m_systemMenuKey.data();
    delete m_closeKey.data();
    delete m_altTap.data();
}

// ---------------------------------------------------------------------------
// Loading and attachment

void TSkinCustomForm::loaded()
{
    if (m_loaded)
        return;
    m_loaded = true;

    // Alt+Space opens the system menu; Alt+F4 closes where no window manager
    // takes the key first.
    m_systemMenuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), m_owner);
    connect(m_systemMenuKey, &QShortcut::activated, this, [this] { showSystemMenu(); });
    m_closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), m_owner);
    connect(m_closeKey, &QShortcut::activated, this, [this] { close(); });
    // Alt pressed and released alone is the keyboard-menu command.
    m_altTap = new TSkinAltTap(m_owner, [this] { keyboardMenuCommand(); });

    applyFrame();
    if (m_storedState != wsNormal) {
        // Performed once the window has settled, as a posted request.
        m_normalBounds = m_owner->geometry();
        QCoreApplication::postEvent(m_owner, new QEvent(QEvent::Type(CM_PERFORMSTATE)));
    }
    if (OnCreate)
        OnCreate(this);
    if (m_stayOnTop)
        setStayOnTop(true);
}

void TSkinCustomForm::applyFrame()
{
    if (!m_loaded || !m_enabled)
        return;
    // The client area keeps the size it had under the previous frame (under
    // the platform's frame: the whole widget).
    const QSize keptClient = m_framed ? m_lastClientSize : m_owner->size();
    if (!m_framed)
        makeFrameless();
    QSize size = m_owner->size();
    const QSize designed = designedWindowSize();
    for (int pass = 0; pass < 3 && designed.isEmpty(); ++pass) {
        const QSize difference = keptClient - clientRectFor(size).size();
        if (difference.isNull())
            break;
        size += difference;
    }
    if (!designed.isEmpty())
        size = designed;
    m_shapedSize = QSize();
    invalidateFrameCache();
    setWindowBounds(QRect(m_owner->pos(), size));
    updateShape();
    m_owner->update();
}

void TSkinCustomForm::makeFrameless()
{
    m_platformFlags = m_owner->windowFlags();
    m_platformMinimum = m_owner->minimumSize();
    m_platformMaximum = m_owner->maximumSize();
    const bool visible = m_owner->isVisible();
    // The platform's caption hints go: Qt keeps a caption for a customized
    // window that still asks for a title or buttons.
    const Qt::WindowFlags captionHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                                         Qt::WindowContextHelpButtonHint | Qt::WindowShadeButtonHint;
    m_owner->setWindowFlags((m_platformFlags & ~captionHints) | Qt::FramelessWindowHint);
    // The frame applies its own limits (setWindowBounds).
    m_owner->setMinimumSize(0, 0);
    m_owner->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_owner->setMouseTracking(true);
    // The frame paints every pixel of the window (its cached picture is
    // composed over the window's background), so Qt need not fill the
    // background first.
    m_platformOpaquePaint = m_owner->testAttribute(Qt::WA_OpaquePaintEvent);
    m_owner->setAttribute(Qt::WA_OpaquePaintEvent);
    m_framed = true;
    if (visible)
        m_owner->show();
}

void TSkinCustomForm::restorePlatformFrame()
{
    if (!m_framed)
        return;
    m_hoverTimer.stop();
    const QSize client = m_lastClientSize;
    const bool visible = m_owner->isVisible();
    m_framed = false;
    m_owner->setAttribute(Qt::WA_OpaquePaintEvent, m_platformOpaquePaint);
    m_owner->clearMask();
    m_owner->setWindowFlags(m_platformFlags);
    if (m_client)
        m_client->setGeometry(QRect(QPoint(0, 0), client));
    m_owner->resize(client);
    m_owner->setMinimumSize(m_platformMinimum);
    m_owner->setMaximumSize(m_platformMaximum);
    if (visible)
        m_owner->show();
}

void TSkinCustomForm::setActive(bool active)
{
    if (active == m_enabled)
        return;
    m_enabled = active;
    if (!m_loaded)
        return;
    if (active)
        applyFrame();
    else
        restorePlatformFrame();
}

// ---------------------------------------------------------------------------
// Properties

void TSkinCustomForm::setBorderIcons(TSkinBorderIcons icons)
{
    m_borderIcons = icons;
    if (TSkinObject* root = tree())
        root->setState(skinStateOf(m_state));  // buttons follow the icons
    repaintFrame();
}

void TSkinCustomForm::setBorderStyle(TSkinBorderStyle style)
{
    m_borderStyle = style;
    if (m_loaded)
        applyFrame();
}

QString TSkinCustomForm::Caption() const { return m_owner->windowTitle(); }

void TSkinCustomForm::setCaption(const QString& caption) { m_owner->setWindowTitle(caption); }

void TSkinCustomForm::setStayOnTop(bool stayOnTop)
{
    m_stayOnTop = stayOnTop;
    if (!m_loaded)
        return;
    const bool visible = m_owner->isVisible();
    const QRect bounds = m_owner->geometry();
    m_owner->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
    m_owner->setGeometry(bounds);
    if (visible)
        m_owner->show();
}

void TSkinCustomForm::setWindowState(TSkinWindowState state)
{
    if (!m_loaded) {
        m_storedState = state;
        return;
    }
    performStoredState(state);
}

void TSkinCustomForm::performStoredState(TSkinWindowState state)
{
    if (state == m_state)
        return;
    switch (state) {
    case wsNormal: restore(); break;
    case wsMaximized: maximize(); break;
    case wsMinimized: minimize(); break;
    case wsRollup: rollup(); break;
    case wsTray: minimizeToTray(); break;
    }
}

void TSkinCustomForm::setSystemMenuPresenter(std::unique_ptr<TSkinSystemMenuPresenter> presenter)
{
    if (presenter)
        m_menuPresenter = std::move(presenter);
}

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

// ---------------------------------------------------------------------------
// Painting

bool TSkinCustomForm::isFrameActive() const { return m_windowActive; }

QIcon TSkinCustomForm::frameIcon() const
{
    QIcon icon = m_owner->windowIcon();
    if (icon.isNull())
        icon = QApplication::windowIcon();
    return icon;
}

void TSkinCustomForm::repaintFrame()
{
    invalidateFrameCache();
    if (!m_framed)
        return;
    m_owner->update(QRegion(m_owner->rect()) - QRegion(clientRect()));
}

void TSkinCustomForm::paint(const QRegion& region)
{
    QPainter painter(m_owner);
    if (tree()) {
        // Only the repainted part is copied from the kept pieces of the
        // window picture, one rectangle at a time, each with a clip of just
        // that rectangle: under a clip of one rectangle the raster engine
        // copies whole rows, under a clip region it blends span by span.
        const std::vector<FramePiece>& pieces = cachedSkinnedFrame();
        QRegion uncovered = region;
        for (const FramePiece& piece : pieces) {
            const qreal ratio = piece.picture.devicePixelRatio();
            painter.setCompositionMode(piece.picture.hasAlphaChannel() ? QPainter::CompositionMode_Source
                                                                       : QPainter::CompositionMode_SourceOver);
            for (const QRect& rect : region) {
                const QRect part = rect & piece.rect;
                if (part.isEmpty())
                    continue;
                const QRectF source((part.x() - piece.rect.x()) * ratio, (part.y() - piece.rect.y()) * ratio,
                                    part.width() * ratio, part.height() * ratio);
                painter.setClipRect(part);
                painter.drawImage(QRectF(part), piece.picture, source);
            }
            uncovered -= piece.rect;
        }
        painter.setClipping(false);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        // The client area is normally covered by the window's children; where
        // it shows, it is drawn as it is, not kept.
        if (!uncovered.isEmpty())
            paintSkinnedDirect(painter, uncovered);
    } else {
        // The window asks Qt not to fill its background while it is framed.
        for (const QRect& rect : region)
            painter.fillRect(rect, m_owner->palette().brush(m_owner->backgroundRole()));
        const TPlainFrameLayout layout = plainLayout();
        painter.fillRect(layout.client, QApplication::palette().brush(QPalette::Button));
        paintPlainFrame(painter, layout, Caption(), frameIcon(), isFrameActive(), m_state,
                        m_pressing ? m_pressArea : THitArea::Client);
    }
    painter.end();
    if (OnPaint)
        OnPaint(this);
}

qsizetype TSkinCustomForm::frameCacheBytes() const
{
    qsizetype bytes = 0;
    for (const FramePiece& piece : m_frameCache)
        bytes += piece.picture.sizeInBytes();
    return bytes;
}

void TSkinCustomForm::paintSkinnedDirect(QPainter& painter, const QRegion& region)
{
    painter.save();
    painter.setClipRegion(region);
    painter.fillRect(region.boundingRect(), m_owner->palette().brush(m_owner->backgroundRole()));
    paintSkinned(painter, region.boundingRect());
    painter.restore();
}

const std::vector<TSkinCustomForm::FramePiece>& TSkinCustomForm::cachedSkinnedFrame()
{
    FrameCacheKey key;
    key.tree = tree();
    key.size = m_owner->size();
    key.pixelRatio = m_owner->devicePixelRatioF();
    key.active = isFrameActive();
    key.state = m_state;
    key.performance = Performance;
    key.title = m_owner->windowTitle();
    // Without a client object the skin draws the whole window, and all of
    // it is kept.
    key.client = clientObject() ? clientRect() : QRect();
    if (!m_frameCacheDirty && key == m_frameCacheKey && !m_frameCache.empty())
        return m_frameCache;

    // The skin drawn over the window's background, exactly as the tree would
    // be drawn on the window itself. With an opaque background the picture
    // has no alpha channel, and copying it needs no blending.
    const QBrush background = m_owner->palette().brush(m_owner->backgroundRole());
    const QImage::Format format =
        background.isOpaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    // The band around the client area: at most four rectangles (above,
    // left, right, below).
    const QRegion band = QRegion(QRect(QPoint(0, 0), key.size)) - QRegion(key.client);
    std::vector<FramePiece> pieces;
    pieces.reserve(band.rectCount());
    for (const QRect& rect : band) {
        FramePiece piece{rect, {}};
        const QSize pixels = (QSizeF(rect.size()) * key.pixelRatio).toSize();
        // A piece of the same place and size is drawn again in place.
        for (FramePiece& kept : m_frameCache)
            if (kept.rect == rect && kept.picture.size() == pixels && kept.picture.format() == format)
                piece.picture = std::move(kept.picture);
        if (piece.picture.isNull())
            piece.picture = QImage(pixels, format);
        piece.picture.setDevicePixelRatio(key.pixelRatio);
        piece.picture.fill(Qt::transparent);
        {
            QPainter painter(&piece.picture);
            painter.translate(-rect.topLeft());
            painter.setClipRect(rect);
            painter.fillRect(rect, background);
            // What a painter opened on the window would start with.
            painter.setFont(m_owner->font());
            painter.setPen(m_owner->palette().color(m_owner->foregroundRole()));
            painter.setBackground(background);
            paintSkinned(painter, rect);
        }
        pieces.push_back(std::move(piece));
    }
    m_frameCache = std::move(pieces);
    m_frameCacheKey = key;
    m_frameCacheDirty = false;
    ++m_frameCacheRedraws;
    return m_frameCache;
}

void TSkinCustomForm::paintSkinned(QPainter& painter, const QRect& target)
{
    TSkinObject* root = tree();
    const QSize size = m_owner->size();
    layoutTreeTo(size);
    root->setActive(isFrameActive());
    root->setState(skinStateOf(m_state));
    if (TSkinObject* title = titleObject())
        title->Text = m_owner->windowTitle();

    // The client object is drawn on its own, below; the frame must not paint
    // over the client area.
    TSkinObject* client = clientObject();
    if (client)
        client->Visible = false;

    const QRect strip(0, 0, size.width(), client ? client->top() : 0);
    if (Performance == fpNoBuffer && client && client->top() > 0) {
        // The caption strip goes through a scratch picture first and is copied
        // masked, so the caption never shows half-drawn.
        if (strip.intersects(target)) {
            QImage scratch(strip.size(), QImage::Format_ARGB32);
            scratch.fill(SkinKeyPixel);
            {
                QPainter stripPainter(&scratch);
                root->draw(stripPainter);
            }
            painter.drawImage(strip.topLeft(), keyToTransparent(scratch));
        }
        painter.save();
        painter.setClipRegion(QRegion(QRect(QPoint(0, 0), size)) - QRegion(strip), Qt::IntersectClip);
        root->draw(painter);
        painter.restore();
    } else {
        root->draw(painter);
    }

    if (client) {
        client->Visible = true;
        // The client background: the client object at the client area's origin.
        painter.save();
        if (client->boundsRect().intersects(target)) {
            painter.setClipRect(client->boundsRect(), Qt::IntersectClip);
            client->draw(painter);
        }
        painter.restore();
    }
}

// ---------------------------------------------------------------------------
// Events of the owner window

bool TSkinCustomForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_owner)
        return false;
    const int type = event->type();
    switch (type) {
    case CM_SKINGETFORM:
        static_cast<TSkinGetFormEvent*>(event)->setForm(this);
        return true;
    case CM_SKINREDRAW: {
        // Caption buttons ask for a redraw of their own rectangle; the client
        // object never repaints over the client area.
        TSkinObject* object = static_cast<TSkinRedrawEvent*>(event)->object();
        invalidateFrameCache();
        if (m_framed && object && object != clientObject())
            m_owner->update(object->boundsRect());
        return true;
    }
    case CM_SKINCHANGING:
        invalidateFrameCache();
        skinChanging(static_cast<TSkinChangeEvent*>(event)->engine());
        return false;
    case CM_SKINCHANGED:
        invalidateFrameCache();
        skinChanged(static_cast<TSkinChangeEvent*>(event)->engine());
        return false;
    case CM_PERFORMSTATE:
        performStoredState(m_storedState);
        return true;
    case CM_SKINHITTEST: {
        auto* hitTest = static_cast<TSkinHitTestEvent*>(event);
        hitTest->setNonClient(m_framed && systemAnswerAt(hitTest->windowPoint()) != TSystemAnswer::Client);
        return true;
    }
    default: break;
    }
    if (!m_framed)
        return false;

    switch (event->type()) {
    case QEvent::Paint:
        paint(static_cast<QPaintEvent*>(event)->region());
        return true;
    case QEvent::Resize:
        updateShape();
        return false;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        invalidateFrameCache();
        return false;
    case QEvent::ActivationChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        const bool active = m_owner->isActiveWindow();
        if (active != m_windowActive) {
            m_windowActive = active;
            invalidateFrameCache();
            if (!active)
                endPointerStates();
            m_owner->update(QRegion(m_owner->rect()) - QRegion(clientRect()));
        }
        updateHoverTimer();
        return false;
    }
    case QEvent::Enter:
        m_pointerInside = true;
        updateHoverTimer();
        return false;
    case QEvent::Leave:
        m_pointerInside = false;
        trackPointer(QPoint(-1, -1));  // whatever was hot is left now
        updateHoverTimer();
        return false;
    case QEvent::WindowStateChange:
        followPlatformState();
        return false;
    case QEvent::WindowBlocked:
        // A modal window takes the pointer from here on: no press of the
        // frame goes on and no caption button stays hot or pressed.
        endPointerStates();
        return false;
    case QEvent::WindowTitleChange:
        repaintFrame();
        if (m_tray)
            m_tray->setToolTip(trayTip());
        return false;
    case QEvent::WindowIconChange:
        if (m_tray)
            m_tray->setIcon(frameIcon());
        repaintFrame();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return handleMouse(static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress: {
        // Keys the focused control did not take reach the window: Alt with a
        // character enters the menu bar, other shortcuts are offered to it.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!MenuBar || QWidget::mouseGrabber())
            return false;
        if (key->modifiers() == Qt::AltModifier && !key->text().isEmpty() && key->text() != QLatin1String(" ")
            && key->text() != QLatin1String("-")) {
            MenuBar->keyboardMenu(key->text().at(0));
            return true;
        }
        return MenuBar->offerShortCut(key->key(), key->modifiers());
    }
    default: return false;
    }
}

// ---------------------------------------------------------------------------
// Pointer handling

bool TSkinCustomForm::handleMouse(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    const bool onFrame = systemAnswerAt(point) != TSystemAnswer::Client;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event->button() != Qt::LeftButton)
            return onFrame;  // other buttons on the frame are the frame's
        if (!onFrame)
            return false;
        press(point, global, event->button(), event->buttons(), event->type() == QEvent::MouseButtonDblClick);
        return true;
    case QEvent::MouseMove:
        if (!m_pressing && !onFrame) {
            // Over the client area without a press of the frame.
            setHitArea(THitArea::Client);
            updateCursor(TSystemAnswer::Client);
            return false;
        }
        moveTo(point, global, event->buttons());
        return true;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::RightButton) {
            if (!m_pressing && hitAreaAt(point) == THitArea::Caption && onFrame) {
                showSystemMenu(global);
                return true;
            }
            return onFrame;
        }
        if (event->button() != Qt::LeftButton || !m_pressing)
            return onFrame;
        release(point, global, event->button(), event->buttons());
        return true;
    default: return false;
    }
}

void TSkinCustomForm::press(const QPoint& point, const QPoint& global, Qt::MouseButton button,
                            Qt::MouseButtons buttons, bool doubleClick)
{
    if (!m_owner->isActiveWindow())
        m_owner->activateWindow();
    m_pressArea = hitAreaAt(point);
    m_hitArea = m_pressArea;
    m_pressGlobal = global;
    m_pressBounds = m_owner->geometry();
    m_doubleClick = doubleClick;
    m_pressing = true;  // the owner keeps the pointer until the release
    repaintFrame();

    const bool moving = m_pressArea == THitArea::Caption;
    if (moving || isEdgeArea(m_pressArea)) {
        if (moving && onWayland()) {
            // A Wayland client cannot place its own window: the compositor moves it.
            if (Dragging.Moveable && m_state != wsMaximized && m_owner->windowHandle())
                m_owner->windowHandle()->startSystemMove();
        } else {
            m_dragging = true;
            m_outline = QRect();
        }
    }

    if (TSkinObject* object = objectAt(point)) {
        const QPoint relative = point - QPoint(object->left(), object->top());
        m_pressedObject = object;
        if (doubleClick)
            object->dblClick();
        else
            object->mouseDown(button, buttons, relative);
    }
}

void TSkinCustomForm::moveTo(const QPoint& point, const QPoint& global, Qt::MouseButtons buttons)
{
    if ((buttons & Qt::LeftButton) && m_dragging) {
        dragTo(global);
    } else {
        const THitArea area = hitAreaAt(point);
        setHitArea(area);
        updateCursor(systemAnswerOf(area, Dragging, m_state == wsMaximized));
    }
    const QPoint now = m_owner->mapFromGlobal(global);  // the window may have moved
    TSkinObject* object = objectAt(now);
    if (object && (buttons == Qt::NoButton || object == m_pressedObject))
        object->mouseMove(buttons, now - QPoint(object->left(), object->top()));
}

void TSkinCustomForm::dragTo(const QPoint& global)
{
    const QPoint travel = global - m_pressGlobal;
    QRect target;
    if (m_pressArea == THitArea::Caption) {
        if (!Dragging.Moveable || m_state == wsMaximized)
            return;
        target = applyGravitation(m_pressBounds.translated(travel), workArea(), Gravitation,
                                  Shadow.Enabled ? Shadow.Size : 0);
    } else {
        if (!Dragging.Sizeable || m_state != wsNormal)
            return;
        target = sizeByEdge(m_pressBounds, m_pressArea, travel, minimumTrackSize());
    }

    if (Dragging.DragMode == fdmBorder) {
        // Outline mode: only a rectangle follows the pointer until the release.
        m_outline = target;
        if (!m_outlineBand)
            m_outlineBand = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
        m_outlineBand->setGeometry(target);
        m_outlineBand->show();
        return;
    }
    if (m_pressArea == THitArea::Caption)
        m_owner->move(target.topLeft());
    else
        setWindowBounds(target);
    setHitArea(hitAreaAt(m_owner->mapFromGlobal(global)));
}

void TSkinCustomForm::release(const QPoint& point, const QPoint& global, Qt::MouseButton button,
                              Qt::MouseButtons buttons)
{
    QPointer<TSkinCustomForm> self(this);
    m_pressing = false;
    const THitArea pressArea = m_pressArea;
    const bool doubleClick = m_doubleClick;
    m_doubleClick = false;

    if (doubleClick && pressArea == THitArea::Caption && (m_borderIcons & borderIconBit(biMaximize))) {
        if (m_state == wsMinimized)
            restore();
        else
            maximize();
        if (!self)
            return;
    }
    if (!tree() && isBuiltInButtonArea(pressArea) && hitAreaAt(point) == pressArea) {
        repaintFrame();
        runBuiltInButton(pressArea);
        if (!self)
            return;
    }
    if (m_outline.isValid()) {
        const QRect finalBounds = m_outline;
        m_outline = QRect();
        if (m_outlineBand)
            m_outlineBand->hide();
        if (pressArea == THitArea::Caption)
            m_owner->move(finalBounds.topLeft());
        else
            setWindowBounds(finalBounds);
    }
    m_dragging = false;

    const QPoint now = m_owner->mapFromGlobal(global);
    TSkinObject* pressed = m_pressedObject;
    m_pressedObject = nullptr;
    TSkinObject* object = objectAt(now);
    if (object && object == pressed) {
        // The released object shows hot now: it is the hovered one, so that
        // whatever takes the pointer away from it (a move, the window losing
        // the focus to a box its action opens) returns it to normal.
        if (m_hoverObject != object) {
            if (TSkinObject* left = m_hoverObject)
                left->mouseLeave();
            m_hoverObject = object;
        }
        object->mouseUp(button, buttons, now - QPoint(object->left(), object->top()));
    }
    if (self)
        repaintFrame();
    (void)point;
}

void TSkinCustomForm::setHitArea(THitArea area)
{
    if (area == m_hitArea)
        return;
    m_hitArea = area;
    repaintFrame();
}

void TSkinCustomForm::updateCursor(TSystemAnswer answer)
{
    const Qt::CursorShape shape = cursorFor(answer);
    if (shape == Qt::ArrowCursor) {
        if (m_owner->testAttribute(Qt::WA_SetCursor))
            m_owner->unsetCursor();
    } else {
        m_owner->setCursor(shape);
    }
}

void TSkinCustomForm::runBuiltInButton(THitArea area)
{
    const TPlainFrameLayout layout = plainLayout();
    switch (area) {
    case THitArea::CloseButton: close(); break;
    case THitArea::MaximizeButton: maximize(); break;
    case THitArea::MinimizeButton: minimize(); break;
    case THitArea::RollupButton: rollup(); break;
    case THitArea::SystemMenuButton:
        showSystemMenu(m_owner->mapToGlobal(layout.sysMenuButton.bottomLeft() + QPoint(0, 1)));
        break;
    default: break;
    }
}

void TSkinCustomForm::trackPointer(const QPoint& windowPoint)
{
    TSkinObject* object = (tree() && m_owner->rect().contains(windowPoint)) ? objectAt(windowPoint) : nullptr;
    if (object == m_hoverObject)
        return;
    TSkinObject* left = m_hoverObject;
    m_hoverObject = object;
    if (left)
        left->mouseLeave();
    if (object && object->Visible && (!m_pressedObject || object == m_pressedObject))
        object->mouseEnter();
}

void TSkinCustomForm::endPointerStates()
{
    if (m_pressing) {
        m_pressing = false;
        m_dragging = false;
        m_doubleClick = false;
        m_outline = QRect();
        if (m_outlineBand)
            m_outlineBand->hide();
    }
    TSkinObject* pressed = m_pressedObject;
    TSkinObject* hovered = m_hoverObject;
    m_pressedObject = nullptr;
    m_hoverObject = nullptr;
    if (pressed)
        pressed->mouseLeave();
    if (hovered && hovered != pressed)
        hovered->mouseLeave();
    repaintFrame();
}

void TSkinCustomForm::keyboardMenuCommand()
{
    if (MenuBar && !QWidget::mouseGrabber())
        MenuBar->keyboardMenu(QChar());
}

void TSkinCustomForm::updateHoverTimer()
{
    const bool wanted = m_framed && tree() && m_windowActive && m_pointerInside;
    if (wanted && !m_hoverTimer.isActive())
        m_hoverTimer.start();
    else if (!wanted)
        m_hoverTimer.stop();
}

void TSkinCustomForm::forgetObjects()
{
    // The tree these pointed into is going; so is what the cache shows.
    invalidateFrameCache();
    m_hoverObject = nullptr;
    m_pressedObject = nullptr;
}

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

void TSkinCustomForm::showSystemMenu(std::optional<QPoint> screenPoint)
{
    QPoint at;
    if (m_state == wsTray)
        at = QCursor::pos();
    else if (screenPoint)
        at = *screenPoint;
    else
        at = m_owner->mapToGlobal(clientRect().topLeft());

    QMenu* link = (m_state == wsTray && TrayMenuLink) ? TrayMenuLink.data() : SystemMenuLink.data();
    if (link) {
        link->exec(at);
        return;
    }
    QPointer<TSkinCustomForm> self(this);
    m_menuPresenter->popup(m_owner, systemMenuItems(m_state, m_borderIcons), at,
                           m_state == wsTray ? TrayMenuOptions : SystemMenuOptions,
                           [self](const QString& caption) {
                               if (self)
                                   self->runSystemMenuCommand(caption);
                           });
}

bool TSkinCustomForm::runSystemMenuCommand(const QString& caption)
{
    using namespace systemMenuCaption;
    if (caption == Restore) restore();
    else if (caption == Minimize) minimize();
    else if (caption == Maximize) maximize();
    else if (caption == Rollup) rollup();
    else if (caption == Tray) minimizeToTray();
    else if (caption == Close) close();
    else return false;
    return true;
}

void TSkinCustomForm::performSkinAction(TSkinAction action, TSkinSystemButton* button)
{
    switch (action) {
    case sbaClose: close(); break;
    case sbaHelp: help(); break;
    case sbaMinimize: minimize(); break;
    case sbaMaximize: maximize(); break;
    case sbaRestore:
    case sbaRollDown: restore(); break;
    case sbaRollUp: rollup(); break;
    case sbaTray: minimizeToTray(); break;
    case sbaSysMenu:
        if (button)
            showSystemMenu(m_owner->mapToGlobal(QPoint(button->left(), button->top() + button->height())));
        else
            showSystemMenu();
        break;
    case sbaCustom:
        if (customAction)
            customAction(button);
        break;
    case sbaNone:
    case sbaRollPanel: break;
    }
}

} // namespace corvane::skin
