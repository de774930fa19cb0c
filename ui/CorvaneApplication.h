#pragma once
// The application object. It catches, once, every exception that an event
// handler lets escape and shows its text in the default error box; the rest
// of the raising handler does not run and the program goes on. Exception
// texts (what()) are read as UTF-8. The event whose handler raised is left
// ignored: a close event, for one, then keeps the window open.
// The program's failures travel as values to the shell, which shows them
// (showErrorBox()); nothing raises through Qt by design, so this catch is
// the last resort.
#include <QApplication>

namespace corvane {

class CorvaneApplication : public QApplication {
    Q_OBJECT
public:
    // Also names the application "Corvane" (its title; no display name, which
    // the window system would append to every caption) and installs the font
    // substitutions (installFontSubstitutions()) and Qt's own Chinese texts
    // (installQtTranslation()).
    CorvaneApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace corvane
