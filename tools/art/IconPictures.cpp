#include "IconPictures.h"

#include "PiecePictures.h"

#include <QPainter>

namespace corvane::art {

QImage paintIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    // Each token takes about two thirds of the icon; they overlap along the
    // diagonal so both colours show even at 32 pixels.
    const int tokenSize = size * 2 / 3 + 1;
    const QImage black = paintToken(tokenSize, QStringLiteral("將"), false);
    const QImage red = paintToken(tokenSize, QStringLiteral("帥"), true);
    QPainter painter(&icon);
    painter.drawImage(0, 0, black);
    painter.drawImage(size - tokenSize, size - tokenSize, red);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace corvane::art
