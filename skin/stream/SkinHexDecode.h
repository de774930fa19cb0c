#pragma once
// Hex digits to bytes, for the binary values ("{...}") of object text.

namespace corvane::skin {

// Decodes the hex digits in [p, close), two to a byte with any white space
// between them, to bytes at `o` (room for half as many bytes as characters);
// returns the end of what was written. Throws SkinError on a character that
// is neither a digit nor white space, or on an odd number of digits.
char* decodeHex(const char* p, const char* close, char* o);

} // namespace corvane::skin
