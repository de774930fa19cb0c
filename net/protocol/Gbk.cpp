#include "net/protocol/Gbk.h"

#include <cerrno>
#include <stdexcept>

#include <iconv.h>

namespace corvane::protocol {

namespace {

// Code page 936 as glibc names it (GBK with the euro sign at 0x80).
constexpr const char* GbkCharset = "CP936";

class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        if (m_handle == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`. For each byte sequence that the source charset does
    // not hold (or the target cannot hold), `replacement` is appended and
    // `skip(rest)` bytes are passed over.
    template <typename SkipFn> std::string convert(std::string_view input, std::string_view replacement, SkipFn skip)
    {
        std::string output;
        output.reserve(input.size() * 2 + 8);
        char buffer[512];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ: a bad or unconvertible sequence; EINVAL: cut off at the end.
            output += replacement;
            const std::size_t passed = errno == EINVAL ? inLeft : skip(std::string_view(in, inLeft));
            in += passed;
            inLeft -= passed;
            iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t m_handle;
};

// Length of the UTF-8 character starting `rest`, 1 when its first byte cannot
// start one, so that a character GBK lacks is replaced by a single "?".
std::size_t utf8CharacterLength(std::string_view rest)
{
    const auto lead = static_cast<unsigned char>(rest.front());
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    if (length > rest.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

} // namespace

std::string utf8ToGbk(std::string_view utf8)
{
    Converter converter(GbkCharset, "UTF-8");
    return converter.convert(utf8, "?", utf8CharacterLength);
}

std::string gbkToUtf8(std::string_view gbk)
{
    Converter converter("UTF-8", GbkCharset);
    return converter.convert(gbk, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
}

} // namespace corvane::protocol
