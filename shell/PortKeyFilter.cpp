#include "shell/PortKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>

namespace corvane::shell {

bool PortKeyFilter::accepts(char16_t code)
{
    return code == 8 || (code >= u'0' && code <= u'9');
}

bool PortKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the editing shortcuts so they arrive here as key presses
        // (and are swallowed) instead of acting elsewhere.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && !accepts(key->text().at(0).unicode())) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Tab moves between the boxes before any character is typed.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    // Backspace gives the character 8 on every platform.
    if (key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return false; // no character typed: navigation keys, Delete
    if (accepts(text.at(0).unicode()))
        return false;
    QApplication::beep();
    return true;
}

} // namespace corvane::shell
