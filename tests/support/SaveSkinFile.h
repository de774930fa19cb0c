#pragma once
// Saves a skin as a skin file in the encoding its extension names.
#include <QFile>

#include "skin/writer/SkinFileWriter.h"

namespace corvane::testing {

inline bool saveSkinFile(const skin::SkinSource& source, const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(writeSkin(*skin::skinFilterForFile(fileName), source)) > 0;
}

} // namespace corvane::testing
