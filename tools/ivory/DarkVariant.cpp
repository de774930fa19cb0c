#include "DarkVariant.h"

#include "Palette.h"

#include <algorithm>

namespace ivory {

namespace {

// Within this distance of magenta a pixel is the key colour to the loader.
bool isKey(QRgb pixel)
{
    return qRed(pixel) > 255 - 6 && qGreen(pixel) < 6 && qBlue(pixel) > 255 - 6;
}

constexpr int kNoneColor = 0x1FFFFFFF;

QColor fromSkinColor(int value)
{
    if (value & 0x80000000)
        return Qt::black; // clWindowText, the only system colour used
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void darken(int& skinColor)
{
    if (skinColor == kNoneColor)
        return;
    skinColor = palette::toSkinColor(darkColor(fromSkinColor(skinColor)));
}

using namespace corvane::skin;

void darken(SkinFont& font)
{
    darken(font.color);
}

// Every colour the object's class stores, then the children's.
void darken(SkinObject& object)
{
    darken(object.color);
    darken(object.font);
    if (auto* active = dynamic_cast<SkinActiveObject*>(&object)) {
        darken(active->activeColor);
        darken(active->activeFont);
    }
    if (auto* active = dynamic_cast<SkinActiveBitmap*>(&object))
        darken(active->activeFont);
    if (auto* text = dynamic_cast<SkinTextObject*>(&object))
        for (SkinFont* font : {&text->fontHot, &text->fontFocused, &text->fontPressed, &text->fontDisabled})
            darken(*font);
    for (const auto& child : object.children())
        darken(*child);
}

} // namespace

SkinHeader ebonyHeader()
{
    return {QStringLiteral("Ebony"), QStringLiteral("1.0.0"), QStringLiteral("Corvane"),
            QStringLiteral("skins@corvane.invalid"), QString()};
}

QColor darkColor(const QColor& color)
{
    const QColor hsl = color.toHsl();
    // Lightness 1 (paper) goes to 0.11, 0 (ink) to 0.86: the contrast between
    // surfaces and text stays about what it was.
    const double lightness = 0.11 + 0.75 * (1.0 - hsl.lightnessF());
    const double saturation = std::min(1.0, hsl.hslSaturationF() * 0.9);
    return QColor::fromHslF(hsl.hslHueF() < 0 ? 0 : hsl.hslHueF(), saturation, lightness).toRgb();
}

void makeDark(BitmapList& bitmaps, ObjectList& objects)
{
    for (NamedBitmap& bitmap : bitmaps) {
        QImage image = bitmap.image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (!isKey(row[x]))
                    row[x] = darkColor(QColor(row[x])).rgb();
        }
        bitmap.image = image;
    }
    for (const ObjectTree& object : objects)
        darken(*object);
}

} // namespace ivory
