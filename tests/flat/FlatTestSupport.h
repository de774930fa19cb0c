#pragma once
// Helpers for the flat control tests: a shown, active top-level window to put
// controls on, pointer input delivered through the window system (so pointer
// grabs, enter/leave and the cursor position behave as on a desktop), and
// colour values read back from rendered pixels.
#include "flat/FlatColors.h"

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <QtGlobal>

#include <memory>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

namespace corvane::flat {
class FlatButton;
}

namespace flattest {

// Lets queued events (paints, activation, timers due) run.
void settle();

// A 300 x 200 top-level form that fills its background with `face`
// (0x00BBGGRR), as a dialog does; not shown yet.
std::unique_ptr<QWidget> dialogForm(quint32 face);

// Shows `window` at `pos` and makes it the active window.
void showActive(QWidget* window, QPoint pos = QPoint(100, 100));

// Moves the pointer to `pos` in `widget`'s coordinates.
void movePointer(QWidget* widget, QPoint pos);
// Moves the pointer there, then presses or releases `button`.
void press(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void release(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void click(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
// Parks the pointer in a corner of the screen, away from every test window.
void parkPointer();

// The colour value (0x00BBGGRR) of one rendered pixel of `widget`.
quint32 colorRefAt(QWidget* widget, int x, int y);
// Whether any rendered pixel of `widget` has exactly this colour value.
bool rendersColor(QWidget* widget, quint32 colorRef);

// A colour as the layouts write it (0x00BBGGRR).
inline quint32 toColorRef(const QColor& color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

// Whether the button is drawn with its hover look: raised (light at the top
// left) while up, with the focused face while latched down.
bool showsHoverLook(flat::FlatButton* button);

} // namespace flattest
