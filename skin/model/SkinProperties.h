#pragma once
// Internal helpers of the skin object classes: converting stored property
// values, and the nested font and bitmap-link properties.

#include "skin/draw/SkinBitmap.h"
#include "skin/stream/SkinObjectRecord.h"
#include "skin/model/SkinObjectEvents.h"

namespace corvane::skin::props {

int toInt(const SkinProperty& p);
// A coordinate, size or margin: within +-SkinLimits::MaxStoredCoordinate.
int toCoordinate(const SkinProperty& p);
bool toBool(const SkinProperty& p);
QString toString(const SkinProperty& p);
SkinColor toColor(const SkinProperty& p);
// An enumeration value by identifier (also accepts the ordinal as an integer).
int toEnum(const SkinProperty& p, int (*fromIdent)(const QByteArray&));

void addInt(QList<SkinProperty>& out, const char* name, qint64 v);
void addBool(QList<SkinProperty>& out, const char* name, bool v);
void addIdent(QList<SkinProperty>& out, const char* name, const QByteArray& v);
void addColor(QList<SkinProperty>& out, const char* name, SkinColor v);

// Every published property name of the skin object classes (taken from their
// property tables), so that reading a property costs one lookup instead of a
// chain of name comparisons. A published name has a small id; nested names
// ("Font.Color", "BitmapHot.Left") give the id of the nested property and the
// field inside it.
enum class FontField { Charset, Color, Height, Name, Pitch, Size, Style };
enum class LinkField { Name, Left, Top, Right, Bottom };
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
void writeFont(QList<SkinProperty>& out, const QByteArray& prefix, const SkinFont& font);
void readFont(SkinFont& font, int field, const SkinProperty& p);

// "<prefix>.Name", ".Left", ".Top", ".Right", ".Bottom".
void writeLink(QList<SkinProperty>& out, const QByteArray& prefix, const SkinBitmapLink& link);
void readLink(SkinBitmapLink& link, int field, const SkinProperty& p);

} // namespace corvane::skin::props
