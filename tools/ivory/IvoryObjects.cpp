#include "IvoryObjects.h"

#include "FrameGeometry.h"
#include "Palette.h"

namespace ivory {

using namespace corvane::skin;
using namespace frame;
using palette::toSkinColor;

namespace {

// A new object of class T, owned by `parent`, at (left, top) with the given
// size. It has no children yet, so placing it lays nothing out.
template <class T>
T& add(TSkinObject& parent, const QString& name, TSkinAlign align, TSkinKind kind, int width, int height, int left = 0,
       int top = 0)
{
    T* object = new T(&parent);
    object->Name = name;
    object->Align = align;
    object->Kind = kind;
    object->setBounds(left, top, width, height);
    return *object;
}

// A top-level object of no size yet: laidOut gives it its stored size.
ObjectTree topLevel(const QString& name, TSkinKind kind = skNone)
{
    auto object = std::make_unique<TSkinObject>();
    object->Name = name;
    object->Kind = kind;
    return object;
}

void layoutDescendants(TSkinObject& object)
{
    for (const auto& child : object.children()) {
        child->layoutChildren();
        layoutDescendants(*child);
    }
}

// Stores the object at its size with every descendant docked in place. The
// root grows from nothing, so corner-anchored children keep their positions.
ObjectTree laidOut(ObjectTree object, int width, int height)
{
    object->setBounds(0, 0, width, height);
    layoutDescendants(*object);
    return object;
}

TSkinBitmapLink link(const QString& name, int left, int top, int right, int bottom)
{
    return TSkinBitmapLink{name, left, top, right, bottom};
}

TSkinFont fontOf(TColor color)
{
    TSkinFont font;
    font.Color = color;
    return font;
}

TSkinFont inkFont()
{
    return fontOf(toSkinColor(palette::kInk));
}
TSkinFont whiteFont()
{
    return fontOf(clWhite);
}
TSkinFont greyFont()
{
    return fontOf(toSkinColor(palette::kDisabledGlyph));
}

void margins(TSkinObject& o, int all)
{
    o.MarginLeft = o.MarginRight = o.MarginTop = o.MarginBottom = all;
}

void unmasked(TSkinBitmapObject& o)
{
    o.Masked = o.MaskedBorder = o.MaskedAngles = false;
}

void stretched(TSkinBitmapObject& o)
{
    o.TileStyle = o.BorderTileStyle = tsStretch;
}

// --- the frame ---------------------------------------------------------------

// A frame piece with an inactive and an active picture.
TSkinActiveBitmap& piece(TSkinObject& parent, const QString& name, TSkinAlign align, TSkinKind kind, int width,
                         int height, const TSkinBitmapLink& inactive, const TSkinBitmapLink& active)
{
    auto& o = add<TSkinActiveBitmap>(parent, name, align, kind, width, height);
    o.Bitmap = inactive;
    o.ActiveBitmap = active;
    return o;
}

// Caption button: the pictures sit in one strip as active, pressed, hot and
// normal cells of `cell` pixels.
void captionButton(TSkinObject& parent, const QString& name, TSkinAlign align, int left, int top, int width, int height,
                   TSkinAction action, const QString& strip, int cell)
{
    auto& o = add<TSkinSystemButton>(parent, name, align, skSysButton, width, height, left, top);
    o.Action = action;
    if (strip.isEmpty())
        return;
    o.ActiveBitmap = link(strip, 0, 0, cell, height);
    o.BitmapPressed = link(strip, cell, 0, 2 * cell, height);
    o.BitmapHot = link(strip, 2 * cell, 0, 3 * cell, height);
    o.Bitmap = link(strip, 3 * cell, 0, 4 * cell, height);
}

// Caption: corners from "Left"/"Right", three sections from "Top" (row 0..23
// active, 24..47 inactive); the middle one stretches and carries the title.
void addCaption(TSkinObject& form)
{
    auto& caption = add<TSkinObject>(form, "Caption", saMostTop, skNone, kDesignWidth, kCaptionHeight);
    piece(caption, "CaptionLeft", saLeft, skNone, kSideWidth, kCaptionHeight, link("Left", 24, 0, 48, 24),
          link("Left", 0, 0, 24, 24));
    piece(caption, "CaptionRight", saRight, skNone, kSideWidth, kCaptionHeight, link("Right", 24, 0, 48, 24),
          link("Right", 0, 0, 24, 24));
    auto& title = piece(caption, "CaptionCenter", saClient, skTitle, 146, kCaptionHeight, link("Top", 38, 24, 68, 48),
                        link("Top", 38, 0, 68, 24));
    title.TileStyle = tsStretch;
    title.Masked = false;
    title.Font.Name = "Verdana";
    title.Font.Style = 1u << fsBold;
    title.Font.Color = toSkinColor(QColor(70, 61, 46));
    title.ActiveFont = title.Font;
    title.TextMarginLeft = 6;
    title.TextMarginRight = 4;
    piece(caption, "ActiveBitmap7", saLeft, skNone, 38, kCaptionHeight, link("Top", 0, 24, 38, 48),
          link("Top", 0, 0, 38, 24));
    piece(caption, "ActiveBitmap9", saRight, skNone, 68, kCaptionHeight, link("Top", 68, 24, 136, 48),
          link("Top", 68, 0, 136, 24));
}

// Bottom border: corners from the last rows of "Left"/"Right", the rest
// from "Bottom" (row 0..15 active, 16..31 inactive).
void addBottom(TSkinObject& form)
{
    const int cornerRow = kSideBitmapHeight - kBottomHeight;
    const int w = kBottomPieceWidth, c = kBottomCenterWidth;
    auto& bottom = add<TSkinObject>(form, "Bottom", saMostBottom, skNone, kDesignWidth, kBottomHeight);
    piece(bottom, "BottomLeft", saLeft, skBottomLeft, kSideWidth, kBottomHeight,
          link("Left", 24, cornerRow, 48, kSideBitmapHeight), link("Left", 0, cornerRow, 24, kSideBitmapHeight));
    piece(bottom, "BottomRight", saRight, skBottomRight, kSideWidth, kBottomHeight,
          link("Right", 24, cornerRow, 48, kSideBitmapHeight), link("Right", 0, cornerRow, 24, kSideBitmapHeight));
    piece(bottom, "BottomCenter", saClient, skBottom, 64, kBottomHeight, link("Bottom", w, 16, w + c, 32),
          link("Bottom", w, 0, w + c, 16));
    piece(bottom, "CopyOfBottomRight", saRight, skBottom, w, kBottomHeight, link("Bottom", w + c, 16, 2 * w + c, 32),
          link("Bottom", w + c, 0, 2 * w + c, 16));
    piece(bottom, "CopyOfBottomLeft", saLeft, skBottom, w, kBottomHeight, link("Bottom", 0, 16, w, 32),
          link("Bottom", 0, 0, w, 16));
}

// Side borders: three bands of rows of "Left"/"Right" below the caption
// corner, each as an inactive and an active link.
struct SideBands {
    std::pair<TSkinBitmapLink, TSkinBitmapLink> top, center, bottom;
};

SideBands sideBands(const QString& bitmap, int topRows, int centerRows, int bottomRows)
{
    auto rows = [&](int top, int bottom) {
        return std::pair{link(bitmap, 24, top, 48, bottom), link(bitmap, 0, top, 24, bottom)};
    };
    const int a = kSideRowsCorner, b = a + topRows, c = b + centerRows, d = c + bottomRows;
    return {rows(a, b), rows(b, c), rows(c, d)};
}

TSkinActiveBitmap& sidePiece(TSkinObject& side, const QString& name, TSkinAlign align, TSkinKind kind, int rows,
                             const std::pair<TSkinBitmapLink, TSkinBitmapLink>& links)
{
    return piece(side, name, align, kind, kSideWidth, rows, links.first, links.second);
}

void addSides(TSkinObject& form)
{
    const int sideHeight = kDesignHeight - kCaptionHeight - kBottomHeight;
    auto& left = add<TSkinObject>(form, "Left", saMostLeft, skNone, kSideWidth, sideHeight);
    const SideBands l = sideBands("Left", kLeftTopRows, kLeftCenterRows, kLeftBottomRows);
    sidePiece(left, "LeftTop", saTop, skTopLeft, kLeftTopRows, l.top);
    sidePiece(left, "LeftBottom", saBottom, skBottomLeft, kLeftBottomRows, l.bottom);
    sidePiece(left, "LeftCenter", saClient, skLeft, kLeftCenterRows, l.center).TileStyle = tsStretch;
    auto& right = add<TSkinObject>(form, "Right", saMostRight, skNone, kSideWidth, sideHeight);
    const SideBands r = sideBands("Right", kRightTopRows, kRightCenterRows, kRightBottomRows);
    sidePiece(right, "RightBottom", saBottom, skBottomRight, kRightBottomRows, r.bottom);
    sidePiece(right, "RightCenter", saClient, skRight, kRightCenterRows, r.center);
    sidePiece(right, "CopyOfRightTop", saTop, skTopRight, kRightTopRows, r.top);
}

ObjectTree formObject()
{
    ObjectTree form = topLevel("Form", skForm);
    form->Color = toSkinColor(palette::kLinen);
    addCaption(*form);
    addBottom(*form);
    addSides(*form);
    auto& client = add<TSkinBitmapObject>(*form, "Client", saClient, skClient, 0, 0);
    client.Bitmap = link("Dialog", 0, 0, 64, 45);
    client.Masked = false;

    captionButton(*form, "RollButton", saTopLeft, 17, 3, 18, 20, sbaRollUp, "roll", 18);
    captionButton(*form, "UnrollButton", saTopLeft, 17, 3, 18, 20, sbaRollDown, "roll", 18);
    captionButton(*form, "SystemButton8", saNone, 39, 4, 21, 19, sbaSysMenu, QString(), 0);
    captionButton(*form, "CopyOfMinButton", saTopRight, 227, 3, 16, 21, sbaMinimize, "min", 16);
    captionButton(*form, "CopyOfMaxButton", saTopRight, 246, 3, 16, 21, sbaMaximize, "max", 16);
    captionButton(*form, "CopyOfResButton", saTopRight, 247, 3, 16, 21, sbaRestore, "max", 16);
    captionButton(*form, "CopyOfCloseButton", saTopRight, 265, 3, 19, 20, sbaClose, "close", 19);

    // The border pieces write in ink; the title keeps its own font.
    for (const auto& child : form->children())
        for (const auto& grandchild : child->children())
            if (grandchild->className() == "TSkinActiveBitmap" && grandchild->Name != QLatin1String("CaptionCenter")) {
                auto& border = static_cast<TSkinActiveBitmap&>(*grandchild);
                border.Font = border.ActiveFont = inkFont();
            }
    return laidOut(std::move(form), kDesignWidth, kDesignHeight);
}

// --- menus and the push button -------------------------------------------------

// The menu bar's strip: rounded ends of 15 pixels, a stretch of plain bar.
void menuStrip(TSkinObject& parent, const QString& name, TSkinAlign align, TSkinKind kind, int width)
{
    auto& strip = add<TSkinBitmapObject>(parent, name, align, kind, width, 20);
    strip.MarginLeft = strip.MarginRight = 15;
    strip.Bitmap = link("menu", 0, 0, 136, 20);
    unmasked(strip);
}

void menuBarItem(TSkinObject& parent, const QString& name)
{
    auto& item = add<TSkinActiveBitmap>(parent, name, saNone, skMenuBarItem, 37, 20);
    item.TextMarginLeft = item.TextMarginRight = 5;
    item.Bitmap = link("menu", 15, 0, 121, 20);
    item.ActiveBitmap = link("menu", 15, 20, 67, 40);
    item.Font = inkFont();
    item.ActiveFont = whiteFont();
    unmasked(item);
}

ObjectTree menuBarObject()
{
    ObjectTree bar = topLevel("MenuBar", skMenuBar);
    menuStrip(*bar, "Frame", saClient, skMenuBar, 200);
    menuBarItem(*bar, "Item");
    // Toolbar variants, for a menu bar docked in a control bar.
    menuStrip(*bar, "ToolbarFrame", saNone, skMenuBar, 200);
    menuBarItem(*bar, "ToolbarItem");
    return laidOut(std::move(bar), 200, 20);
}

ObjectTree popupMenuObject()
{
    ObjectTree popup = topLevel("PopupMenu", skPopupMenu);
    auto& frame = add<TSkinBitmapObject>(*popup, "Frame", saNone, skNone, 100, 70);
    margins(frame, 3);
    frame.Bitmap = link("menuborders", 0, 0, 12, 12);
    unmasked(frame);
    auto& item = add<TSkinActiveObject>(*popup, "Item", saNone, skPopupMenuItem, 80, 20, 3, 3);
    item.Color = 14148072;      // 0xD7E1E8
    item.ActiveColor = 5729399; // 0x576C77
    item.TextMarginLeft = 20;
    item.TextMarginRight = 10;
    item.Font = inkFont();
    item.ActiveFont = whiteFont();
    return laidOut(std::move(popup), 100, 70);
}

// The push button's face in its five states, cut from "Buttons".
void buttonFace(TSkinObject& parent, const QString& name, int width, int height)
{
    auto& face = add<TSkinButtonObject>(parent, name, saClient, skNone, width, height);
    margins(face, 4);
    stretched(face);
    face.Bitmap = link("Buttons", 0, 0, 45, 20);
    face.BitmapPressed = link("Buttons", 45, 0, 90, 20);
    face.BitmapDisabled = link("Buttons", 90, 0, 135, 20);
    face.BitmapHot = link("Buttons", 135, 0, 180, 20);
    face.BitmapFocused = link("Buttons", 180, 0, 225, 20);
}

ObjectTree buttonObject()
{
    ObjectTree button = topLevel("Button");
    buttonFace(*button, "Face", 131, 53);
    auto& text = add<TSkinObject>(*button, "Text", saClient, skNone, 131, 53);
    text.TextMarginLeft = 20;
    text.TextMarginRight = 10;
    text.Font = inkFont();
    return laidOut(std::move(button), 131, 53);
}

// --- the controls the program does not use ---------------------------------

// A nine-slice frame around a control's content.
void panelFrame(TSkinObject& parent, const QString& name, TSkinAlign align, int width, int height)
{
    auto& frame = add<TSkinBitmapObject>(parent, name, align, skNone, width, height);
    margins(frame, 3);
    frame.Bitmap = link("Taborder", 0, 0, 12, 12);
    unmasked(frame);
}

// A push-style part whose states sit side by side in one strip: normal, hot,
// pressed, disabled cells of `cell` x `cellHeight` starting at `x0`.
TSkinButtonObject& stateButton(TSkinObject& parent, const QString& name, TSkinAlign align, int width, int height,
                               const QString& strip, int x0, int cell, int cellHeight)
{
    auto& o = add<TSkinButtonObject>(parent, name, align, skNone, width, height);
    o.Bitmap = link(strip, x0, 0, x0 + cell, cellHeight);
    o.BitmapHot = link(strip, x0 + cell, 0, x0 + 2 * cell, cellHeight);
    o.BitmapPressed = link(strip, x0 + 2 * cell, 0, x0 + 3 * cell, cellHeight);
    o.BitmapDisabled = link(strip, x0 + 3 * cell, 0, x0 + 4 * cell, cellHeight);
    o.BitmapFocused = o.BitmapHot;
    return o;
}

// A part cut from a strip of `width`-pixel cells: normal (also hot and
// focused) at `x`, pressed in the second cell, disabled two cells after the
// normal one.
TSkinButtonObject& toggleCells(TSkinObject& parent, const QString& name, int width, int height, const QString& strip,
                               int x, int left = 0, int top = 0)
{
    auto& o = add<TSkinButtonObject>(parent, name, saNone, skNone, width, height, left, top);
    o.Bitmap = o.BitmapHot = o.BitmapFocused = link(strip, x, 0, x + width, height);
    o.BitmapPressed = link(strip, width, 0, 2 * width, height);
    o.BitmapDisabled = link(strip, 2 * width + x, 0, 3 * width + x, height);
    return o;
}

// The tool button face of a speed button or toolbar.
void toolFace(TSkinObject& parent, const QString& name, TSkinAlign align, int width, int height)
{
    auto& face = add<TSkinButtonObject>(parent, name, align, skNone, width, height);
    margins(face, 3);
    stretched(face);
    face.Bitmap = link("tools", 0, 0, 15, 15);
    face.BitmapHot = link("tools", 15, 0, 30, 15);
    face.BitmapPressed = link("tools", 30, 0, 45, 15);
    face.BitmapFocused = link("tools", 45, 0, 60, 15);
}

TSkinTextObject& labelText(TSkinObject& parent, const QString& name, TSkinAlign align, int width, int height)
{
    auto& text = add<TSkinTextObject>(parent, name, align, skItemText, width, height);
    text.Color = clNone; // no fill: the text sits on the control's background
    text.Font = text.FontHot = text.FontFocused = text.FontPressed = inkFont();
    text.FontDisabled = greyFont();
    return text;
}

ObjectTree choiceObject(const QString& name, const QString& strip)
{
    ObjectTree o = topLevel(name);
    toggleCells(*o, "Box", 14, 14, strip, 0, 1, 2);
    toggleCells(*o, "CheckedBox", 14, 14, strip, 14, 1, 2);
    labelText(*o, "Text", saClient, 120, 17).TextMarginLeft = 19;
    return laidOut(std::move(o), 120, 17);
}

ObjectTree scrollBarObject()
{
    ObjectTree bar = topLevel("ScrollBar");
    const char* arrowNames[] = {"UpButton", "DownButton", "LeftButton", "RightButton"};
    for (int i = 0; i < 4; ++i)
        stateButton(*bar, arrowNames[i], saNone, 16, 16, "arrows", i * 64, 16, 16);
    for (const bool horizontal : {true, false}) {
        auto& thumb = stateButton(*bar, horizontal ? "HorzThumb" : "VertThumb", saNone, 16, 16,
                                  horizontal ? "hscroll" : "vscroll", 0, 16, 16);
        margins(thumb, 4);
        stretched(thumb);
        toggleCells(*bar, horizontal ? "HorzTrack" : "VertTrack", 16, 16, horizontal ? "hscroll2" : "vscroll2", 0)
            .TileStyle = tsStretch;
    }
    return laidOut(std::move(bar), 120, 16);
}

ObjectTree tabsObject()
{
    ObjectTree tabs = topLevel("Tabs");
    panelFrame(*tabs, "Page", saClient, 200, 100);
    auto& tab = add<TSkinButtonObject>(*tabs, "Tab", saNone, skNone, 60, 18);
    tab.MarginLeft = tab.MarginRight = tab.MarginTop = 3;
    stretched(tab);
    tab.Bitmap = link("tabs", 0, 0, 25, 16);
    tab.BitmapHot = link("tabs", 25, 0, 50, 16);
    tab.BitmapPressed = tab.BitmapFocused = link("tabs", 50, 0, 75, 16);
    tab.BitmapDisabled = link("tabs", 75, 0, 100, 16);
    labelText(*tabs, "Text", saNone, 60, 18).TextAlign = taCenter;
    return laidOut(std::move(tabs), 200, 100);
}

void progressPart(TSkinObject& parent, const QString& name, TSkinAlign align, int width, int x)
{
    auto& part = add<TSkinBitmapObject>(parent, name, align, skNone, width, 16);
    margins(part, 3);
    stretched(part);
    part.Bitmap = link("Pbars", x, 0, x + 32, 16);
}

ObjectTree progressBarObject()
{
    ObjectTree bar = topLevel("ProgressBar");
    progressPart(*bar, "Track", saClient, 150, 0);
    progressPart(*bar, "Bar", saNone, 60, 32);
    return laidOut(std::move(bar), 150, 16);
}

ObjectTree framedObject(const QString& name, int width, int height)
{
    ObjectTree o = topLevel(name);
    panelFrame(*o, "Frame", saClient, width, height);
    return laidOut(std::move(o), width, height);
}

ObjectTree speedButtonObject()
{
    ObjectTree button = topLevel("SpeedButton");
    toolFace(*button, "Face", saClient, 23, 22);
    labelText(*button, "Text", saClient, 23, 22).TextAlign = taCenter;
    return laidOut(std::move(button), 23, 22);
}

ObjectTree comboBoxObject()
{
    ObjectTree combo = topLevel("ComboBox");
    auto& button = stateButton(*combo, "Button", saRight, 17, 21, "arrows", 256, 16, 16);
    margins(button, 3);
    stretched(button);
    panelFrame(*combo, "Frame", saClient, 103, 21);
    return laidOut(std::move(combo), 120, 21);
}

ObjectTree groupBoxObject()
{
    ObjectTree group = topLevel("GroupBox");
    auto& caption = labelText(*group, "Caption", saTop, 150, 16);
    caption.TextMarginLeft = 8;
    caption.Font.Style = 1u << fsBold;
    panelFrame(*group, "Frame", saClient, 150, 84);
    return laidOut(std::move(group), 150, 100);
}

ObjectTree headerObject()
{
    ObjectTree header = topLevel("Header");
    buttonFace(*header, "Section", 150, 18);
    labelText(*header, "Text", saClient, 150, 18).TextMarginLeft = 6;
    return laidOut(std::move(header), 150, 18);
}

ObjectTree statusBarObject()
{
    ObjectTree bar = topLevel("StatusBar");
    menuStrip(*bar, "Frame", saClient, skNone, 200);
    labelText(*bar, "Text", saClient, 200, 20).TextMarginLeft = 6;
    return laidOut(std::move(bar), 200, 20);
}

ObjectTree toolbarObject()
{
    ObjectTree bar = topLevel("Toolbar");
    menuStrip(*bar, "Frame", saClient, skNone, 200);
    toolFace(*bar, "Button", saNone, 23, 20);
    return laidOut(std::move(bar), 200, 20);
}

ObjectTree controlBarObject()
{
    ObjectTree bar = topLevel("ControlBar");
    bar->Color = toSkinColor(palette::kCream);
    bar->DrawIfOwner = true;
    menuStrip(*bar, "Band", saTop, skNone, 200);
    return laidOut(std::move(bar), 200, 60);
}

ObjectTree panelObject()
{
    ObjectTree panel = topLevel("CopyOfPanel");
    panelFrame(*panel, "Frame", saClient, 150, 80);
    labelText(*panel, "Text", saClient, 150, 80).TextAlign = taCenter;
    return laidOut(std::move(panel), 150, 80);
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
        if (object->Name != QLatin1String("Form"))
            object->Font = inkFont();
    return objects;
}

} // namespace ivory
