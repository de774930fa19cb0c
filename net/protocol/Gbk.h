#pragma once
// GBK (code page 936) is what game messages carry on the wire and what the
// program's Chinese texts are held as. Source strings are UTF-8; wire strings
// are std::string holding GBK bytes. The conversion goes through glibc iconv,
// because Qt 6.4 cannot encode GBK.

#include <string>
#include <string_view>

namespace corvane::protocol {

// UTF-8 text to GBK bytes. A character that GBK cannot hold becomes "?", as the
// system's own ANSI conversion does; an invalid UTF-8 byte becomes "?" too.
std::string utf8ToGbk(std::string_view utf8);

// GBK bytes to UTF-8 text. A byte sequence that is not GBK becomes U+FFFD, so
// anything a peer sends can be shown.
std::string gbkToUtf8(std::string_view gbk);

} // namespace corvane::protocol
