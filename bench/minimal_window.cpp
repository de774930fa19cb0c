// The yardstick for start-up and memory: the least a Qt Widgets program does
// to show one plain window of the main window's client size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(632, 450);
    window.show();
    return application.exec();
}
