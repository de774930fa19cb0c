#include "MenuArt.h"

#include "ArtKit.h"
#include "Palette.h"

namespace ivory {

using namespace palette;

namespace {

void drawBarRows(QImage& image, int top, int width)
{
    // Light band with a paper highlight on top and a sand rule at the bottom,
    // separating the bar from the client area below it.
    fillRect(image, QRect(0, top, width, 1), kPaper);
    gradientV(image, QRect(0, top + 1, width, 18), kIvory, QColor(241, 236, 224));
    fillRect(image, QRect(0, top + 19, width, 1), kSand);
}

} // namespace

QImage drawMenu()
{
    QImage menu = keyedImage(136, 40);
    drawBarRows(menu, 0, 136);
    drawBarRows(menu, 20, 136);
    // Hot item: a flat taupe block with square ends (it must survive being
    // stretched or cut at any width), leaving the bar's top and bottom rows.
    gradientV(menu, QRect(15, 21, 52, 18), QColor(132, 120, 98), kTaupe);
    return menu;
}

QImage drawMenuBorders()
{
    QImage borders = keyedImage(12, 12);
    BoxStyle style;
    style.border = QColor(128, 116, 94);
    style.fillTop = kPopupFill;
    style.fillBottom = kPopupFill;
    style.highlight = kPaper;
    style.shade = kPaper;
    style.outside = QColor();
    roundedBox(borders, borders.rect(), Radii::all(0), style);
    return borders;
}

} // namespace ivory
