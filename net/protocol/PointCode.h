#pragma once
// A point code is row * 10 + column (rows 1..10 from black's side, columns
// 1..9 from the left). Wherever a row and column are needed the code is cut
// into a row text and a column text by the length of its decimal text, and
// those texts travel in game messages as they are: row 10 travels as "10".

#include <string>
#include <string_view>

namespace corvane::protocol {

struct SplitPoint {
    std::string rowText;    // "1".."10" for a real point
    std::string columnText; // "1".."9" for a real point
    int row = 0;            // decimal value of rowText, 0 when it is no number
    int column = 0;         // decimal value of columnText, 0 when it is no number

    // True when the code named a point of the board (row 1..10, column 1..9).
    bool isOnBoard() const;
};

// "103" gives "10" and "3"; "45" gives "4" and "5". Any other length takes the
// first two characters as the row text and the third (if any) as the column.
SplitPoint splitPointCode(int code);

// The decimal value of rowText followed by columnText: "10" and "3" give 103.
// Both texts must be decimal digits only (as split from a code, or validated);
// throws std::invalid_argument otherwise.
int joinPointCode(std::string_view rowText, std::string_view columnText);

// True for "1".."10" (rowText) and "1".."9" (columnText) written the way a
// point code's split writes them: digits only, no sign, no leading zero.
bool isRowText(std::string_view text);
bool isColumnText(std::string_view text);

} // namespace corvane::protocol
