#pragma once
// The look the three dialogs share: "宋体" 12 pixels high, not scaled with the
// screen's pixel density, on the button-face colour, in a fixed-size window.

#include <QFont>

class QWidget;

namespace corvane::shell {

QFont dialogFont();

// A plain dialog frame: caption with a close button only, not resizable.
void applyDialogFrame(QWidget* dialog, int clientWidth, int clientHeight);

} // namespace corvane::shell
