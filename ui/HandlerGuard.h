#pragma once
// Catching what an event handler raises where Qt hands control to the
// program, instead of letting it travel up to CorvaneApplication::notify.
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
//   connect(button, &TFlatButton::OnClick, this, guarded(this, &TForm3::FlatButton1Click));
//   item->OnClick = guarded([this](TSkinCustomItem*) { CustomItem1Click(); });
//
//   void TForm1::closeEvent(QCloseEvent* event)
//   {
//       guardedEvent(event, [&] { ... event->accept(); });  // refused when it raises
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
#include <type_traits>
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

// A callable that runs the wrapped one through runGuarded(). It takes the
// arguments the wrapped one takes, so Qt's connect() drops the signal
// arguments it does not want, and it converts to the std::function events of
// the program's components.
template <typename Function>
class Guarded {
public:
    explicit Guarded(Function function) : function_(std::move(function)) {}

    template <typename... Args>
    auto operator()(Args&&... args) -> std::enable_if_t<std::is_invocable_v<Function&, Args&&...>>
    {
        runGuarded([&] { std::invoke(function_, std::forward<Args>(args)...); });
    }

    template <typename... Args>
    auto operator()(Args&&... args) const -> std::enable_if_t<std::is_invocable_v<const Function&, Args&&...>>
    {
        runGuarded([&] { std::invoke(function_, std::forward<Args>(args)...); });
    }

private:
    Function function_;
};

// guarded(lambda): the lambda, guarded.
template <typename Function>
Guarded<std::decay_t<Function>> guarded(Function&& function)
{
    return Guarded<std::decay_t<Function>>(std::forward<Function>(function));
}

// guarded(object, &Class::method): the method called on object, guarded.
// The object must outlive the callable (pass it as connect()'s context too).
template <typename Object, typename Method>
    requires std::is_member_function_pointer_v<Method>
auto guarded(Object* object, Method method)
{
    return guarded(std::bind_front(method, object));
}

} // namespace corvane
