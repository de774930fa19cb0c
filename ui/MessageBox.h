#pragma once
// Every message box of the program goes through these functions, so that a
// test can record the boxes instead of waiting for someone to press OK.
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace corvane {

enum class BoxIcon { Information, Error };

struct RecordedBox {
    BoxIcon icon = BoxIcon::Information;
    QString caption;
    QString text;
    QPointer<QWidget> owner;
};

// A modal box with the information icon and one OK button, owned by owner
// (may be null). Returns when the user has closed it; the event loop keeps
// running meanwhile (datagrams and timers are handled inside the wait).
// While a box with the same icon, caption and text is open, this and
// showErrorBox() return at once: the same box is never stacked on itself.
void showMessageBox(QWidget* owner, const QString& text, const QString& caption);

// The application's default error box: error icon, OK button, caption
// "Corvane", owned by the active window, text passed through errorBoxText().
void showErrorBox(const QString& text);

// The text the default error box shows: a full stop is appended when the
// last character of the text (compared as a Unicode code point) is greater
// than U+002E "."; an empty text, or one ending in "." or in a character
// below it (blank, "!", ",", "-", a line break, ...), is shown unchanged.
QString errorBoxText(const QString& text);

// While a recorder exists, boxes are appended to boxes() instead of being
// shown, and onShow (if set) runs in place of the modal wait, so a test can
// do there what would happen while the box is open. Recorders nest; the
// innermost one records.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const QList<RecordedBox>& boxes() const { return m_boxes; }
    void clear() { m_boxes.clear(); }

    std::function<void(const RecordedBox&)> onShow;

private:
    friend void record(const RecordedBox& box);
    QList<RecordedBox> m_boxes;
    MessageBoxRecorder* m_outer = nullptr;
};

} // namespace corvane
