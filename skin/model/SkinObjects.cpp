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
        Swapped<SkinColor> color(Color, ActiveColor);
        Swapped<SkinFont> font(Font, ActiveFont);
        SkinObject::draw(painter);
    } else {
        SkinObject::draw(painter);
    }
}

const SkinFont& SkinActiveObject::getFont() const
{
    return (state() >= SkinState::Hot && state() <= SkinState::Focused) ? ActiveFont : Font;
}

void SkinActiveObject::changeHue(int delta)
{
    ActiveColor = shiftColorHue(ActiveColor, delta);
    ActiveFont.Color = shiftColorHue(ActiveFont.Color, delta);
    SkinObject::changeHue(delta);
}

void SkinActiveObject::setCharset(int charset)
{
    ActiveFont.Charset = charset;
    SkinObject::setCharset(charset);
}

const SkinPropertyTable& SkinActiveObject::propertyTable()
{
    using namespace skinprop;
    using C = SkinActiveObject;
    static const SkinPropertyTable table(&SkinObject::propertyTable(),
                                          {
                                              colorProperty<&C::ActiveColor>("ActiveColor"),
                                              property<&C::ActiveFont>("ActiveFont"),
                                          });
    return table;
}

// ---------------------------------------------------------------------------
// SkinBitmapObject

void SkinBitmapObject::linkBitmaps()
{
    Bitmap.link(bitmaps());
    SkinObject::linkBitmaps();
}

void SkinBitmapObject::draw(QPainter& painter)
{
    if (!Visible || width() <= 0 || height() <= 0 || Bitmap.isEmpty())
        return;
    drawWithBitmap(painter, Bitmap);
}

void SkinBitmapObject::drawWithBitmap(QPainter& painter, const SkinBitmapLink& link)
{
    if (!Visible || width() <= 0 || height() <= 0 || link.isEmpty())
        return;
    const SkinBitmap& bitmap = *link.Bitmap;
    const QRect d = boundsRect();
    const int ml = MarginLeft, mt = MarginTop, mr = MarginRight, mb = MarginBottom;
    if (ml == 0 && mt == 0 && mr == 0 && mb == 0) {
        drawBitmapPart(painter, bitmap, link.rect(), d, TileStyle, Masked, d);
    } else {
        const int L = link.Left, T = link.Top, R = link.Right, B = link.Bottom;
        const int W = width(), H = height();
        auto rel = [&](int l, int t, int r, int b) {
            return QRect(QPoint(d.left() + l, d.top() + t), QPoint(d.left() + r - 1, d.top() + b - 1));
        };
        auto src = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); };
        auto part = [&](const QRect& s, const QRect& to, SkinTileStyle style, bool masked) {
            if (s.width() <= 0 || s.height() <= 0 || to.width() <= 0 || to.height() <= 0)
                return;
            // A centred part is centred on its own piece of the object.
            drawBitmapPart(painter, bitmap, s, to, style, masked, to);
        };
        part(src(L + ml, T + mt, R - mr, B - mb), rel(ml, mt, W - mr, H - mb), TileStyle, Masked);
        part(src(L + ml, T, R - mr, T + mt), rel(ml, 0, W - mr, mt), BorderTileStyle, MaskedBorder);
        part(src(L + ml, B - mb, R - mr, B), rel(ml, H - mb, W - mr, H), BorderTileStyle, MaskedBorder);
        part(src(L, T + mt, L + ml, B - mb), rel(0, mt, ml, H - mb), BorderTileStyle, MaskedBorder);
        part(src(R - mr, T + mt, R, B - mb), rel(W - mr, mt, W, H - mb), BorderTileStyle, MaskedBorder);
        // Corners are copied unscaled.
        auto corner = [&](int sl, int st, int w, int h, int dl, int dt) {
            if (w <= 0 || h <= 0)
                return;
            drawBitmapPart(painter, bitmap, QRect(sl, st, w, h), QRect(d.left() + dl, d.top() + dt, w, h),
                           SkinTileStyle::Tile, MaskedAngles, QRect());
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
    if (!Masked || Kind == SkinKind::Client)
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
            property<&C::Bitmap>("Bitmap"),
            enumProperty<&C::BorderTileStyle, tileStyleIdent, tileStyleFromIdent>("BorderTileStyle"),
            property<&C::MaskedBorder>("MaskedBorder"),
            property<&C::MaskedAngles>("MaskedAngles"),
            enumProperty<&C::TileStyle, tileStyleIdent, tileStyleFromIdent>("TileStyle"),
        });
    return table;
}

// ---------------------------------------------------------------------------
// SkinActiveBitmap

void SkinActiveBitmap::linkBitmaps()
{
    ActiveBitmap.link(bitmaps());
    SkinBitmapObject::linkBitmaps();
}

void SkinActiveBitmap::draw(QPainter& painter)
{
    if ((active() || state() == SkinState::Hot || state() == SkinState::Focused) && !ActiveBitmap.isEmpty()) {
        Swapped<SkinBitmapLink> bitmap(Bitmap, ActiveBitmap);
        SkinBitmapObject::draw(painter);
    } else {
        SkinBitmapObject::draw(painter);
    }
}

const SkinFont& SkinActiveBitmap::getFont() const
{
    return isHotOrFocused(state()) ? ActiveFont : Font;
}

void SkinActiveBitmap::setCharset(int charset)
{
    ActiveFont.Charset = charset;
    SkinBitmapObject::setCharset(charset);
}

void SkinActiveBitmap::changeHue(int delta)
{
    ActiveFont.Color = shiftColorHue(ActiveFont.Color, delta);
    SkinBitmapObject::changeHue(delta);
}

const SkinPropertyTable& SkinActiveBitmap::propertyTable()
{
    using namespace skinprop;
    using C = SkinActiveBitmap;
    static const SkinPropertyTable table(&SkinBitmapObject::propertyTable(),
                                          {
                                              property<&C::ActiveBitmap>("ActiveBitmap"),
                                              property<&C::ActiveFont>("ActiveFont"),
                                          });
    return table;
}

// ---------------------------------------------------------------------------
// SkinButtonObject

const SkinBitmapLink& SkinButtonObject::currentBitmap() const
{
    const SkinBitmapLink* link = nullptr;
    switch (state()) {
    case SkinState::Focused: link = &BitmapFocused; break;
    case SkinState::Hot: link = &BitmapHot; break;
    case SkinState::Disabled: link = &BitmapDisabled; break;
    case SkinState::Pressed: link = &BitmapPressed; break;
    default: break;
    }
    return (link && !link->isEmpty()) ? *link : Bitmap;
}

void SkinButtonObject::linkBitmaps()
{
    BitmapHot.link(bitmaps());
    BitmapFocused.link(bitmaps());
    BitmapPressed.link(bitmaps());
    BitmapDisabled.link(bitmaps());
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
                                              property<&C::BitmapHot>("BitmapHot"),
                                              property<&C::BitmapFocused>("BitmapFocused"),
                                              property<&C::BitmapPressed>("BitmapPressed"),
                                              property<&C::BitmapDisabled>("BitmapDisabled"),
                                          });
    return table;
}

// ---------------------------------------------------------------------------
// SkinTextObject

const SkinFont& SkinTextObject::getFont() const
{
    switch (state()) {
    case SkinState::Hot: return FontHot;
    case SkinState::Pressed: return FontPressed;
    case SkinState::Focused: return FontFocused;
    case SkinState::Disabled: return FontDisabled;
    default: return Font;
    }
}

void SkinTextObject::draw(QPainter& painter)
{
    SkinObject::draw(painter);
}

void SkinTextObject::setCharset(int charset)
{
    FontHot.Charset = FontFocused.Charset = FontPressed.Charset = FontDisabled.Charset = charset;
    SkinObject::setCharset(charset);
}

void SkinTextObject::changeHue(int delta)
{
    for (SkinFont* f : {&FontHot, &FontFocused, &FontPressed, &FontDisabled})
        f->Color = shiftColorHue(f->Color, delta);
    SkinObject::changeHue(delta);
}

const SkinPropertyTable& SkinTextObject::propertyTable()
{
    using namespace skinprop;
    using C = SkinTextObject;
    static const SkinPropertyTable table(&SkinObject::propertyTable(), {
                                                                             property<&C::FontHot>("FontHot"),
                                                                             property<&C::FontFocused>("FontFocused"),
                                                                             property<&C::FontPressed>("FontPressed"),
                                                                             property<&C::FontDisabled>("FontDisabled"),
                                                                         });
    return table;
}

} // namespace corvane::skin
