#include "skin/SkinBmp.h"

#include "skin/SkinObjectRecord.h"
#include "skin/SkinTypes.h"

#include <cstdlib>

namespace corvane::skin {

namespace {

quint32 get32(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16 |
           quint32(quint8(b[at + 3])) << 24;
}
quint16 get16(const QByteArray& b, int at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

int widen5(int v)
{
    return (v << 3) | (v >> 2);
}
int widen6(int v)
{
    return (v << 2) | (v >> 4);
}

[[noreturn]] void bad(const char* why)
{
    throw SkinError(std::string("Invalid bitmap in packed skin: ") + why);
}

// Run-length pixels (RLE8, or RLE4 with `nibbles`) must define every pixel,
// row by row: a delta, or a row or picture that ends early, would leave
// pixels that no data backs, and two bytes could then claim a whole picture.
void checkRunLengths(const char* data, qint64 size, qint64 width, qint64 height, bool nibbles)
{
    qint64 at = 0, x = 0, y = 0;
    auto next = [&] {
        if (at >= size)
            bad("run-length data truncated");
        return int(quint8(data[at++]));
    };
    while (y < height) {
        const int count = next();
        const int value = next();
        if (count > 0) { // a run of `count` pixels
            x += count;
        } else if (value == 0) { // end of line
            if (x != width)
                bad("run-length row ends early");
            x = 0;
            ++y;
            continue;
        } else if (value == 1) { // end of picture
            if (x != width || y != height - 1)
                bad("run-length picture ends early");
            return;
        } else if (value == 2) {
            bad("run-length delta leaves pixels undefined");
        } else { // `value` pixels as they are, padded to an even byte count
            x += value;
            const qint64 bytes = nibbles ? (value + 1) / 2 : value;
            at += bytes + (bytes & 1);
            if (at > size)
                bad("run-length data truncated");
        }
        if (x > width)
            bad("run-length row too long");
    }
}

} // namespace

QImage decodeBmp(const QByteArray& file, SkinReadBudget& budget)
{
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        bad("no BMP header");
    const quint32 fileSize = get32(file, 2);
    const quint32 offset = get32(file, 10);
    const quint32 infoSize = get32(file, 14);
    const qint32 width = qint32(get32(file, 18));
    const qint32 rawHeight = qint32(get32(file, 22));
    const int planes = get16(file, 26);
    const int bits = get16(file, 28);
    const quint32 compression = get32(file, 30);
    // The lengths the file states about itself must agree with its record.
    if (fileSize != quint32(file.size()))
        bad("file size differs from the record's");
    if (infoSize < 40 || infoSize > 124 || planes != 1)
        bad("bad header");
    if (offset < 14 + infoSize || offset > quint32(file.size()))
        bad("bad pixel offset");
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN)
        bad("bad dimensions");
    const qint64 height = std::llabs(rawHeight);
    if (width > SkinLimits::MaxBitmapSide || height > SkinLimits::MaxBitmapSide ||
        qint64(width) * height > SkinLimits::MaxBitmapPixels)
        bad("too large");

    const bool runLength = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    const bool paletted = runLength || (compression == 0 && (bits == 1 || bits == 4 || bits == 8));
    const bool bitfields = compression == 3 && (bits == 16 || bits == 32);
    if (!paletted && !bitfields && !(compression == 0 && (bits == 16 || bits == 24 || bits == 32)))
        bad("unsupported format");
    const qint64 rowBytes = ((qint64(width) * bits + 31) / 32) * 4;
    if (runLength) {
        if (rawHeight < 0)
            bad("top-down run-length data");
        checkRunLengths(file.constData() + offset, file.size() - offset, width, height, bits == 4);
    } else if (qint64(offset) + rowBytes * height > file.size()) {
        bad("pixel data truncated");
    }
    budget.chargeBytes(qint64(width) * height * 4);

    if (paletted) {
        const quint32 used = get32(file, 46);
        if (used > (1u << bits) || 14 + infoSize + 4 * (used ? used : 1u << bits) > offset)
            bad("bad palette");
        // Every pixel is backed by data now: Qt's decoder does the rest.
        QImage image;
        if (!image.loadFromData(file, "BMP"))
            bad("undecodable");
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    quint32 masks[3] = {0, 0, 0};
    if (bitfields) {
        if (offset < 14 + 40 + 12)
            bad("no bit masks");
        for (int i = 0; i < 3; ++i)
            masks[i] = get32(file, 14 + 40 + 4 * i);
        const bool rgb565 = masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F;
        const bool rgb555 = masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F;
        const bool rgb888 = masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
        if (!(bits == 16 && (rgb565 || rgb555)) && !(bits == 32 && rgb888))
            bad("unsupported bit masks");
    }
    const bool is565 = bitfields && bits == 16 && masks[0] == 0xF800;

    QImage image(width, int(height), QImage::Format_ARGB32);
    if (image.isNull())
        throw SkinError("Can't allocate the DIB handle");
    for (qint64 row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? int(height - 1 - row) : int(row);
        const char* in = file.constData() + offset + row * rowBytes;
        auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            int r, g, b;
            if (bits == 16) {
                const int v = quint8(in[2 * x]) | quint8(in[2 * x + 1]) << 8;
                if (is565) {
                    r = widen5((v >> 11) & 0x1F);
                    g = widen6((v >> 5) & 0x3F);
                    b = widen5(v & 0x1F);
                } else {
                    r = widen5((v >> 10) & 0x1F);
                    g = widen5((v >> 5) & 0x1F);
                    b = widen5(v & 0x1F);
                }
            } else {
                const int step = bits / 8;
                b = quint8(in[step * x]);
                g = quint8(in[step * x + 1]);
                r = quint8(in[step * x + 2]);
            }
            out[x] = 0xFF000000u | quint32(r) << 16 | quint32(g) << 8 | quint32(b);
        }
    }
    return image;
}

} // namespace corvane::skin
