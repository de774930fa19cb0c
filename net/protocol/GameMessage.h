#pragma once
// The text of a game message: seven fields joined by "|", field 1 the command
// word.

#include <string>
#include <string_view>

namespace corvane::protocol {

namespace command {
inline constexpr std::string_view BlackMove = "blksky";
inline constexpr std::string_view RedMove = "redsky";
inline constexpr std::string_view BlackTakesRed = "blkred";
inline constexpr std::string_view RedTakesBlack = "redblk";
inline constexpr std::string_view BlackGeneralTaken = "blkjiangdead"; // red took Image6
inline constexpr std::string_view RedGeneralTaken = "redjiangdead";   // black took Image29
inline constexpr std::string_view Restart = "chongxin";
inline constexpr std::string_view Chat = "message";
inline constexpr std::string_view Close = "close";
} // namespace command

constexpr char FieldSeparator = '|';
constexpr int FieldCount = 7;

// field1 "|" field2 "|" ... "|" field7, nothing before or after. The fields are
// taken as bytes; the caller passes GBK (move and capture fields are ASCII).
std::string composeMessage(std::string_view field1, std::string_view field2, std::string_view field3,
                           std::string_view field4, std::string_view field5, std::string_view field6,
                           std::string_view field7);

} // namespace corvane::protocol
