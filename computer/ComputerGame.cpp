#include "computer/ComputerGame.h"

#include "game/MoveRules.h"
#include "net/protocol/GameMessage.h"
#include "net/protocol/MessageText.h"
#include "net/protocol/MoveText.h"

namespace corvane::computer {

namespace {

using protocol::MoveKind;

struct Command {
    MoveKind kind;
    game::Side mover;
};

std::optional<Command> moveCommand(std::string_view word)
{
    namespace command = protocol::command;
    if (word == command::BlackMove)
        return Command{MoveKind::Move, game::Side::Black};
    if (word == command::RedMove)
        return Command{MoveKind::Move, game::Side::Red};
    if (word == command::BlackTakesRed)
        return Command{MoveKind::Capture, game::Side::Black};
    if (word == command::RedTakesBlack)
        return Command{MoveKind::Capture, game::Side::Red};
    if (word == command::RedGeneralTaken) // black took Image29
        return Command{MoveKind::GeneralTaken, game::Side::Black};
    if (word == command::BlackGeneralTaken) // red took Image6
        return Command{MoveKind::GeneralTaken, game::Side::Red};
    return std::nullopt;
}

bool isGeneral(game::PieceId id)
{
    return game::pieceInfo(id).kind == game::PieceKind::General;
}

} // namespace

ComputerGame::ComputerGame(game::Side computerSide) : m_side(computerSide)
{
    restart();
}

void ComputerGame::restart()
{
    m_position.reset();
    m_toMove = game::Side::Red;
    m_moves.clear();
}

Received ComputerGame::receive(std::string_view datagram)
{
    if (datagram.size() > protocol::MaxDatagramSize)
        return Received::Discarded;
    const protocol::MessageFields fields = protocol::splitMessage(datagram);
    const std::string& word = fields[0];
    if (word == protocol::command::Restart) {
        restart();
        return Received::Restart;
    }
    if (word == protocol::command::Close)
        return Received::Close;
    const std::optional<Command> command = moveCommand(word);
    if (!command)
        return Received::Ignored; // chat and anything unknown
    if (command->mover != opponentSide() || m_toMove != command->mover || isOver())
        return Received::Discarded;
    const std::optional<game::Move> told = protocol::decodeMove(fields, command->kind, command->mover);
    if (!told)
        return Received::Discarded;
    const std::optional<game::Move> legal = legalMove(command->mover, told->from, told->to);
    // The move the fields describe, and the names they give, must be the
    // same one move: the piece named, and the point or the taken piece.
    if (!legal || legal->piece != told->piece || legal->taken != told->taken ||
        (command->kind == MoveKind::Move && told->onto != told->to) ||
        legal->endsGame != (command->kind == MoveKind::GeneralTaken))
        return Received::Discarded;
    apply(*legal);
    return isOver() ? Received::ComputerLost : Received::OpponentMoved;
}

std::optional<game::Move> ComputerGame::legalMove(game::Side mover, game::Point from, game::Point to) const
{
    if (!from.isOnBoard() || !to.isOnBoard())
        return std::nullopt;
    const std::optional<game::PieceId> piece = m_position.pieceAt(from);
    if (!piece || game::pieceInfo(*piece).side != mover)
        return std::nullopt;
    game::Move move;
    move.piece = *piece;
    move.from = from;
    move.to = to;
    move.onto = to;
    if (const std::optional<game::PieceId> target = m_position.pieceAt(to)) {
        if (!game::judgeCapture(m_position, *piece, *target, from, to))
            return std::nullopt;
        move.taken = target;
        move.endsGame = isGeneral(*target);
    } else if (!m_position.isOccupied(to) && game::judgeMove(m_position, *piece, from, to)) {
        move.taken.reset();
    } else {
        return std::nullopt;
    }
    if (!move.endsGame)
        move.passTurnFrom = mover;
    return move;
}

std::optional<game::Move> ComputerGame::generalCapture() const
{
    if (!isComputerToMove())
        return std::nullopt;
    const game::Side opponent = opponentSide();
    game::PieceId general = 0;
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        if (isGeneral(id) && game::pieceInfo(id).side == opponent)
            general = id;
    }
    const game::Point target = m_position.piece(general).point;
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        if (game::pieceInfo(id).side != m_side || m_position.piece(id).taken)
            continue;
        if (std::optional<game::Move> move = legalMove(m_side, m_position.piece(id).point, target))
            return move;
    }
    return std::nullopt;
}

std::string ComputerGame::engineCommand() const
{
    std::string command = "position fen ";
    command += StartFen;
    if (!m_moves.empty()) {
        command += " moves";
        for (const std::string& move : m_moves)
            command += ' ' + move;
    }
    return command;
}

std::optional<game::Move> ComputerGame::moveFromEngine(std::string_view answer) const
{
    if (!isComputerToMove())
        return std::nullopt;
    const std::optional<UciMove> named = parseMove(answer);
    if (!named)
        return std::nullopt;
    return legalMove(m_side, named->from, named->to);
}

std::string ComputerGame::play(const game::Move& move)
{
    apply(move);
    return protocol::encodeMove(move);
}

void ComputerGame::apply(const game::Move& move)
{
    m_moves.push_back(moveText(move.from, move.to));
    m_position.apply(move);
    m_toMove = m_toMove == game::Side::Red ? game::Side::Black : game::Side::Red;
}

} // namespace corvane::computer
