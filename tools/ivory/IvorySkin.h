// The Ivory skin as a whole: header, bitmaps in stream order, object trees,
// their consistency check and the source files the skin compiler reads.
#pragma once

#include "NamedBitmap.h"
#include "IvoryObjects.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ivory {

struct SkinHeader {
    QString skinName, skinVersion, author, authorEMail, authorUrl;
};
SkinHeader ivoryHeader();

// The 25 bitmaps in stream order (two are named "arrows").
BitmapList ivoryBitmaps();

// The bitmap a link name resolves to, as the loader resolves it:
// case-insensitively, the last bitmap of that name; null when there is none.
const NamedBitmap* resolveBitmap(const BitmapList& bitmaps, const QString& name);

// Problems with the links of the trees: a link naming no bitmap, or a
// rectangle that does not lie inside its bitmap. Names resolve as the loader
// does: case-insensitively, the last bitmap of a name wins.
QStringList checkLinks(const ObjectList& objects, const BitmapList& bitmaps);

// File names inside the skin source folder.
QString bitmapFileName(int index, const QString& name); // "bitmaps/00-Top.bmp"
inline const char* const kManifestFile = "manifest.txt";
inline const char* const kObjectsFile = "objects.txt";

QByteArray manifestText(const SkinHeader& header, const BitmapList& bitmaps);
// All top-level objects in text object form, one after the other.
QByteArray objectsText(const ObjectList& objects);

// Writes manifest, bitmaps and objects into `folder`; false with `error` set
// when a file cannot be written.
bool writeSkinSource(const QString& folder, const SkinHeader& header, const BitmapList& bitmaps,
                     const ObjectList& objects, QString* error);

} // namespace ivory
