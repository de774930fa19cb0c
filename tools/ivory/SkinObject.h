// In-memory description of the skin objects the Ivory skin is made of.
//
// A SkinObject holds every published property of the skin object classes the
// Ivory skin uses, with the run-time state its layout and previews need. It is
// stored by turning it into the engine's skin objects (engineObject()) and
// writing those with the engine's own writer.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace corvane::skin {
class TSkinObject;
}

namespace ivory {

// Colours are kept as the platform stores them: 0x00BBGGRR, or a system colour
// (0x80000000 | index) such as clWindowText.
inline constexpr int kClWindowText = static_cast<int>(0x80000008u);
inline constexpr int kClWhite = 0xFFFFFF;

struct SkinFont {
  int color = kClWindowText;
  int height = -11;
  QString name = QStringLiteral("MS Sans Serif");
  QStringList style;  // "fsBold", ...
};

struct SkinLink {
  QString name;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool isEmpty() const { return name.isEmpty() || right <= left || bottom <= top; }
  QRect rect() const { return QRect(left, top, right - left, bottom - top); }
};

enum class SkinClass {
  Object,        // TSkinObject
  ActiveObject,  // TSkinActiveObject
  BitmapObject,  // TSkinBitmapObject
  ActiveBitmap,  // TSkinActiveBitmap
  SystemButton,  // TSkinSystemButton
  ButtonObject,  // TSkinButtonObject
  TextObject,    // TSkinTextObject
};
QString className(SkinClass cls);
bool isBitmapClass(SkinClass cls);

struct SkinObject {
  SkinClass cls = SkinClass::Object;
  QString name;

  // TSkinObject
  QString align = QStringLiteral("saNone");
  int color = kClWhite;
  bool drawIfOwner = false;
  SkinFont font;
  QString kind = QStringLiteral("skNone");
  bool masked = true;
  int left = 0, top = 0, height = 0, width = 0;
  int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
  QString textAlign = QStringLiteral("taLeft");
  QString textEffect = QStringLiteral("teNone");
  int textMarginLeft = 0, textMarginRight = 0, textMarginTop = 0;

  // TSkinActiveObject
  int activeColor = kClWhite;
  SkinFont activeFont;  // also TSkinActiveBitmap

  // TSkinBitmapObject
  SkinLink bitmap;
  QString borderTileStyle = QStringLiteral("tsTile");
  bool maskedBorder = true, maskedAngles = true;
  QString tileStyle = QStringLiteral("tsTile");

  // TSkinActiveBitmap
  SkinLink activeBitmap;

  // TSkinSystemButton
  QString action = QStringLiteral("sbaNone");

  // TSkinSystemButton and TSkinButtonObject
  SkinLink bitmapHot, bitmapPressed;
  // TSkinButtonObject
  SkinLink bitmapFocused, bitmapDisabled;

  // TSkinTextObject
  SkinFont fontHot, fontFocused, fontPressed, fontDisabled;

  std::vector<SkinObject> children;

  // Run-time state used by the layout and the preview, never stored.
  bool visible = true;
  int previousWidth = 0, previousHeight = 0;
  QString text, secondText;

  SkinObject& add(SkinObject child) {
    children.push_back(std::move(child));
    return children.back();
  }
  // Every link of the object (for checks): pairs of property name and link.
  std::vector<std::pair<QString, const SkinLink*>> links() const;
};

// The engine's skin object for the description, children included; the
// engine's writers store it.
std::unique_ptr<corvane::skin::TSkinObject> engineObject(const SkinObject& object);
// The text object form of a top-level object, as the engine writes it.
QByteArray textForm(const SkinObject& object);

}  // namespace ivory
