#pragma once
// The look the three dialogs share: "宋体" 12 pixels high, not scaled with the
// screen's pixel density, on the button-face colour, in a fixed-size window.

#include <QFont>
#include <QSize>

class QWidget;

namespace corvane::shell {

QFont dialogFont();

// Paints `window` in the platform's button-face colour. Only the window colour
// changes: the background role stays, so labels keep drawing in the window
// text colour (a Button background role would switch them to button text).
void useButtonFace(QWidget* window);

// A plain dialog frame: caption with a close button only, not resizable.
void applyDialogFrame(QWidget* dialog, QSize clientSize);

} // namespace corvane::shell
