#pragma once
// Maps the font family names the windows are designed with onto fonts this
// desktop has: "宋体" to Noto Serif CJK SC; "MS Sans Serif" and "Verdana" to
// a sans family, with Noto Sans CJK SC drawing the Chinese glyphs. Call once
// at start-up, before any widget is created (CorvaneApplication does).
#include <QFont>
#include <QString>

namespace corvane {

void installFontSubstitutions();

// A font of the designed `family`, asked for by the installed families it
// stands for (the same look as QFont(family), without Qt first looking for a
// family that is not there).
QFont designedFont(const QString& family);

} // namespace corvane
