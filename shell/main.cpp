#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Corvane");
    QWidget window;
    window.setWindowTitle("CorvaneV1.0");
    window.setFixedSize(632, 450);
    window.show();
    return app.exec();
}
