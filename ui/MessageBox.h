#pragma once
// Every message box of the program goes through these functions, and from
// them to one presenter, which another can replace (a test's recorder, say).
#include <QString>

class QWidget;

namespace corvane {

enum class BoxIcon { Information, Error };

// Shows one box and returns when it has been closed; owner may be null. The
// program's presenter is a modal QMessageBox, during whose wait the event loop
// keeps running (datagrams and timers are handled inside it).
class BoxPresenter {
public:
    virtual ~BoxPresenter() = default;
    virtual void present(BoxIcon icon, QWidget* owner, const QString& text, const QString& caption) = 0;
};

// Every later box goes to `presenter` (null: the modal QMessageBox); returns
// the presenter it replaces, so that presenters can be stacked.
BoxPresenter* setBoxPresenter(BoxPresenter* presenter);

// A box with the information icon and one OK button, owned by owner (may be
// null). Returns when the user has closed it. While a box with the same icon,
// caption and text is open, this and showErrorBox() return at once: the same
// box is never stacked on itself.
void showMessageBox(QWidget* owner, const QString& text, const QString& caption);

// The application's default error box: error icon, OK button, caption
// "Corvane", owned by the active window, text passed through errorBoxText().
void showErrorBox(const QString& text);

// The text the default error box shows: a full stop is appended when the
// last character of the text (compared as a Unicode code point) is greater
// than U+002E "."; an empty text, or one ending in "." or in a character
// below it (blank, "!", ",", "-", a line break, ...), is shown unchanged.
QString errorBoxText(const QString& text);

} // namespace corvane
