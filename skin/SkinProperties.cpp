#include "skin/SkinProperties.h"

#include <cmath>

namespace corvane::skin::props {

namespace {

[[noreturn]] void invalid(const TSkinProperty& p)
{
    throw TSkinError("Invalid property value: " + p.name.toStdString());
}

bool hasPrefix(const QByteArray& name, const QByteArray& prefix, QByteArray* rest)
{
    if (name.size() <= prefix.size() + 1 || !name.startsWith(prefix) || name[prefix.size()] != '.')
        return false;
    *rest = name.mid(prefix.size() + 1);
    return true;
}

} // namespace

int toInt(const TSkinProperty& p)
{
    if (p.value.type != TSkinValue::Integer) invalid(p);
    if (p.value.integer < INT32_MIN || p.value.integer > INT32_MAX) invalid(p);
    return int(p.value.integer);
}

int toCoordinate(const TSkinProperty& p)
{
    const int v = toInt(p);
    if (v < -TSkinLimits::MaxStoredCoordinate || v > TSkinLimits::MaxStoredCoordinate) invalid(p);
    return v;
}

bool toBool(const TSkinProperty& p)
{
    if (p.value.type != TSkinValue::Boolean) invalid(p);
    return p.value.boolean;
}

QString toString(const TSkinProperty& p)
{
    if (p.value.type != TSkinValue::String) invalid(p);
    // 8-bit text; Latin-1 keeps every byte, so names round-trip exactly.
    return QString::fromLatin1(p.value.text);
}

TColor toColor(const TSkinProperty& p)
{
    if (p.value.type == TSkinValue::Integer) return TColor(std::uint32_t(toInt(p)));
    if (p.value.type == TSkinValue::Identifier) {
        TColor color;
        if (colorFromIdent(p.value.text, &color)) return color;
    }
    invalid(p);
}

int toEnum(const TSkinProperty& p, int (*fromIdent)(const QByteArray&))
{
    if (p.value.type == TSkinValue::Identifier) {
        const int v = fromIdent(p.value.text);
        if (v >= 0) return v;
    }
    invalid(p);
}

void addInt(QList<TSkinProperty>& out, const char* name, qint64 v)
{
    out.append({QByteArray(name), TSkinValue::fromInteger(v)});
}
void addBool(QList<TSkinProperty>& out, const char* name, bool v)
{
    out.append({QByteArray(name), TSkinValue::fromBool(v)});
}
void addIdent(QList<TSkinProperty>& out, const char* name, const QByteArray& v)
{
    out.append({QByteArray(name), TSkinValue::fromIdent(v)});
}
void addString(QList<TSkinProperty>& out, const char* name, const QString& v)
{
    out.append({QByteArray(name), TSkinValue::fromString(v.toLatin1())});
}
void addColor(QList<TSkinProperty>& out, const char* name, TColor v)
{
    const QByteArray ident = colorIdent(v);
    if (!ident.isEmpty())
        addIdent(out, name, ident);
    else
        addInt(out, name, v);
}

static const char* const fontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
static const char* const pitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};

void writeFont(QList<TSkinProperty>& out, const QByteArray& prefix, const TSkinFont& font)
{
    const QByteArray charset = charsetIdent(font.Charset);
    if (!charset.isEmpty())
        out.append({prefix + ".Charset", TSkinValue::fromIdent(charset)});
    else
        out.append({prefix + ".Charset", TSkinValue::fromInteger(font.Charset)});
    addColor(out, (prefix + ".Color").constData(), font.Color);
    out.append({prefix + ".Height", TSkinValue::fromInteger(font.Height)});
    out.append({prefix + ".Name", TSkinValue::fromString(font.Name.toLatin1())});
    if (font.Pitch > 0 && font.Pitch < 3)
        out.append({prefix + ".Pitch", TSkinValue::fromIdent(pitchNames[font.Pitch])});
    QList<QByteArray> styles;
    for (int i = 0; i < 4; ++i)
        if (font.Style & (1u << i)) styles.append(fontStyleNames[i]);
    out.append({prefix + ".Style", TSkinValue::fromSet(styles)});
}

bool readFont(TSkinFont& font, const QByteArray& prefix, const TSkinProperty& p)
{
    QByteArray field;
    if (!hasPrefix(p.name, prefix, &field)) return false;
    if (field == "Charset") {
        if (p.value.type == TSkinValue::Identifier) {
            if (!charsetFromIdent(p.value.text, &font.Charset)) invalid(p);
        } else {
            font.Charset = toInt(p) & 0xFF;
        }
    } else if (field == "Color") {
        font.Color = toColor(p);
    } else if (field == "Height") {
        font.Height = toInt(p);
    } else if (field == "Size") {
        // Points at 96 pixels per inch, as a negative (character) height.
        font.Height = -int(std::lround(double(toInt(p)) * 96.0 / 72.0));
    } else if (field == "Name") {
        font.Name = toString(p);
    } else if (field == "Pitch") {
        if (p.value.type != TSkinValue::Identifier) invalid(p);
        font.Pitch = -1;
        for (int i = 0; i < 3; ++i)
            if (p.value.text == pitchNames[i]) font.Pitch = i;
        if (font.Pitch < 0) invalid(p);
    } else if (field == "Style") {
        if (p.value.type != TSkinValue::Set) invalid(p);
        unsigned style = 0;
        for (const QByteArray& item : p.value.items) {
            int bit = -1;
            for (int i = 0; i < 4; ++i)
                if (item == fontStyleNames[i]) bit = i;
            if (bit < 0) invalid(p);
            style |= 1u << bit;
        }
        font.Style = style;
    } else {
        return false;
    }
    return true;
}

void writeLink(QList<TSkinProperty>& out, const QByteArray& prefix, const TSkinBitmapLink& link)
{
    out.append({prefix + ".Name", TSkinValue::fromString(link.Name.toLatin1())});
    out.append({prefix + ".Left", TSkinValue::fromInteger(link.Left)});
    out.append({prefix + ".Top", TSkinValue::fromInteger(link.Top)});
    out.append({prefix + ".Right", TSkinValue::fromInteger(link.Right)});
    out.append({prefix + ".Bottom", TSkinValue::fromInteger(link.Bottom)});
}

bool readLink(TSkinBitmapLink& link, const QByteArray& prefix, const TSkinProperty& p)
{
    QByteArray field;
    if (!hasPrefix(p.name, prefix, &field)) return false;
    if (field == "Name")
        link.Name = toString(p);
    else if (field == "Left")
        link.Left = toCoordinate(p);
    else if (field == "Top")
        link.Top = toCoordinate(p);
    else if (field == "Right")
        link.Right = toCoordinate(p);
    else if (field == "Bottom")
        link.Bottom = toCoordinate(p);
    else
        return false;
    return true;
}

} // namespace corvane::skin::props
