// The text object form: a small tokenizer and recursive-descent reader.
#include "skin/model/SkinObjectForm.h"

#include "skin/stream/SkinHexDecode.h"
#include "skin/model/SkinProperties.h"
#include "skin/model/SkinObjectEvents.h"

#include <cstring>
#include <limits>

namespace corvane::skin {

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw SkinError(what);
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

    SkinObjectRecord readObject(int depth)
    {
        if (depth > SkinLimits::MaxNesting)
            fail("Skin objects are nested too deeply");
        const QByteArray keyword = identifier();
        if (!isObjectKeyword(keyword))
            fail("Object expected, found '" + keyword.toStdString() + "'");
        SkinObjectRecord record;
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
            if (record.properties.size() >= SkinLimits::MaxProperties)
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

    SkinValue value()
    {
        const char c = peekChar();
        if (c == '\'' || c == '#')
            return SkinValue::fromString(stringValue());
        if (c == '-' || c == '+' || c == '$' || (c >= '0' && c <= '9'))
            return SkinValue::fromInteger(integer());
        if (c == '[')
            return SkinValue::fromSet(setValue());
        if (c == '{')
            return SkinValue::fromBinary(binaryValue());
        if (isIdentStart(c)) {
            const QByteArray ident = identifier();
            if (isWord(ident, "True"))
                return SkinValue::fromBool(true);
            if (isWord(ident, "False"))
                return SkinValue::fromBool(false);
            return SkinValue::fromIdent(ident);
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
                if (out.size() > SkinLimits::MaxStringBytes)
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
        if ((close - p) / 2 > SkinLimits::MaxBinaryBytes)
            fail("Binary value too long in object text");
        QByteArray out(qsizetype((close - p) / 2), Qt::Uninitialized);
        out.truncate(decodeHex(p, close, out.data()) - out.data());
        m_pos = int(close - m_text.constData()) + 1;
        return out;
    }

    const QByteArray& m_text;
    int m_pos = 0;
};

} // namespace

SkinObjectRecord readTextObject(const QByteArray& text)
{
    TextReader reader(text);
    SkinObjectRecord record = reader.readObject(0);
    reader.expectEnd();
    return record;
}

QList<SkinObjectRecord> readTextObjects(const QByteArray& text)
{
    TextReader reader(text);
    QList<SkinObjectRecord> records;
    while (reader.more())
        records.append(reader.readObject(0));
    return records;
}

} // namespace corvane::skin
