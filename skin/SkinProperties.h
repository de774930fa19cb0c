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

// "<prefix>.Charset", ".Color", ".Height", ".Name", ".Style" (and ".Pitch",
// ".Size" when reading). readFont returns false when the name is not one of them.
void writeFont(QList<TSkinProperty>& out, const QByteArray& prefix, const TSkinFont& font);
bool readFont(TSkinFont& font, const QByteArray& prefix, const TSkinProperty& p);

// "<prefix>.Name", ".Left", ".Top", ".Right", ".Bottom".
void writeLink(QList<TSkinProperty>& out, const QByteArray& prefix, const TSkinBitmapLink& link);
bool readLink(TSkinBitmapLink& link, const QByteArray& prefix, const TSkinProperty& p);

} // namespace corvane::skin::props
