#pragma once
// Game messages on the wire: one message per UDP datagram, GBK bytes without
// length, header or terminator; seven fields separated by "|".

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "net/protocol/GameMessage.h"

namespace corvane::protocol {

// No valid game message comes near this; longer datagrams are discarded.
constexpr std::size_t MaxDatagramSize = 2048;

// The fixed messages. The digits 2..7 are fillers the receiver never reads.
inline constexpr std::string_view RestartMessage = "chongxin|2|3|4|5|6|7"; // 20 bytes
inline constexpr std::string_view CloseMessage = "close|2|3|4|5|6|7";      // 17 bytes
// "message|2|3|4|5|6|来自 " in GBK (23 bytes, ending in a blank).
std::string chatMessagePrefix();

// A whole chat message in GBK: the prefix, then date + two blanks + time +
// CR LF + the typed text as it stands. All three arguments are UTF-8.
std::string composeChatMessage(std::string_view dateUtf8, std::string_view timeUtf8, std::string_view textUtf8);

// The seven fields of a received message, as bytes (fields[0] is field 1).
using MessageFields = std::array<std::string, 7>;

// Splits as the receiver always has: six times, the text before the first "|"
// of the rest becomes the next field and is removed with its "|"; with no "|"
// left, the field is empty and the rest stays. Field 7 is what remains, so it
// keeps any further "|" and line ends.
MessageFields splitMessage(std::string_view bytes);

} // namespace corvane::protocol
