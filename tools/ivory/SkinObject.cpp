#include "SkinObject.h"

#include "skin/SkinObjectForm.h"
#include "skin/SkinObjectIO.h"
#include "skin/SkinObjects.h"

#include <stdexcept>

namespace ivory {

QString className(SkinClass cls) {
  switch (cls) {
    case SkinClass::Object: return QStringLiteral("TSkinObject");
    case SkinClass::ActiveObject: return QStringLiteral("TSkinActiveObject");
    case SkinClass::BitmapObject: return QStringLiteral("TSkinBitmapObject");
    case SkinClass::ActiveBitmap: return QStringLiteral("TSkinActiveBitmap");
    case SkinClass::SystemButton: return QStringLiteral("TSkinSystemButton");
    case SkinClass::ButtonObject: return QStringLiteral("TSkinButtonObject");
    case SkinClass::TextObject: return QStringLiteral("TSkinTextObject");
  }
  return {};
}

bool isBitmapClass(SkinClass cls) {
  return cls == SkinClass::BitmapObject || cls == SkinClass::ActiveBitmap ||
         cls == SkinClass::SystemButton || cls == SkinClass::ButtonObject;
}

std::vector<std::pair<QString, const SkinLink*>> SkinObject::links() const {
  std::vector<std::pair<QString, const SkinLink*>> result;
  if (!isBitmapClass(cls)) return result;
  result.emplace_back(QStringLiteral("Bitmap"), &bitmap);
  if (cls == SkinClass::ActiveBitmap || cls == SkinClass::SystemButton)
    result.emplace_back(QStringLiteral("ActiveBitmap"), &activeBitmap);
  if (cls == SkinClass::SystemButton || cls == SkinClass::ButtonObject) {
    result.emplace_back(QStringLiteral("BitmapHot"), &bitmapHot);
    result.emplace_back(QStringLiteral("BitmapPressed"), &bitmapPressed);
  }
  if (cls == SkinClass::ButtonObject) {
    result.emplace_back(QStringLiteral("BitmapFocused"), &bitmapFocused);
    result.emplace_back(QStringLiteral("BitmapDisabled"), &bitmapDisabled);
  }
  return result;
}

namespace {

using namespace corvane::skin;

int fromIdent(int (*parse)(const QByteArray&), const QString& ident) {
  const int value = parse(ident.toLatin1());
  if (value < 0) throw std::runtime_error("unknown identifier: " + ident.toStdString());
  return value;
}

TSkinFont engineFont(const SkinFont& font) {
  static const QStringList styleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  TSkinFont out;
  out.Color = font.color;
  out.Height = font.height;
  out.Name = font.name;
  for (const QString& style : font.style) {
    const int bit = int(styleNames.indexOf(style));
    if (bit < 0) throw std::runtime_error("unknown font style: " + style.toStdString());
    out.Style |= 1u << bit;
  }
  return out;
}

TSkinBitmapLink engineLink(const SkinLink& link) {
  TSkinBitmapLink out;
  out.Name = link.name;
  out.Left = link.left;
  out.Top = link.top;
  out.Right = link.right;
  out.Bottom = link.bottom;
  return out;
}

}  // namespace

std::unique_ptr<TSkinObject> engineObject(const SkinObject& o) {
  std::unique_ptr<TSkinObject> e(TSkinClassRegistry::create(className(o.cls).toLatin1()));
  e->Name = o.name;
  e->Align = TSkinAlign(fromIdent(alignFromIdent, o.align));
  e->Color = o.color;
  e->DrawIfOwner = o.drawIfOwner;
  e->Font = engineFont(o.font);
  e->Kind = TSkinKind(fromIdent(kindFromIdent, o.kind));
  e->Masked = o.masked;
  e->setBounds(o.left, o.top, o.width, o.height);
  e->MarginLeft = o.marginLeft;
  e->MarginRight = o.marginRight;
  e->MarginTop = o.marginTop;
  e->MarginBottom = o.marginBottom;
  e->TextAlign = TSkinTextAlign(fromIdent(textAlignFromIdent, o.textAlign));
  e->TextEffect = TSkinTextEffect(fromIdent(textEffectFromIdent, o.textEffect));
  e->TextMarginLeft = o.textMarginLeft;
  e->TextMarginRight = o.textMarginRight;
  e->TextMarginTop = o.textMarginTop;
  if (auto* active = dynamic_cast<TSkinActiveObject*>(e.get())) {
    active->ActiveColor = o.activeColor;
    active->ActiveFont = engineFont(o.activeFont);
  }
  if (auto* bitmap = dynamic_cast<TSkinBitmapObject*>(e.get())) {
    bitmap->Bitmap = engineLink(o.bitmap);
    bitmap->BorderTileStyle = TSkinTileStyle(fromIdent(tileStyleFromIdent, o.borderTileStyle));
    bitmap->MaskedBorder = o.maskedBorder;
    bitmap->MaskedAngles = o.maskedAngles;
    bitmap->TileStyle = TSkinTileStyle(fromIdent(tileStyleFromIdent, o.tileStyle));
  }
  if (auto* active = dynamic_cast<TSkinActiveBitmap*>(e.get())) {
    active->ActiveBitmap = engineLink(o.activeBitmap);
    active->ActiveFont = engineFont(o.activeFont);
  }
  if (auto* button = dynamic_cast<TSkinSystemButton*>(e.get())) {
    button->Action = TSkinAction(fromIdent(actionFromIdent, o.action));
    button->BitmapHot = engineLink(o.bitmapHot);
    button->BitmapPressed = engineLink(o.bitmapPressed);
  }
  if (auto* button = dynamic_cast<TSkinButtonObject*>(e.get())) {
    button->BitmapHot = engineLink(o.bitmapHot);
    button->BitmapFocused = engineLink(o.bitmapFocused);
    button->BitmapPressed = engineLink(o.bitmapPressed);
    button->BitmapDisabled = engineLink(o.bitmapDisabled);
  }
  if (auto* text = dynamic_cast<TSkinTextObject*>(e.get())) {
    text->FontHot = engineFont(o.fontHot);
    text->FontFocused = engineFont(o.fontFocused);
    text->FontPressed = engineFont(o.fontPressed);
    text->FontDisabled = engineFont(o.fontDisabled);
  }
  // Children after the bounds, so that setting the bounds lays nothing out.
  for (const SkinObject& child : o.children) e->appendChild(engineObject(child));
  return e;
}

QByteArray textForm(const SkinObject& object) {
  return writeTextObject(recordFromObject(*engineObject(object)));
}

}  // namespace ivory
