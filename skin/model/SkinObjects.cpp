// The skin object classes that draw a state's colour, font or bitmap:
// SkinActiveObject, SkinBitmapObject (nine-slice drawing and window shape),
// SkinActiveBitmap, SkinButtonObject and SkinTextObject.
#include "skin/model/SkinObjects.h"

#include "skin/draw/SkinBlit.h"
#include "skin/model/SkinSwapped.h"

namespace corvane::skin {

namespace {

bool isHotOrFocused(SkinState state)
{
    return state == SkinState::Hot || state == SkinState::Focused;
}

} // namespace

// ---------------------------------------------------------------------------
// SkinActiveObject

void SkinActiveObject::draw(QPainter& painter)
{
    if (active() || (state() >= SkinState::Hot && state() <= SkinState::Focused)) {
        Swapped<SkinColor> swappedColor(color, activeColor);
        Swapped<SkinFont> swappedFont(font, activeFont);
        SkinObject::draw(painter);
    } else {
        SkinObject::draw(painter);
    }
}

const SkinFont& SkinActiveObject::getFont() const
{
    return (state() >= SkinState::Hot && state() <= SkinState::Focused) ? activeFont : font;
}

void SkinActiveObject::changeHue(int delta)
{
    activeColor = shiftColorHue(activeColor, delta);
    activeFont.color = shiftColorHue(activeFont.color, delta);
    SkinObject::changeHue(delta);
}

void SkinActiveObject::setCharset(int charset)
{
    activeFont.charset = charset;
    SkinObject::setCharset(charset);
}

const SkinPropertyTable& SkinActiveObject::propertyTable()
{
    using namespace skinprop;
    using C = SkinActiveObject;
    static const SkinPropertyTable table(&SkinObject::propertyTable(),
                                         {
                                             colorProperty<&C::activeColor>("ActiveColor"),
                                             property<&C::activeFont>("ActiveFont"),
                                         });
    return table;
}

// ---------------------------------------------------------------------------
// SkinBitmapObject

void SkinBitmapObject::linkBitmaps()
{
    bitmap.link(bitmaps());
    SkinObject::linkBitmaps();
}

void SkinBitmapObject::draw(QPainter& painter)
{
    if (!visible || width() <= 0 || height() <= 0 || bitmap.isEmpty())
        return;
    drawWithBitmap(painter, bitmap);
}

void SkinBitmapObject::drawWithBitmap(QPainter& painter, const SkinBitmapLink& link)
{
    if (!visible || width() <= 0 || height() <= 0 || link.isEmpty())
        return;
    const SkinBitmap& picture = *link.bitmap;
    const QRect d = boundsRect();
    const int ml = marginLeft, mt = marginTop, mr = marginRight, mb = marginBottom;
    if (ml == 0 && mt == 0 && mr == 0 && mb == 0) {
        drawBitmapPart(painter, picture, link.rect(), d, tileStyle, masked, d);
    } else {
        const int L = link.left, T = link.top, R = link.right, B = link.bottom;
        const int W = width(), H = height();
        auto rel = [&](int l, int t, int r, int b) {
            return QRect(QPoint(d.left() + l, d.top() + t), QPoint(d.left() + r - 1, d.top() + b - 1));
        };
        auto src = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); };
        auto part = [&](const QRect& s, const QRect& to, SkinTileStyle style, bool maskedPart) {
            if (s.width() <= 0 || s.height() <= 0 || to.width() <= 0 || to.height() <= 0)
                return;
            // A centred part is centred on its own piece of the object.
            drawBitmapPart(painter, picture, s, to, style, maskedPart, to);
        };
        part(src(L + ml, T + mt, R - mr, B - mb), rel(ml, mt, W - mr, H - mb), tileStyle, masked);
        part(src(L + ml, T, R - mr, T + mt), rel(ml, 0, W - mr, mt), borderTileStyle, maskedBorder);
        part(src(L + ml, B - mb, R - mr, B), rel(ml, H - mb, W - mr, H), borderTileStyle, maskedBorder);
        part(src(L, T + mt, L + ml, B - mb), rel(0, mt, ml, H - mb), borderTileStyle, maskedBorder);
        part(src(R - mr, T + mt, R, B - mb), rel(W - mr, mt, W, H - mb), borderTileStyle, maskedBorder);
        // Corners are copied unscaled.
        auto corner = [&](int sl, int st, int w, int h, int dl, int dt) {
            if (w <= 0 || h <= 0)
                return;
            drawBitmapPart(painter, picture, QRect(sl, st, w, h), QRect(d.left() + dl, d.top() + dt, w, h),
                           SkinTileStyle::Tile, maskedAngles, QRect());
        };
        corner(L, T, ml, mt, 0, 0);
        corner(R - mr, T, mr, mt, W - mr, 0);
        corner(L, B - mb, ml, mb, 0, H - mb);
        corner(R - mr, B - mb, mr, mb, W - mr, H - mb);
    }
    drawText(painter);
    layoutChildren();
    drawVisibleChildren(painter);
}

QRegion SkinBitmapObject::ownRegion()
{
    if (!masked || kind == SkinKind::Client)
        return SkinObject::ownRegion();
    // Draw into a scratch bitmap pre-filled with the key colour and keep the
    // runs of pixels that something was drawn on. RGB32 keeps the key colour
    // intact where nothing is painted.
    // A window shape is screen-sized; anything far larger is not drawn pixel
    // by pixel (and would not fit in memory).
    if (qint64(width()) * height() > SkinLimits::MaxBitmapPixels)
        return SkinObject::ownRegion();
    QImage scratch(width(), height(), QImage::Format_RGB32);
    if (scratch.isNull())
        return SkinObject::ownRegion();
    scratch.fill(0xFF000000u | SkinKeyPixel);
    {
        QPainter painter(&scratch);
        painter.translate(-left(), -top());
        draw(painter);
    }
    return regionFromNonKeyPixels(scratch, QPoint(left(), top()));
}

const SkinPropertyTable& SkinBitmapObject::propertyTable()
{
    using namespace skinprop;
    using C = SkinBitmapObject;
    static const SkinPropertyTable table(
        &SkinObject::propertyTable(),
        {
            property<&C::bitmap>("Bitmap"),
            enumProperty<&C::borderTileStyle, tileStyleIdent, tileStyleFromIdent>("BorderTileStyle"),
            property<&C::maskedBorder>("MaskedBorder"),
            property<&C::maskedAngles>("MaskedAngles"),
            enumProperty<&C::tileStyle, tileStyleIdent, tileStyleFromIdent>("TileStyle"),
        });
    return table;
}

// ---------------------------------------------------------------------------
// SkinActiveBitmap

void SkinActiveBitmap::linkBitmaps()
{
    activeBitmap.link(bitmaps());
    SkinBitmapObject::linkBitmaps();
}

void SkinActiveBitmap::draw(QPainter& painter)
{
    if ((active() || state() == SkinState::Hot || state() == SkinState::Focused) && !activeBitmap.isEmpty()) {
        Swapped<SkinBitmapLink> swappedBitmap(bitmap, activeBitmap);
        SkinBitmapObject::draw(painter);
    } else {
        SkinBitmapObject::draw(painter);
    }
}

const SkinFont& SkinActiveBitmap::getFont() const
{
    return isHotOrFocused(state()) ? activeFont : font;
}

void SkinActiveBitmap::setCharset(int charset)
{
    activeFont.charset = charset;
    SkinBitmapObject::setCharset(charset);
}

void SkinActiveBitmap::changeHue(int delta)
{
    activeFont.color = shiftColorHue(activeFont.color, delta);
    SkinBitmapObject::changeHue(delta);
}

const SkinPropertyTable& SkinActiveBitmap::propertyTable()
{
    using namespace skinprop;
    using C = SkinActiveBitmap;
    static const SkinPropertyTable table(&SkinBitmapObject::propertyTable(),
                                         {
                                             property<&C::activeBitmap>("ActiveBitmap"),
                                             property<&C::activeFont>("ActiveFont"),
                                         });
    return table;
}

// ---------------------------------------------------------------------------
// SkinButtonObject

const SkinBitmapLink& SkinButtonObject::currentBitmap() const
{
    const SkinBitmapLink* link = nullptr;
    switch (state()) {
    case SkinState::Focused: link = &bitmapFocused; break;
    case SkinState::Hot: link = &bitmapHot; break;
    case SkinState::Disabled: link = &bitmapDisabled; break;
    case SkinState::Pressed: link = &bitmapPressed; break;
    default: break;
    }
    return (link && !link->isEmpty()) ? *link : bitmap;
}

void SkinButtonObject::linkBitmaps()
{
    bitmapHot.link(bitmaps());
    bitmapFocused.link(bitmaps());
    bitmapPressed.link(bitmaps());
    bitmapDisabled.link(bitmaps());
    SkinBitmapObject::linkBitmaps();
}

void SkinButtonObject::draw(QPainter& painter)
{
    drawWithBitmap(painter, currentBitmap());
}

const SkinPropertyTable& SkinButtonObject::propertyTable()
{
    using namespace skinprop;
    using C = SkinButtonObject;
    static const SkinPropertyTable table(&SkinBitmapObject::propertyTable(),
                                         {
                                             property<&C::bitmapHot>("BitmapHot"),
                                             property<&C::bitmapFocused>("BitmapFocused"),
                                             property<&C::bitmapPressed>("BitmapPressed"),
                                             property<&C::bitmapDisabled>("BitmapDisabled"),
                                         });
    return table;
}

// ---------------------------------------------------------------------------
// SkinTextObject

const SkinFont& SkinTextObject::getFont() const
{
    switch (state()) {
    case SkinState::Hot: return fontHot;
    case SkinState::Pressed: return fontPressed;
    case SkinState::Focused: return fontFocused;
    case SkinState::Disabled: return fontDisabled;
    default: return font;
    }
}

void SkinTextObject::draw(QPainter& painter)
{
    SkinObject::draw(painter);
}

void SkinTextObject::setCharset(int charset)
{
    fontHot.charset = fontFocused.charset = fontPressed.charset = fontDisabled.charset = charset;
    SkinObject::setCharset(charset);
}

void SkinTextObject::changeHue(int delta)
{
    for (SkinFont* f : {&fontHot, &fontFocused, &fontPressed, &fontDisabled})
        f->color = shiftColorHue(f->color, delta);
    SkinObject::changeHue(delta);
}

const SkinPropertyTable& SkinTextObject::propertyTable()
{
    using namespace skinprop;
    using C = SkinTextObject;
    static const SkinPropertyTable table(&SkinObject::propertyTable(), {
                                                                           property<&C::fontHot>("FontHot"),
                                                                           property<&C::fontFocused>("FontFocused"),
                                                                           property<&C::fontPressed>("FontPressed"),
                                                                           property<&C::fontDisabled>("FontDisabled"),
                                                                       });
    return table;
}

} // namespace corvane::skin
