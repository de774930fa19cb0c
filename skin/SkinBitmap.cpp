#include "skin/SkinBitmap.h"

#include <QGuiApplication>
#include <cstdlib>

namespace corvane::skin {

void TSkinBitmap::setSize(int width, int height)
{
    width = std::abs(width);
    height = std::abs(height);
    if (width == this->width() && height == this->height()) return;
    if (width == 0 || height == 0) {
        m_image = QImage();
        m_pixmap.reset();
        return;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) throw TSkinError("Can't allocate the DIB handle");
    image.fill(0u);
    m_image = std::move(image);
    m_pixmap.reset();
}

QImage TSkinBitmap::opaqueImage() const
{
    if (m_image.isNull()) return QImage();
    // Same buffer, read as RGB32: the stored alpha is ignored, as the blits do.
    return QImage(m_image.constBits(), m_image.width(), m_image.height(), m_image.bytesPerLine(),
                  QImage::Format_RGB32);
}

const QPixmap& TSkinBitmap::pixmap() const
{
    if (!m_pixmap) {
        // A pixmap needs the GUI application; loading and tests without one
        // simply have no device-dependent copy.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && !m_image.isNull())
            m_pixmap = QPixmap::fromImage(opaqueImage().copy());
        else
            m_pixmap = QPixmap();
    }
    return *m_pixmap;
}

void TSkinBitmap::snapToKey(int r, int g, int b, int tolerance)
{
    const int w = width(), h = height();
    for (int y = 0; y < h; ++y) {
        std::uint32_t* line = scanLine(y);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = line[x];
            const int pr = int((p >> 16) & 0xFF), pg = int((p >> 8) & 0xFF), pb = int(p & 0xFF);
            if (std::abs(pr - r) <= tolerance && std::abs(pg - g) <= tolerance && std::abs(pb - b) <= tolerance)
                line[x] = SkinKeyPixel;
        }
    }
    m_pixmap.reset();
}

void TSkinBitmapLink::link(const TSkinBitmapList* bitmaps)
{
    Bitmap = nullptr;
    if (!bitmaps) return;
    // The whole list is searched: the last bitmap of the name wins.
    for (TSkinBitmap* bitmap : *bitmaps)
        if (bitmap->Name.compare(Name, Qt::CaseInsensitive) == 0) Bitmap = bitmap;
}

} // namespace corvane::skin
