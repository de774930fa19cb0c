#include "IvoryObjects.h"

#include "FrameGeometry.h"
#include "Palette.h"
#include "SkinLayout.h"

namespace ivory {

using namespace frame;
using palette::toSkinColor;

namespace {

SkinObject make(SkinClass cls, const QString& name, const QString& align, const QString& kind,
                int width, int height) {
  SkinObject o;
  o.cls = cls;
  o.name = name;
  o.align = align;
  o.kind = kind;
  if (cls == SkinClass::SystemButton && kind == QLatin1String("skNone")) o.kind = QStringLiteral("skSysButton");
  o.width = width;
  o.height = height;
  return o;
}

SkinLink link(const QString& name, int left, int top, int right, int bottom) {
  return SkinLink{name, left, top, right, bottom};
}

SkinFont inkFont() {
  SkinFont font;
  font.color = toSkinColor(palette::kInk);
  return font;
}

SkinFont whiteFont() {
  SkinFont font;
  font.color = kClWhite;
  return font;
}

SkinFont greyFont() {
  SkinFont font;
  font.color = toSkinColor(palette::kDisabledGlyph);
  return font;
}

void margins(SkinObject& o, int all) { o.marginLeft = o.marginRight = o.marginTop = o.marginBottom = all; }

void unmasked(SkinObject& o) { o.masked = o.maskedBorder = o.maskedAngles = false; }

// A frame piece with an inactive and an active picture.
SkinObject piece(const QString& name, const QString& align, const QString& kind, int width,
                 int height, const SkinLink& inactive, const SkinLink& active) {
  SkinObject o = make(SkinClass::ActiveBitmap, name, align, kind, width, height);
  o.bitmap = inactive;
  o.activeBitmap = active;
  return o;
}

// Caption button: the pictures sit in one strip as active, pressed, hot and
// normal cells of `cell` pixels.
SkinObject captionButton(const QString& name, const QString& align, int left, int top, int width,
                         int height, const QString& action, const QString& strip, int cell) {
  SkinObject o = make(SkinClass::SystemButton, name, align, QStringLiteral("skSysButton"), width, height);
  o.left = left;
  o.top = top;
  o.action = action;
  if (!strip.isEmpty()) {
    o.activeBitmap = link(strip, 0, 0, cell, height);
    o.bitmapPressed = link(strip, cell, 0, 2 * cell, height);
    o.bitmapHot = link(strip, 2 * cell, 0, 3 * cell, height);
    o.bitmap = link(strip, 3 * cell, 0, 4 * cell, height);
  }
  return o;
}

SkinObject formObject() {
  SkinObject form = make(SkinClass::Object, "Form", "saNone", "skForm", 0, 0);
  form.color = toSkinColor(palette::kLinen);

  // Caption: corners from "Left"/"Right", three sections from "Top" (row 0..23
  // active, 24..47 inactive); the middle one stretches and carries the title.
  SkinObject& caption = form.add(make(SkinClass::Object, "Caption", "saMostTop", "skNone",
                                      kDesignWidth, kCaptionHeight));
  caption.add(piece("CaptionLeft", "saLeft", "skNone", kSideWidth, kCaptionHeight,
                    link("Left", 24, 0, 48, 24), link("Left", 0, 0, 24, 24)));
  caption.add(piece("CaptionRight", "saRight", "skNone", kSideWidth, kCaptionHeight,
                    link("Right", 24, 0, 48, 24), link("Right", 0, 0, 24, 24)));
  SkinObject& title = caption.add(piece("CaptionCenter", "saClient", "skTitle", 146, kCaptionHeight,
                                        link("Top", 38, 24, 68, 48), link("Top", 38, 0, 68, 24)));
  title.tileStyle = "tsStretch";
  title.masked = false;
  title.font.name = "Verdana";
  title.font.style = {"fsBold"};
  title.font.color = toSkinColor(QColor(70, 61, 46));
  title.activeFont = title.font;
  title.textMarginLeft = 6;
  title.textMarginRight = 4;
  caption.add(piece("ActiveBitmap7", "saLeft", "skNone", 38, kCaptionHeight, link("Top", 0, 24, 38, 48),
                    link("Top", 0, 0, 38, 24)));
  caption.add(piece("ActiveBitmap9", "saRight", "skNone", 68, kCaptionHeight,
                    link("Top", 68, 24, 136, 48), link("Top", 68, 0, 136, 24)));

  // Bottom border: corners from the last rows of "Left"/"Right", the rest
  // from "Bottom" (row 0..15 active, 16..31 inactive).
  const int cornerRow = kSideBitmapHeight - kBottomHeight;
  const int w = kBottomPieceWidth, c = kBottomCenterWidth;
  SkinObject& bottom = form.add(make(SkinClass::Object, "Bottom", "saMostBottom", "skNone",
                                     kDesignWidth, kBottomHeight));
  bottom.add(piece("BottomLeft", "saLeft", "skBottomLeft", kSideWidth, kBottomHeight,
                   link("Left", 24, cornerRow, 48, kSideBitmapHeight),
                   link("Left", 0, cornerRow, 24, kSideBitmapHeight)));
  bottom.add(piece("BottomRight", "saRight", "skBottomRight", kSideWidth, kBottomHeight,
                   link("Right", 24, cornerRow, 48, kSideBitmapHeight),
                   link("Right", 0, cornerRow, 24, kSideBitmapHeight)));
  bottom.add(piece("BottomCenter", "saClient", "skBottom", 64, kBottomHeight,
                   link("Bottom", w, 16, w + c, 32), link("Bottom", w, 0, w + c, 16)));
  bottom.add(piece("CopyOfBottomRight", "saRight", "skBottom", w, kBottomHeight,
                   link("Bottom", w + c, 16, 2 * w + c, 32), link("Bottom", w + c, 0, 2 * w + c, 16)));
  bottom.add(piece("CopyOfBottomLeft", "saLeft", "skBottom", w, kBottomHeight,
                   link("Bottom", 0, 16, w, 32), link("Bottom", 0, 0, w, 16)));

  // Side borders: rows of "Left"/"Right" below the caption corner.
  const int sideHeight = kDesignHeight - kCaptionHeight - kBottomHeight;
  const int top0 = kSideRowsCorner;
  auto rows = [](const QString& bitmap, int top, int bottom) {
    return std::pair{link(bitmap, 24, top, 48, bottom), link(bitmap, 0, top, 24, bottom)};
  };
  SkinObject& left = form.add(make(SkinClass::Object, "Left", "saMostLeft", "skNone", kSideWidth, sideHeight));
  {
    const int a = top0, b = a + kLeftTopRows, cc = b + kLeftCenterRows, d = cc + kLeftBottomRows;
    auto [topIn, topAct] = rows("Left", a, b);
    auto [midIn, midAct] = rows("Left", b, cc);
    auto [lowIn, lowAct] = rows("Left", cc, d);
    left.add(piece("LeftTop", "saTop", "skTopLeft", kSideWidth, kLeftTopRows, topIn, topAct));
    left.add(piece("LeftBottom", "saBottom", "skBottomLeft", kSideWidth, kLeftBottomRows, lowIn, lowAct));
    SkinObject& center = left.add(piece("LeftCenter", "saClient", "skLeft", kSideWidth, kLeftCenterRows, midIn, midAct));
    center.tileStyle = "tsStretch";
  }
  SkinObject& right = form.add(make(SkinClass::Object, "Right", "saMostRight", "skNone", kSideWidth, sideHeight));
  {
    const int a = top0, b = a + kRightTopRows, cc = b + kRightCenterRows, d = cc + kRightBottomRows;
    auto [topIn, topAct] = rows("Right", a, b);
    auto [midIn, midAct] = rows("Right", b, cc);
    auto [lowIn, lowAct] = rows("Right", cc, d);
    right.add(piece("RightBottom", "saBottom", "skBottomRight", kSideWidth, kRightBottomRows, lowIn, lowAct));
    right.add(piece("RightCenter", "saClient", "skRight", kSideWidth, kRightCenterRows, midIn, midAct));
    right.add(piece("CopyOfRightTop", "saTop", "skTopRight", kSideWidth, kRightTopRows, topIn, topAct));
  }

  SkinObject& client = form.add(make(SkinClass::BitmapObject, "Client", "saClient", "skClient", 0, 0));
  client.bitmap = link("Dialog", 0, 0, 64, 45);
  client.masked = false;

  form.add(captionButton("RollButton", "saTopLeft", 17, 3, 18, 20, "sbaRollUp", "roll", 18));
  form.add(captionButton("UnrollButton", "saTopLeft", 17, 3, 18, 20, "sbaRollDown", "roll", 18));
  form.add(captionButton("SystemButton8", "saNone", 39, 4, 21, 19, "sbaSysMenu", QString(), 0));
  form.add(captionButton("CopyOfMinButton", "saTopRight", 227, 3, 16, 21, "sbaMinimize", "min", 16));
  form.add(captionButton("CopyOfMaxButton", "saTopRight", 246, 3, 16, 21, "sbaMaximize", "max", 16));
  form.add(captionButton("CopyOfResButton", "saTopRight", 247, 3, 16, 21, "sbaRestore", "max", 16));
  form.add(captionButton("CopyOfCloseButton", "saTopRight", 265, 3, 19, 20, "sbaClose", "close", 19));

  for (SkinObject& child : form.children)
    for (SkinObject& grandchild : child.children)
      if (grandchild.cls == SkinClass::ActiveBitmap && grandchild.name != QLatin1String("CaptionCenter"))
        grandchild.font = grandchild.activeFont = inkFont();
  form.width = kDesignWidth;
  form.height = kDesignHeight;
  return form;
}

SkinObject menuBarObject() {
  SkinObject bar = make(SkinClass::Object, "MenuBar", "saNone", "skMenuBar", 200, 20);
  SkinObject& frame = bar.add(make(SkinClass::BitmapObject, "Frame", "saClient", "skMenuBar", 200, 20));
  frame.marginLeft = frame.marginRight = 15;
  frame.bitmap = link("menu", 0, 0, 136, 20);
  unmasked(frame);
  SkinObject& item = bar.add(make(SkinClass::ActiveBitmap, "Item", "saNone", "skMenuBarItem", 37, 20));
  item.textMarginLeft = item.textMarginRight = 5;
  item.bitmap = link("menu", 15, 0, 121, 20);
  item.activeBitmap = link("menu", 15, 20, 67, 40);
  item.font = inkFont();
  item.activeFont = whiteFont();
  unmasked(item);
  // Toolbar variants, for a menu bar docked in a control bar.
  SkinObject& toolbarFrame = bar.add(make(SkinClass::BitmapObject, "ToolbarFrame", "saNone", "skMenuBar", 200, 20));
  toolbarFrame.marginLeft = toolbarFrame.marginRight = 15;
  toolbarFrame.bitmap = link("menu", 0, 0, 136, 20);
  unmasked(toolbarFrame);
  SkinObject& toolbarItem = bar.add(make(SkinClass::ActiveBitmap, "ToolbarItem", "saNone", "skMenuBarItem", 37, 20));
  toolbarItem.textMarginLeft = toolbarItem.textMarginRight = 5;
  toolbarItem.bitmap = link("menu", 15, 0, 121, 20);
  toolbarItem.activeBitmap = link("menu", 15, 20, 67, 40);
  toolbarItem.font = inkFont();
  toolbarItem.activeFont = whiteFont();
  unmasked(toolbarItem);
  return bar;
}

SkinObject popupMenuObject() {
  SkinObject popup = make(SkinClass::Object, "PopupMenu", "saNone", "skPopupMenu", 100, 70);
  SkinObject& frame = popup.add(make(SkinClass::BitmapObject, "Frame", "saNone", "skNone", 100, 70));
  margins(frame, 3);
  frame.bitmap = link("menuborders", 0, 0, 12, 12);
  unmasked(frame);
  SkinObject& item = popup.add(make(SkinClass::ActiveObject, "Item", "saNone", "skPopupMenuItem", 80, 20));
  item.left = item.top = 3;
  item.color = 14148072;       // 0xD7E1E8
  item.activeColor = 5729399;  // 0x576C77
  item.textMarginLeft = 20;
  item.textMarginRight = 10;
  item.font = inkFont();
  item.activeFont = whiteFont();
  return popup;
}

SkinObject buttonObject() {
  SkinObject button = make(SkinClass::Object, "Button", "saNone", "skNone", 0, 0);
  SkinObject& face = button.add(make(SkinClass::ButtonObject, "Face", "saClient", "skNone", 131, 53));
  margins(face, 4);
  face.tileStyle = face.borderTileStyle = "tsStretch";
  face.bitmap = link("Buttons", 0, 0, 45, 20);
  face.bitmapPressed = link("Buttons", 45, 0, 90, 20);
  face.bitmapDisabled = link("Buttons", 90, 0, 135, 20);
  face.bitmapHot = link("Buttons", 135, 0, 180, 20);
  face.bitmapFocused = link("Buttons", 180, 0, 225, 20);
  SkinObject& text = button.add(make(SkinClass::Object, "Text", "saClient", "skNone", 131, 53));
  text.textMarginLeft = 20;
  text.textMarginRight = 10;
  text.font = inkFont();
  button.width = 131;
  button.height = 53;
  return button;
}

// --- the controls the program does not use ---------------------------------

// A nine-slice frame around a control's content.
SkinObject panelFrame(const QString& name, const QString& align, int width, int height) {
  SkinObject frame = make(SkinClass::BitmapObject, name, align, "skNone", width, height);
  margins(frame, 3);
  frame.bitmap = link("Taborder", 0, 0, 12, 12);
  unmasked(frame);
  return frame;
}

// A push-style part whose states sit side by side in one strip: normal, hot,
// pressed, disabled cells of `cell` x `height` starting at `x0`.
SkinObject stateButton(const QString& name, const QString& align, int width, int height,
                       const QString& strip, int x0, int cell, int cellHeight) {
  SkinObject o = make(SkinClass::ButtonObject, name, align, "skNone", width, height);
  o.bitmap = link(strip, x0, 0, x0 + cell, cellHeight);
  o.bitmapHot = link(strip, x0 + cell, 0, x0 + 2 * cell, cellHeight);
  o.bitmapPressed = link(strip, x0 + 2 * cell, 0, x0 + 3 * cell, cellHeight);
  o.bitmapDisabled = link(strip, x0 + 3 * cell, 0, x0 + 4 * cell, cellHeight);
  o.bitmapFocused = o.bitmapHot;
  return o;
}

SkinObject labelText(const QString& name, const QString& align, int width, int height) {
  SkinObject text = make(SkinClass::TextObject, name, align, "skItemText", width, height);
  text.color = 0x1FFFFFFF;  // no fill: the text sits on the control's background
  text.font = text.fontHot = text.fontFocused = text.fontPressed = inkFont();
  text.fontDisabled = greyFont();
  return text;
}

SkinObject choiceObject(const QString& name, const QString& strip) {
  SkinObject o = make(SkinClass::Object, name, "saNone", "skNone", 120, 17);
  for (int checked = 0; checked < 2; ++checked) {
    SkinObject box = make(SkinClass::ButtonObject, checked ? "CheckedBox" : "Box", "saNone", "skNone", 14, 14);
    box.left = 1;
    box.top = 2;
    const int x = checked * 14;
    box.bitmap = box.bitmapHot = box.bitmapFocused = link(strip, x, 0, x + 14, 14);
    box.bitmapPressed = link(strip, 14, 0, 28, 14);
    box.bitmapDisabled = link(strip, 28 + x, 0, 42 + x, 14);
    o.add(box);
  }
  SkinObject& text = o.add(labelText("Text", "saClient", 120, 17));
  text.textMarginLeft = 19;
  return o;
}

SkinObject scrollBarObject() {
  SkinObject bar = make(SkinClass::Object, "ScrollBar", "saNone", "skNone", 120, 16);
  const char* arrowNames[] = {"UpButton", "DownButton", "LeftButton", "RightButton"};
  for (int i = 0; i < 4; ++i) bar.add(stateButton(arrowNames[i], "saNone", 16, 16, "arrows", i * 64, 16, 16));
  for (const bool horizontal : {true, false}) {
    SkinObject thumb = stateButton(horizontal ? "HorzThumb" : "VertThumb", "saNone", 16, 16,
                                   horizontal ? "hscroll" : "vscroll", 0, 16, 16);
    margins(thumb, 4);
    thumb.tileStyle = thumb.borderTileStyle = "tsStretch";
    bar.add(thumb);
    SkinObject track = make(SkinClass::ButtonObject, horizontal ? "HorzTrack" : "VertTrack", "saNone",
                            "skNone", 16, 16);
    const QString strip = horizontal ? "hscroll2" : "vscroll2";
    track.bitmap = track.bitmapHot = track.bitmapFocused = link(strip, 0, 0, 16, 16);
    track.bitmapPressed = link(strip, 16, 0, 32, 16);
    track.bitmapDisabled = link(strip, 32, 0, 48, 16);
    track.tileStyle = "tsStretch";
    bar.add(track);
  }
  return bar;
}

SkinObject tabsObject() {
  SkinObject tabs = make(SkinClass::Object, "Tabs", "saNone", "skNone", 200, 100);
  tabs.add(panelFrame("Page", "saClient", 200, 100));
  SkinObject tab = make(SkinClass::ButtonObject, "Tab", "saNone", "skNone", 60, 18);
  tab.marginLeft = tab.marginRight = tab.marginTop = 3;
  tab.tileStyle = tab.borderTileStyle = "tsStretch";
  tab.bitmap = link("tabs", 0, 0, 25, 16);
  tab.bitmapHot = link("tabs", 25, 0, 50, 16);
  tab.bitmapPressed = tab.bitmapFocused = link("tabs", 50, 0, 75, 16);
  tab.bitmapDisabled = link("tabs", 75, 0, 100, 16);
  tabs.add(tab);
  tabs.add(labelText("Text", "saNone", 60, 18)).textAlign = "taCenter";
  return tabs;
}

SkinObject progressBarObject() {
  SkinObject bar = make(SkinClass::Object, "ProgressBar", "saNone", "skNone", 150, 16);
  SkinObject& track = bar.add(make(SkinClass::BitmapObject, "Track", "saClient", "skNone", 150, 16));
  margins(track, 3);
  track.tileStyle = track.borderTileStyle = "tsStretch";
  track.bitmap = link("Pbars", 0, 0, 32, 16);
  SkinObject& fill = bar.add(make(SkinClass::BitmapObject, "Bar", "saNone", "skNone", 60, 16));
  margins(fill, 3);
  fill.tileStyle = fill.borderTileStyle = "tsStretch";
  fill.bitmap = link("Pbars", 32, 0, 64, 16);
  return bar;
}

SkinObject framedObject(const QString& name, int width, int height) {
  SkinObject o = make(SkinClass::Object, name, "saNone", "skNone", width, height);
  o.add(panelFrame("Frame", "saClient", width, height));
  return o;
}

SkinObject speedButtonObject() {
  SkinObject button = make(SkinClass::Object, "SpeedButton", "saNone", "skNone", 23, 22);
  SkinObject face = make(SkinClass::ButtonObject, "Face", "saClient", "skNone", 23, 22);
  margins(face, 3);
  face.tileStyle = face.borderTileStyle = "tsStretch";
  face.bitmap = link("tools", 0, 0, 15, 15);
  face.bitmapHot = link("tools", 15, 0, 30, 15);
  face.bitmapPressed = link("tools", 30, 0, 45, 15);
  face.bitmapFocused = link("tools", 45, 0, 60, 15);
  button.add(face);
  button.add(labelText("Text", "saClient", 23, 22)).textAlign = "taCenter";
  return button;
}

SkinObject comboBoxObject() {
  SkinObject combo = make(SkinClass::Object, "ComboBox", "saNone", "skNone", 120, 21);
  SkinObject button = stateButton("Button", "saRight", 17, 21, "arrows", 256, 16, 16);
  margins(button, 3);
  button.tileStyle = button.borderTileStyle = "tsStretch";
  combo.add(button);
  combo.add(panelFrame("Frame", "saClient", 103, 21));
  return combo;
}

SkinObject groupBoxObject() {
  SkinObject group = make(SkinClass::Object, "GroupBox", "saNone", "skNone", 150, 100);
  SkinObject& caption = group.add(labelText("Caption", "saTop", 150, 16));
  caption.textMarginLeft = 8;
  caption.font.style = {"fsBold"};
  group.add(panelFrame("Frame", "saClient", 150, 84));
  return group;
}

SkinObject headerObject() {
  SkinObject header = make(SkinClass::Object, "Header", "saNone", "skNone", 150, 18);
  SkinObject section = make(SkinClass::ButtonObject, "Section", "saClient", "skNone", 150, 18);
  margins(section, 4);
  section.tileStyle = section.borderTileStyle = "tsStretch";
  section.bitmap = link("Buttons", 0, 0, 45, 20);
  section.bitmapPressed = link("Buttons", 45, 0, 90, 20);
  section.bitmapDisabled = link("Buttons", 90, 0, 135, 20);
  section.bitmapHot = link("Buttons", 135, 0, 180, 20);
  section.bitmapFocused = link("Buttons", 180, 0, 225, 20);
  header.add(section);
  header.add(labelText("Text", "saClient", 150, 18)).textMarginLeft = 6;
  return header;
}

SkinObject barObject(const QString& name, int width) {
  SkinObject bar = make(SkinClass::Object, name, "saNone", "skNone", width, 20);
  SkinObject& frame = bar.add(make(SkinClass::BitmapObject, "Frame", "saClient", "skNone", width, 20));
  frame.marginLeft = frame.marginRight = 15;
  frame.bitmap = link("menu", 0, 0, 136, 20);
  unmasked(frame);
  return bar;
}

SkinObject statusBarObject() {
  SkinObject bar = barObject("StatusBar", 200);
  bar.add(labelText("Text", "saClient", 200, 20)).textMarginLeft = 6;
  return bar;
}

SkinObject toolbarObject() {
  SkinObject bar = barObject("Toolbar", 200);
  SkinObject button = make(SkinClass::ButtonObject, "Button", "saNone", "skNone", 23, 20);
  margins(button, 3);
  button.tileStyle = button.borderTileStyle = "tsStretch";
  button.bitmap = link("tools", 0, 0, 15, 15);
  button.bitmapHot = link("tools", 15, 0, 30, 15);
  button.bitmapPressed = link("tools", 30, 0, 45, 15);
  button.bitmapFocused = link("tools", 45, 0, 60, 15);
  bar.add(button);
  return bar;
}

SkinObject controlBarObject() {
  SkinObject bar = make(SkinClass::Object, "ControlBar", "saNone", "skNone", 200, 60);
  bar.color = toSkinColor(palette::kCream);
  bar.drawIfOwner = true;
  SkinObject& band = bar.add(make(SkinClass::BitmapObject, "Band", "saTop", "skNone", 200, 20));
  band.marginLeft = band.marginRight = 15;
  band.bitmap = link("menu", 0, 0, 136, 20);
  unmasked(band);
  return bar;
}

SkinObject panelObject() {
  SkinObject panel = make(SkinClass::Object, "CopyOfPanel", "saNone", "skNone", 150, 80);
  panel.add(panelFrame("Frame", "saClient", 150, 80));
  panel.add(labelText("Text", "saClient", 150, 80)).textAlign = "taCenter";
  return panel;
}

void layoutDescendants(SkinObject& object) {
  for (SkinObject& child : object.children) {
    layoutChildren(child);
    layoutDescendants(child);
  }
}

// Stores the object at its size with every descendant docked in place. The
// root grows from nothing, so corner-anchored children keep their positions.
SkinObject laidOut(SkinObject object) {
  const int width = object.width, height = object.height;
  object.width = object.height = 0;
  setBounds(object, 0, 0, width, height);
  layoutDescendants(object);
  return object;
}

}  // namespace

std::vector<SkinObject> ivoryObjects() {
  std::vector<SkinObject> objects;
  objects.push_back(laidOut(formObject()));
  objects.push_back(laidOut(menuBarObject()));
  objects.push_back(laidOut(popupMenuObject()));
  objects.push_back(laidOut(choiceObject("CheckBox", "check")));
  objects.push_back(laidOut(choiceObject("RadioButton", "radio")));
  objects.push_back(laidOut(scrollBarObject()));
  objects.push_back(laidOut(buttonObject()));
  objects.push_back(laidOut(tabsObject()));
  objects.push_back(laidOut(progressBarObject()));
  objects.push_back(laidOut(framedObject("Edit", 120, 21)));
  objects.push_back(laidOut(speedButtonObject()));
  objects.push_back(laidOut(comboBoxObject()));
  objects.push_back(laidOut(groupBoxObject()));
  objects.push_back(laidOut(framedObject("ListBox", 120, 97)));
  objects.push_back(laidOut(framedObject("ScrollBox", 185, 41)));
  objects.push_back(laidOut(headerObject()));
  objects.push_back(laidOut(statusBarObject()));
  objects.push_back(laidOut(framedObject("Grid", 320, 120)));
  objects.push_back(laidOut(controlBarObject()));
  objects.push_back(laidOut(toolbarObject()));
  objects.push_back(laidOut(panelObject()));
  for (SkinObject& object : objects) {
    // Fonts of top-level objects: the skin's plain text colour.
    if (object.name != QLatin1String("Form")) object.font = inkFont();
  }
  return objects;
}

}  // namespace ivory
