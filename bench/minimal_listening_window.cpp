// The floor for start-up and memory, the yardstick of those figures: the
// minimal window with one line of Chinese text that also listens on a UDP
// port, as the game must before its window first shows. What it costs over
// the plain minimal window is what any program pays for showing Chinese text
// and using Qt Network (the font configuration, one CJK face, the network
// library and its dependencies).
#include <QApplication>
#include <QHostAddress>
#include <QLabel>
#include <QUdpSocket>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QUdpSocket socket;
    socket.bind(QHostAddress::AnyIPv4, 0); // any free port: runs may overlap the game's
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(632, 450);
    (new QLabel(QStringLiteral("接收信息："), &window))->move(432, 344);
    window.show();
    return application.exec();
}
