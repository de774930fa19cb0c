// Corvane: start-up. The application object first (it installs the font
// substitutions and the default error box), its title, then the four windows
// in the order main window, about box, settings dialog, help dialog, and the
// message loop. Showing the main window runs its board reset.

#include "shell/TForm1.h"
#include "shell/TForm2.h"
#include "shell/TForm3.h"
#include "shell/TForm4.h"
#include "ui/CorvaneApplication.h"

int main(int argc, char** argv)
{
    corvane::CorvaneApplication application(argc, argv);
    // The task bar shows "Corvane"; the window caption carries the version.
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));

    corvane::shell::TForm1 form1;  // binds the endpoint's socket before the first show
    corvane::shell::TForm2 form2(&form1);
    corvane::shell::TForm3 form3(&form1, form1.udpEndpoint());
    corvane::shell::TForm4 form4(&form1);
    form1.setDialogs(&form2, &form3, &form4);
    QApplication::setWindowIcon(form1.windowIcon());

    form1.show();
    return application.exec();
}
