#include "net/protocol/ImageNames.h"

namespace corvane::protocol {

std::string imageName(int number)
{
    return "Image" + std::to_string(number);
}

int exactImageNumber(std::string_view name)
{
    constexpr std::string_view prefix = "Image";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 3 || name.substr(0, prefix.size()) != prefix)
        return 0;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() == '0')
        return 0;
    int value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9')
            return 0;
        value = value * 10 + (ch - '0');
    }
    return value;
}

std::optional<game::PieceId> findPiece(std::string_view name)
{
    const int number = exactImageNumber(name);
    if (number < FirstPieceNumber || number > LastPieceNumber)
        return std::nullopt;
    return pieceOfNumber(number);
}

std::optional<game::Point> findPoint(std::string_view name)
{
    const int number = exactImageNumber(name);
    if (number < FirstPointNumber || number > LastPointNumber)
        return std::nullopt;
    return pointOfNumber(number);
}

} // namespace corvane::protocol
