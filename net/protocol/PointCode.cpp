#include "net/protocol/PointCode.h"

#include <stdexcept>

#include "game/Point.h"

namespace corvane::protocol {

namespace {

// The value of a text of decimal digits, or 0 when it is empty, holds anything
// else, or is too long to be a row or column.
int digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 2)
        return 0;
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return 0;
        value = value * 10 + (ch - '0');
    }
    return value;
}

} // namespace

bool SplitPoint::isOnBoard() const
{
    return isRowText(rowText) && isColumnText(columnText);
}

SplitPoint splitPointCode(int code)
{
    const std::string text = std::to_string(code);
    SplitPoint split;
    if (text.size() == 2) {
        split.rowText = text.substr(0, 1);
        split.columnText = text.substr(1, 1);
    } else {
        split.rowText = text.substr(0, 2);
        split.columnText = text.size() > 2 ? text.substr(2, 1) : std::string();
    }
    split.row = digitsValue(split.rowText);
    split.column = digitsValue(split.columnText);
    return split;
}

int joinPointCode(std::string_view rowText, std::string_view columnText)
{
    const std::string joined = std::string(rowText) + std::string(columnText);
    if (joined.empty() || joined.size() > 9)
        throw std::invalid_argument("'" + joined + "' is not a valid point code");
    int value = 0;
    for (char ch : joined) {
        if (ch < '0' || ch > '9')
            throw std::invalid_argument("'" + joined + "' is not a valid point code");
        value = value * 10 + (ch - '0');
    }
    return value;
}

bool isRowText(std::string_view text)
{
    if (text.empty() || text.front() == '0')
        return false;
    const int value = digitsValue(text);
    return value >= 1 && value <= game::Rows;
}

bool isColumnText(std::string_view text)
{
    return text.size() == 1 && text.front() >= '1' && text.front() <= '9';
}

} // namespace corvane::protocol
