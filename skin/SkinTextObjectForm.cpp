// The text object form: a small tokenizer and recursive-descent reader, and
// the writer ("object Name: TClass" ... "end", CR LF line ends).
#include "skin/SkinObjectForm.h"

#include "skin/SkinProperties.h"
#include "skin/SkinTypes.h"

#include <array>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define CORVANE_HEX_AVX2 1
#endif
#include <cstring>
#include <limits>

namespace corvane::skin {

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw TSkinError(what);
}

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
                fail("Invalid binary value in object text");
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
        fail("Odd number of hexadecimal digits in a binary value");
    return o;
}

// Whether a word is the keyword `literal`: the length first, so that most
// words are told apart without comparing bytes.
template <size_t N> bool isWord(const QByteArray& word, const char (&literal)[N])
{
    return word.size() == qsizetype(N - 1) && std::memcmp(word.constData(), literal, N - 1) == 0;
}

bool isObjectKeyword(const QByteArray& word)
{
    return isWord(word, "object") || isWord(word, "inherited") || isWord(word, "inline");
}

class TextReader {
public:
    explicit TextReader(const QByteArray& text) : m_text(text) { }

    TSkinObjectRecord readObject(int depth)
    {
        if (depth > TSkinLimits::MaxNesting)
            fail("Skin objects are nested too deeply");
        const QByteArray keyword = identifier();
        if (!isObjectKeyword(keyword))
            fail("Object expected, found '" + keyword.toStdString() + "'");
        TSkinObjectRecord record;
        QByteArray first = identifier();
        if (peekChar() == ':') {
            ++m_pos;
            record.name = first;
            record.className = identifier();
        } else {
            record.className = first;
        }
        for (;;) {
            skipSpace();
            if (atEnd())
                fail("Unexpected end of object text (missing 'end')");
            const int save = m_pos;
            const QByteArray word = identifier();
            if (isWord(word, "end"))
                break;
            if (isObjectKeyword(word)) {
                m_pos = save;
                record.children.append(readObject(depth + 1));
                continue;
            }
            if (record.properties.size() >= TSkinLimits::MaxProperties)
                fail("Too many properties in one object");
            if (record.properties.isEmpty())
                record.properties.reserve(48);
            expect('=');
            record.properties.append({word, value()});
        }
        return record;
    }

    void expectEnd()
    {
        skipSpace();
        if (!atEnd())
            fail("Unexpected text after the object's 'end'");
    }

    bool more()
    {
        skipSpace();
        return !atEnd();
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipSpace()
    {
        while (!atEnd()) {
            const char c = m_text[m_pos];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                ++m_pos;
            else
                break;
        }
    }

    char peekChar()
    {
        skipSpace();
        return atEnd() ? '\0' : m_text[m_pos];
    }

    void expect(char c)
    {
        if (peekChar() != c)
            fail(std::string("'") + c + "' expected in object text");
        ++m_pos;
    }

    static bool isIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
    static bool isIdentChar(char c) { return isIdentStart(c) || (c >= '0' && c <= '9'); }

    // An identifier, possibly dotted ("Font.Color").
    QByteArray identifier()
    {
        skipSpace();
        if (atEnd() || !isIdentStart(m_text[m_pos]))
            fail("Identifier expected in object text");
        const int start = m_pos;
        while (!atEnd() && (isIdentChar(m_text[m_pos]) ||
                            (m_text[m_pos] == '.' && m_pos + 1 < m_text.size() && isIdentStart(m_text[m_pos + 1]))))
            ++m_pos;
        if (m_pos - start > 255)
            fail("Identifier too long in object text");
        return props::intern(m_text.constData() + start, m_pos - start);
    }

    TSkinValue value()
    {
        const char c = peekChar();
        if (c == '\'' || c == '#')
            return TSkinValue::fromString(stringValue());
        if (c == '-' || c == '+' || c == '$' || (c >= '0' && c <= '9'))
            return TSkinValue::fromInteger(integer());
        if (c == '[')
            return TSkinValue::fromSet(setValue());
        if (c == '{')
            return TSkinValue::fromBinary(binaryValue());
        if (isIdentStart(c)) {
            const QByteArray ident = identifier();
            if (isWord(ident, "True"))
                return TSkinValue::fromBool(true);
            if (isWord(ident, "False"))
                return TSkinValue::fromBool(false);
            return TSkinValue::fromIdent(ident);
        }
        fail("Invalid property value in object text");
    }

    qint64 integer()
    {
        skipSpace();
        bool negative = false;
        if (m_text[m_pos] == '-' || m_text[m_pos] == '+') {
            negative = m_text[m_pos] == '-';
            ++m_pos;
        }
        int base = 10;
        if (!atEnd() && m_text[m_pos] == '$') {
            base = 16;
            ++m_pos;
        }
        const int start = m_pos;
        quint64 v = 0;
        while (!atEnd()) {
            const char c = m_text[m_pos];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (base == 16 && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else
                break;
            if (v > (quint64(std::numeric_limits<qint64>::max()) - quint64(digit)) / quint64(base))
                fail("Integer out of range in object text");
            v = v * quint64(base) + quint64(digit);
            ++m_pos;
        }
        if (m_pos == start)
            fail("Invalid number in object text");
        if (!atEnd() && (m_text[m_pos] == '.' || isIdentChar(m_text[m_pos])))
            fail("Invalid number in object text");
        return negative ? -qint64(v) : qint64(v);
    }

    // 'quoted' parts ('' for a quote) and #nnn characters, joined with '+'.
    QByteArray stringValue()
    {
        QByteArray out;
        for (;;) {
            skipSpace();
            bool any = false;
            while (!atEnd() && (m_text[m_pos] == '\'' || m_text[m_pos] == '#')) {
                any = true;
                if (m_text[m_pos] == '\'') {
                    ++m_pos;
                    for (;;) {
                        if (atEnd())
                            fail("Unterminated string in object text");
                        const char c = m_text[m_pos++];
                        if (c == '\r' || c == '\n')
                            fail("Unterminated string in object text");
                        if (c == '\'') {
                            if (!atEnd() && m_text[m_pos] == '\'') {
                                out.append('\'');
                                ++m_pos;
                                continue;
                            }
                            break;
                        }
                        out.append(c);
                    }
                } else {
                    ++m_pos;
                    const qint64 code = integer();
                    if (code < 0 || code > 255)
                        fail("Character code out of range in object text");
                    out.append(char(code));
                }
                if (out.size() > TSkinLimits::MaxStringBytes)
                    fail("String too long in object text");
            }
            if (!any)
                fail("String expected in object text");
            if (peekChar() != '+')
                break;
            ++m_pos;
        }
        return out;
    }

    QList<QByteArray> setValue()
    {
        expect('[');
        QList<QByteArray> items;
        if (peekChar() == ']') {
            ++m_pos;
            return items;
        }
        for (;;) {
            items.append(identifier());
            if (items.size() > 256)
                fail("Set too large in object text");
            const char c = peekChar();
            ++m_pos;
            if (c == ']')
                break;
            if (c != ',')
                fail("',' or ']' expected in a set");
        }
        return items;
    }

    QByteArray binaryValue()
    {
        expect('{');
        const char* p = m_text.constData() + m_pos;
        const char* const end = m_text.constData() + m_text.size();
        const char* close = static_cast<const char*>(std::memchr(p, '}', size_t(end - p)));
        if (!close)
            fail("Unterminated binary value in object text");
        if ((close - p) / 2 > TSkinLimits::MaxBinaryBytes)
            fail("Binary value too long in object text");
        QByteArray out(qsizetype((close - p) / 2), Qt::Uninitialized);
        out.truncate(decodeHex(p, close, out.data()) - out.data());
        m_pos = int(close - m_text.constData()) + 1;
        return out;
    }

    const QByteArray& m_text;
    int m_pos = 0;
};

QByteArray quoteString(const QByteArray& s)
{
    if (s.isEmpty())
        return "''";
    QByteArray out;
    bool inQuotes = false;
    for (char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 32 && c < 127) {
            if (!inQuotes) {
                out.append('\'');
                inQuotes = true;
            }
            if (c == '\'')
                out.append("''");
            else
                out.append(ch);
        } else {
            if (inQuotes) {
                out.append('\'');
                inQuotes = false;
            }
            out.append('#').append(QByteArray::number(c));
        }
    }
    if (inQuotes)
        out.append('\'');
    return out;
}

void writeTextRecord(QByteArray& out, const TSkinObjectRecord& r, int indent)
{
    const QByteArray pad(indent, ' ');
    out += pad + "object ";
    if (!r.name.isEmpty())
        out += r.name + ": ";
    out += r.className + "\r\n";
    const QByteArray inner(indent + 2, ' ');
    for (const TSkinProperty& p : r.properties) {
        out += inner + p.name + " = ";
        const TSkinValue& v = p.value;
        switch (v.type) {
        case TSkinValue::Integer: out += QByteArray::number(v.integer); break;
        case TSkinValue::Identifier: out += v.text; break;
        case TSkinValue::String: out += quoteString(v.text); break;
        case TSkinValue::Boolean: out += v.boolean ? "True" : "False"; break;
        case TSkinValue::Set: out += "[" + v.items.join(", ") + "]"; break;
        case TSkinValue::Binary: {
            out += "{";
            const QByteArray hex = v.text.toHex().toUpper();
            const QByteArray hexPad(indent + 4, ' ');
            for (int i = 0; i < hex.size(); i += 64)
                out += "\r\n" + hexPad + hex.mid(i, 64);
            out += "}";
            break;
        }
        }
        out += "\r\n";
    }
    for (const TSkinObjectRecord& child : r.children)
        writeTextRecord(out, child, indent + 2);
    out += pad + "end\r\n";
}

} // namespace

TSkinObjectRecord readTextObject(const QByteArray& text)
{
    TextReader reader(text);
    TSkinObjectRecord record = reader.readObject(0);
    reader.expectEnd();
    return record;
}

QList<TSkinObjectRecord> readTextObjects(const QByteArray& text)
{
    TextReader reader(text);
    QList<TSkinObjectRecord> records;
    while (reader.more())
        records.append(reader.readObject(0));
    return records;
}

QByteArray writeTextObject(const TSkinObjectRecord& record)
{
    QByteArray out;
    writeTextRecord(out, record, 0);
    return out;
}
} // namespace corvane::skin
