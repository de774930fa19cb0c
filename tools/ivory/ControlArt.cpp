#include "ControlArt.h"

#include "ArtKit.h"
#include "Palette.h"

#include <QPainterPath>

namespace ivory {

using namespace palette;

namespace {

enum class Face { Normal, Hot, Pressed, Disabled, Focused };

// The shared look of every raised face (buttons, arrow buttons, thumbs).
BoxStyle faceStyle(Face face)
{
    BoxStyle style;
    switch (face) {
    case Face::Normal:
        style = {QColor(158, 146, 122), kPaper, QColor(234, 226, 210), Qt::white, QColor(228, 220, 204)};
        break;
    case Face::Hot: style = {kTaupe, Qt::white, QColor(245, 232, 204), Qt::white, QColor(236, 220, 188)}; break;
    case Face::Pressed:
        style = {kUmber, QColor(216, 206, 184), QColor(236, 229, 214), QColor(202, 190, 166), QColor()};
        break;
    case Face::Disabled: style = {kDisabledBorder, kDisabledFace, kDisabledFace, QColor(), QColor()}; break;
    case Face::Focused:
        style = {kUmber, kPaper, QColor(234, 226, 210), QColor(190, 174, 144), QColor(190, 174, 144)};
        break;
    }
    style.outside = kKey;
    return style;
}

// A filled triangle of crisp pixels: `size` rows, the widest 2 * size - 1
// wide, pointing in the given direction, centred on (cx, cy).
enum class Direction { Up, Down, Left, Right };
void triangle(QImage& image, int cx, int cy, int size, Direction direction, const QColor& color)
{
    for (int step = 0; step < size; ++step) {
        const int half = step; // row `step` from the tip is 2 * step + 1 wide
        for (int i = -half; i <= half; ++i) {
            int x = cx + i, y = cy + step - size / 2;
            switch (direction) {
            case Direction::Up: break;
            case Direction::Down: y = cy + (size - 1 - step) - size / 2; break;
            case Direction::Left:
                x = cx + step - size / 2;
                y = cy + i;
                break;
            case Direction::Right:
                x = cx + (size - 1 - step) - size / 2;
                y = cy + i;
                break;
            }
            image.setPixel(x, y, color.rgb());
        }
    }
}

QColor glyphColor(Face face)
{
    return face == Face::Disabled ? kDisabledGlyph : kInk;
}

} // namespace

QImage drawButtonFaces()
{
    QImage faces = keyedImage(225, 20);
    const Face order[] = {Face::Normal, Face::Pressed, Face::Disabled, Face::Hot, Face::Focused};
    for (int i = 0; i < 5; ++i)
        roundedBox(faces, QRect(i * 45, 0, 45, 20), Radii::all(3), faceStyle(order[i]));
    return faces;
}

namespace {

QImage drawChoiceBoxes(bool round)
{
    QImage strip = keyedImage(56, 14);
    for (int cell = 0; cell < 4; ++cell) {
        const bool checked = cell % 2 == 1, disabled = cell >= 2;
        const QRect box(cell * 14, 0, 13, 13);
        BoxStyle style;
        style.border = disabled ? kDisabledBorder : kStone;
        style.fillTop = disabled ? kDisabledFace : QColor(236, 230, 218);
        style.fillBottom = disabled ? kDisabledFace : Qt::white;
        style.outside = kKey;
        roundedBox(strip, box, round ? Radii::all(6) : Radii::all(2), style);
        if (!checked)
            continue;
        const QColor mark = disabled ? kDisabledGlyph : kTaupe;
        QPainterPath path;
        if (round) {
            path.addEllipse(QPointF(6.5, 6.5), 2.6, 2.6);
        } else {
            // A tick: short stroke down-right, long stroke up-right.
            path.moveTo(3, 6);
            path.lineTo(5.5, 8.5);
            path.lineTo(10, 3.5);
            path.lineTo(10.2, 5.6);
            path.lineTo(5.5, 10.5);
            path.lineTo(3, 8);
            path.closeSubpath();
        }
        paintPath(strip, box.topLeft(), path, mark);
    }
    return strip;
}

} // namespace

QImage drawCheckBoxes()
{
    return drawChoiceBoxes(false);
}
QImage drawRadioButtons()
{
    return drawChoiceBoxes(true);
}

QImage drawArrows(bool withFaces)
{
    // Cells: 0-3 up, 4-7 down, 8-11 left, 12-15 right, 16-19 drop-down, each
    // normal, hot, pressed, disabled; 20 small up, 21 small down (spin buttons),
    // 22 an empty face.
    QImage strip = keyedImage(368, 16);
    const Face states[] = {Face::Normal, Face::Hot, Face::Pressed, Face::Disabled};
    const Direction directions[] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right, Direction::Down};
    for (int group = 0; group < 5; ++group) {
        for (int s = 0; s < 4; ++s) {
            const int cell = group * 4 + s;
            const QRect rect(cell * 16, 0, 16, 16);
            if (withFaces)
                roundedBox(strip, rect, Radii::all(2), faceStyle(states[s]));
            const int shift = states[s] == Face::Pressed ? 1 : 0;
            const int size = group == 4 ? 3 : 4;
            triangle(strip, rect.left() + 7 + shift, rect.top() + 7 + shift + (group == 4 ? 1 : 0), size,
                     directions[group], glyphColor(states[s]));
        }
    }
    for (int i = 0; i < 3; ++i) {
        const QRect rect((20 + i) * 16, 0, 16, 16);
        if (withFaces)
            roundedBox(strip, rect, Radii::all(2), faceStyle(Face::Normal));
        if (i < 2)
            triangle(strip, rect.left() + 7, rect.top() + 7, 3, i == 0 ? Direction::Up : Direction::Down, kInk);
    }
    return strip;
}

QImage drawScrollThumbs(bool horizontal)
{
    // Normal, hot, pressed, disabled thumbs, 16 x 16 each, for 4-px margins.
    QImage strip = keyedImage(64, 16);
    const Face states[] = {Face::Normal, Face::Hot, Face::Pressed, Face::Disabled};
    for (int s = 0; s < 4; ++s) {
        QImage cell = keyedImage(16, 16);
        roundedBox(cell, cell.rect(), Radii::all(2), faceStyle(states[s]));
        // A vertical thumb shades across its width: the horizontal picture turned.
        if (!horizontal)
            cell = cell.transformed(QTransform().rotate(90));
        copyRect(strip, QPoint(s * 16, 0), cell, cell.rect());
    }
    return strip;
}

QImage drawScrollTracks(bool horizontal)
{
    // Normal, pressed (page scrolling), disabled track pieces, 16 x 16 each.
    QImage strip = keyedImage(48, 16);
    const QColor fills[] = {QColor(236, 231, 220), QColor(218, 208, 188), kDisabledFace};
    for (int s = 0; s < 3; ++s) {
        QImage cell(16, 16, QImage::Format_RGB32);
        gradientV(cell, cell.rect(), mix(fills[s], kSand, 0.25), fills[s]);
        fillRect(cell, QRect(0, 0, 16, 1), kSand);
        fillRect(cell, QRect(0, 15, 16, 1), kPaper);
        if (!horizontal)
            cell = cell.transformed(QTransform().rotate(-90));
        copyRect(strip, QPoint(s * 16, 0), cell, cell.rect());
    }
    return strip;
}

QImage drawPanelBorder()
{
    QImage border = keyedImage(12, 12);
    BoxStyle style{kStone, kIvory, kIvory, Qt::white, kCream};
    style.outside = QColor();
    roundedBox(border, border.rect(), Radii::all(0), style);
    return border;
}

QImage drawTabs()
{
    // Four 25 x 16 tab headers: normal, hot, selected, disabled. Only the top
    // corners are round; the bottom edge joins the page below.
    QImage strip = keyedImage(100, 16);
    for (int s = 0; s < 4; ++s) {
        BoxStyle style;
        switch (s) {
        case 0: style = {kStone, kCream, QColor(230, 222, 206), kPaper, QColor()}; break;
        case 1: style = {kTaupe, kPaper, kCream, Qt::white, QColor()}; break;
        case 2: style = {kStone, Qt::white, kIvory, Qt::white, QColor()}; break;
        default: style = {kDisabledBorder, kDisabledFace, kDisabledFace, QColor(), QColor()}; break;
        }
        style.outside = kKey;
        const int lift = s == 2 ? 0 : 2; // the selected tab stands taller
        roundedBox(strip, QRect(s * 25, lift, 25, 16 - lift + 1), Radii{3, 3, 0, 0}, style);
    }
    return strip;
}

QImage drawProgressBars()
{
    // 0..31 the sunken track, 32..63 the filled bar; both for 3-px margins.
    QImage strip = keyedImage(64, 16);
    BoxStyle track{kStone, QColor(224, 216, 200), QColor(238, 233, 223), QColor(214, 205, 188), QColor()};
    track.outside = kKey;
    roundedBox(strip, QRect(0, 0, 32, 16), Radii::all(2), track);
    BoxStyle bar{kUmber, QColor(160, 148, 124), kTaupe, QColor(184, 172, 148), QColor()};
    bar.outside = kKey;
    roundedBox(strip, QRect(32, 0, 32, 16), Radii::all(2), bar);
    return strip;
}

QImage drawToolButtons()
{
    // Four 15 x 15 flat tool buttons: normal (nothing but the background),
    // hot, pressed, checked.
    QImage strip = keyedImage(60, 15);
    const Face states[] = {Face::Hot, Face::Pressed, Face::Focused};
    for (int s = 0; s < 3; ++s)
        roundedBox(strip, QRect((s + 1) * 15, 0, 15, 15), Radii::all(2), faceStyle(states[s]));
    return strip;
}

} // namespace ivory
