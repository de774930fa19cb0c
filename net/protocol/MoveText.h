#pragma once
// Moves and captures on the wire. A piece travels as the name of its picture,
// "Image2".."Image33"; a point as the name of the invisible picture that
// receives drops on it, "Image34".."Image123", or as a row text and a column
// text split from its point code (row 10 travels as "10").
//
// A peer may send anything. Before a received move or capture touches the
// position, its names must denote a piece, and a point (moves) or a piece
// (captures), and its row and column fields must be "1".."10" and "1".."9";
// otherwise the datagram is discarded whole.

#include <optional>
#include <string>
#include <string_view>

#include "game/Position.h"
#include "net/protocol/MessageText.h"

namespace corvane::protocol {

// "Image" + the piece's number, as the window names the piece's picture.
std::string pieceName(game::PieceId piece);
// "Image" + 34 + 9 * (row - 1) + (column - 1).
std::string pointName(game::Point point);

// The piece or point a received name denotes, found as the window finds its
// pictures: ignoring the letter case, otherwise exactly.
std::optional<game::PieceId> pieceNamed(std::string_view name);
std::optional<game::Point> pointNamed(std::string_view name);

// The message a local move or capture sends: the command word of the mover's
// side ("blksky", "blkred", "redjiangdead", ...), the piece's name, the
// target's name (the point's, or the taken piece's), then the from and to
// rows and columns as split from their point codes.
std::string encodeMove(const game::Move& move);

// What a received move or capture does; `fields[0]` is not read.
enum class MoveKind { Move, Capture, GeneralTaken };
// `mover` is the side named by the command word: for moves and captures its
// pieces are locked and the other side's freed; a taken general changes no
// lock. Nothing when the fields do not pass the checks above.
std::optional<game::Move> decodeMove(const MessageFields& fields, MoveKind kind, game::Side mover);

} // namespace corvane::protocol
