#pragma once
// Named 32-bit skin bitmaps and the links through which skin objects name a
// rectangle of one of them.

#include "skin/stream/SkinStoredTypes.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <memory>

namespace corvane::skin {

// A named picture of width x height 32-bit pixels, rows top to bottom, each
// pixel the bytes blue, green, red, alpha (QImage::Format_ARGB32 on a
// little-endian machine). Pixels whose red, green and blue equal the key
// colour's (SkinKeyPixel) are transparent in masked drawing, whatever their alpha.
//
// The skin draws pixels as opaque: alpha is kept as stored but never blended.
class SkinBitmap {
public:
    SkinBitmap() = default;
    SkinBitmap(const SkinBitmap&) = delete;
    SkinBitmap& operator=(const SkinBitmap&) = delete;

    QString name;

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool isEmpty() const { return m_image.isNull(); }

    // Resizing to the current size does nothing; a width (or height) of 0 leaves
    // the bitmap empty; negative sizes are taken by absolute value. New pixels
    // are 0 (or left as they come with `clear` false, for a reader that fills
    // every pixel at once). Throws SkinError("Can't allocate the DIB handle")
    // when the pixel buffer cannot be created.
    void setSize(int width, int height, bool clear = true);

    // Direct access to the pixels (Format_ARGB32).
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    std::uint32_t* scanLine(int y) { return reinterpret_cast<std::uint32_t*>(m_image.scanLine(y)); }
    const std::uint32_t* constScanLine(int y) const
    {
        return reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y));
    }

    // The same pixels seen as opaque (alpha ignored), sharing the buffer: the
    // source of unmasked copies, stretches and tiles.
    QImage opaqueImage() const;

    // Replaces by the key colour every pixel whose red, green and blue each
    // differ from (r, g, b) by at most `tolerance`.
    void snapToKey(int r, int g, int b, int tolerance);
    // The same for one row of pixels.
    static void snapRowToKey(std::uint32_t* line, int width, int r, int g, int b, int tolerance);
    // Copies a row of pixels and snaps it in the same pass.
    static void copyRowSnapped(const std::uint32_t* from, std::uint32_t* to, int width, int r, int g, int b,
                               int tolerance);

private:
    QImage m_image;
};

// The bitmaps of a skin in load order (owned by the skin source).
using SkinBitmapList = QList<SkinBitmap*>;

// Names a bitmap and a rectangle in it (Left, Top, Right, Bottom); after
// linking, references the last bitmap of that name (names compare
// case-insensitively). Empty (draws nothing) unless it references a bitmap
// and its rectangle has a positive area.
struct SkinBitmapLink {
    QString name;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    SkinBitmap* bitmap = nullptr;

    bool isEmpty() const { return bitmap == nullptr || right <= left || bottom <= top; }
    QRect rect() const { return QRect(left, top, right - left, bottom - top); }
    void link(const SkinBitmapList* bitmaps);
};

} // namespace corvane::skin
