#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace ivory {

// One bitmap of the skin: its stream name and its picture (magenta = key).
struct NamedBitmap {
    QString name;
    QImage image;
};

using BitmapList = std::vector<NamedBitmap>;

} // namespace ivory
