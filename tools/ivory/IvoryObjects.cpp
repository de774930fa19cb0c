#include "IvoryObjects.h"

#include "IvoryControlObjects.h"
#include "IvoryObjectKit.h"

namespace ivory {

using namespace corvane::skin;
using namespace frame;
using namespace kit;
using palette::toSkinColor;

namespace {

// --- the frame ---------------------------------------------------------------

// A frame piece with an inactive and an active picture.
SkinActiveBitmap& piece(SkinObject& parent, const QString& name, SkinAlign align, SkinKind kind, int width,
                         int height, const SkinBitmapLink& inactive, const SkinBitmapLink& active)
{
    auto& o = add<SkinActiveBitmap>(parent, name, align, kind, width, height);
    o.bitmap = inactive;
    o.activeBitmap = active;
    return o;
}

// Caption button: the pictures sit in one strip as active, pressed, hot and
// normal cells of `cell` pixels.
void captionButton(SkinObject& parent, const QString& name, SkinAlign align, int left, int top, int width, int height,
                   SkinAction action, const QString& strip, int cell)
{
    auto& o = add<SkinSystemButton>(parent, name, align, SkinKind::SystemButton, width, height, left, top);
    o.action = action;
    if (strip.isEmpty())
        return;
    o.activeBitmap = link(strip, 0, 0, cell, height);
    o.bitmapPressed = link(strip, cell, 0, 2 * cell, height);
    o.bitmapHot = link(strip, 2 * cell, 0, 3 * cell, height);
    o.bitmap = link(strip, 3 * cell, 0, 4 * cell, height);
}

// Caption: corners from "Left"/"Right", three sections from "Top" (row 0..23
// active, 24..47 inactive); the middle one stretches and carries the title.
void addCaption(SkinObject& form)
{
    auto& caption = add<SkinObject>(form, "Caption", SkinAlign::MostTop, SkinKind::None, kDesignWidth, kCaptionHeight);
    piece(caption, "CaptionLeft", SkinAlign::Left, SkinKind::None, kSideWidth, kCaptionHeight,
          link("Left", 24, 0, 48, 24), link("Left", 0, 0, 24, 24));
    piece(caption, "CaptionRight", SkinAlign::Right, SkinKind::None, kSideWidth, kCaptionHeight,
          link("Right", 24, 0, 48, 24), link("Right", 0, 0, 24, 24));
    auto& title = piece(caption, "CaptionCenter", SkinAlign::Client, SkinKind::Title, 146, kCaptionHeight,
                        link("Top", 38, 24, 68, 48), link("Top", 38, 0, 68, 24));
    title.tileStyle = SkinTileStyle::Stretch;
    title.masked = false;
    title.font.name = "Verdana";
    title.font.style = fontStyleBit(FontStyleFlag::Bold);
    title.font.color = toSkinColor(QColor(70, 61, 46));
    title.activeFont = title.font;
    title.textMarginLeft = 6;
    title.textMarginRight = 4;
    piece(caption, "ActiveBitmap7", SkinAlign::Left, SkinKind::None, 38, kCaptionHeight, link("Top", 0, 24, 38, 48),
          link("Top", 0, 0, 38, 24));
    piece(caption, "ActiveBitmap9", SkinAlign::Right, SkinKind::None, 68, kCaptionHeight, link("Top", 68, 24, 136, 48),
          link("Top", 68, 0, 136, 24));
}

// Bottom border: corners from the last rows of "Left"/"Right", the rest
// from "Bottom" (row 0..15 active, 16..31 inactive).
void addBottom(SkinObject& form)
{
    const int cornerRow = kSideBitmapHeight - kBottomHeight;
    const int w = kBottomPieceWidth, c = kBottomCenterWidth;
    auto& bottom = add<SkinObject>(form, "Bottom", SkinAlign::MostBottom, SkinKind::None, kDesignWidth, kBottomHeight);
    piece(bottom, "BottomLeft", SkinAlign::Left, SkinKind::BottomLeft, kSideWidth, kBottomHeight,
          link("Left", 24, cornerRow, 48, kSideBitmapHeight), link("Left", 0, cornerRow, 24, kSideBitmapHeight));
    piece(bottom, "BottomRight", SkinAlign::Right, SkinKind::BottomRight, kSideWidth, kBottomHeight,
          link("Right", 24, cornerRow, 48, kSideBitmapHeight), link("Right", 0, cornerRow, 24, kSideBitmapHeight));
    piece(bottom, "BottomCenter", SkinAlign::Client, SkinKind::Bottom, 64, kBottomHeight,
          link("Bottom", w, 16, w + c, 32), link("Bottom", w, 0, w + c, 16));
    piece(bottom, "CopyOfBottomRight", SkinAlign::Right, SkinKind::Bottom, w, kBottomHeight,
          link("Bottom", w + c, 16, 2 * w + c, 32), link("Bottom", w + c, 0, 2 * w + c, 16));
    piece(bottom, "CopyOfBottomLeft", SkinAlign::Left, SkinKind::Bottom, w, kBottomHeight, link("Bottom", 0, 16, w, 32),
          link("Bottom", 0, 0, w, 16));
}

// Side borders: three bands of rows of "Left"/"Right" below the caption
// corner, each as an inactive and an active link.
struct SideBands {
    std::pair<SkinBitmapLink, SkinBitmapLink> top, center, bottom;
};

SideBands sideBands(const QString& bitmap, int topRows, int centerRows, int bottomRows)
{
    auto rows = [&](int top, int bottom) {
        return std::pair{link(bitmap, 24, top, 48, bottom), link(bitmap, 0, top, 24, bottom)};
    };
    const int a = kSideRowsCorner, b = a + topRows, c = b + centerRows, d = c + bottomRows;
    return {rows(a, b), rows(b, c), rows(c, d)};
}

SkinActiveBitmap& sidePiece(SkinObject& side, const QString& name, SkinAlign align, SkinKind kind, int rows,
                             const std::pair<SkinBitmapLink, SkinBitmapLink>& links)
{
    return piece(side, name, align, kind, kSideWidth, rows, links.first, links.second);
}

void addSides(SkinObject& form)
{
    const int sideHeight = kDesignHeight - kCaptionHeight - kBottomHeight;
    auto& left = add<SkinObject>(form, "Left", SkinAlign::MostLeft, SkinKind::None, kSideWidth, sideHeight);
    const SideBands l = sideBands("Left", kLeftTopRows, kLeftCenterRows, kLeftBottomRows);
    sidePiece(left, "LeftTop", SkinAlign::Top, SkinKind::TopLeft, kLeftTopRows, l.top);
    sidePiece(left, "LeftBottom", SkinAlign::Bottom, SkinKind::BottomLeft, kLeftBottomRows, l.bottom);
    sidePiece(left, "LeftCenter", SkinAlign::Client, SkinKind::Left, kLeftCenterRows, l.center).tileStyle =
        SkinTileStyle::Stretch;
    auto& right = add<SkinObject>(form, "Right", SkinAlign::MostRight, SkinKind::None, kSideWidth, sideHeight);
    const SideBands r = sideBands("Right", kRightTopRows, kRightCenterRows, kRightBottomRows);
    sidePiece(right, "RightBottom", SkinAlign::Bottom, SkinKind::BottomRight, kRightBottomRows, r.bottom);
    sidePiece(right, "RightCenter", SkinAlign::Client, SkinKind::Right, kRightCenterRows, r.center);
    sidePiece(right, "CopyOfRightTop", SkinAlign::Top, SkinKind::TopRight, kRightTopRows, r.top);
}

ObjectTree formObject()
{
    ObjectTree form = topLevel("Form", SkinKind::Form);
    form->color = toSkinColor(palette::kLinen);
    addCaption(*form);
    addBottom(*form);
    addSides(*form);
    auto& client = add<SkinBitmapObject>(*form, "Client", SkinAlign::Client, SkinKind::Client, 0, 0);
    client.bitmap = link("Dialog", 0, 0, 64, 45);
    client.masked = false;

    captionButton(*form, "RollButton", SkinAlign::TopLeft, 17, 3, 18, 20, SkinAction::RollUp, "roll", 18);
    captionButton(*form, "UnrollButton", SkinAlign::TopLeft, 17, 3, 18, 20, SkinAction::RollDown, "roll", 18);
    captionButton(*form, "SystemButton8", SkinAlign::None, 39, 4, 21, 19, SkinAction::SystemMenu, QString(), 0);
    captionButton(*form, "CopyOfMinButton", SkinAlign::TopRight, 227, 3, 16, 21, SkinAction::Minimize, "min", 16);
    captionButton(*form, "CopyOfMaxButton", SkinAlign::TopRight, 246, 3, 16, 21, SkinAction::Maximize, "max", 16);
    captionButton(*form, "CopyOfResButton", SkinAlign::TopRight, 247, 3, 16, 21, SkinAction::Restore, "max", 16);
    captionButton(*form, "CopyOfCloseButton", SkinAlign::TopRight, 265, 3, 19, 20, SkinAction::Close, "close", 19);

    // The border pieces write in ink; the title keeps its own font.
    for (const auto& child : form->children())
        for (const auto& grandchild : child->children())
            if (grandchild->className() == "TSkinActiveBitmap" && grandchild->name != QLatin1String("CaptionCenter")) {
                auto& border = static_cast<SkinActiveBitmap&>(*grandchild);
                border.font = border.activeFont = inkFont();
            }
    return laidOut(std::move(form), kDesignWidth, kDesignHeight);
}

// --- menus and the push button -------------------------------------------------

void menuBarItem(SkinObject& parent, const QString& name)
{
    auto& item = add<SkinActiveBitmap>(parent, name, SkinAlign::None, SkinKind::MenuBarItem, 37, 20);
    item.textMarginLeft = item.textMarginRight = 5;
    item.bitmap = link("menu", 15, 0, 121, 20);
    item.activeBitmap = link("menu", 15, 20, 67, 40);
    item.font = inkFont();
    item.activeFont = whiteFont();
    unmasked(item);
}

ObjectTree menuBarObject()
{
    ObjectTree bar = topLevel("MenuBar", SkinKind::MenuBar);
    menuStrip(*bar, "Frame", SkinAlign::Client, SkinKind::MenuBar, 200);
    menuBarItem(*bar, "Item");
    // Toolbar variants, for a menu bar docked in a control bar.
    menuStrip(*bar, "ToolbarFrame", SkinAlign::None, SkinKind::MenuBar, 200);
    menuBarItem(*bar, "ToolbarItem");
    return laidOut(std::move(bar), 200, 20);
}

ObjectTree popupMenuObject()
{
    ObjectTree popup = topLevel("PopupMenu", SkinKind::PopupMenu);
    auto& frame = add<SkinBitmapObject>(*popup, "Frame", SkinAlign::None, SkinKind::None, 100, 70);
    margins(frame, 3);
    frame.bitmap = link("menuborders", 0, 0, 12, 12);
    unmasked(frame);
    auto& item = add<SkinActiveObject>(*popup, "Item", SkinAlign::None, SkinKind::PopupMenuItem, 80, 20, 3, 3);
    item.color = 14148072;      // 0xD7E1E8
    item.activeColor = 5729399; // 0x576C77
    item.textMarginLeft = 20;
    item.textMarginRight = 10;
    item.font = inkFont();
    item.activeFont = whiteFont();
    return laidOut(std::move(popup), 100, 70);
}

ObjectTree buttonObject()
{
    ObjectTree button = topLevel("Button");
    buttonFace(*button, "Face", 131, 53);
    auto& text = add<SkinObject>(*button, "Text", SkinAlign::Client, SkinKind::None, 131, 53);
    text.textMarginLeft = 20;
    text.textMarginRight = 10;
    text.font = inkFont();
    return laidOut(std::move(button), 131, 53);
}

} // namespace

ObjectList ivoryObjects()
{
    ObjectList objects;
    objects.push_back(formObject());
    objects.push_back(menuBarObject());
    objects.push_back(popupMenuObject());
    objects.push_back(choiceObject("CheckBox", "check"));
    objects.push_back(choiceObject("RadioButton", "radio"));
    objects.push_back(scrollBarObject());
    objects.push_back(buttonObject());
    objects.push_back(tabsObject());
    objects.push_back(progressBarObject());
    objects.push_back(framedObject("Edit", 120, 21));
    objects.push_back(speedButtonObject());
    objects.push_back(comboBoxObject());
    objects.push_back(groupBoxObject());
    objects.push_back(framedObject("ListBox", 120, 97));
    objects.push_back(framedObject("ScrollBox", 185, 41));
    objects.push_back(headerObject());
    objects.push_back(statusBarObject());
    objects.push_back(framedObject("Grid", 320, 120));
    objects.push_back(controlBarObject());
    objects.push_back(toolbarObject());
    objects.push_back(panelObject());
    // Fonts of top-level objects: the skin's plain text colour.
    for (const ObjectTree& object : objects)
        if (object->name != QLatin1String("Form"))
            object->font = inkFont();
    return objects;
}

} // namespace ivory
