#include "skin/frame/SkinCustomForm.h"

#include <QApplication>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QWhatsThis>
#include <QWidget>

#include "skin/model/SkinObjects.h"
#include "skin/SkinWindowSystem.h"
#include "skin/frame/SkinAltTap.h"

namespace corvane::skin {

namespace {

// The default size limits of a frame: no smaller than a caption with a little
// room for its buttons.
constexpr QSize defaultMinimumTrackSize(150, 40);

// Posted to the owner to take the stored window state once the window exists.
const QEvent::Type performStoredStateEvent = QEvent::Type(QEvent::registerEventType());

} // namespace

SkinCustomForm::SkinCustomForm(QWidget* owner, QWidget* clientWidget)
    : QObject(owner), m_owner(owner), m_client(clientWidget), m_tray(owner)
{
    connect(&m_tray, &SkinFrameTray::restoreRequested, this, &SkinCustomForm::restore);
    connect(&m_tray, &SkinFrameTray::menuRequested, this, [this] { showSystemMenu(QCursor::pos()); });
    Q_ASSERT(owner);
    setObjectName(QStringLiteral("SkinForm"));
    m_windowActive = owner->isActiveWindow();
    owner->installEventFilter(this);
}

SkinCustomForm::~SkinCustomForm()
{
    m_input.stopHoverTimer();
    forgetObjects();
    // The keys belong to the owner window and go with the frame; nothing
    // reaches the frame through them any more (their connections end here).
    for (QObject* key : {static_cast<QObject*>(m_systemMenuKey), static_cast<QObject*>(m_closeKey), m_altTap.data()})
        if (key)
            key->deleteLater();
}

// ---------------------------------------------------------------------------
// Loading and attachment

void SkinCustomForm::loaded()
{
    if (m_loaded)
        return;
    m_loaded = true;

    // Alt+Space opens the system menu, and so does Alt+Minus: window managers
    // (openbox) take Alt+Space for their own window menu. Alt+F4 closes where
    // no window manager takes the key first.
    m_systemMenuKey = new QShortcut(m_owner);
    m_systemMenuKey->setKeys({QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::ALT | Qt::Key_Minus)});
    connect(m_systemMenuKey, &QShortcut::activated, this, [this] { showSystemMenu(); });
    m_closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), m_owner);
    connect(m_closeKey, &QShortcut::activated, this, [this] { close(); });
    // Alt pressed and released alone is the keyboard-menu command.
    auto* altTap = new SkinAltTap(m_owner);
    connect(altTap, &SkinAltTap::tapped, this, [this] { m_input.keyboardMenuCommand(); });
    m_altTap = altTap;

    applyFrame();
    if (m_states.storedState() != SkinWindowState::Normal) {
        // Performed once the window has settled, as a posted request.
        m_states.rememberLoadedBounds();
        QCoreApplication::postEvent(m_owner, new QEvent(performStoredStateEvent));
    }
}

void SkinCustomForm::applyFrame()
{
    if (!m_loaded || !m_replacesPlatformFrame)
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

void SkinCustomForm::makeFrameless()
{
    m_platformSettings.takeOver(*m_owner);
    m_framed = true;
}

void SkinCustomForm::restorePlatformFrame()
{
    if (!m_framed)
        return;
    m_input.stopHoverTimer();
    m_framed = false;
    m_translucentShape = QRegion();
    m_platformSettings.giveBack(*m_owner, m_client, m_lastClientSize);
}

void SkinCustomForm::setActive(bool active)
{
    if (active == m_replacesPlatformFrame)
        return;
    m_replacesPlatformFrame = active;
    if (!m_loaded)
        return;
    if (active)
        applyFrame();
    else
        restorePlatformFrame();
}

// ---------------------------------------------------------------------------
// Properties

void SkinCustomForm::setBorderIcons(SkinBorderIcons icons)
{
    m_borderIcons = icons;
    if (SkinObject* root = tree())
        root->setState(skinStateOf(windowState())); // buttons follow the icons
    repaintFrame();
}

void SkinCustomForm::setBorderStyle(SkinBorderStyle style)
{
    m_borderStyle = style;
    if (m_loaded)
        applyFrame();
}

QString SkinCustomForm::caption() const
{
    return m_owner->windowTitle();
}

void SkinCustomForm::setCaption(const QString& caption)
{
    m_owner->setWindowTitle(caption);
}

void SkinCustomForm::setWindowState(SkinWindowState state)
{
    if (!m_loaded)
        m_states.storeState(state);
    else
        m_states.performState(state);
}

void SkinCustomForm::help()
{
    QWhatsThis::enterWhatsThisMode();
}

void SkinCustomForm::performSkinAction(SkinAction action, SkinSystemButton* button)
{
    switch (action) {
    case SkinAction::Close: close(); break;
    case SkinAction::Help: help(); break;
    case SkinAction::Minimize: minimize(); break;
    case SkinAction::Maximize: maximize(); break;
    case SkinAction::Restore:
    case SkinAction::RollDown: restore(); break;
    case SkinAction::RollUp: rollup(); break;
    case SkinAction::Tray: minimizeToTray(); break;
    case SkinAction::SystemMenu:
        if (button)
            showSystemMenu(m_owner->mapToGlobal(QPoint(button->left(), button->top() + button->height())));
        else
            showSystemMenu();
        break;
    case SkinAction::Custom:
    case SkinAction::None:
    case SkinAction::RollPanel: break;
    }
}

// ---------------------------------------------------------------------------
// Geometry

PlainFrameLayout SkinCustomForm::plainLayout() const
{
    return PlainFrameLayout::compute(m_owner->size(), m_borderStyle, m_borderIcons, windowState());
}

void SkinCustomForm::layoutTreeTo(const QSize& size)
{
    if (SkinObject* root = tree())
        root->setBounds(0, 0, size.width(), size.height());
}

QRect SkinCustomForm::clientRectFor(const QSize& windowSize)
{
    if (tree()) {
        layoutTreeTo(windowSize);
        SkinObject* client = clientObject();
        if (!client)
            return QRect(QPoint(0, 0), windowSize);
        if (client->left() != 0 && client->top() != 0)
            return client->boundsRect();
    }
    return PlainFrameLayout::compute(windowSize, m_borderStyle, m_borderIcons, windowState()).client;
}

QRect SkinCustomForm::clientRect() const
{
    return const_cast<SkinCustomForm*>(this)->clientRectFor(m_owner->size());
}

int SkinCustomForm::topHeight() const
{
    return clientRect().top();
}

int SkinCustomForm::bottomHeight() const
{
    const QRect client = clientRect();
    return m_owner->height() - (client.top() + client.height());
}

QRect SkinCustomForm::workArea() const
{
    QScreen* screen = m_owner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(0, 0, 1 << 15, 1 << 15);
    return screen->availableGeometry();
}

QSize SkinCustomForm::minimumTrackSize() const
{
    return defaultMinimumTrackSize;
}

QSize SkinCustomForm::maximumTrackSize() const
{
    return workArea().size();
}

void SkinCustomForm::setWindowBounds(const QRect& bounds)
{
    const SkinWindowState state = windowState();
    const bool withMinimum = state != SkinWindowState::Minimized && state != SkinWindowState::RolledUp;
    const QSize size = clampSize(bounds.size(), minimumTrackSize(), maximumTrackSize(), withMinimum);
    const QRect target(bounds.topLeft(), size);
    // A frame that cannot be sized by the pointer keeps the window system from
    // sizing it as well; every size change of the frame goes through here.
    m_owner->setMinimumSize(0, 0);
    m_owner->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (target != m_owner->geometry())
        m_owner->setGeometry(target);
    if (!m_dragging.sizeable)
        m_owner->setFixedSize(size);
    updateShape();
}

void SkinCustomForm::updateShape()
{
    if (!m_framed)
        return;
    const QSize size = m_owner->size();
    const QRect client = clientRectFor(size); // lays the tree out to the window
    invalidateFrameCache();
    m_lastClientSize = client.size();
    if (m_client && m_client->geometry() != client)
        m_client->setGeometry(client);
    if (size != m_shapedSize || m_shapedState != windowState()) {
        m_shapedSize = size;
        m_shapedState = windowState();
        if (SkinObject* root = tree()) {
            root->setState(skinStateOf(m_shapedState));
            const bool stored =
                m_storedShape && m_storedShape->windowSize == size && m_shapedState == SkinWindowState::Normal;
            const QRegion region = stored ? m_storedShape->shape : root->createRegion();
            m_translucentShape = QRegion();
            if (programPlacesWindows())
                m_owner->setMask(region);
            else
                m_translucentShape = region; // a window shape would show nothing through here
        } else {
            m_translucentShape = QRegion();
            m_owner->clearMask();
        }
    }
}

// ---------------------------------------------------------------------------
// Events of the owner window

bool SkinCustomForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_owner)
        return false;
    if (handleSkinMessage(event))
        return true;
    if (!m_framed)
        return false;
    return handleWindowEvent(event) || m_input.handleEvent(event);
}

bool SkinCustomForm::handleSkinMessage(QEvent* event)
{
    if (event->type() == performStoredStateEvent) {
        m_states.performState(m_states.storedState());
        return true;
    }
    const QEvent::Type type = event->type();
    if (type == skinGetFormEvent()) {
        static_cast<SkinGetFormEvent*>(event)->setForm(this);
        return true;
    }
    if (type == skinRedrawEvent()) {
        // Caption buttons ask for a redraw of their own rectangle; the client
        // object never repaints over the client area.
        SkinObject* object = static_cast<SkinRedrawEvent*>(event)->object();
        invalidateFrameCache();
        if (m_framed && object && object != clientObject())
            m_owner->update(object->boundsRect());
        return true;
    }
    if (type == skinChangingEvent()) {
        invalidateFrameCache();
        m_storedShape.reset(); // made for the skin that goes
        skinChanging(static_cast<SkinChangeEvent*>(event)->engine());
        return false;
    }
    if (type == skinChangedEvent()) {
        invalidateFrameCache();
        skinChanged(static_cast<SkinChangeEvent*>(event)->engine());
        return false;
    }
    if (type == skinHitTestEvent()) {
        auto* hitTest = static_cast<SkinHitTestEvent*>(event);
        hitTest->setNonClient(m_framed && systemAnswerAt(hitTest->windowPoint()) != SystemAnswer::Client);
        return true;
    }
    return false;
}

bool SkinCustomForm::handleWindowEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint: paint(static_cast<QPaintEvent*>(event)->region()); return true;
    case QEvent::Resize: updateShape(); return false;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange: invalidateFrameCache(); return false;
    case QEvent::ActivationChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: activationChanged(); return false;
    case QEvent::WindowStateChange: m_states.followPlatformState(); return false;
    case QEvent::WindowTitleChange: repaintFrame(); return false;
    case QEvent::WindowIconChange:
        m_tray.setIcon(frameIcon());
        repaintFrame();
        return false;
    default: return false;
    }
}

void SkinCustomForm::activationChanged()
{
    const bool active = m_owner->isActiveWindow();
    if (active != m_windowActive) {
        m_windowActive = active;
        invalidateFrameCache();
        if (!active)
            m_input.endPointerStates();
        m_owner->update(QRegion(m_owner->rect()) - QRegion(clientRect()));
    }
    m_input.updateHoverTimer();
}

void SkinCustomForm::forgetObjects()
{
    // The tree these pointed into is going; so is what the cache shows.
    invalidateFrameCache();
    m_input.forgetObjects();
}

// ---------------------------------------------------------------------------
// Painting

QIcon SkinCustomForm::frameIcon() const
{
    QIcon icon = m_owner->windowIcon();
    if (icon.isNull())
        icon = QApplication::windowIcon();
    return icon;
}

void SkinCustomForm::repaintFrame()
{
    invalidateFrameCache();
    if (!m_framed)
        return;
    m_owner->update(QRegion(m_owner->rect()) - QRegion(clientRect()));
}

void SkinCustomForm::paint(const QRegion& region)
{
    QPainter painter(m_owner);
    if (tree())
        m_picture.paint(painter, region, scene());
    else
        paintPlain(painter, region);
    // A translucent window: what lies outside the shape is made transparent.
    if (!m_translucentShape.isEmpty()) {
        painter.setClipping(false);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& outside : region - m_translucentShape)
            painter.fillRect(outside, Qt::transparent);
    }
}

void SkinCustomForm::paintPlain(QPainter& painter, const QRegion& region)
{
    // The window asks Qt not to fill its background while it is framed.
    for (const QRect& rect : region)
        painter.fillRect(rect, m_owner->palette().brush(m_owner->backgroundRole()));
    const PlainFrameLayout layout = plainLayout();
    painter.fillRect(layout.client, QApplication::palette().brush(QPalette::Button));
    paintPlainFrame(painter, layout, caption(), frameIcon(), isFrameActive(), windowState(), m_input.pressedArea());
}

SkinFrameScene SkinCustomForm::scene() const
{
    SkinFrameScene scene;
    scene.root = tree();
    scene.client = clientObject();
    scene.title = titleObject();
    scene.size = m_owner->size();
    scene.pixelRatio = m_owner->devicePixelRatioF();
    scene.active = isFrameActive();
    scene.state = windowState();
    scene.caption = m_owner->windowTitle();
    scene.clientRect = scene.client ? clientRect() : QRect();
    scene.background = m_owner->palette().brush(m_owner->backgroundRole());
    scene.font = m_owner->font();
    scene.foreground = m_owner->palette().color(m_owner->foregroundRole());
    return scene;
}

} // namespace corvane::skin
