#include "skin/stream/SkinBmp.h"

#include "skin/stream/SkinObjectRecord.h"
#include "skin/stream/SkinStoredTypes.h"

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

// What a BMP file says about itself, checked against its record's size and
// the loader's limits.
struct BmpLayout {
    quint32 offset = 0; // of the pixel data
    quint32 infoSize = 0;
    qint32 width = 0;
    qint32 rawHeight = 0; // negative: rows top-down
    qint64 height = 0;
    int bits = 0;
    bool runLength = false;
    bool paletted = false;
    bool bitfields = false;
    qint64 rowBytes = 0;
};

BmpLayout readLayout(const QByteArray& file)
{
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        bad("no BMP header");
    BmpLayout bmp;
    const quint32 fileSize = get32(file, 2);
    bmp.offset = get32(file, 10);
    bmp.infoSize = get32(file, 14);
    bmp.width = qint32(get32(file, 18));
    bmp.rawHeight = qint32(get32(file, 22));
    const int planes = get16(file, 26);
    bmp.bits = get16(file, 28);
    const quint32 compression = get32(file, 30);
    // The lengths the file states about itself must agree with its record.
    if (fileSize != quint32(file.size()))
        bad("file size differs from the record's");
    if (bmp.infoSize < 40 || bmp.infoSize > 124 || planes != 1)
        bad("bad header");
    if (bmp.offset < 14 + bmp.infoSize || bmp.offset > quint32(file.size()))
        bad("bad pixel offset");
    if (bmp.width <= 0 || bmp.rawHeight == 0 || bmp.rawHeight == INT32_MIN)
        bad("bad dimensions");
    bmp.height = std::llabs(bmp.rawHeight);
    if (bmp.width > SkinLimits::MaxBitmapSide || bmp.height > SkinLimits::MaxBitmapSide ||
        qint64(bmp.width) * bmp.height > SkinLimits::MaxBitmapPixels)
        bad("too large");

    const int bits = bmp.bits;
    bmp.runLength = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    bmp.paletted = bmp.runLength || (compression == 0 && (bits == 1 || bits == 4 || bits == 8));
    bmp.bitfields = compression == 3 && (bits == 16 || bits == 32);
    if (!bmp.paletted && !bmp.bitfields && !(compression == 0 && (bits == 16 || bits == 24 || bits == 32)))
        bad("unsupported format");
    bmp.rowBytes = ((qint64(bmp.width) * bits + 31) / 32) * 4;
    return bmp;
}

// Every pixel must be backed by data.
void checkPixelData(const QByteArray& file, const BmpLayout& bmp)
{
    if (bmp.runLength) {
        if (bmp.rawHeight < 0)
            bad("top-down run-length data");
        checkRunLengths(file.constData() + bmp.offset, file.size() - bmp.offset, bmp.width, bmp.height,
                        bmp.bits == 4);
    } else if (qint64(bmp.offset) + bmp.rowBytes * bmp.height > file.size()) {
        bad("pixel data truncated");
    }
}

QImage decodePaletted(const QByteArray& file, const BmpLayout& bmp)
{
    const quint32 used = get32(file, 46);
    if (used > (1u << bmp.bits) || 14 + bmp.infoSize + 4 * (used ? used : 1u << bmp.bits) > bmp.offset)
        bad("bad palette");
    // Every pixel is backed by data now: Qt's decoder does the rest.
    QImage image;
    if (!image.loadFromData(file, "BMP"))
        bad("undecodable");
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The bit masks of a bit-field file, which must be one of the three layouts
// read here; true for 5-6-5.
bool readBitMasks(const QByteArray& file, const BmpLayout& bmp)
{
    if (bmp.offset < 14 + 40 + 12)
        bad("no bit masks");
    quint32 masks[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        masks[i] = get32(file, 14 + 40 + 4 * i);
    const bool rgb565 = masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F;
    const bool rgb555 = masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F;
    const bool rgb888 = masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
    if (!(bmp.bits == 16 && (rgb565 || rgb555)) && !(bmp.bits == 32 && rgb888))
        bad("unsupported bit masks");
    return bmp.bits == 16 && masks[0] == 0xF800;
}

// Pixel `x` of a 16-bit (5-5-5, or 5-6-5 with `is565`), 24- or 32-bit row.
quint32 directPixel(const char* in, int x, int bits, bool is565)
{
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
    return 0xFF000000u | quint32(r) << 16 | quint32(g) << 8 | quint32(b);
}

QImage decodeDirect(const QByteArray& file, const BmpLayout& bmp, bool is565)
{
    QImage image(bmp.width, int(bmp.height), QImage::Format_ARGB32);
    if (image.isNull())
        throw SkinError("Can't allocate the DIB handle");
    for (qint64 row = 0; row < bmp.height; ++row) {
        const int y = bmp.rawHeight > 0 ? int(bmp.height - 1 - row) : int(row);
        const char* in = file.constData() + bmp.offset + row * bmp.rowBytes;
        auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < bmp.width; ++x)
            out[x] = directPixel(in, x, bmp.bits, is565);
    }
    return image;
}

} // namespace

QImage decodeBmp(const QByteArray& file, SkinReadBudget& budget)
{
    const BmpLayout bmp = readLayout(file);
    checkPixelData(file, bmp);
    budget.chargeBytes(qint64(bmp.width) * bmp.height * 4);
    if (bmp.paletted)
        return decodePaletted(file, bmp);
    const bool is565 = bmp.bitfields && readBitMasks(file, bmp);
    return decodeDirect(file, bmp, is565);
}

} // namespace corvane::skin
