// The top-level objects of the controls the program does not use (check
// boxes, scroll bars, tabs ... panels): the stored skin carries them whole.
#include "IvoryControlObjects.h"

#include "IvoryObjectKit.h"

namespace ivory {

using namespace corvane::skin;
using namespace kit;
using palette::toSkinColor;

namespace {

// A nine-slice frame around a control's content.
void panelFrame(SkinObject& parent, const QString& name, SkinAlign align, int width, int height)
{
    auto& frame = add<SkinBitmapObject>(parent, name, align, SkinKind::None, width, height);
    margins(frame, 3);
    frame.bitmap = link("Taborder", 0, 0, 12, 12);
    unmasked(frame);
}

// A push-style part whose states sit side by side in one strip: normal, hot,
// pressed, disabled cells of `cell` x `cellHeight` starting at `x0`.
SkinButtonObject& stateButton(SkinObject& parent, const QString& name, SkinAlign align, int width, int height,
                               const QString& strip, int x0, int cell, int cellHeight)
{
    auto& o = add<SkinButtonObject>(parent, name, align, SkinKind::None, width, height);
    o.bitmap = link(strip, x0, 0, x0 + cell, cellHeight);
    o.bitmapHot = link(strip, x0 + cell, 0, x0 + 2 * cell, cellHeight);
    o.bitmapPressed = link(strip, x0 + 2 * cell, 0, x0 + 3 * cell, cellHeight);
    o.bitmapDisabled = link(strip, x0 + 3 * cell, 0, x0 + 4 * cell, cellHeight);
    o.bitmapFocused = o.bitmapHot;
    return o;
}

// A part cut from a strip of `width`-pixel cells: normal (also hot and
// focused) at `x`, pressed in the second cell, disabled two cells after the
// normal one.
SkinButtonObject& toggleCells(SkinObject& parent, const QString& name, int width, int height, const QString& strip,
                               int x, int left = 0, int top = 0)
{
    auto& o = add<SkinButtonObject>(parent, name, SkinAlign::None, SkinKind::None, width, height, left, top);
    o.bitmap = o.bitmapHot = o.bitmapFocused = link(strip, x, 0, x + width, height);
    o.bitmapPressed = link(strip, width, 0, 2 * width, height);
    o.bitmapDisabled = link(strip, 2 * width + x, 0, 3 * width + x, height);
    return o;
}

// The tool button face of a speed button or toolbar.
void toolFace(SkinObject& parent, const QString& name, SkinAlign align, int width, int height)
{
    auto& face = add<SkinButtonObject>(parent, name, align, SkinKind::None, width, height);
    margins(face, 3);
    stretched(face);
    face.bitmap = link("tools", 0, 0, 15, 15);
    face.bitmapHot = link("tools", 15, 0, 30, 15);
    face.bitmapPressed = link("tools", 30, 0, 45, 15);
    face.bitmapFocused = link("tools", 45, 0, 60, 15);
}

SkinTextObject& labelText(SkinObject& parent, const QString& name, SkinAlign align, int width, int height)
{
    auto& text = add<SkinTextObject>(parent, name, align, SkinKind::ItemText, width, height);
    text.color = clNone; // no fill: the text sits on the control's background
    text.font = text.fontHot = text.fontFocused = text.fontPressed = inkFont();
    text.fontDisabled = greyFont();
    return text;
}

} // namespace

ObjectTree choiceObject(const QString& name, const QString& strip)
{
    ObjectTree o = topLevel(name);
    toggleCells(*o, "Box", 14, 14, strip, 0, 1, 2);
    toggleCells(*o, "CheckedBox", 14, 14, strip, 14, 1, 2);
    labelText(*o, "Text", SkinAlign::Client, 120, 17).textMarginLeft = 19;
    return laidOut(std::move(o), 120, 17);
}

ObjectTree scrollBarObject()
{
    ObjectTree bar = topLevel("ScrollBar");
    const char* arrowNames[] = {"UpButton", "DownButton", "LeftButton", "RightButton"};
    for (int i = 0; i < 4; ++i)
        stateButton(*bar, arrowNames[i], SkinAlign::None, 16, 16, "arrows", i * 64, 16, 16);
    for (const bool horizontal : {true, false}) {
        auto& thumb = stateButton(*bar, horizontal ? "HorzThumb" : "VertThumb", SkinAlign::None, 16, 16,
                                  horizontal ? "hscroll" : "vscroll", 0, 16, 16);
        margins(thumb, 4);
        stretched(thumb);
        toggleCells(*bar, horizontal ? "HorzTrack" : "VertTrack", 16, 16, horizontal ? "hscroll2" : "vscroll2", 0)
            .tileStyle = SkinTileStyle::Stretch;
    }
    return laidOut(std::move(bar), 120, 16);
}

ObjectTree tabsObject()
{
    ObjectTree tabs = topLevel("Tabs");
    panelFrame(*tabs, "Page", SkinAlign::Client, 200, 100);
    auto& tab = add<SkinButtonObject>(*tabs, "Tab", SkinAlign::None, SkinKind::None, 60, 18);
    tab.marginLeft = tab.marginRight = tab.marginTop = 3;
    stretched(tab);
    tab.bitmap = link("tabs", 0, 0, 25, 16);
    tab.bitmapHot = link("tabs", 25, 0, 50, 16);
    tab.bitmapPressed = tab.bitmapFocused = link("tabs", 50, 0, 75, 16);
    tab.bitmapDisabled = link("tabs", 75, 0, 100, 16);
    labelText(*tabs, "Text", SkinAlign::None, 60, 18).textAlign = SkinTextAlign::Center;
    return laidOut(std::move(tabs), 200, 100);
}

void progressPart(SkinObject& parent, const QString& name, SkinAlign align, int width, int x)
{
    auto& part = add<SkinBitmapObject>(parent, name, align, SkinKind::None, width, 16);
    margins(part, 3);
    stretched(part);
    part.bitmap = link("Pbars", x, 0, x + 32, 16);
}

ObjectTree progressBarObject()
{
    ObjectTree bar = topLevel("ProgressBar");
    progressPart(*bar, "Track", SkinAlign::Client, 150, 0);
    progressPart(*bar, "Bar", SkinAlign::None, 60, 32);
    return laidOut(std::move(bar), 150, 16);
}

ObjectTree framedObject(const QString& name, int width, int height)
{
    ObjectTree o = topLevel(name);
    panelFrame(*o, "Frame", SkinAlign::Client, width, height);
    return laidOut(std::move(o), width, height);
}

ObjectTree speedButtonObject()
{
    ObjectTree button = topLevel("SpeedButton");
    toolFace(*button, "Face", SkinAlign::Client, 23, 22);
    labelText(*button, "Text", SkinAlign::Client, 23, 22).textAlign = SkinTextAlign::Center;
    return laidOut(std::move(button), 23, 22);
}

ObjectTree comboBoxObject()
{
    ObjectTree combo = topLevel("ComboBox");
    auto& button = stateButton(*combo, "Button", SkinAlign::Right, 17, 21, "arrows", 256, 16, 16);
    margins(button, 3);
    stretched(button);
    panelFrame(*combo, "Frame", SkinAlign::Client, 103, 21);
    return laidOut(std::move(combo), 120, 21);
}

ObjectTree groupBoxObject()
{
    ObjectTree group = topLevel("GroupBox");
    auto& caption = labelText(*group, "Caption", SkinAlign::Top, 150, 16);
    caption.textMarginLeft = 8;
    caption.font.style = fontStyleBit(FontStyleFlag::Bold);
    panelFrame(*group, "Frame", SkinAlign::Client, 150, 84);
    return laidOut(std::move(group), 150, 100);
}

ObjectTree headerObject()
{
    ObjectTree header = topLevel("Header");
    buttonFace(*header, "Section", 150, 18);
    labelText(*header, "Text", SkinAlign::Client, 150, 18).textMarginLeft = 6;
    return laidOut(std::move(header), 150, 18);
}

ObjectTree statusBarObject()
{
    ObjectTree bar = topLevel("StatusBar");
    menuStrip(*bar, "Frame", SkinAlign::Client, SkinKind::None, 200);
    labelText(*bar, "Text", SkinAlign::Client, 200, 20).textMarginLeft = 6;
    return laidOut(std::move(bar), 200, 20);
}

ObjectTree toolbarObject()
{
    ObjectTree bar = topLevel("Toolbar");
    menuStrip(*bar, "Frame", SkinAlign::Client, SkinKind::None, 200);
    toolFace(*bar, "Button", SkinAlign::None, 23, 20);
    return laidOut(std::move(bar), 200, 20);
}

ObjectTree controlBarObject()
{
    ObjectTree bar = topLevel("ControlBar");
    bar->color = toSkinColor(palette::kCream);
    bar->drawIfOwner = true;
    menuStrip(*bar, "Band", SkinAlign::Top, SkinKind::None, 200);
    return laidOut(std::move(bar), 200, 60);
}

ObjectTree panelObject()
{
    ObjectTree panel = topLevel("CopyOfPanel");
    panelFrame(*panel, "Frame", SkinAlign::Client, 150, 80);
    labelText(*panel, "Text", SkinAlign::Client, 150, 80).textAlign = SkinTextAlign::Center;
    return laidOut(std::move(panel), 150, 80);
}

} // namespace ivory
