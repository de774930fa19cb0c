// Hex decoding of the binary values in object text, with vector steps for
// the long runs of digits that make up most of a skin's object text.
#include "skin/stream/SkinHexDecode.h"

#include "skin/stream/SkinStoredTypes.h"

#include <array>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define CORVANE_HEX_AVX2 1
#endif

namespace corvane::skin {

namespace {

// Hex digits, two per byte, with any white space between them. The
// "Objects" blocks make up most of a skin's object text, so decoding runs over
// a table on raw pointers.
const std::array<signed char, 256>& hexDigitValues()
{
    static const auto table = [] {
        std::array<signed char, 256> values{};
        values.fill(-1);
        for (int i = 0; i < 10; ++i)
            values['0' + i] = static_cast<signed char>(i);
        for (int i = 0; i < 6; ++i) {
            values['A' + i] = static_cast<signed char>(10 + i);
            values['a' + i] = static_cast<signed char>(10 + i);
        }
        return values;
    }();
    return table;
}

#ifdef __SSE2__
// Sixteen digits without white space to eight bytes at `o`; false, writing
// nothing, when the sixteen characters at `p` are not all hex digits.
bool decodeSixteenHexDigits(const char* p, char* o)
{
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // Offsets from '0' and (either case) from 'a'; each is in range (0..9,
    // 0..5) exactly when the character is that kind of digit.
    const __m128i fromDigit = _mm_sub_epi8(c, _mm_set1_epi8('0'));
    const __m128i fromLetter = _mm_sub_epi8(_mm_or_si128(c, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(fromDigit, _mm_set1_epi8(9)), fromDigit);
    const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(fromLetter, _mm_set1_epi8(5)), fromLetter);
    if (_mm_movemask_epi8(_mm_or_si128(isDigit, isLetter)) != 0xFFFF)
        return false;
    // A digit's offset from 'a' wraps round above 0xC0 and a letter's offset
    // from '0' is at least 0x11: the smaller of the two, with letters counted
    // from 10, is the digit's value.
    const __m128i digits = _mm_min_epu8(fromDigit, _mm_add_epi8(fromLetter, _mm_set1_epi8(10)));
    // Little-endian 16-bit lanes hold (first digit, second digit).
    const __m128i first = _mm_and_si128(digits, _mm_set1_epi16(0x00FF));
    const __m128i second = _mm_srli_epi16(digits, 8);
    const __m128i bytes = _mm_or_si128(_mm_slli_epi16(first, 4), second);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(o), _mm_packus_epi16(bytes, bytes));
    return true;
}

#ifdef CORVANE_HEX_AVX2
// Where the processor has AVX2 (checked at run time), thirty-two digits at a
// time, the same way, to sixteen bytes at `o`.
__attribute__((target("avx2"))) bool decodeThirtyTwoHexDigits(const char* p, char* o)
{
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i fromDigit = _mm256_sub_epi8(c, _mm256_set1_epi8('0'));
    const __m256i fromLetter = _mm256_sub_epi8(_mm256_or_si256(c, _mm256_set1_epi8(0x20)), _mm256_set1_epi8('a'));
    const __m256i isDigit = _mm256_cmpeq_epi8(_mm256_min_epu8(fromDigit, _mm256_set1_epi8(9)), fromDigit);
    const __m256i isLetter = _mm256_cmpeq_epi8(_mm256_min_epu8(fromLetter, _mm256_set1_epi8(5)), fromLetter);
    if (_mm256_movemask_epi8(_mm256_or_si256(isDigit, isLetter)) != -1)
        return false;
    const __m256i digits = _mm256_min_epu8(fromDigit, _mm256_add_epi8(fromLetter, _mm256_set1_epi8(10)));
    // first * 16 + second in each 16-bit lane, packed to bytes per 128-bit
    // half; the two halves' eight bytes then put side by side.
    const __m256i pairs = _mm256_maddubs_epi16(digits, _mm256_set1_epi16(0x0110));
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(pairs, pairs), 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_castsi256_si128(packed));
    return true;
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// How many of the sixteen characters at `p` are white space before the
// first that is not (16 when all are).
int leadingSpaceOfSixteen(const char* p)
{
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i space =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(c, _mm_set1_epi8('\r'))),
                     _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(c, _mm_set1_epi8('\t'))));
    return __builtin_ctz(~unsigned(_mm_movemask_epi8(space)) | 0x10000u);
}
#endif

bool isHexSpace(unsigned char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

// Decodes the hex digits in [p, close) to bytes at `o` (room for half as
// many bytes as characters); returns the end of what was written.
} // namespace

char* decodeHex(const char* p, const char* close, char* o)
{
    const auto& digitValue = hexDigitValues();
    int high = -1;
#ifdef CORVANE_HEX_AVX2
    const bool wide = hasAvx2();
#endif
    while (p < close) {
#ifdef __SSE2__
#ifdef CORVANE_HEX_AVX2
        while (wide && high < 0 && close - p >= 32 && decodeThirtyTwoHexDigits(p, o)) {
            o += 16;
            p += 32;
        }
#endif
        while (high < 0 && close - p >= 16 && decodeSixteenHexDigits(p, o)) {
            o += 8;
            p += 16;
        }
        if (p >= close)
            break;
        // A line end and the next line's indent, all at once.
        if (close - p >= 16) {
            if (const int space = leadingSpaceOfSixteen(p)) {
                p += space;
                continue;
            }
        }
#endif
        // Two digits to a byte; the vector loop above takes the long runs,
        // so this sees only line ends and short tails (a 64 K pair table
        // here would cost more to build and keep than it saves).
        if (high < 0 && close - p >= 2) {
            const int first = digitValue[static_cast<unsigned char>(p[0])];
            const int second = digitValue[static_cast<unsigned char>(p[1])];
            if (first >= 0 && second >= 0) {
                *o++ = char(first * 16 + second);
                p += 2;
                continue;
            }
        }
        const unsigned char c = static_cast<unsigned char>(*p++);
        const int digit = digitValue[c];
        if (digit < 0) {
            if (!isHexSpace(c))
                throw SkinError("Invalid binary value in object text");
            // The rest of a line end and the next line's indent in one go:
            // going round the loop per character would retry the vector
            // decode at every one of them.
            while (p < close && isHexSpace(static_cast<unsigned char>(*p)))
                ++p;
            continue;
        }
        if (high < 0) {
            high = digit;
        } else {
            *o++ = char(high * 16 + digit);
            high = -1;
        }
    }
    if (high >= 0)
        throw SkinError("Odd number of hexadecimal digits in a binary value");
    return o;
}

} // namespace corvane::skin
