// The flat button's construction, its properties and the colours derived
// from them. Input and hover handling live in TFlatButtonInput.cpp, drawing
// in TFlatButtonPainting.cpp.
#include "flat/FlatButton.h"

#include "flat/FlatColors.h"
#include "flat/FlatHoverTimer.h"

#include <QFontMetrics>
#include <algorithm>

namespace corvane::flat {

using flat::FlatHoverTimer;

namespace {

constexpr quint32 defaultFace = 0xE1EAEB;
constexpr quint32 defaultDown = 0xC5D6D9;
constexpr quint32 defaultBorder = 0x8396A0;

} // namespace

FlatButton::FlatButton(QWidget* parent)
    : QWidget(parent),
      m_color(flat::fromColorRef(defaultFace)),
      m_colorFocused(flat::fromColorRef(defaultFace)),
      m_colorDown(flat::fromColorRef(defaultDown)),
      m_colorBorder(flat::fromColorRef(defaultBorder)),
      m_colorHighLight(Qt::white),
      m_colorShadow(Qt::black)
{
    resize(25, 25);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    followParentColor();
}

FlatButton::~FlatButton()
{
    if (FlatHoverTimer::tracked() == this)
        FlatHoverTimer::stopTracking();
}

// ---- properties ----------------------------------------------------------

void FlatButton::setTransparentMode(flat::TransparentMode mode)
{
    m_transparentMode = mode;
    update();
}

void FlatButton::setDefault(bool value)
{
    m_default = value;
    update();
}

void FlatButton::setAllowAllUp(bool value)
{
    if (m_allowAllUp == value)
        return;
    m_allowAllUp = value;
    notifyGroup();
}

void FlatButton::setColor(const QColor& color)
{
    m_color = color;
    m_parentColor = false;
    deriveColors();
    update();
}

void FlatButton::setColorFocused(const QColor& color)
{
    m_colorFocused = color;
    update();
}

void FlatButton::setColorDown(const QColor& color)
{
    m_colorDown = color;
    update();
}

void FlatButton::setColorBorder(const QColor& color)
{
    m_colorBorder = color;
    update();
}

void FlatButton::setColorHighLight(const QColor& color)
{
    m_colorHighLight = color;
    update();
}

void FlatButton::setColorShadow(const QColor& color)
{
    m_colorShadow = color;
    update();
}

void FlatButton::setAdvColorFocused(int amount)
{
    m_advColorFocused = std::clamp(amount, 0, 100);
    deriveColors();
    update();
}

void FlatButton::setAdvColorDown(int amount)
{
    m_advColorDown = std::clamp(amount, 0, 100);
    deriveColors();
    update();
}

void FlatButton::setAdvColorBorder(int amount)
{
    m_advColorBorder = std::clamp(amount, 0, 100);
    deriveColors();
    update();
}

void FlatButton::setUseAdvColors(bool value)
{
    if (m_useAdvColors == value)
        return;
    m_useAdvColors = value;
    setParentColor(value);
    deriveColors();
    update();
}

void FlatButton::setParentColor(bool value)
{
    if (m_parentColor == value)
        return;
    m_parentColor = value;
    if (value)
        followParentColor();
    update();
}

void FlatButton::setTabStop(bool value)
{
    m_tabStop = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void FlatButton::setGroupIndex(int index)
{
    if (m_groupIndex == index)
        return;
    m_groupIndex = index;
    notifyGroup();
}

void FlatButton::setDown(bool value)
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
        if (m_state == flat::ButtonState::Up)
            update();
        m_state = flat::ButtonState::Exclusive;
        notifyGroup();
    } else {
        m_state = flat::ButtonState::Up;
        repaintNow();
    }
}

void FlatButton::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    updateAccelerator();
    updateGeometry();
    update();
}

void FlatButton::setGlyph(const QImage& glyph)
{
    m_glyph = glyph;
    if (!m_glyph.isNull() && m_glyph.height() > 0 && m_glyph.width() % m_glyph.height() == 0) {
        const int count = m_glyph.width() / m_glyph.height();
        m_numGlyphs = count > 4 ? 1 : std::max(count, 1);
    }
    updateGeometry();
    update();
}

void FlatButton::setButtonLayout(flat::ButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    update();
}

void FlatButton::setMargin(int margin)
{
    if (margin == m_margin || margin < -1)
        return;
    m_margin = margin;
    update();
}

void FlatButton::setNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (m_numGlyphs == count)
        return;
    m_numGlyphs = count;
    update();
}

void FlatButton::setSpacing(int spacing)
{
    if (m_spacing == spacing)
        return;
    m_spacing = spacing;
    update();
}

QSize FlatButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize text =
        m_caption.isEmpty() ? QSize() : metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
    return QSize(std::max(25, text.width() + 16), std::max(25, text.height() + 8));
}

// ---- colours -------------------------------------------------------------

// The parent's colour (or the platform's colours) changed, or the button was
// given a parent.
void FlatButton::followParentColor()
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

void FlatButton::deriveColors()
{
    if (!m_useAdvColors)
        return;
    using flat::Lightness;
    m_colorFocused = flat::adjustLightness(m_color, m_colorFocused, m_advColorFocused, Lightness::Lighter);
    m_colorDown = flat::adjustLightness(m_color, m_colorDown, m_advColorDown, Lightness::Darker);
    m_colorBorder = flat::adjustLightness(m_color, m_colorBorder, m_advColorBorder, Lightness::Darker);
}

} // namespace corvane::flat
