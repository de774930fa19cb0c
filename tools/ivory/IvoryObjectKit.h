#pragma once
// What the Ivory object trees are built with: adding parts, links to
// bitmap cuts, the skin's fonts, and the strips and faces several objects
// share (IvoryObjects.cpp, IvoryControlObjects.cpp).

#include "FrameGeometry.h"
#include "IvoryObjects.h"
#include "Palette.h"

namespace ivory::kit {

using namespace corvane::skin;
using palette::toSkinColor;

// A new object of class T, owned by `parent`, at (left, top) with the given
// size. It has no children yet, so placing it lays nothing out.
template <class T>
inline T& add(SkinObject& parent, const QString& name, SkinAlign align, SkinKind kind, int width, int height,
              int left = 0, int top = 0)
{
    T* object = new T(&parent);
    object->name = name;
    object->align = align;
    object->kind = kind;
    object->setBounds(left, top, width, height);
    return *object;
}

// A top-level object of no size yet: laidOut gives it its stored size.
inline ObjectTree topLevel(const QString& name, SkinKind kind = SkinKind::None)
{
    auto object = std::make_unique<SkinObject>();
    object->name = name;
    object->kind = kind;
    return object;
}

inline void layoutDescendants(SkinObject& object)
{
    for (const auto& child : object.children()) {
        child->layoutChildren();
        layoutDescendants(*child);
    }
}

// Stores the object at its size with every descendant docked in place. The
// root grows from nothing, so corner-anchored children keep their positions.
inline ObjectTree laidOut(ObjectTree object, int width, int height)
{
    object->setBounds(0, 0, width, height);
    layoutDescendants(*object);
    return object;
}

inline SkinBitmapLink link(const QString& name, int left, int top, int right, int bottom)
{
    return SkinBitmapLink{name, left, top, right, bottom};
}

inline SkinFont fontOf(SkinColor color)
{
    SkinFont font;
    font.color = color;
    return font;
}

inline SkinFont inkFont()
{
    return fontOf(toSkinColor(palette::kInk));
}
inline SkinFont whiteFont()
{
    return fontOf(clWhite);
}
inline SkinFont greyFont()
{
    return fontOf(toSkinColor(palette::kDisabledGlyph));
}

inline void margins(SkinObject& o, int all)
{
    o.marginLeft = o.marginRight = o.marginTop = o.marginBottom = all;
}

inline void unmasked(SkinBitmapObject& o)
{
    o.masked = o.maskedBorder = o.maskedAngles = false;
}

inline void stretched(SkinBitmapObject& o)
{
    o.tileStyle = o.borderTileStyle = SkinTileStyle::Stretch;
}

// The menu bar's strip: rounded ends of 15 pixels, a stretch of plain bar.
inline void menuStrip(SkinObject& parent, const QString& name, SkinAlign align, SkinKind kind, int width)
{
    auto& strip = add<SkinBitmapObject>(parent, name, align, kind, width, 20);
    strip.marginLeft = strip.marginRight = 15;
    strip.bitmap = link("menu", 0, 0, 136, 20);
    unmasked(strip);
}

// The push button's face in its five states, cut from "Buttons".
inline void buttonFace(SkinObject& parent, const QString& name, int width, int height)
{
    auto& face = add<SkinButtonObject>(parent, name, SkinAlign::Client, SkinKind::None, width, height);
    margins(face, 4);
    stretched(face);
    face.bitmap = link("Buttons", 0, 0, 45, 20);
    face.bitmapPressed = link("Buttons", 45, 0, 90, 20);
    face.bitmapDisabled = link("Buttons", 90, 0, 135, 20);
    face.bitmapHot = link("Buttons", 135, 0, 180, 20);
    face.bitmapFocused = link("Buttons", 180, 0, 225, 20);
}

} // namespace ivory::kit
