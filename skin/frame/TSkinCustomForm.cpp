#include "skin/frame/TSkinCustomForm.h"

#include <QApplication>
#include <QCursor>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QWidget>

#include "skin/frame/SkinAltTap.h"

namespace corvane::skin {

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

} // namespace corvane::skin
