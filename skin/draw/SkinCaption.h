#pragma once
// Captions with an accelerator mark, as menus and buttons show them: "&Save"
// shows "Save" and answers Alt+S; "&&" is a literal ampersand.

#include <QChar>
#include <QString>

namespace corvane::skin {

// The caption as shown: "&&" becomes "&" and a single "&" (the accelerator
// mark) disappears.
QString displayCaption(const QString& caption);
// The upper-cased accelerator character of a caption, or a null QChar.
QChar acceleratorOf(const QString& caption);

} // namespace corvane::skin
