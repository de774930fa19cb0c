// Corvane: start-up. The application object first (it takes the title
// "Corvane" and installs the font substitutions and the default error box),
// then the main window and the message loop. Showing the main window runs
// its board reset.
//
// The about box, the settings dialog and the help dialog open only from the
// menu, so each is made the first time it is shown and kept from then on:
// they look and behave the same, keep what was typed into them between
// showings, and cost nothing at start-up (their labels alone would load a
// second CJK font face, the serif one of "宋体").

#include <QNetworkProxyFactory>
#include <QTimer>

#include "shell/TForm1.h"
#include "shell/TForm2.h"
#include "shell/TForm3.h"
#include "shell/TForm4.h"
#include "ui/CorvaneApplication.h"
#include "ui/MessageBox.h"

int main(int argc, char** argv)
{
    corvane::CorvaneApplication application(argc, argv);

    // The game's datagrams go straight to the peer, as they always have; the
    // desktop's proxy settings (which Qt would ask a proxy library for, on a
    // thread of its own, when the socket is bound) do not apply.
    QNetworkProxyFactory::setUseSystemConfiguration(false);

    corvane::shell::TForm1 form1;  // binds the endpoint's socket before the first show
    form1.setDialogMakers([&form1] { return new corvane::shell::TForm2(&form1); },
                          [&form1] { return new corvane::shell::TForm3(&form1, form1.udpEndpoint()); },
                          [&form1] { return new corvane::shell::TForm4(&form1); });
    QApplication::setWindowIcon(form1.windowIcon());

    form1.show();
    // The stored port held by another copy: said over the shown window, as
    // the default error box says every socket error.
    if (const QString failure = form1.startupFailure(); !failure.isEmpty())
        QTimer::singleShot(0, &form1, [failure] { corvane::showErrorBox(failure); });
    return application.exec();
}
