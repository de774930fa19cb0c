#include "flat/CustomFlatEdit.h"

#include "flat/FlatColors.h"
#include "flat/FlatDrawing.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace corvane::flat {

namespace {
constexpr quint32 defaultFocused = 0xFFFFFF;
constexpr quint32 defaultBorder = 0x8396A0;
constexpr quint32 defaultFlat = 0xE1EAEB;
} // namespace

CustomFlatEdit::CustomFlatEdit(QWidget* parent)
    : QLineEdit(parent),
      m_colorFocused(flat::fromColorRef(defaultFocused)),
      m_colorBorder(flat::fromColorRef(defaultBorder)),
      m_colorFlat(flat::fromColorRef(defaultFlat))
{
    setFrame(false);
    // The frame band lies outside the text area, like a non-client border.
    setTextMargins(frameWidth, frameWidth, frameWidth, frameWidth);
    resize(121, 19);
    followParentColor();
    applyLookColor();
    // A hovered box shows the focused look only while the focus is outside
    // every flat edit, so it has to look again whenever the focus moves.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (m_mouseOver)
            redrawFrame();
    });
}

CustomFlatEdit::~CustomFlatEdit()
{
    // The base destructor takes the focus away, which emits focusChanged:
    // the handler above must not run on a box that is half destroyed.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void CustomFlatEdit::setColorFocused(const QColor& color)
{
    m_colorFocused = color;
    redrawFrame();
}

void CustomFlatEdit::setColorBorder(const QColor& color)
{
    m_colorBorder = color;
    redrawFrame();
}

void CustomFlatEdit::setColorFlat(const QColor& color)
{
    m_colorFlat = color;
    m_parentColor = false;
    redrawFrame();
}

void CustomFlatEdit::setParentColor(bool value)
{
    if (m_parentColor == value)
        return;
    m_parentColor = value;
    if (value && parentWidget()) {
        m_colorFlat = flat::parentBackgroundColor(this);
        redrawFrame();
    }
}

void CustomFlatEdit::setAdvColorFocused(int amount)
{
    m_advColorFocused = std::clamp(amount, 0, 100);
    if (m_useAdvColors) {
        deriveColors();
        redrawFrame();
    }
}

void CustomFlatEdit::setAdvColorBorder(int amount)
{
    m_advColorBorder = std::clamp(amount, 0, 100);
    if (m_useAdvColors) {
        deriveColors();
        redrawFrame();
    }
}

void CustomFlatEdit::setUseAdvColors(bool value)
{
    if (m_useAdvColors == value)
        return;
    m_useAdvColors = value;
    setParentColor(value);
    deriveColors();
    redrawFrame();
}

bool CustomFlatEdit::hasFocusedLook() const
{
    if (hasFocus())
        return true;
    if (!m_mouseOver)
        return false;
    // Hovering lights the box only while no flat edit holds the focus.
    return !qobject_cast<const CustomFlatEdit*>(QApplication::focusWidget());
}

QColor CustomFlatEdit::lookColor() const
{
    return hasFocusedLook() ? m_colorFocused : m_colorFlat;
}

void CustomFlatEdit::fitHeight()
{
    resize(width(), QFontMetrics(font()).height() + 2 * frameWidth);
}

// The parent's colour or the platform's colours changed, or the box got a parent.
void CustomFlatEdit::followParentColor()
{
    const QColor parentColor = flat::parentBackgroundColor(this);
    if (!parentColor.isValid())
        return;
    if (m_useAdvColors) {
        m_colorFlat = parentColor;
        deriveColors();
    } else if (m_parentColor) {
        m_colorFlat = parentColor;
    }
}

void CustomFlatEdit::deriveColors()
{
    if (!m_useAdvColors)
        return;
    using flat::Lightness;
    m_colorFocused = flat::adjustLightness(m_colorFlat, m_colorFocused, m_advColorFocused, Lightness::Lighter);
    m_colorBorder = flat::adjustLightness(m_colorFlat, m_colorBorder, m_advColorBorder, Lightness::Darker);
}

void CustomFlatEdit::redrawFrame()
{
    applyLookColor();
    update();
}

// The box's own background (behind the text) takes the look's colour.
void CustomFlatEdit::applyLookColor()
{
    const QColor look = lookColor();
    QPalette pal = palette();
    if (pal.color(QPalette::Active, QPalette::Base) == look && pal.color(QPalette::Inactive, QPalette::Base) == look)
        return;
    pal.setColor(QPalette::Active, QPalette::Base, look);
    pal.setColor(QPalette::Inactive, QPalette::Base, look);
    pal.setColor(QPalette::Disabled, QPalette::Base, look);
    m_applyingLook = true;
    setPalette(pal);
    m_applyingLook = false;
}

bool CustomFlatEdit::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Polish:
        // First showing, after the dialog has placed the box: the height
        // comes from the font, whatever height was laid out.
        if (!m_heightFitted) {
            m_heightFitted = true;
            fitHeight();
        }
        break;
    case QEvent::ParentChange:
        followParentColor();
        redrawFrame();
        break;
    default: break;
    }
    return QLineEdit::event(event);
}

void CustomFlatEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange: fitHeight(); break;
    case QEvent::PaletteChange:
        if (!m_applyingLook) {
            followParentColor();
            redrawFrame();
        }
        break;
    case QEvent::EnabledChange: redrawFrame(); break;
    default: break;
    }
}

void CustomFlatEdit::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), lookColor());
    }
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    flat::drawBevelFrame(painter, rect(), m_colorBorder, m_colorBorder, 1);
    const QColor look = lookColor();
    flat::drawBevelFrame(painter, rect().adjusted(1, 1, -1, -1), look, look, 2);
}

void CustomFlatEdit::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    if (QApplication::activeWindow()) {
        m_mouseOver = true;
        redrawFrame();
    }
}

void CustomFlatEdit::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    m_mouseOver = false;
    redrawFrame();
}

void CustomFlatEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    redrawFrame();
}

void CustomFlatEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    redrawFrame();
}

} // namespace corvane::flat
