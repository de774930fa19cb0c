#pragma once
// Maps the font family names the windows are designed with onto fonts this
// desktop has: "宋体" to Noto Serif CJK SC; "MS Sans Serif" and "Verdana" to
// a sans family, with Noto Sans CJK SC drawing the Chinese glyphs. Call once
// at start-up, before any widget is created (CorvaneApplication does).
namespace corvane {

void installFontSubstitutions();

} // namespace corvane
