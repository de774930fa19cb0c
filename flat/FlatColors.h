#pragma once
// Colour helpers shared by the flat controls: the 0x00BBGGRR colour values the
// dialog layouts are written in, the system colours of the button face and its
// bevels, and the lightness adjustment that derives hover, pressed and border
// colours from a base colour.
#include <QColor>
#include <QtGlobal>

class QWidget;

namespace corvane::flat {

// A colour from a value as stored with the layouts: blue in bits 16..23,
// green in 8..15, red in 0..7 (the reverse of QRgb).
QColor fromColorRef(quint32 value);

// Hue, saturation and lightness as fractions 0..1.
struct Hsl {
    double hue = 0;
    double saturation = 0;
    double lightness = 0;
};
Hsl rgbToHsl(const QColor& color);
QColor hslToRgb(const Hsl& hsl);

// The same model on the scale the adjustment works in: hue 0..239,
// saturation and lightness 0..240, each rounded to the nearest integer.
struct Hsl240 {
    int hue = 0;
    int saturation = 0;
    int lightness = 0;
};
Hsl240 rgbToHsl240(const QColor& color);
QColor hsl240ToRgb(const Hsl240& hsl);

enum class Lightness { Lighter, Darker };

// Derives a colour from `base` by `amount` (0..100) on the 240 scale. An amount
// of 0 returns `fallback` untouched. The lightness is raised by 10 first and a
// lightened value is capped at 100, so light colours that are "lightened" come
// out darker; the derived colours of the flat controls depend on exactly this.
QColor adjustLightness(const QColor& base, const QColor& fallback, int amount, Lightness direction);

// System colours of button faces and their bevels, taken from the widget's
// active palette (the platform's current colours).
QColor buttonFaceColor(const QWidget* widget);
QColor buttonHighlightColor(const QWidget* widget);
QColor buttonShadowColor(const QWidget* widget);
QColor windowTextColor(const QWidget* widget);

// The background colour of the widget's parent, or an invalid colour when it
// has none.
QColor parentBackgroundColor(const QWidget* widget);

} // namespace corvane::flat
