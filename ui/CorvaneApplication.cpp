#include "CorvaneApplication.h"

#include "Fonts.h"
#include "MessageBox.h"
#include "QtTranslation.h"
#include "WindowPositionFollower.h"

#include <exception>
#include <optional>

namespace corvane {

namespace {

// Inside a catch block: the text of the exception being handled (what() read
// as UTF-8, or "Unknown error" for anything that is not a std::exception).
QString currentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace

CorvaneApplication::CorvaneApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The application title. No display name is set: the window system
    // would show it after every window's caption ("帮助 — Corvane"), and
    // each caption must read exactly as its window has it. Where Qt wants a
    // display name (the tray icon's tip) it falls back to this name.
    setApplicationName(QStringLiteral("Corvane"));
    // The desktop entry's name: docks and task bars match the window to the
    // entry's icon and name by it (Wayland's app id; on X11 the window's
    // class "Corvane", the entry's StartupWMClass).
    setDesktopFileName(QStringLiteral("org.corvane.Corvane"));
    installFontSubstitutions();
    installQtTranslation(*this);
    WindowPositionFollower::install();
}

bool CorvaneApplication::notify(QObject* receiver, QEvent* event)
{
    // Every event handler runs below this call, also those of nested event
    // loops (message boxes, host look-ups), so an exception is caught by the
    // dispatch of the event whose handler raised it, exactly once.
    //
    // This is the last resort: the program reports its failures as values,
    // because an exception that gets here has unwound through Qt's own
    // frames, which are built without exception cleanups.
    std::optional<QString> failure;
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        failure = currentExceptionText();
    }
    // The handler did not finish, so it did not accept the event either:
    // a close whose handler raised is abandoned and the window stays open.
    event->ignore();
    // Shown outside the catch block: the box runs an event loop of its own.
    showErrorBox(*failure);
    return false;
}

} // namespace corvane
