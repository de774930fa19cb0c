#include "flat/TFlatButton.h"

#include "flat/FlatColors.h"
#include "flat/FlatDrawing.h"
#include "flat/FlatHoverTimer.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <algorithm>

namespace corvane::flat {

using flat::FlatHoverTimer;

namespace {

constexpr quint32 defaultFace = 0xE1EAEB;
constexpr quint32 defaultDown = 0xC5D6D9;
constexpr quint32 defaultBorder = 0x8396A0;

// Which image of the glyph strip a state shows, and whether the single image
// of a disabled button is embossed.
struct GlyphChoice {
    int index = 0;
    bool embossed = false;
};

GlyphChoice chooseGlyph(int numGlyphs, flat::ButtonState state)
{
    switch (state) {
    case flat::bsUp:
        return {0, false};
    case flat::bsDisabled:
        return numGlyphs == 1 ? GlyphChoice{0, true} : GlyphChoice{1, false};
    case flat::bsDown:
        return {numGlyphs >= 3 ? 2 : 0, false};
    case flat::bsExclusive:
        return {numGlyphs == 4 ? 3 : (numGlyphs == 3 ? 2 : 0), false};
    }
    return {};
}

} // namespace

TFlatButton::TFlatButton(QWidget* parent)
    : QWidget(parent)
    , m_color(flat::fromColorRef(defaultFace))
    , m_colorFocused(flat::fromColorRef(defaultFace))
    , m_colorDown(flat::fromColorRef(defaultDown))
    , m_colorBorder(flat::fromColorRef(defaultBorder))
    , m_colorHighLight(Qt::white)
    , m_colorShadow(Qt::black)
{
    FlatHoverTimer::addUser();
    resize(25, 25);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    followParentColor();
}

TFlatButton::~TFlatButton()
{
    if (FlatHoverTimer::tracked() == this)
        FlatHoverTimer::stopTracking();
    FlatHoverTimer::removeUser();
}

// ---- properties ----------------------------------------------------------

void TFlatButton::setTransparentMode(flat::TransparentMode mode)
{
    m_transparentMode = mode;
    update();
}

void TFlatButton::setDefault(bool value)
{
    m_default = value;
    update();
}

void TFlatButton::setAllowAllUp(bool value)
{
    if (m_allowAllUp == value)
        return;
    m_allowAllUp = value;
    notifyGroup();
}

void TFlatButton::setColor(const QColor& color)
{
    m_color = color;
    m_parentColor = false;
    deriveColors();
    update();
}

void TFlatButton::setColorFocused(const QColor& color)
{
    m_colorFocused = color;
    update();
}

void TFlatButton::setColorDown(const QColor& color)
{
    m_colorDown = color;
    update();
}

void TFlatButton::setColorBorder(const QColor& color)
{
    m_colorBorder = color;
    update();
}

void TFlatButton::setColorHighLight(const QColor& color)
{
    m_colorHighLight = color;
    update();
}

void TFlatButton::setColorShadow(const QColor& color)
{
    m_colorShadow = color;
    update();
}

void TFlatButton::setAdvColorFocused(int amount)
{
    m_advColorFocused = std::clamp(amount, 0, 100);
    deriveColors();
    update();
}

void TFlatButton::setAdvColorDown(int amount)
{
    m_advColorDown = std::clamp(amount, 0, 100);
    deriveColors();
    update();
}

void TFlatButton::setAdvColorBorder(int amount)
{
    m_advColorBorder = std::clamp(amount, 0, 100);
    deriveColors();
    update();
}

void TFlatButton::setUseAdvColors(bool value)
{
    if (m_useAdvColors == value)
        return;
    m_useAdvColors = value;
    setParentColor(value);
    deriveColors();
    update();
}

void TFlatButton::setParentColor(bool value)
{
    if (m_parentColor == value)
        return;
    m_parentColor = value;
    if (value)
        followParentColor();
    update();
}

void TFlatButton::setTabStop(bool value)
{
    m_tabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TFlatButton::setGroupIndex(int index)
{
    if (m_groupIndex == index)
        return;
    m_groupIndex = index;
    notifyGroup();
}

void TFlatButton::setDown(bool value)
{
    if (m_groupIndex == 0)
        value = false;
    if (value == m_down)
        return;
    // A latched button is released only by another member of its group,
    // unless the group allows all buttons up.
    if (m_down && !m_allowAllUp)
        return;
    m_down = value;
    if (value) {
        if (m_state == flat::bsUp)
            update();
        m_state = flat::bsExclusive;
        notifyGroup();
    } else {
        m_state = flat::bsUp;
        repaintNow();
    }
}

void TFlatButton::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    updateAccelerator();
    updateGeometry();
    update();
}

void TFlatButton::setGlyph(const QImage& glyph)
{
    m_glyph = glyph;
    if (!m_glyph.isNull() && m_glyph.height() > 0 && m_glyph.width() % m_glyph.height() == 0) {
        const int count = m_glyph.width() / m_glyph.height();
        m_numGlyphs = count > 4 ? 1 : std::max(count, 1);
    }
    updateGeometry();
    update();
}

void TFlatButton::setButtonLayout(flat::ButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    update();
}

void TFlatButton::setMargin(int margin)
{
    if (margin == m_margin || margin < -1)
        return;
    m_margin = margin;
    update();
}

void TFlatButton::setNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (m_numGlyphs == count)
        return;
    m_numGlyphs = count;
    update();
}

void TFlatButton::setSpacing(int spacing)
{
    if (m_spacing == spacing)
        return;
    m_spacing = spacing;
    update();
}

QSize TFlatButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize text = m_caption.isEmpty() ? QSize() : metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
    return QSize(std::max(25, text.width() + 16), std::max(25, text.height() + 8));
}

// ---- colours -------------------------------------------------------------

// The parent's colour (or the platform's colours) changed, or the button was
// given a parent.
void TFlatButton::followParentColor()
{
    if (m_useAdvColors)
        m_parentColor = true;
    if (m_parentColor) {
        const QColor parentColor = flat::parentBackgroundColor(this);
        if (parentColor.isValid())
            m_color = parentColor;
    }
    deriveColors();
}

void TFlatButton::deriveColors()
{
    if (!m_useAdvColors)
        return;
    using flat::Lightness;
    m_colorFocused = flat::adjustLightness(m_color, m_colorFocused, m_advColorFocused, Lightness::Lighter);
    m_colorDown = flat::adjustLightness(m_color, m_colorDown, m_advColorDown, Lightness::Darker);
    m_colorBorder = flat::adjustLightness(m_color, m_colorBorder, m_advColorBorder, Lightness::Darker);
}

// ---- hover tracking ------------------------------------------------------

bool TFlatButton::isUnderCursor() const
{
    return QApplication::widgetAt(QCursor::pos()) == this;
}

void TFlatButton::startHoverTracking()
{
    if (TFlatButton* previous = FlatHoverTimer::tracked())
        previous->mouseLeft();
    if (!QApplication::activeWindow())
        return;
    FlatHoverTimer::track(this);
    mouseEntered();
}

void TFlatButton::hoverTimerTick()
{
    if (isUnderCursor())
        return;
    mouseLeft();
    // The hover flag may already be clear (a click handler hid the button, or
    // it was re-evaluated): then nothing is left to watch, so stop polling
    // instead of waking up ten times a second until the pointer finds
    // another flat button. A held press keeps the timer until the release.
    if (FlatHoverTimer::tracked() == this && !m_pressing)
        FlatHoverTimer::stopTracking();
}

void TFlatButton::mouseEntered()
{
    if (isEnabled() && !m_mouseOver) {
        m_mouseOver = true;
        update();
    }
}

void TFlatButton::mouseLeft()
{
    if (!isEnabled() || !m_mouseOver || m_pressing)
        return;
    m_mouseOver = false;
    if (FlatHoverTimer::tracked() == this)
        FlatHoverTimer::stopTracking();
    update();
}

void TFlatButton::reevaluateHover()
{
    if (!isEnabled())
        return;
    const bool under = isUnderCursor();
    m_mouseOver = under;
    update();
    if (!under) {
        mouseLeft();
        if (FlatHoverTimer::tracked() == this && !m_pressing)
            FlatHoverTimer::stopTracking();
    }
}

void TFlatButton::enabledChanged()
{
    if (!isEnabled()) {
        m_mouseOver = false;
        m_state = flat::bsDisabled;
        if (FlatHoverTimer::tracked() == this)
            FlatHoverTimer::stopTracking();
    }
    reevaluateHover();
    update();
}

// ---- clicking and groups -------------------------------------------------

// The bottom edge row counts as inside and the right edge column does not;
// dialogs laid out against this behaviour keep it.
bool TFlatButton::isInside(const QPoint& pos) const
{
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TFlatButton::click()
{
    if (parentWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(window())) {
            // A modal dialog closes with a non-zero result; otherwise the
            // result is only recorded.
            if (m_modalResult != 0 && dialog->isModal() && dialog->isVisible())
                dialog->done(m_modalResult);
            else
                dialog->setResult(m_modalResult);
        }
    }
    emit OnClick();
}

void TFlatButton::notifyGroup()
{
    if (m_groupIndex == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->children();
    for (QObject* child : siblings) {
        if (auto* button = qobject_cast<TFlatButton*>(child))
            button->groupMemberChanged(m_groupIndex, this);
    }
}

void TFlatButton::groupMemberChanged(int groupIndex, const TFlatButton* sender)
{
    if (groupIndex != m_groupIndex || sender == this)
        return;
    if (sender->m_down && m_down) {
        m_down = false;
        m_state = flat::bsUp;
        update();
    }
    m_allowAllUp = sender->m_allowAllUp;
}

void TFlatButton::updateAccelerator()
{
    if (m_acceleratorId != 0) {
        releaseShortcut(m_acceleratorId);
        m_acceleratorId = 0;
    }
    const QKeySequence accelerator = QKeySequence::mnemonic(m_caption);
    if (!accelerator.isEmpty())
        m_acceleratorId = grabShortcut(accelerator);
}

void TFlatButton::repaintNow()
{
    if (isVisible())
        repaint();
    else
        update();
}

// ---- events --------------------------------------------------------------

bool TFlatButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut: {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() != m_acceleratorId || m_acceleratorId == 0)
            break;
        if (isEnabled()) {
            if (m_groupIndex != 0)
                setDown(true);
            click();
        }
        return true;
    }
    case QEvent::ParentChange:
        followParentColor();
        update();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TFlatButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        enabledChanged();
        break;
    case QEvent::PaletteChange:
        followParentColor();
        update();
        break;
    case QEvent::FontChange:
        updateGeometry();
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TFlatButton::mousePressEvent(QMouseEvent* event)
{
    emit OnMouseDown(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (!m_down) {
        m_state = flat::bsDown;
        update();
    }
    m_pressing = true;
    setFocus(Qt::MouseFocusReason);
}

void TFlatButton::mouseMoveEvent(QMouseEvent* event)
{
    emit OnMouseMove(event);
    if (FlatHoverTimer::tracked() != this
        && QApplication::widgetAt(event->globalPosition().toPoint()) == this)
        startHoverTracking();
    if (!m_pressing)
        return;
    flat::ButtonState newState = m_down ? flat::bsExclusive : flat::bsUp;
    if (isInside(event->position().toPoint()))
        newState = m_down ? flat::bsExclusive : flat::bsDown;
    if (newState != m_state) {
        m_state = newState;
        update();
    }
}

void TFlatButton::mouseReleaseEvent(QMouseEvent* event)
{
    emit OnMouseUp(event);
    if (!m_pressing)
        return;
    m_pressing = false;
    const bool inside = isInside(event->position().toPoint());
    if (m_groupIndex == 0) {
        m_state = flat::bsUp;
        m_mouseOver = false;
        if (inside)
            update();
    } else if (inside) {
        setDown(!m_down);
        if (m_down)
            repaintNow();
    } else {
        // Released off the button: back to how it looked before the press
        // (latched or up), so it does not stay drawn pressed.
        m_state = m_down ? flat::bsExclusive : flat::bsUp;
        repaintNow();
    }

    // A handler may have shown a modal box by now (or destroyed the
    // button); the face still follows the pointer afterwards.
    const QPointer<TFlatButton> self(this);
    if (inside)
        click();
    else
        mouseLeft();
    if (self)
        reevaluateHover();
}

void TFlatButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click presses the button like the first.
    mousePressEvent(event);
    if (m_down)
        emit OnDblClick();
}

void TFlatButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_groupIndex != 0)
        setDown(true);
    else
        m_state = flat::bsDown;
    update();
}

void TFlatButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    if (m_groupIndex != 0)
        setDown(false);
    else
        m_state = flat::bsUp;
    const QPointer<TFlatButton> self(this);
    click();
    if (self)
        update();
}

void TFlatButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (isEnabled()) {
        m_mouseOver = true;
        update();
    }
}

void TFlatButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    mouseLeft();
}

void TFlatButton::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    emit OnMouseEnter();
}

void TFlatButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit OnMouseLeave();
}

// ---- painting ------------------------------------------------------------

void TFlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRgb transparentKey = flat::bottomLeftColor(m_glyph);
    painter.setFont(font());
    const bool pressedLook = m_state == flat::bsDown || m_state == flat::bsExclusive;
    const QPoint offset = pressedLook ? QPoint(1, 1) : QPoint(0, 0);

    const QSize glyphSize = m_glyph.isNull() ? QSize(0, 0) : QSize(m_glyph.width() / m_numGlyphs, m_glyph.height());
    const QSize captionSize = m_caption.isEmpty()
        ? QSize(0, 0)
        : painter.fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
    const flat::GlyphCaptionPlacement placement
        = flat::placeGlyphAndCaption(rect(), offset, captionSize, m_layout, m_margin, m_spacing, glyphSize);

    // The state follows the enabled flag at the latest here.
    if (isEnabled() && m_state == flat::bsDisabled) {
        m_state = (m_down && m_groupIndex != 0) ? flat::bsExclusive : flat::bsUp;
    } else if (!isEnabled()) {
        m_state = flat::bsDisabled;
        m_pressing = false;
    }

    paintFace(painter);
    paintBorder(painter);
    if (!m_glyph.isNull())
        paintGlyph(painter, placement.glyphPos, transparentKey);
    paintCaption(painter, placement.captionBounds);
}

// The face colour of the current state, or an invalid colour where the
// parent's background shows through.
QColor TFlatButton::faceColor() const
{
    if (m_transparentMode == flat::tmAlways)
        return QColor();
    if (m_transparentMode == flat::tmNotFocused && !m_mouseOver)
        return QColor();
    switch (m_state) {
    case flat::bsUp:
        return m_mouseOver ? m_colorFocused : m_color;
    case flat::bsDisabled:
        return m_color;
    case flat::bsDown:
        return m_colorDown;
    case flat::bsExclusive:
        return m_mouseOver ? m_colorFocused : m_colorDown;
    }
    return m_color;
}

void TFlatButton::paintFace(QPainter& painter)
{
    // Without a colour nothing is filled: the parent has already painted its
    // background beneath this (non-opaque) widget.
    const QColor face = faceColor();
    if (face.isValid())
        painter.fillRect(rect(), face);
}

void TFlatButton::paintBorder(QPainter& painter)
{
    switch (m_state) {
    case flat::bsUp:
        if (m_mouseOver)
            flat::drawBevelFrame(painter, rect(), m_colorHighLight, m_colorShadow, 1);
        else
            flat::drawBevelFrame(painter, rect(), m_colorBorder, m_colorBorder, m_default ? 2 : 1);
        break;
    case flat::bsDisabled:
        flat::drawBevelFrame(painter, rect(), m_colorBorder, m_colorBorder, 1);
        break;
    case flat::bsDown:
    case flat::bsExclusive:
        flat::drawBevelFrame(painter, rect(), m_colorShadow, m_colorHighLight, 1);
        break;
    }
}

void TFlatButton::paintGlyph(QPainter& painter, const QPoint& pos, QRgb transparentKey)
{
    const int imageWidth = m_glyph.width() / m_numGlyphs;
    if (imageWidth <= 0)
        return;
    const GlyphChoice choice = chooseGlyph(m_numGlyphs, m_state);
    QImage image = m_glyph.copy(choice.index * imageWidth, 0, imageWidth, m_glyph.height());
    if (choice.embossed) {
        image = flat::embossedImage(image, flat::buttonFaceColor(this), flat::buttonHighlightColor(this),
                                    flat::buttonShadowColor(this));
        transparentKey = flat::bottomLeftColor(image);
    }
    painter.drawImage(pos, flat::keyedOut(image, transparentKey));
}

void TFlatButton::paintCaption(QPainter& painter, const QRect& bounds)
{
    if (m_caption.isEmpty())
        return;
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(flat::windowTextColor(this));
        painter.drawText(bounds, flags, m_caption);
    } else {
        painter.setPen(flat::buttonHighlightColor(this));
        painter.drawText(bounds.translated(1, 1), flags, m_caption);
        painter.setPen(flat::buttonShadowColor(this));
        painter.drawText(bounds, flags, m_caption);
    }
}

} // namespace corvane::flat
