#include "BmpWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace corvane::art {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr quint32 kPixelsPerMetre = 3780; // 96 dots per inch

void putU16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void putU32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

// Rows of a bitmap are padded to whole 32-bit words.
int paddedRowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray headers(int width, int height, int bitsPerPixel, int paletteEntries)
{
    const quint32 pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries;
    const quint32 imageSize = quint32(paddedRowBytes(width, bitsPerPixel) * height);
    QByteArray out;
    out.append("BM");
    putU32(out, pixelOffset + imageSize);
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, pixelOffset);

    putU32(out, kInfoHeaderSize);
    putU32(out, quint32(width));
    putU32(out, quint32(height)); // positive: rows stored bottom-up
    putU16(out, 1);               // planes
    putU16(out, quint16(bitsPerPixel));
    putU32(out, 0); // BI_RGB, uncompressed
    putU32(out, imageSize);
    putU32(out, kPixelsPerMetre);
    putU32(out, kPixelsPerMetre);
    putU32(out, quint32(paletteEntries));
    putU32(out, quint32(paletteEntries));
    return out;
}

} // namespace

QByteArray encodeBmp4(const QImage& image)
{
    if (image.format() != QImage::Format_Indexed8 || image.colorCount() > 16)
        throw std::invalid_argument("encodeBmp4 needs an indexed image of at most 16 colours");

    constexpr int kPaletteEntries = 16;
    QByteArray out = headers(image.width(), image.height(), 4, kPaletteEntries);
    const QList<QRgb> colours = image.colorTable();
    for (int i = 0; i < kPaletteEntries; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }

    const int rowBytes = paddedRowBytes(image.width(), 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const uchar* pixels = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const uchar index = pixels[x] & 0x0F;
            row[x / 2] = char(uchar(row[x / 2]) | (x % 2 == 0 ? index << 4 : index));
        }
        out.append(row);
    }
    return out;
}

QByteArray encodeBmp24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray out = headers(rgb.width(), rgb.height(), 24, 0);
    const int rowBytes = paddedRowBytes(rgb.width(), 24);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = char(qBlue(pixels[x]));
            row[3 * x + 1] = char(qGreen(pixels[x]));
            row[3 * x + 2] = char(qRed(pixels[x]));
        }
        out.append(row);
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

} // namespace corvane::art
