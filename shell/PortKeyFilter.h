#pragma once
// The key filter of the two port boxes: of the characters
// typed, only the decimal digits and backspace reach the box; any other
// character, control characters included (Enter, and the copy, cut, paste and
// undo keys, which arrive as codes 3, 24, 22 and 26), is swallowed with the
// default beep. Keys that type no character (arrows, Delete, Tab) pass.

#include <QObject>

namespace corvane::shell {

class PortKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // True when the character `code` may reach a port box.
    static bool accepts(char16_t code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace corvane::shell
