#include "shell/ArtImage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace corvane::shell {

QImage readArtImage(const QString& path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1().toLower());
    reader.setAutoDetectImageFormat(false); // the suffix's decoder only, no plugin scan
    return reader.read();
}

QImage keyOutBottomLeftColour(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
        }
    }
    return image;
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
