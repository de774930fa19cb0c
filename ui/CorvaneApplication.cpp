#include "CorvaneApplication.h"

#include "Fonts.h"
#include "MessageBox.h"

#include <exception>
#include <optional>

namespace corvane {

CorvaneApplication::CorvaneApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    installFontSubstitutions();
}

bool CorvaneApplication::notify(QObject* receiver, QEvent* event)
{
    // Every event handler runs below this call, also those of nested event
    // loops (message boxes, host look-ups), so an exception is caught by the
    // dispatch of the event whose handler raised it, exactly once.
    std::optional<QString> failure;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    } catch (...) {
        failure = QStringLiteral("Unknown error");
    }
    // The handler did not finish, so it did not accept the event either:
    // a close whose handler raised is abandoned and the window stays open.
    event->ignore();
    // Shown outside the catch block: the box runs an event loop of its own.
    showErrorBox(*failure);
    return false;
}

} // namespace corvane
