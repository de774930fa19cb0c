#pragma once
// Internal helpers of the skin object classes: converting stored property
// values, and the nested font and bitmap-link properties.

#include "skin/SkinBitmap.h"
#include "skin/SkinObjectRecord.h"
#include "skin/SkinTypes.h"

namespace corvane::skin::props {

int toInt(const TSkinProperty& p);
// A coordinate, size or margin: within +-TSkinLimits::MaxStoredCoordinate.
int toCoordinate(const TSkinProperty& p);
bool toBool(const TSkinProperty& p);
QString toString(const TSkinProperty& p);
TColor toColor(const TSkinProperty& p);
// An enumeration value by identifier (also accepts the ordinal as an integer).
int toEnum(const TSkinProperty& p, int (*fromIdent)(const QByteArray&));

void addInt(QList<TSkinProperty>& out, const char* name, qint64 v);
void addBool(QList<TSkinProperty>& out, const char* name, bool v);
void addIdent(QList<TSkinProperty>& out, const char* name, const QByteArray& v);
void addString(QList<TSkinProperty>& out, const char* name, const QString& v);
void addColor(QList<TSkinProperty>& out, const char* name, TColor v);

// Every published property name of the skin object classes (taken from their
// property tables), so that reading a property costs one lookup instead of a
// chain of name comparisons. A published name has a small id; nested names
// ("Font.Color", "BitmapHot.Left") give the id of the nested property and the
// field inside it.
enum FontField { FontCharset, FontColor, FontHeight, FontName, FontPitch, FontSize, FontStyle };
enum LinkField { LinkName, LinkLeft, LinkTop, LinkRight, LinkBottom };
struct PropertyKey {
    int id;
    int field; // FontField or LinkField for nested names, else 0
};
// Null when the name is not published by any skin object class.
const PropertyKey* lookupProperty(const QByteArray& name);
// The id of a published (undotted) property name; -1 when there is none.
int propertyId(const char* name);

// The bytes as a QByteArray that shares the storage of a known word (property
// names, identifiers, class names) when it is one, so that reading a skin does
// not allocate a fresh copy of every name it meets.
QByteArray intern(const char* data, qsizetype size);
// The same, with the published property the word names (null when none):
// the binary reader takes both from one lookup.
struct InternedName {
    QByteArray word;
    const PropertyKey* key;
};
InternedName internName(const char* data, qsizetype size);

// "<prefix>.Charset", ".Color", ".Height", ".Name", ".Style" (".Pitch" when
// not default; ".Size" is read too).
void writeFont(QList<TSkinProperty>& out, const QByteArray& prefix, const TSkinFont& font);
void readFont(TSkinFont& font, int field, const TSkinProperty& p);

// "<prefix>.Name", ".Left", ".Top", ".Right", ".Bottom".
void writeLink(QList<TSkinProperty>& out, const QByteArray& prefix, const TSkinBitmapLink& link);
void readLink(TSkinBitmapLink& link, int field, const TSkinProperty& p);

} // namespace corvane::skin::props
