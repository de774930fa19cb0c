#pragma once
// The link messages two Corvanes add to the game messages, so that a lossy
// network loses nothing: discovery, numbered moves with acknowledgement and a
// digest of the position, repair by whole position, restart and chat that are
// resent until acknowledged. Each is a game message of seven fields whose
// command word is none of the nine a V1.0 receiver knows, so a V1.0 peer
// ignores them; they are only ever sent to a peer that has shown it speaks
// them (hellos excepted).
//
// Decoding is as strict as for moves: every number is decimal without sign or
// leading zero, every digest and nonce lower-case hexadecimal of its exact
// length, every reserved field "0"; anything else is discarded whole.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/Position.h"

namespace corvane::protocol {

namespace command {
inline constexpr std::string_view LinkHello = "cvhello";     // |nonce|answered nonce or 0|epoch|ply|digest|1
inline constexpr std::string_view LinkMove = "cvmove";       // |epoch|ply|digest|ack|0|the V1.0 move text
inline constexpr std::string_view LinkAck = "cvack";         // |epoch|ply|digest|0|0|0
inline constexpr std::string_view LinkAskBoard = "cvwhere";  // |epoch|ply|0|0|0|0
inline constexpr std::string_view LinkBoard = "cvboard";     // |epoch|ply|digest|turn|0|pieces/occupancy
inline constexpr std::string_view LinkRestart = "cvrestart"; // |epoch|0|0|0|0|0
inline constexpr std::string_view LinkChat = "cvchat";       // |number|0|0|0|0|field 7 of the V1.0 chat
inline constexpr std::string_view LinkChatAck = "cvchatack"; // |number|0|0|0|0|0
} // namespace command

// The protocol version a hello carries.
inline constexpr std::uint32_t LinkVersion = 1;

enum class LinkWord { Hello, Move, Ack, AskBoard, Board, Restart, Chat, ChatAck };

// Which side the receiver of a whole position may move.
enum class LinkTurn { Both, Black, Red, None };

// One link message. Fields a word does not use stay at their defaults.
struct LinkMessage {
    LinkWord word = LinkWord::Hello;
    std::uint64_t nonce = 0;    // Hello: the sender's
    std::uint64_t answered = 0; // Hello: the nonce of the hello this answers, 0 for a hello of its own
    std::uint32_t epoch = 0;    // raised by each restart
    std::uint32_t ply = 0;      // moves applied since the reset (Move: this move's)
    std::uint32_t digest = 0;   // of the position after `ply`
    std::uint32_t ack = 0;      // Move: the last ply the sender has applied
    std::uint32_t number = 0;   // Chat, ChatAck: the line's number
    LinkTurn turn = LinkTurn::Both; // Board
    std::string payload;        // Move: the V1.0 move text; Chat: its field 7; Board: the position

    bool operator==(const LinkMessage&) const = default;
};

// The message's bytes.
std::string encodeLinkMessage(const LinkMessage& message);

// The link message in `bytes`, or nothing: not a link word, or malformed.
std::optional<LinkMessage> decodeLinkMessage(std::string_view bytes);

// True when field 1 of `bytes` is a link word (well formed or not).
bool isLinkWord(std::string_view bytes);

// CRC-32 of the shown pieces' points (one byte each, 0 when taken, in piece
// order) followed by the 90 occupancy bytes.
std::uint32_t positionDigest(const game::Position& position);

// A whole position as a Board message carries it: the 32 pieces' point codes
// (0 when taken) joined by ",", then "/", then the 90 occupancy cells as
// "0"/"1".
std::string encodeBoardText(const game::Position& position);

// The position `text` describes, with `turn` free to move; nothing when the
// text is malformed (a point off the board, two shown pieces on one point, a
// shown piece on an empty cell).
std::optional<game::Position> decodeBoardText(std::string_view text, LinkTurn turn);

} // namespace corvane::protocol
