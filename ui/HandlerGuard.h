#pragma once
// Catching what an event handler raises where Qt hands control to the
// program, instead of letting it travel up to CorvaneApplication::notify.
//
// Being removed: the program's failures travel as values to the shell, which
// alone shows error boxes (showErrorBox()), and nothing raises through a Qt
// frame by design. The skinned button (skin/button), the menu items
// (skin/menu) and the board's drag controller (shell/DragController) still
// wrap their handler calls in these; once they only emit, this file and the
// skin parts' link to corvane_ui go.
//
// Why: Qt Widgets is built without exception cleanups. An exception that
// unwinds through its frames (a button's click, a close, a mouse event being
// delivered) skips the destructors of Qt's own locals there: copied events,
// pointer guards. So every place where Qt calls program code that can raise
// (a connected slot or lambda, an event-handler override, a callback of a
// component) runs that code through one of these. The failure then ends
// exactly as the application's default error handling would end it: the rest
// of the raising handler does not run, the default error box shows the
// exception's text (caption "Corvane", errorBoxText() rule) and the program
// goes on. CorvaneApplication::notify stays the last resort for anything that
// is not guarded.
//
//   bool Item::event(QEvent* event)
//   {
//       guardedEvent(event, [&] { ... execute(); });  // left ignored when it raises
//   }
//
//   void Button::mouseReleaseEvent(QMouseEvent* event)
//   {
//       runGuarded([&] { ... click(); });  // the release stays with the button
//   }

#include <QEvent>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace corvane {

// Inside a catch block: the text the error box shows for the exception being
// handled (what() read as UTF-8, or "Unknown error" for anything that is not
// a std::exception).
QString currentExceptionText();

// Shows the default error box for a handler that raised (showErrorBox()).
// The box runs an event loop of its own, so it is never called from inside a
// catch block: the exception is over by then.
void reportHandlerFailure(const QString& text);

// Runs handler(). Returns true when it finished, false when it raised; then
// the error box has been shown (once) and the exception is gone.
template <typename Handler>
bool runGuarded(Handler&& handler)
{
    std::optional<QString> failure;
    try {
        std::invoke(std::forward<Handler>(handler));
        return true;
    } catch (...) {
        failure = currentExceptionText();
    }
    reportHandlerFailure(*failure);
    return false;
}

// For event-handler overrides whose event tells its sender whether the
// handler agreed (a close, a posted request): like runGuarded(), and a
// handler that raised has not agreed to anything, so the event is left
// ignored, as the application's notify leaves it. A close whose handler
// raised thus keeps the window open.
//
// Input events (mouse, keys) are better run through runGuarded(): the
// control has taken the press, and an ignored key press would travel on to
// the parent, where a dialog would take Return or Escape as its own.
template <typename Handler>
bool guardedEvent(QEvent* event, Handler&& handler)
{
    if (runGuarded(std::forward<Handler>(handler)))
        return true;
    // Ignored after the box has closed, still before the sender looks.
    event->ignore();
    return false;
}

} // namespace corvane
