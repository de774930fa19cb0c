#include "shell/ArtImage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace corvane::shell {

QImage readArtImage(const QString& path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1().toLower());
    reader.setAutoDetectImageFormat(false);  // the suffix's decoder only, no plugin scan
    return reader.read();
}

QIcon readArtIcon(std::initializer_list<QString> paths)
{
    QIcon icon;
    for (const QString& path : paths) {
        const QImage image = readArtImage(path);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace corvane::shell
