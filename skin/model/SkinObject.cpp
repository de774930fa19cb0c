#include "skin/model/SkinObject.h"

#include "skin/model/SkinObjects.h"
#include "skin/model/SkinProperties.h"
#include "skin/model/SkinSource.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>

namespace corvane::skin {

namespace {

bool haveGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

SkinObject::SkinObject(SkinObject* owner)
{
    if (owner)
        owner->appendChild(std::unique_ptr<SkinObject>(this));
}

SkinObject::~SkinObject() = default;

void SkinObject::appendChild(std::unique_ptr<SkinObject> child)
{
    child->m_owner = this;
    m_children.push_back(std::move(child));
}

// ---------------------------------------------------------------------------
// Bounds and layout

void SkinObject::setBounds(int left, int top, int width, int height)
{
    // Bounded coordinates keep every layout and drawing sum inside an int.
    constexpr int limit = SkinLimits::MaxCoordinate;
    left = qBound(-limit, left, limit);
    top = qBound(-limit, top, limit);
    width = qBound(0, width, limit);
    height = qBound(0, height, limit);
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    m_prevWidth = m_width;
    m_prevHeight = m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    layout(m_prevWidth, m_prevHeight);
}

void SkinObject::layoutChildren()
{
    // A fresh layout at an unchanged size must not move the corner-anchored
    // children again: they already follow the last size change.
    layout(m_width, m_height);
}

namespace {

// The part of a parent not yet taken by strips, in 64 bits: many strips may
// add up beyond an int; each placement is clamped by setBounds.
struct LayoutArea {
    qint64 left, top, right, bottom;
};

void place(SkinObject* c, qint64 l, qint64 t, qint64 w, qint64 h)
{
    auto clampInt = [](qint64 v) {
        return int(qBound(qint64(-SkinLimits::MaxCoordinate), v, qint64(SkinLimits::MaxCoordinate)));
    };
    c->setBounds(clampInt(l), clampInt(t), clampInt(w), clampInt(h));
}

using Children = std::vector<std::unique_ptr<SkinObject>>;

// Passes 1 to 4: children aligned to `first` take strips from the near edge
// of what is left, those aligned to `second` from the far edge.
void placeStrips(const Children& children, LayoutArea& r, SkinAlign first, SkinAlign second, bool vertical)
{
    for (auto& c : children) {
        if (!c->visible)
            continue;
        if (vertical) {
            if (c->align == first) {
                place(c.get(), r.left, r.top, r.right - r.left, c->height());
                r.top += c->height();
            } else if (c->align == second) {
                place(c.get(), r.left, r.bottom - c->height(), r.right - r.left, c->height());
                r.bottom -= c->height();
            }
        } else {
            if (c->align == first) {
                place(c.get(), r.left, r.top, c->width(), r.bottom - r.top);
                r.left += c->width();
            } else if (c->align == second) {
                place(c.get(), r.right - c->width(), r.top, c->width(), r.bottom - r.top);
                r.right -= c->width();
            }
        }
    }
}

// Pass 5: text-sized children, from last to first.
void sizeToText(const Children& children)
{
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        SkinObject* c = it->get();
        if (!c->visible || c->align != SkinAlign::Text)
            continue;
        int textWidth = 0;
        if (haveGuiApplication() && !c->text.isEmpty())
            textWidth =
                QFontMetrics(c->getFont().toQFont()).size(Qt::TextSingleLine | Qt::TextShowMnemonic, c->text).width();
        place(c, c->left(), c->top(), qint64(textWidth) + c->textMarginLeft + c->textMarginRight, c->height());
    }
}

// Pass 6: centred children, from last to first (C++ division truncates
// towards zero, as the placement rule wants).
void centre(const Children& children, const LayoutArea& r)
{
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        SkinObject* c = it->get();
        if (!c->visible || c->align != SkinAlign::Center)
            continue;
        place(c, r.left + ((r.right - r.left) - c->width()) / 2, r.top + ((r.bottom - r.top) - c->height()) / 2,
              c->width(), c->height());
    }
}

// Pass 7: client children take what is left.
void fillClient(const Children& children, const LayoutArea& r)
{
    for (auto& c : children)
        if (c->visible && c->align == SkinAlign::Client)
            place(c.get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Pass 8: every child, visible or not, keeps its distance to the edges that
// moved from the previous size to `size`.
void followMovedEdges(const Children& children, const QSize& size, int previousWidth, int previousHeight)
{
    const int dx = size.width() - previousWidth, dy = size.height() - previousHeight;
    for (auto& c : children) {
        if (c->align == SkinAlign::TopRight) {
            if (previousWidth > 0)
                c->setBounds(c->left() + dx, c->top(), c->width(), c->height());
        } else if (c->align == SkinAlign::BottomLeft) {
            // Like the top-right anchor, only from a known previous size: right
            // after a copy (previous height 0) the child is already in place.
            if (previousHeight > 0)
                c->setBounds(c->left(), c->top() + dy, c->width(), c->height());
        } else if (c->align == SkinAlign::BottomRight) {
            // Anchored to the bottom-right corner: moves with both far edges.
            if (previousWidth > 0 && previousHeight > 0)
                c->setBounds(c->left() + dx, c->top() + dy, c->width(), c->height());
        }
    }
}

} // namespace

void SkinObject::layout(int previousWidth, int previousHeight)
{
    if (m_children.empty())
        return;
    LayoutArea rest{m_left, m_top, qint64(m_left) + m_width, qint64(m_top) + m_height};
    placeStrips(m_children, rest, SkinAlign::MostTop, SkinAlign::MostBottom, true);  // pass 1
    placeStrips(m_children, rest, SkinAlign::MostLeft, SkinAlign::MostRight, false); // pass 2
    placeStrips(m_children, rest, SkinAlign::Top, SkinAlign::Bottom, true);          // pass 3
    placeStrips(m_children, rest, SkinAlign::Left, SkinAlign::Right, false);         // pass 4
    sizeToText(m_children);
    centre(m_children, rest);
    fillClient(m_children, rest);
    followMovedEdges(m_children, QSize(m_width, m_height), previousWidth, previousHeight);
}

// ---------------------------------------------------------------------------
// The tree

SkinObject* SkinObject::findObject(const QString& objectName)
{
    if (name.compare(objectName, Qt::CaseInsensitive) == 0)
        return this;
    for (auto& c : m_children)
        if (SkinObject* found = c->findObject(objectName))
            return found;
    return nullptr;
}

SkinObject* SkinObject::findKind(SkinKind wanted)
{
    if (kind == wanted)
        return this;
    for (auto& c : m_children)
        if (SkinObject* found = c->findKind(wanted))
            return found;
    return nullptr;
}

std::unique_ptr<SkinObject> SkinObject::copyTree() const
{
    std::unique_ptr<SkinObject> copy = SkinClassRegistry::create(className());
    if (!copy)
        copy = std::make_unique<SkinObject>();
    copy->assignFrom(*this);
    copy->m_bitmaps = m_bitmaps;
    for (const auto& c : m_children)
        copy->appendChild(c->copyTree());
    copy->setBounds(m_left, m_top, m_width, m_height);
    return copy;
}

void SkinObject::setState(SkinState state)
{
    m_state = state;
    for (auto& c : m_children)
        c->setState(state);
}

void SkinObject::setActive(bool active)
{
    m_active = active;
    for (auto& c : m_children)
        c->setActive(active);
}

void SkinObject::setHost(QObject* host)
{
    m_host = host;
    for (auto& c : m_children)
        c->setHost(host);
}

void SkinObject::setBitmaps(const SkinBitmapList* bitmaps)
{
    m_bitmaps = bitmaps;
    for (auto& c : m_children)
        c->setBitmaps(bitmaps);
}

void SkinObject::setRightToLeft(bool rightToLeft)
{
    m_rightToLeft = rightToLeft;
    for (auto& c : m_children)
        c->setRightToLeft(rightToLeft);
}

void SkinObject::linkBitmaps()
{
    for (auto& c : m_children)
        c->linkBitmaps();
}

void SkinObject::changeHue(int delta)
{
    color = shiftColorHue(color, delta);
    font.color = shiftColorHue(font.color, delta);
    for (auto& c : m_children)
        c->changeHue(delta);
}

void SkinObject::setCharset(int charset)
{
    font.charset = charset;
    for (auto& c : m_children)
        c->setCharset(charset);
}

// ---------------------------------------------------------------------------
// Drawing

void SkinObject::draw(QPainter& painter)
{
    if (!visible || m_width <= 0 || m_height <= 0)
        return;
    if (m_children.empty() || drawIfOwner)
        drawFillAndText(painter);
    drawVisibleChildren(painter);
}

void SkinObject::drawFillAndText(QPainter& painter)
{
    if (color != clNone)
        painter.fillRect(boundsRect(), toQColor(color));
    drawText(painter);
}

void SkinObject::drawVisibleChildren(QPainter& painter)
{
    for (auto& c : m_children)
        if (c->visible && c->m_width > 0 && c->m_height > 0)
            c->draw(painter);
}

namespace {

struct TextAlignment {
    int horizontal;
    int vertical;
};

TextAlignment alignmentOf(SkinTextAlign align)
{
    switch (align) {
    case SkinTextAlign::TopLeft: return {Qt::AlignLeft, Qt::AlignTop};
    case SkinTextAlign::TopCenter: return {Qt::AlignHCenter, Qt::AlignTop};
    case SkinTextAlign::TopRight: return {Qt::AlignRight, Qt::AlignTop};
    case SkinTextAlign::Left: return {Qt::AlignLeft, Qt::AlignVCenter};
    case SkinTextAlign::Right: return {Qt::AlignRight, Qt::AlignVCenter};
    case SkinTextAlign::BottomLeft: return {Qt::AlignLeft, Qt::AlignBottom};
    case SkinTextAlign::BottomCenter: return {Qt::AlignHCenter, Qt::AlignBottom};
    case SkinTextAlign::BottomRight: return {Qt::AlignRight, Qt::AlignBottom};
    case SkinTextAlign::Center:
    default: return {Qt::AlignHCenter, Qt::AlignVCenter};
    }
}

int mirrored(int horizontal)
{
    return horizontal == Qt::AlignLeft    ? int(Qt::AlignRight)
           : horizontal == Qt::AlignRight ? int(Qt::AlignLeft)
                                          : horizontal;
}

// One line of text in `rect`, with its shadow one pixel down and right first.
// "&" marks the accelerator letter (underlined); "&&" is an ampersand.
void drawTextLine(QPainter& painter, const QRect& rect, int alignment, const QString& text, const QColor& color,
                  bool shadow)
{
    const int flags = alignment | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (shadow) {
        painter.setPen(Qt::black);
        painter.drawText(rect.translated(1, 1), flags, text);
    }
    painter.setPen(color);
    painter.drawText(rect, flags, text);
}

} // namespace

void SkinObject::drawText(QPainter& painter)
{
    const SkinFont& stateFont = getFont();
    if (text == QLatin1String("-")) {
        // Separator: a one-pixel line across the middle row, 3 pixels in from each side.
        painter.fillRect(QRect(m_left + 3, m_top + m_height / 2 - 1, m_width - 6, 1), toQColor(stateFont.color));
        return;
    }
    if ((text.isEmpty() && secondText.isEmpty()) || !haveGuiApplication())
        return;

    const QRect textRect(QPoint(m_left + textMarginLeft, m_top + textMarginTop),
                         QPoint(m_left + m_width - textMarginRight - 1, m_top + m_height - 1));
    TextAlignment alignment = alignmentOf(textAlign);
    if (m_rightToLeft)
        alignment.horizontal = mirrored(alignment.horizontal);

    const QFont qfont = stateFont.toQFont();
    painter.save();
    painter.setFont(qfont);
    const QColor textColor = enabled ? toQColor(stateFont.color) : QColor(0x80, 0x80, 0x80);
    const bool shadow = textEffect == SkinTextEffect::Shadow;
    if (!text.isEmpty()) {
        const QString shown = kind == SkinKind::Title
                                  ? QFontMetrics(qfont).elidedText(text, Qt::ElideRight,
                                                                   qMax(0, m_width - textMarginLeft - textMarginRight),
                                                                   Qt::TextShowMnemonic)
                                  : text;
        drawTextLine(painter, textRect, alignment.horizontal | alignment.vertical, shown, textColor, shadow);
    }
    if (!secondText.isEmpty())
        drawTextLine(painter, textRect, mirrored(alignment.horizontal) | alignment.vertical, secondText, textColor,
                     shadow);
    painter.restore();
}

// ---------------------------------------------------------------------------
// Regions and hit testing

QRegion SkinObject::createRegion()
{
    if (m_width <= 0 || m_height <= 0)
        return QRegion();
    if (m_children.empty() || drawIfOwner || !masked)
        return ownRegion();
    QRegion region;
    for (auto& c : m_children)
        if (c->visible)
            region |= c->createRegion();
    return region;
}

QRegion SkinObject::ownRegion()
{
    return QRegion(boundsRect());
}

SkinObject* SkinObject::objectAt(const QPoint& point)
{
    if (!visible || !boundsRect().contains(point) || kind == SkinKind::Transparent)
        return nullptr;
    if (m_children.empty())
        return this;
    SkinObject* hit = nullptr;
    for (auto& c : m_children)
        if (SkinObject* found = c->objectAt(point))
            hit = found;
    return hit ? hit : this;
}

void SkinObject::requestRedraw()
{
    if (m_host) {
        SkinRedrawEvent event(this);
        QCoreApplication::sendEvent(m_host, &event);
    }
}

SkinFrameInterface* SkinObject::frame() const
{
    if (!m_host)
        return nullptr;
    SkinGetFormEvent event;
    QCoreApplication::sendEvent(m_host, &event);
    return event.form();
}

// ---------------------------------------------------------------------------
// Persistence

const SkinPropertyTable& SkinObject::propertyTable()
{
    using namespace skinprop;
    using O = SkinObject;
    static const SkinPropertyTable table(
        nullptr, {
                     enumProperty<&O::align, alignIdent, alignFromIdent>("Align"),
                     colorProperty<&O::color>("Color"),
                     property<&O::drawIfOwner>("DrawIfOwner"),
                     property<&O::font>("Font"),
                     enumProperty<&O::kind, kindIdent, kindFromIdent>("Kind"),
                     property<&O::masked>("Masked"),
                     boundsProperty<&O::left, &O::setLeft>("Left"),
                     boundsProperty<&O::top, &O::setTop>("Top"),
                     boundsProperty<&O::height, &O::setHeight>("Height"),
                     boundsProperty<&O::width, &O::setWidth>("Width"),
                     property<&O::marginLeft>("MarginLeft"),
                     property<&O::marginRight>("MarginRight"),
                     property<&O::marginTop>("MarginTop"),
                     property<&O::marginBottom>("MarginBottom"),
                     enumProperty<&O::textAlign, textAlignIdent, textAlignFromIdent>("TextAlign"),
                     enumProperty<&O::textEffect, textEffectIdent, textEffectFromIdent>("TextEffect"),
                     property<&O::textMarginLeft>("TextMarginLeft"),
                     property<&O::textMarginRight>("TextMarginRight"),
                     property<&O::textMarginTop>("TextMarginTop"),
                 });
    return table;
}

void SkinObject::writeProperties(QList<SkinProperty>& out) const
{
    properties().write(*this, out);
}

bool SkinObject::readProperty(const SkinProperty& p)
{
    return properties().read(*this, p);
}

void SkinObject::assignFrom(const SkinObject& s)
{
    name = s.name;
    properties().assign(*this, s);
}

SkinColor shiftColorHue(SkinColor color, int delta)
{
    if (color == clNone)
        return color;
    const SkinColor c = resolveColor(color);
    // 0x00BBGGRR to a pixel 0xAARRGGBB and back.
    const std::uint32_t pixel = 0xFF000000u | (std::uint32_t(c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    const std::uint32_t shifted = shiftPixelHue(pixel, delta);
    return SkinColor(((shifted >> 16) & 0xFF) | (shifted & 0xFF00) | ((shifted & 0xFF) << 16));
}

} // namespace corvane::skin
