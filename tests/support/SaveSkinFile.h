#pragma once
// Saves a skin as a skin file, in the encoding its extension names (the
// default one for any other), for tests that load a skin file at run time.

#include <QFile>
#include <QString>

#include <stdexcept>

#include "skin/writer/SkinFileWriter.h"

namespace corvane::testing {

inline void saveSkinFile(const skin::SkinSource& source, const QString& fileName)
{
    const skin::SkinFilter* filter = skin::skinFilterForFile(fileName);
    const QByteArray bytes = skin::writeSkin(filter ? *filter : skin::defaultSkinFilter(), source);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + fileName.toStdString());
}

} // namespace corvane::testing
