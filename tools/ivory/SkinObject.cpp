#include "SkinObject.h"

#include <QtEndian>

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

// Colours with a standard name are stored by name, all others as numbers.
PropertyValue colorValue(int color) {
  switch (static_cast<unsigned>(color)) {
    case 0xFFFFFFu: return Identifier{QStringLiteral("clWhite")};
    case 0x000000u: return Identifier{QStringLiteral("clBlack")};
    case 0xC0C0C0u: return Identifier{QStringLiteral("clSilver")};
    case 0x80000008u: return Identifier{QStringLiteral("clWindowText")};
    case 0x1FFFFFFFu: return Identifier{QStringLiteral("clNone")};
    default: return color;
  }
}

void addFont(std::vector<Property>& out, const QString& prefix, const SkinFont& font) {
  out.push_back({prefix + ".Charset", Identifier{QStringLiteral("DEFAULT_CHARSET")}});
  out.push_back({prefix + ".Color", colorValue(font.color)});
  out.push_back({prefix + ".Height", font.height});
  out.push_back({prefix + ".Name", font.name});
  out.push_back({prefix + ".Style", SetValue{font.style}});
}

void addLink(std::vector<Property>& out, const QString& prefix, const SkinLink& link) {
  out.push_back({prefix + ".Name", link.name});
  out.push_back({prefix + ".Left", link.left});
  out.push_back({prefix + ".Top", link.top});
  out.push_back({prefix + ".Right", link.right});
  out.push_back({prefix + ".Bottom", link.bottom});
}

Identifier ident(const QString& text) { return Identifier{text}; }

}  // namespace

std::vector<Property> properties(const SkinObject& o) {
  std::vector<Property> out;
  out.push_back({"Align", ident(o.align)});
  out.push_back({"Color", colorValue(o.color)});
  out.push_back({"DrawIfOwner", o.drawIfOwner});
  addFont(out, "Font", o.font);
  out.push_back({"Kind", ident(o.kind)});
  out.push_back({"Masked", o.masked});
  out.push_back({"Left", o.left});
  out.push_back({"Top", o.top});
  out.push_back({"Height", o.height});
  out.push_back({"Width", o.width});
  out.push_back({"MarginLeft", o.marginLeft});
  out.push_back({"MarginRight", o.marginRight});
  out.push_back({"MarginTop", o.marginTop});
  out.push_back({"MarginBottom", o.marginBottom});
  out.push_back({"TextAlign", ident(o.textAlign)});
  out.push_back({"TextEffect", ident(o.textEffect)});
  out.push_back({"TextMarginLeft", o.textMarginLeft});
  out.push_back({"TextMarginRight", o.textMarginRight});
  out.push_back({"TextMarginTop", o.textMarginTop});

  switch (o.cls) {
    case SkinClass::Object:
      break;
    case SkinClass::ActiveObject:
      out.push_back({"ActiveColor", colorValue(o.activeColor)});
      addFont(out, "ActiveFont", o.activeFont);
      break;
    case SkinClass::TextObject:
      addFont(out, "FontHot", o.fontHot);
      addFont(out, "FontFocused", o.fontFocused);
      addFont(out, "FontPressed", o.fontPressed);
      addFont(out, "FontDisabled", o.fontDisabled);
      break;
    case SkinClass::BitmapObject:
    case SkinClass::ActiveBitmap:
    case SkinClass::SystemButton:
    case SkinClass::ButtonObject:
      addLink(out, "Bitmap", o.bitmap);
      out.push_back({"BorderTileStyle", ident(o.borderTileStyle)});
      out.push_back({"MaskedBorder", o.maskedBorder});
      out.push_back({"MaskedAngles", o.maskedAngles});
      out.push_back({"TileStyle", ident(o.tileStyle)});
      if (o.cls == SkinClass::ActiveBitmap || o.cls == SkinClass::SystemButton) {
        addLink(out, "ActiveBitmap", o.activeBitmap);
        addFont(out, "ActiveFont", o.activeFont);
      }
      if (o.cls == SkinClass::SystemButton) {
        out.push_back({"Action", ident(o.action)});
        addLink(out, "BitmapHot", o.bitmapHot);
        addLink(out, "BitmapPressed", o.bitmapPressed);
      }
      if (o.cls == SkinClass::ButtonObject) {
        addLink(out, "BitmapHot", o.bitmapHot);
        addLink(out, "BitmapFocused", o.bitmapFocused);
        addLink(out, "BitmapPressed", o.bitmapPressed);
        addLink(out, "BitmapDisabled", o.bitmapDisabled);
      }
      break;
  }
  out.push_back({"Objects", objectsValue(o)});
  return out;
}

// --- binary form -----------------------------------------------------------

namespace {

void putInt32(QByteArray& out, qint32 value) {
  char bytes[4];
  qToLittleEndian(value, bytes);
  out.append(bytes, 4);
}

void putShortString(QByteArray& out, const QByteArray& text) {
  if (text.size() > 255) throw std::runtime_error("short string too long: " + text.toStdString());
  out.append(static_cast<char>(text.size()));
  out.append(text);
}

void putValue(QByteArray& out, const PropertyValue& value) {
  if (const int* number = std::get_if<int>(&value)) {
    if (*number >= -128 && *number <= 127) {
      out.append('\x02');
      out.append(static_cast<char>(*number));
    } else if (*number >= -32768 && *number <= 32767) {
      out.append('\x03');
      char bytes[2];
      qToLittleEndian(static_cast<qint16>(*number), bytes);
      out.append(bytes, 2);
    } else {
      out.append('\x04');
      putInt32(out, *number);
    }
  } else if (const Identifier* id = std::get_if<Identifier>(&value)) {
    out.append('\x07');
    putShortString(out, id->text.toLatin1());
  } else if (const QString* text = std::get_if<QString>(&value)) {
    out.append('\x06');
    putShortString(out, text->toLatin1());
  } else if (const bool* flag = std::get_if<bool>(&value)) {
    out.append(*flag ? '\x09' : '\x08');
  } else if (const SetValue* set = std::get_if<SetValue>(&value)) {
    out.append('\x0B');
    for (const QString& item : set->items) putShortString(out, item.toLatin1());
    out.append('\x00');
  } else if (const QByteArray* data = std::get_if<QByteArray>(&value)) {
    out.append('\x0A');
    putInt32(out, static_cast<qint32>(data->size()));
    out.append(*data);
  }
}

}  // namespace

QByteArray binaryForm(const SkinObject& object) {
  QByteArray out("TPF0");
  putShortString(out, className(object.cls).toLatin1());
  putShortString(out, object.name.toLatin1());
  for (const Property& property : properties(object)) {
    putShortString(out, property.name.toLatin1());
    putValue(out, property.value);
  }
  out.append('\x00');  // end of properties
  out.append('\x00');  // end of (no) nested objects
  return out;
}

QByteArray objectsValue(const SkinObject& object) {
  QByteArray out;
  putInt32(out, static_cast<qint32>(object.children.size()) | 0xF0000);
  for (const SkinObject& child : object.children) {
    const QByteArray name = className(child.cls).toLatin1();
    putInt32(out, static_cast<qint32>(name.size()));
    out.append(name);
    const QByteArray body = binaryForm(child);
    putInt32(out, static_cast<qint32>(body.size()));
    out.append(body);
  }
  return out;
}

// --- text form -------------------------------------------------------------

namespace {

QByteArray quoted(const QString& text) {
  QByteArray out("'");
  for (const QChar c : text) {
    if (c == QLatin1Char('\'')) out.append("''");
    else out.append(QString(c).toLatin1());
  }
  out.append('\'');
  return out;
}

void writeValue(QByteArray& out, const PropertyValue& value, const QByteArray& indent) {
  if (const int* number = std::get_if<int>(&value)) {
    out.append(QByteArray::number(*number));
  } else if (const Identifier* id = std::get_if<Identifier>(&value)) {
    out.append(id->text.toLatin1());
  } else if (const QString* text = std::get_if<QString>(&value)) {
    out.append(quoted(*text));
  } else if (const bool* flag = std::get_if<bool>(&value)) {
    out.append(*flag ? "True" : "False");
  } else if (const SetValue* set = std::get_if<SetValue>(&value)) {
    out.append('[' + set->items.join(QStringLiteral(", ")).toLatin1() + ']');
  } else if (const QByteArray* data = std::get_if<QByteArray>(&value)) {
    // Binary data: "{", then lines of 32 bytes in upper-case hex two spaces
    // deeper than the property, the "}" closing the last line.
    out.append('{');
    const QByteArray hex = data->toHex().toUpper();
    for (qsizetype at = 0; at < hex.size(); at += 64) {
      out.append("\r\n");
      out.append(indent + "  ");
      out.append(hex.mid(at, 64));
    }
    out.append('}');
  }
}

}  // namespace

QByteArray textForm(const SkinObject& object) {
  QByteArray out;
  out.append("object " + object.name.toLatin1() + ": " + className(object.cls).toLatin1() + "\r\n");
  const QByteArray indent("  ");
  for (const Property& property : properties(object)) {
    out.append(indent + property.name.toLatin1() + " = ");
    writeValue(out, property.value, indent);
    out.append("\r\n");
  }
  out.append("end\r\n");
  return out;
}

}  // namespace ivory
