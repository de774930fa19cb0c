#include "flat/FlatColors.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace corvane::flat {

namespace {

int roundToInt(double value)
{
    return int(std::lround(value));
}

int toByte(double fraction)
{
    return std::clamp(roundToInt(fraction * 255.0), 0, 255);
}

// One channel of the HSL to RGB conversion: h is a hue offset that is first
// wrapped into 0..1.
double hueToChannel(double m1, double m2, double h)
{
    if (h < 0)
        h += 1;
    if (h > 1)
        h -= 1;
    if (6 * h < 1)
        return m1 + (m2 - m1) * 6 * h;
    if (2 * h < 1)
        return m2;
    if (3 * h < 2)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
    return m1;
}

} // namespace

QColor fromColorRef(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

Hsl rgbToHsl(const QColor& color)
{
    const double r = color.red() / 255.0;
    const double g = color.green() / 255.0;
    const double b = color.blue() / 255.0;
    const double maxC = std::max({r, g, b});
    const double minC = std::min({r, g, b});
    Hsl hsl;
    hsl.lightness = (maxC + minC) / 2;
    if (maxC == minC)
        return hsl;
    const double d = maxC - minC;
    hsl.saturation = hsl.lightness < 0.5 ? d / (maxC + minC) : d / (2 - maxC - minC);
    double hue;
    if (r == maxC)
        hue = (g - b) / d;
    else if (g == maxC)
        hue = 2 + (b - r) / d;
    else
        hue = 4 + (r - g) / d;
    hue /= 6;
    if (hue < 0)
        hue += 1;
    hsl.hue = hue;
    return hsl;
}

QColor hslToRgb(const Hsl& hsl)
{
    const double l = hsl.lightness;
    const double s = hsl.saturation;
    if (s == 0) {
        const int grey = toByte(l);
        return QColor(grey, grey, grey);
    }
    const double m2 = l > 0.5 ? l + s - l * s : l * (1 + s);
    const double m1 = 2 * l - m2;
    return QColor(toByte(hueToChannel(m1, m2, hsl.hue + 1.0 / 3.0)), toByte(hueToChannel(m1, m2, hsl.hue)),
                  toByte(hueToChannel(m1, m2, hsl.hue - 1.0 / 3.0)));
}

Hsl240 rgbToHsl240(const QColor& color)
{
    const Hsl hsl = rgbToHsl(color);
    return {roundToInt(hsl.hue * 239), roundToInt(hsl.saturation * 240), roundToInt(hsl.lightness * 240)};
}

QColor hsl240ToRgb(const Hsl240& hsl)
{
    return hslToRgb({hsl.hue / 239.0, hsl.saturation / 240.0, hsl.lightness / 240.0});
}

QColor adjustLightness(const QColor& base, const QColor& fallback, int amount, Lightness direction)
{
    if (amount == 0)
        return fallback;
    Hsl240 hsl = rgbToHsl240(base);
    hsl.lightness += 10;
    if (direction == Lightness::Lighter) {
        hsl.lightness += amount;
        if (hsl.lightness > 100)
            hsl.lightness = 100;
    } else {
        hsl.lightness -= amount;
        if (hsl.lightness < 0)
            hsl.lightness = 0;
    }
    return hsl240ToRgb(hsl);
}

QColor buttonFaceColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, QPalette::Button);
}

QColor buttonHighlightColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, QPalette::Light);
}

QColor buttonShadowColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, QPalette::Dark);
}

QColor windowTextColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

QColor parentBackgroundColor(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return QColor();
    return parent->palette().color(QPalette::Active, parent->backgroundRole());
}

} // namespace corvane::flat
