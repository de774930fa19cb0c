#include "Preview.h"

#include "ArtKit.h"
#include "IvorySkin.h"
#include "Palette.h"
#include "SkinLayout.h"

#include <QDir>
#include <QFont>
#include <QPainter>


namespace ivory {

namespace {

// Copies source rectangle `s` of `source` onto `d` of `target`: tiled,
// stretched by nearest pixel in 16.16 fixed point, or centred; masked blits
// skip key-coloured pixels.
void place(QImage& target, const QImage& source, const QRect& s, const QRect& d,
           const QString& tile, bool masked) {
  if (s.isEmpty() || d.isEmpty()) return;
  auto put = [&](int dx, int dy, int sx, int sy) {
    if (!target.rect().contains(dx, dy) || !source.rect().contains(sx, sy)) return;
    const QRgb pixel = source.pixel(sx, sy);
    if (masked && isKey(pixel)) return;
    target.setPixel(dx, dy, pixel | 0xFF000000u);
  };
  if (tile == QLatin1String("tsStretch")) {
    const qint64 stepX = qint64(s.width()) * 65536 / d.width();
    const qint64 stepY = qint64(s.height()) * 65536 / d.height();
    for (int y = 0; y < d.height(); ++y)
      for (int x = 0; x < d.width(); ++x)
        put(d.left() + x, d.top() + y, s.left() + int((x * stepX) >> 16), s.top() + int((y * stepY) >> 16));
  } else if (tile == QLatin1String("tsCenter")) {
    const int ox = (d.width() - s.width()) / 2, oy = (d.height() - s.height()) / 2;
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (d.contains(d.left() + ox + x, d.top() + oy + y))
          put(d.left() + ox + x, d.top() + oy + y, s.left() + x, s.top() + y);
  } else {
    for (int y = 0; y < d.height(); ++y)
      for (int x = 0; x < d.width(); ++x)
        put(d.left() + x, d.top() + y, s.left() + x % s.width(), s.top() + y % s.height());
  }
}

QColor resolveColor(int color) {
  if (static_cast<unsigned>(color) == 0x80000008u) return Qt::black;  // clWindowText
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QFont qtFont(const SkinFont& font) {
  QFont result(font.name);
  result.setPixelSize(-font.height);
  result.setBold(font.style.contains(QStringLiteral("fsBold")));
  result.setItalic(font.style.contains(QStringLiteral("fsItalic")));
  return result;
}

void drawText(QImage& target, const SkinObject& o, const SkinFont& font) {
  if (o.text.isEmpty()) return;
  QPainter painter(&target);
  const QColor color = resolveColor(font.color);
  if (o.text == QLatin1String("-")) {
    painter.fillRect(QRect(o.left + 3, o.top + o.height / 2 - 1, o.width - 6, 1), color);
    return;
  }
  painter.setFont(qtFont(font));
  const QRect r(o.left + o.textMarginLeft, o.top + o.textMarginTop,
                o.width - o.textMarginLeft - o.textMarginRight, o.height - o.textMarginTop);
  int flags = Qt::TextSingleLine;
  const QString& a = o.textAlign;
  flags |= a.endsWith(QLatin1String("Left")) ? Qt::AlignLeft
         : a.endsWith(QLatin1String("Right")) ? Qt::AlignRight : Qt::AlignHCenter;
  flags |= a.startsWith(QLatin1String("taTop")) ? Qt::AlignTop
         : a.startsWith(QLatin1String("taBottom")) ? Qt::AlignBottom : Qt::AlignVCenter;
  QString text = o.text;
  if (o.kind == QLatin1String("skTitle"))
    text = painter.fontMetrics().elidedText(text, Qt::ElideRight, r.width());
  if (o.textEffect == QLatin1String("teShadow")) {
    painter.setPen(Qt::black);
    painter.drawText(r.translated(1, 1), flags, text);
  }
  painter.setPen(color);
  painter.drawText(r, flags, text);
}

void drawBitmapLink(QImage& target, const SkinObject& o, const SkinLink& link, const BitmapList& bitmaps) {
  const NamedBitmap* bitmap = resolveBitmap(bitmaps, link.name);
  if (!bitmap || link.isEmpty()) return;
  const QImage& src = bitmap->image;
  const QRect s = link.rect();
  const QRect d(o.left, o.top, o.width, o.height);
  const int ml = o.marginLeft, mt = o.marginTop, mr = o.marginRight, mb = o.marginBottom;
  if (ml == 0 && mt == 0 && mr == 0 && mb == 0) {
    place(target, src, s, d, o.tileStyle, o.masked);
    return;
  }
  const int L = s.left(), T = s.top(), R = s.left() + s.width(), B = s.top() + s.height();
  const int W = d.width(), H = d.height();
  auto rect = [](int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); };
  auto at = [&](int l, int t, int r, int b) { return rect(l, t, r, b).translated(d.topLeft()); };
  place(target, src, rect(L + ml, T + mt, R - mr, B - mb), at(ml, mt, W - mr, H - mb), o.tileStyle, o.masked);
  place(target, src, rect(L + ml, T, R - mr, T + mt), at(ml, 0, W - mr, mt), o.borderTileStyle, o.maskedBorder);
  place(target, src, rect(L + ml, B - mb, R - mr, B), at(ml, H - mb, W - mr, H), o.borderTileStyle, o.maskedBorder);
  place(target, src, rect(L, T + mt, L + ml, B - mb), at(0, mt, ml, H - mb), o.borderTileStyle, o.maskedBorder);
  place(target, src, rect(R - mr, T + mt, R, B - mb), at(W - mr, mt, W, H - mb), o.borderTileStyle, o.maskedBorder);
  place(target, src, rect(L, T, L + ml, T + mt), at(0, 0, ml, mt), QStringLiteral("tsTile"), o.maskedAngles);
  place(target, src, rect(R - mr, T, R, T + mt), at(W - mr, 0, W, mt), QStringLiteral("tsTile"), o.maskedAngles);
  place(target, src, rect(L, B - mb, L + ml, B), at(0, H - mb, ml, H), QStringLiteral("tsTile"), o.maskedAngles);
  place(target, src, rect(R - mr, B - mb, R, B), at(W - mr, H - mb, W, H), QStringLiteral("tsTile"), o.maskedAngles);
}

void drawWindowIcon(QImage& target, const SkinObject& o) {
  // Stand-in for the program icon: a small xiangqi piece.
  QPainter painter(&target);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(120, 40, 30), 1));
  painter.setBrush(QColor(240, 214, 160));
  painter.drawEllipse(QRectF(o.left + 0.5, o.top + 0.5, 15, 15));
  painter.setPen(QColor(170, 40, 30));
  QFont font;
  font.setPixelSize(11);
  painter.setFont(font);
  painter.drawText(QRect(o.left, o.top, 16, 16), Qt::AlignCenter, QStringLiteral("帥"));
}

}  // namespace

void drawTree(QImage& target, const SkinObject& o, const BitmapList& bitmaps, const DrawState& ds) {
  if (!o.visible || o.width <= 0 || o.height <= 0) return;
  const bool activeLook = ds.active || ds.state == 5 || ds.state == 7;
  SkinFont font = o.font;
  switch (o.cls) {
    case SkinClass::Object:
    case SkinClass::ActiveObject:
    case SkinClass::TextObject: {
      int color = o.color;
      if (o.cls == SkinClass::ActiveObject && (ds.active || ds.state == 5 || ds.state == 6 || ds.state == 7)) {
        color = o.activeColor;
        font = o.activeFont;
      }
      if (o.cls == SkinClass::TextObject) {
        if (ds.state == 5) font = o.fontHot;
        if (ds.state == 6) font = o.fontPressed;
        if (ds.state == 7) font = o.fontFocused;
        if (ds.state == 8) font = o.fontDisabled;
      }
      if (o.children.empty() || o.drawIfOwner) {
        if (static_cast<unsigned>(color) != 0x1FFFFFFFu) {
          QPainter painter(&target);
          painter.fillRect(QRect(o.left, o.top, o.width, o.height), resolveColor(color));
        }
        drawText(target, o, font);
      }
      break;
    }
    case SkinClass::BitmapObject:
    case SkinClass::ActiveBitmap:
    case SkinClass::ButtonObject:
    case SkinClass::SystemButton: {
      SkinLink link = o.bitmap;
      if (o.cls == SkinClass::ActiveBitmap && activeLook && !o.activeBitmap.isEmpty()) link = o.activeBitmap;
      if (o.cls == SkinClass::ActiveBitmap && (ds.state == 5 || ds.state == 7)) font = o.activeFont;
      if (o.cls == SkinClass::ButtonObject) {
        const SkinLink* variant = ds.state == 7 ? &o.bitmapFocused
                                : ds.state == 5 ? &o.bitmapHot
                                : ds.state == 8 ? &o.bitmapDisabled
                                : ds.state == 6 ? &o.bitmapPressed : nullptr;
        if (variant && !variant->isEmpty()) link = *variant;
      }
      if (o.cls == SkinClass::SystemButton) {
        if (o.action == QLatin1String("sbaSysMenu")) {
          drawWindowIcon(target, o);
          return;
        }
        if (ds.active) {
          link = ds.pointer == 1 && !o.bitmapHot.isEmpty()       ? o.bitmapHot
               : ds.pointer == 2 && !o.bitmapPressed.isEmpty()   ? o.bitmapPressed
               : !o.activeBitmap.isEmpty()                       ? o.activeBitmap
                                                                 : o.bitmap;
        }
      }
      drawBitmapLink(target, o, link, bitmaps);
      drawText(target, o, font);
      break;
    }
  }
  DrawState childState = ds;
  childState.pointer = 0;
  for (const SkinObject& child : o.children) drawTree(target, child, bitmaps, childState);
}

// --- mock-ups --------------------------------------------------------------

namespace {

SkinObject* findChild(SkinObject& parent, const QString& name) {
  for (SkinObject& child : parent.children) {
    if (child.name.compare(name, Qt::CaseInsensitive) == 0) return &child;
    if (SkinObject* found = findChild(child, name)) return found;
  }
  return nullptr;
}

const SkinObject& topLevel(const std::vector<SkinObject>& objects, const QString& name) {
  for (const SkinObject& object : objects)
    if (object.name == name) return object;
  throw std::runtime_error("no object " + name.toStdString());
}

QImage enlarged(const QImage& image, int factor) {
  return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                      Qt::FastTransformation);
}

// Shows or hides the caption buttons as the frame does for a window state
// (0 normal, 4 rolled up) without a maximize icon.
void applyWindowState(SkinObject& form, int state) {
  for (SkinObject& child : form.children) {
    if (child.cls != SkinClass::SystemButton) continue;
    const QString& a = child.action;
    bool visible = true;
    if (state == 0 && (a == "sbaRestore" || a == "sbaRollDown")) visible = false;
    if (state == 4 && (a == "sbaRestore" || a == "sbaRollUp")) visible = false;
    if (a == "sbaMaximize" || a == "sbaRestore") visible = false;  // the program has no maximize icon
    child.visible = visible;
  }
}

constexpr int kClientWidth = 632, kClientHeight = 450;
const QColor kDesktop(92, 108, 124);

struct MockOptions {
  bool active = true;
  bool rolledUp = false;
  bool menuOpen = true;
  QString hotButton;   // caption button drawn hot
  int buttonState = 0; // state of the send button
  QImage board;        // the board picture, or null for a grey stand-in
};

QImage mockWindow(const std::vector<SkinObject>& objects, const BitmapList& bitmaps, const MockOptions& options) {
  const int side = 24, caption = 24, bottomH = 16;
  const int width = kClientWidth + 2 * side;
  const int height = options.rolledUp ? caption + bottomH : kClientHeight + caption + bottomH;
  QImage image(width + 40, kClientHeight + caption + bottomH + 40, QImage::Format_ARGB32);
  image.fill(kDesktop);
  QImage window(width, height, QImage::Format_ARGB32);
  window.fill(kDesktop);

  SkinObject form = topLevel(objects, "Form");
  form.left = form.top = 0;
  applyWindowState(form, options.rolledUp ? 4 : 0);
  if (options.rolledUp) findChild(form, "Client")->visible = false;
  setBounds(form, 0, 0, width, height);
  findChild(form, "CaptionCenter")->text = QStringLiteral("CorvaneV1.0");
  drawTree(window, form, bitmaps, DrawState{options.active, options.rolledUp ? 4 : 0, 0});
  if (!options.hotButton.isEmpty()) {
    SkinObject* button = findChild(form, options.hotButton);
    drawTree(window, *button, bitmaps, DrawState{true, 0, 1});
  }

  if (!options.rolledUp) {
    const QPoint origin(side, caption);
    QPainter painter(&window);
    // The board picture (0,16; 632 x 434) or a stand-in, and the chat boxes.
    if (options.board.isNull())
      painter.fillRect(QRect(origin + QPoint(0, 16), QSize(kClientWidth, 434)), QColor(196, 196, 196));
    else
      painter.drawImage(origin + QPoint(0, 16), options.board);
    painter.fillRect(QRect(origin + QPoint(424, 40), QSize(193, 73)), Qt::white);
    painter.fillRect(QRect(origin + QPoint(432, 360), QSize(177, 81)), QColor(227, 227, 227));
    painter.end();

    // Menu bar with its one item.
    const SkinObject& barSkin = topLevel(objects, "MenuBar");
    SkinObject frame = barSkin.children[0];
    setBounds(frame, origin.x(), origin.y(), kClientWidth, frame.height);
    drawTree(window, frame, bitmaps, DrawState{false, 0, 0});
    SkinObject item = *std::find_if(barSkin.children.begin(), barSkin.children.end(),
                                    [](const SkinObject& c) { return c.name == "Item"; });
    item.text = QStringLiteral("游 戏");
    QFont itemFont = qtFont(item.font);
    const int itemWidth = QFontMetrics(itemFont).horizontalAdvance(item.text) + item.textMarginLeft + item.textMarginRight;
    setBounds(item, origin.x() + frame.marginLeft, origin.y(), itemWidth, item.height);
    drawTree(window, item, bitmaps, DrawState{false, options.menuOpen ? 7 : 0, 0});

    // The send button over the client background (it is transparent).
    const QRect buttonRect(origin + QPoint(528, 128), QSize(81, 25));
    const SkinObject& client = *findChild(form, "Client");
    SkinObject background = client;
    setBounds(background, origin.x(), origin.y(), kClientWidth, kClientHeight);
    QImage under(window.size(), QImage::Format_ARGB32);
    drawTree(under, background, bitmaps, DrawState{});
    QPainter(&window).drawImage(buttonRect, under, buttonRect);
    SkinObject face = topLevel(objects, "Button").children[0];
    setBounds(face, buttonRect.x(), buttonRect.y(), buttonRect.width(), buttonRect.height());
    drawTree(window, face, bitmaps, DrawState{false, options.buttonState, 0});
    {
      const SkinObject& text = topLevel(objects, "Button").children[1];
      QPainter p(&window);
      p.setFont(qtFont(text.font));
      p.setPen(resolveColor(text.font.color));
      p.drawText(buttonRect.translated(options.buttonState == 6 ? 1 : 0, options.buttonState == 6 ? 1 : 0),
                 Qt::AlignCenter, QStringLiteral("发  送"));
    }

    if (options.menuOpen) {
      const SkinObject& popupSkin = topLevel(objects, "PopupMenu");
      const QStringList captions = {"重新开始", "设置...", "关于...", "帮助", "-", "退出"};
      SkinObject popupItem = popupSkin.children[1];
      QFont popupFont = qtFont(popupItem.font);
      int widest = 0;
      for (const QString& c : captions) widest = std::max(widest, QFontMetrics(popupFont).horizontalAdvance(c));
      const int itemW = widest + 22 + 42;
      SkinObject popupFrame = popupSkin.children[0];
      const QPoint at(item.left, item.top + item.height);
      setBounds(popupFrame, at.x(), at.y(), itemW + 6, int(captions.size()) * 20 + 6);
      drawTree(window, popupFrame, bitmaps, DrawState{false, 0, 0});
      for (int i = 0; i < captions.size(); ++i) {
        SkinObject row = popupItem;
        row.text = captions[i];
        row.textMarginLeft = std::max(row.textMarginLeft, 22);
        setBounds(row, at.x() + 3, at.y() + 3 + i * 20, itemW, 20);
        drawTree(window, row, bitmaps, DrawState{false, i == 0 ? 7 : 0, 0});
      }
    }
  }
  // The window's shape: key-coloured frame pixels are not part of it.
  QPainter(&image).drawImage(20, 20, window);
  return image;
}

bool save(const QImage& image, const QString& path, QString* error) {
  if (image.save(path, "PNG")) return true;
  if (error) *error = QStringLiteral("cannot write %1").arg(path);
  return false;
}

}  // namespace

bool writePreviews(const QString& folder, const BitmapList& bitmaps,
                   const std::vector<SkinObject>& objects, const QImage& board, QString* error) {
  QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) {
    if (error) *error = QStringLiteral("cannot create %1").arg(folder);
    return false;
  }
  for (size_t i = 0; i < bitmaps.size(); ++i) {
    const QString name = QStringLiteral("bitmap-%1-%2.png").arg(i, 2, 10, QLatin1Char('0')).arg(bitmaps[i].name);
    const int factor = bitmaps[i].image.width() > 200 ? 3 : 6;
    if (!save(enlarged(bitmaps[i].image, factor), dir.filePath(name), error)) return false;
  }
  MockOptions active;
  active.board = board;
  MockOptions inactive;
  inactive.active = false;
  inactive.menuOpen = false;
  inactive.board = board;
  MockOptions rolled;
  rolled.rolledUp = true;
  rolled.menuOpen = false;
  const QImage activeMock = mockWindow(objects, bitmaps, active);
  if (!save(activeMock, dir.filePath("mock-active.png"), error) ||
      !save(mockWindow(objects, bitmaps, inactive), dir.filePath("mock-inactive.png"), error) ||
      !save(mockWindow(objects, bitmaps, rolled), dir.filePath("mock-rolledup.png"), error))
    return false;
  // Close-ups: the caption's corners and buttons, the menu and the button.
  if (!save(enlarged(activeMock.copy(20, 20, 200, 110), 4), dir.filePath("zoom-caption-left.png"), error) ||
      !save(enlarged(activeMock.copy(20 + 680 - 200, 20, 200, 60), 4), dir.filePath("zoom-caption-right.png"), error) ||
      !save(enlarged(activeMock.copy(20 + 520, 20 + 24 + 110, 160, 80), 4), dir.filePath("zoom-button.png"), error) ||
      !save(enlarged(activeMock.copy(20, 20 + 490 - 40, 140, 60), 4), dir.filePath("zoom-bottom-left.png"), error))
    return false;
  for (const QString& hot : {QStringLiteral("CopyOfMinButton"), QStringLiteral("CopyOfCloseButton"),
                             QStringLiteral("RollButton")}) {
    MockOptions options;
    options.menuOpen = false;
    options.hotButton = hot;
    options.board = board;
    const QImage mock = mockWindow(objects, bitmaps, options);
    const int x = hot == "RollButton" ? 20 : 20 + 680 - 100;
    if (!save(enlarged(mock.copy(x, 20, 100, 30), 6), dir.filePath("zoom-hot-" + hot + ".png"), error))
      return false;
  }
  // The send button in its five states over the client background.
  QImage states(5 * 95 + 10, 45, QImage::Format_ARGB32);
  const SkinObject& form = topLevel(objects, "Form");
  SkinObject background = form.children[4];
  setBounds(background, 0, 0, states.width(), states.height());
  drawTree(states, background, bitmaps, DrawState{});
  const int order[] = {0, 5, 6, 7, 8};
  for (int i = 0; i < 5; ++i) {
    SkinObject face = topLevel(objects, "Button").children[0];
    setBounds(face, 10 + i * 95, 10, 81, 25);
    drawTree(states, face, bitmaps, DrawState{false, order[i], 0});
    QPainter p(&states);
    const SkinObject& text = topLevel(objects, "Button").children[1];
    p.setFont(qtFont(text.font));
    p.setPen(resolveColor(text.font.color));
    p.drawText(QRect(10 + i * 95, 10, 81, 25).translated(order[i] == 6 ? 1 : 0, order[i] == 6 ? 1 : 0),
               Qt::AlignCenter, QStringLiteral("发  送"));
  }
  return save(enlarged(states, 3), dir.filePath("button-states.png"), error);
}

}  // namespace ivory
