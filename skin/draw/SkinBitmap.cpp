#include "skin/draw/SkinBitmap.h"

#include <cstdlib>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define CORVANE_SNAP_AVX2 1
#endif

namespace corvane::skin {

void SkinBitmap::setSize(int width, int height, bool clear)
{
    width = std::abs(width);
    height = std::abs(height);
    if (width == this->width() && height == this->height())
        return;
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        throw SkinError("Can't allocate the DIB handle");
    if (clear)
        image.fill(0u);
    m_image = std::move(image);
}

QImage SkinBitmap::opaqueImage() const
{
    if (m_image.isNull())
        return QImage();
    // Same buffer, read as RGB32: the stored alpha is ignored, as the blits do.
    return QImage(m_image.constBits(), m_image.width(), m_image.height(), m_image.bytesPerLine(), QImage::Format_RGB32);
}

void SkinBitmap::snapToKey(int r, int g, int b, int tolerance)
{
    const int w = width(), h = height();
    for (int y = 0; y < h; ++y)
        snapRowToKey(scanLine(y), w, r, g, b, tolerance);
}

void SkinBitmap::snapRowToKey(std::uint32_t* line, int w, int r, int g, int b, int tolerance)
{
    copyRowSnapped(line, line, w, r, g, b, tolerance);
}

#ifdef CORVANE_SNAP_AVX2
namespace {

// Where the processor has AVX2 (checked at run time): the same as the SSE2
// loop of copyRowSnapped, eight pixels at a time. Returns how many pixels
// it did (a multiple of eight).
__attribute__((target("avx2"))) int copyEightsSnapped(const std::uint32_t* from, std::uint32_t* to, int w,
                                                      std::uint32_t wanted, std::uint32_t limits)
{
    const __m256i target = _mm256_set1_epi32(int(wanted));
    const __m256i limit = _mm256_set1_epi32(int(limits));
    const __m256i key = _mm256_set1_epi32(int(SkinKeyPixel));
    int x = 0;
    for (; x + 8 <= w; x += 8) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
        const __m256i diff = _mm256_or_si256(_mm256_subs_epu8(p, target), _mm256_subs_epu8(target, p));
        const __m256i match = _mm256_cmpeq_epi32(_mm256_subs_epu8(diff, limit), _mm256_setzero_si256());
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), _mm256_blendv_epi8(p, key, match));
    }
    return x;
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

} // namespace
#endif

void SkinBitmap::copyRowSnapped(const std::uint32_t* from, std::uint32_t* to, int w, int r, int g, int b,
                                 int tolerance)
{
    // Runs over every pixel of every bitmap of a loading skin, so it works on
    // four pixels at a time where SSE2 is there: per byte |pixel - wanted|,
    // minus the tolerance with saturation, is zero exactly when the channel
    // is within the tolerance; alpha is left out of the comparison.
    const std::uint32_t span = std::uint32_t(2 * tolerance);
    int x = 0;
#ifdef __SSE2__
    const std::uint32_t wanted = std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
    const __m128i target = _mm_set1_epi32(int(wanted));
    // The tolerance per colour byte; 255 for alpha, which then never counts.
    const std::uint32_t t = std::uint32_t(tolerance) & 0xFF;
    const std::uint32_t limits = 0xFF000000u | t << 16 | t << 8 | t;
    const __m128i limit = _mm_set1_epi32(int(limits));
#ifdef CORVANE_SNAP_AVX2
    if (hasAvx2())
        x = copyEightsSnapped(from, to, w, wanted, limits);
#endif
    const __m128i key = _mm_set1_epi32(int(SkinKeyPixel));
    const auto snapFour = [&](int at) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at));
        const __m128i diff = _mm_or_si128(_mm_subs_epu8(p, target), _mm_subs_epu8(target, p));
        const __m128i over = _mm_subs_epu8(diff, limit);
        const __m128i match = _mm_cmpeq_epi32(over, _mm_setzero_si128());
        const __m128i result = _mm_or_si128(_mm_and_si128(match, key), _mm_andnot_si128(match, p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at), result);
    };
    for (; x + 4 <= w; x += 4)
        snapFour(x);
    // The last few pixels as the last four of the row, some of them again:
    // snapping a snapped pixel leaves it as it is, also in place.
    if (x < w && w >= 4) {
        snapFour(w - 4);
        x = w;
    }
#endif
    for (; x < w; ++x) {
        std::uint32_t p;
        std::memcpy(&p, from + x, 4);
        const bool near = std::uint32_t(int((p >> 16) & 0xFF) - r + tolerance) <= span &&
                          std::uint32_t(int((p >> 8) & 0xFF) - g + tolerance) <= span &&
                          std::uint32_t(int(p & 0xFF) - b + tolerance) <= span;
        to[x] = near ? SkinKeyPixel : p;
    }
}

namespace {

// A quick test before the full comparison, which every link runs against
// every bitmap of the skin: names of another length, or whose first or last
// characters are ASCII and differ in more than case, cannot be equal.
bool mayEqualIgnoringCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    if (a.isEmpty())
        return true;
    const auto sameAscii = [](QChar x, QChar y) {
        const char16_t cx = x.unicode(), cy = y.unicode();
        if (cx >= 0x80 || cy >= 0x80)
            return true;
        const auto lower = [](char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; };
        return lower(cx) == lower(cy);
    };
    return sameAscii(a.front(), b.front()) && sameAscii(a.back(), b.back());
}

} // namespace

void SkinBitmapLink::link(const SkinBitmapList* bitmaps)
{
    bitmap = nullptr;
    if (!bitmaps)
        return;
    // The whole list is searched: the last bitmap of the name wins.
    for (SkinBitmap* candidate : *bitmaps)
        if (mayEqualIgnoringCase(candidate->name, name) && candidate->name.compare(name, Qt::CaseInsensitive) == 0)
            bitmap = candidate;
}

} // namespace corvane::skin
