#include "skin/writer/SkinBmpWriter.h"

#include "skin/writer/SkinByteWriter.h"

namespace corvane::skin {

namespace {

void put16(QByteArray& out, quint16 v)
{
    bytes::appendLittleEndian(out, v, 2);
}
void put32(QByteArray& out, quint32 v)
{
    bytes::appendLittleEndian(out, v, 4);
}

} // namespace

QByteArray encodeBmp16(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int rowBytes = (w * 2 + 3) & ~3;
    const quint32 pixelBytes = quint32(rowBytes) * quint32(h);
    QByteArray out;
    out.reserve(int(54 + pixelBytes));
    out.append("BM");
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(h)); // bottom-up rows
    put16(out, 1);
    put16(out, 16);
    put32(out, 0); // BI_RGB: 5-5-5
    put32(out, pixelBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint32 p = line[x];
            put16(out, quint16((((p >> 19) & 0x1F) << 10) | (((p >> 11) & 0x1F) << 5) | ((p >> 3) & 0x1F)));
        }
        for (int pad = w * 2; pad < rowBytes; ++pad)
            out.append('\0');
    }
    return out;
}

} // namespace corvane::skin
