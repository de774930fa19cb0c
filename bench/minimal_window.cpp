// For comparison in the start-up and memory figures: the least a Qt Widgets
// program does to show one plain window of the main window's client size.
// With --chinese-label the window also shows one line of Chinese text, the
// least any window with Chinese text pays (the font configuration and one CJK
// face). The bench reports both beside the floor (minimal_listening_window)
// to show where the difference goes.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(632, 450);
    if (argc > 1 && std::strcmp(argv[1], "--chinese-label") == 0)
        (new QLabel(QStringLiteral("接收信息："), &window))->move(432, 344);
    window.show();
    return application.exec();
}
