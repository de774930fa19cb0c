#include "game/BoardLayout.h"

namespace corvane::game {

namespace {

constexpr std::array<PieceInfo, PieceCount> Pieces{{
    {Side::Black, PieceKind::Chariot, 11},  {Side::Black, PieceKind::Horse, 12},
    {Side::Black, PieceKind::Elephant, 13}, {Side::Black, PieceKind::Advisor, 14},
    {Side::Black, PieceKind::General, 15},  {Side::Black, PieceKind::Advisor, 16},
    {Side::Black, PieceKind::Elephant, 17}, {Side::Black, PieceKind::Horse, 18},
    {Side::Black, PieceKind::Chariot, 19},  {Side::Black, PieceKind::Cannon, 32},
    {Side::Black, PieceKind::Cannon, 38},   {Side::Black, PieceKind::Soldier, 41},
    {Side::Black, PieceKind::Soldier, 43},  {Side::Black, PieceKind::Soldier, 45},
    {Side::Black, PieceKind::Soldier, 47},  {Side::Black, PieceKind::Soldier, 49},
    {Side::Red, PieceKind::Soldier, 71},    {Side::Red, PieceKind::Soldier, 73},
    {Side::Red, PieceKind::Soldier, 75},    {Side::Red, PieceKind::Soldier, 77},
    {Side::Red, PieceKind::Soldier, 79},    {Side::Red, PieceKind::Cannon, 82},
    {Side::Red, PieceKind::Cannon, 88},     {Side::Red, PieceKind::Chariot, 101},
    {Side::Red, PieceKind::Horse, 102},     {Side::Red, PieceKind::Elephant, 103},
    {Side::Red, PieceKind::Advisor, 104},   {Side::Red, PieceKind::General, 105},
    {Side::Red, PieceKind::Advisor, 106},   {Side::Red, PieceKind::Elephant, 107},
    {Side::Red, PieceKind::Horse, 108},     {Side::Red, PieceKind::Chariot, 109},
}};

} // namespace

const std::array<PieceInfo, PieceCount>& pieceTable()
{
    return Pieces;
}

} // namespace corvane::game
