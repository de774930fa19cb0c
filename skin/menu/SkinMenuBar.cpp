#include "skin/menu/SkinMenuBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "skin/menu/SkinMenuTracker.h"

namespace corvane::skin {

namespace {

bool isOpaque(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

SkinMenuBar::SkinMenuBar(QWidget* parent) : QWidget(parent)
{
    m_root = new SkinMenuItem(this);
    m_root->setObjectName(QString());
    m_view = std::make_unique<SkinItemView>(m_root, Qt::Horizontal, this, &m_skin);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent)
        parent->installEventFilter(this);
    // Alt + a letter and F10 belong to the menu before the focused control
    // sees them (an edit box would otherwise type the letter).
    if (qApp)
        qApp->installEventFilter(this);
}

SkinMenuBar::~SkinMenuBar()
{
    if (SkinMenuTracker* tracker = SkinMenuTracker::current(); tracker && tracker->levels().contains(m_view.get()))
        tracker->endMenuMode();
}

void SkinMenuBar::setAlignment(Alignment alignment)
{
    m_alignment = alignment;
    followParent();
}

void SkinMenuBar::setBarSkin(SkinMenuSkin skin)
{
    m_skin = std::move(skin);
    m_skin.setHost(this);
    ++m_skinGeneration;
    forgetPictures();
}

void SkinMenuBar::forgetPictures()
{
    m_pictures.clear();
}

void SkinMenuBar::loaded()
{
    m_root->setOwnerWindowAll(window());
    takeSkin();
    relayout();
}

void SkinMenuBar::relayout()
{
    // Measure, then size the bar and place the items in its inner rectangle.
    m_view->layout(SkinMenuPainter::barInnerRect(m_skin, rect()));
    int height;
    if (m_skin.barFrame) {
        height = m_skin.barFrame->height();
    } else {
        int tallest = 0;
        for (SkinMenuItem* item : m_view->shownItems())
            tallest = qMax(tallest, item->rect().height());
        height = SkinMenuPainter::barHeight(m_skin, tallest);
    }
    if (height != this->height())
        resize(width(), height);
    followParent();
    m_view->layout(SkinMenuPainter::barInnerRect(m_skin, rect()));
    update();
}

void SkinMenuBar::followParent()
{
    QWidget* parent = parentWidget();
    if (!parent || m_alignment == Alignment::None)
        return;
    const int y = m_alignment == Alignment::Top ? 0 : parent->height() - height();
    const QRect wanted(0, y, parent->width(), height());
    if (geometry() != wanted)
        setGeometry(wanted);
}

void SkinMenuBar::resizeEvent(QResizeEvent*)
{
    m_view->layout(SkinMenuPainter::barInnerRect(m_skin, rect()));
}

void SkinMenuBar::paintEvent(QPaintEvent*)
{
    // No off-screen buffer of the whole window: the bar's picture
    // goes straight to the bar. The picture itself is kept per look (see
    // pictureKey) and painted again only when something it shows changed.
    QPainter painter(this);
    const qreal ratio = pictureRatio(painter.deviceTransform());
    if (ratio <= 0) {
        // Rotated, or off the pixel grid: a kept picture would be resampled.
        paintBar(painter);
        return;
    }
    SkinLookKey key = pictureKey(ratio);
    const QImage* picture = m_pictures.find(key);
    if (!picture)
        picture = &m_pictures.insert(std::move(key), paintPicture(ratio));
    painter.drawImage(QPoint(0, 0), *picture);
}

qreal SkinMenuBar::pictureRatio(const QTransform& toDevice) const
{
    // The picture is painted with the target's scale and copied pixel for
    // pixel: only a uniform scale that puts the bar on whole device pixels
    // allows that (the screen's pixel density, a plain offset).
    if (toDevice.type() > QTransform::TxScale)
        return 0;
    const qreal ratio = toDevice.m11();
    const auto whole = [](qreal value) { return qFuzzyCompare(value + 1, std::round(value) + 1); };
    if (ratio <= 0 || toDevice.m22() != ratio || !whole(toDevice.dx()) || !whole(toDevice.dy()) ||
        !whole(width() * ratio) || !whole(height() * ratio))
        return 0;
    return ratio;
}

void SkinMenuBar::paintBar(QPainter& painter)
{
    SkinMenuPainter::drawBarBackground(painter, m_skin, rect(), palette());
    m_view->paintItems(painter);
}

SkinLookKey SkinMenuBar::pictureKey(qreal ratio) const
{
    SkinLookKey key;
    key.numbers << width() << height() << qRound64(ratio * 1000) << layoutDirection()
                << qint64(m_skinGeneration) << qint64(reinterpret_cast<quintptr>(m_skin.barFrame.get()))
                << qint64(reinterpret_cast<quintptr>(m_skin.barItem.get())) << palette().cacheKey();
    // Captions, flags and places are plain fields of the items, changed
    // without telling the bar: they are compared on every repaint.
    for (SkinMenuItem* item : m_view->shownItems()) {
        const QRect& r = item->rect();
        key.numbers << r.x() << r.y() << r.width() << r.height() << item->isEnabled() << qint64(m_view->stateOf(item));
        key.text += item->caption();
        key.text += QChar(0);
    }
    key << font() << SkinMenuPainter::plainFont();
    return key;
}

QImage SkinMenuBar::paintPicture(qreal ratio)
{
    QImage image(qRound(width() * ratio), qRound(height() * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    // See-through where the drawing leaves pixels untouched, as a direct
    // paint would leave them.
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // What a painter opened on the bar itself starts with.
    painter.setPen(palette().color(foregroundRole()));
    painter.setBrush(palette().brush(backgroundRole()));
    painter.setFont(font());
    painter.setLayoutDirection(layoutDirection());
    paintBar(painter);
    painter.end();
    // A bar that covered every pixel (the skin's frame does) is copied
    // rather than blended: the same pixels, a little cheaper to put down.
    return isOpaque(image) ? image.convertToFormat(QImage::Format_RGB32) : image;
}

void SkinMenuBar::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::EnabledChange: forgetPictures(); break;
    default: break;
    }
    QWidget::changeEvent(event);
}

void SkinMenuBar::mouseMoveEvent(QMouseEvent* event)
{
    if (SkinMenuTracker::inMenuMode())
        return;
    SkinMenuItem* item = m_view->itemAt(event->position().toPoint());
    m_view->setHot(item && item->isSelectable() ? item : nullptr);
}

void SkinMenuBar::leaveEvent(QEvent*)
{
    if (!SkinMenuTracker::inMenuMode())
        m_view->setHot(nullptr);
}

void SkinMenuBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || SkinMenuTracker::inMenuMode())
        return;
    SkinMenuItem* item = m_view->itemAt(event->position().toPoint());
    if (!item || !item->isSelectable())
        return;
    if (!item->hasVisibleItems()) {
        item->click(); // a top item without sub-items is a command of its own
        return;
    }
    trackItem(item, true);
}

void SkinMenuBar::trackItem(SkinMenuItem* item, bool open)
{
    SkinMenuTracker::trackBar(m_view.get(), item, open);
}

void SkinMenuBar::keyboardMenu(QChar character)
{
    if (SkinMenuTracker::inMenuMode() || !isVisible())
        return;
    SkinMenuTracker::trackBar(m_view.get(), nullptr, false, character);
}

bool SkinMenuBar::offerShortCut(int key, Qt::KeyboardModifiers modifiers)
{
    SkinMenuItem* item = m_root->findShortcut(shortcutOf(key, modifiers));
    if (!item || !item->isEnabled() || item->isSeparator() || item->hasVisibleItems())
        return false;
    item->click();
    return true;
}

bool SkinMenuBar::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == skinChangingEvent() || type == skinChangedEvent()) {
        if (static_cast<SkinChangeEvent*>(event)->engine() == m_engine) {
            if (type == skinChangedEvent()) {
                setSkinEngine(m_engine);
            } else {
                setBarSkin(SkinMenuSkin());
                m_root->unlinkSkin();
            }
        }
        return true;
    }
    if (type == QEvent::Polish && !m_skin.barFrame && !testAttribute(Qt::WA_Resized)) {
        // Without a skin, and not sized yet, the bar has the height of the
        // system's menu bar. Measured here rather than when the bar is made,
        // so that a bar that gets its skin first never opens the system
        // menu font.
        resize(width(), SkinMenuPainter::barHeight(m_skin, QFontMetrics(SkinMenuPainter::plainFont()).height() + 6));
    }
    if (type == skinRedrawEvent()) {
        // A skin object of the bar changed its look.
        forgetPictures();
        update();
        return true;
    }
    return QWidget::event(event);
}

bool SkinMenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        followParent();
    if (watched == window() && !SkinMenuTracker::inMenuMode()) {
        // The window no longer gets the pointer (a modal box, another window
        // became active, hidden): no leave will come, so no item stays hot.
        const QEvent::Type type = event->type();
        if (type == QEvent::WindowBlocked || type == QEvent::WindowDeactivate || type == QEvent::Hide)
            m_view->setHot(nullptr);
    }
    if (event->type() == QEvent::KeyPress && handleWindowKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool SkinMenuBar::handleWindowKey(QObject* watched, QKeyEvent* key)
{
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window() || !isVisible() ||
        SkinMenuTracker::inMenuMode())
        return false;
    const QString text = key->text();
    if (key->modifiers() == Qt::AltModifier && !text.isEmpty() && text.at(0).isPrint() &&
        text != QLatin1String(" ") && text != QLatin1String("-")) {
        keyboardMenu(text.at(0));
        return true;
    }
    if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
        SkinMenuTracker::trackBar(m_view.get(), nullptr, false);
        return true;
    }
    return false;
}

void SkinMenuBar::setSkinEngine(SkinEngine* engine)
{
    m_engine = engine;
    takeSkin();
    relayout();
}

void SkinMenuBar::takeSkin()
{
    m_root->setSkinEngine(m_engine);
    SkinMenuSkin skin = SkinMenuSkin::from(m_root);
    // The background comes from the bar's own object.
    SkinObject* frame = childNamed(m_root->menuBarObject(), QStringLiteral("Frame"));
    skin.barFrame = frame ? frame->copyTree() : nullptr;
    setBarSkin(std::move(skin));
}

} // namespace corvane::skin
