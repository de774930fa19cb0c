#include "shell/WindowChrome.h"

#include <QCoreApplication>
#include <QFile>
#include <QRect>
#include <cstdio>

#include "shell/MainWindow.h"
#include "shell/MainWindowFrame.h"
#include "skin/SkinEngine.h"
#include "skin/button/SkinButton.h"
#include "skin/menu/SkinMenuBar.h"

namespace corvane::shell {

namespace {

// Where the chrome stands in the client area.
constexpr int MenuBarHeight = 20;
constexpr QRect SendButtonGeometry(528, 128, 81, 25);

// The window's skin engine with the stored skin "Ivory", made on first use and
// shared by the menu bar, the send button and the frame. A skin that does not
// load leaves the engine empty and the controls plain; the reason goes to
// standard error, since the game goes on without it.
skin::SkinEngine* storedSkinEngine(MainWindow& window)
{
    // Its object name is the one the command line's skin option looks for.
    const QString name = QStringLiteral("SkinEngine1");
    auto* engine = window.findChild<skin::SkinEngine*>(name, Qt::FindDirectChildrenOnly);
    if (engine)
        return engine;
    engine = new skin::SkinEngine(&window);
    engine->setObjectName(name);
    QFile stored(QStringLiteral(":/skin/ivory.skin"));
    try {
        if (!stored.open(QIODevice::ReadOnly))
            throw skin::SkinError("the resource " + stored.fileName().toStdString() + " is missing");
        engine->readSkinStream(stored.readAll());
    } catch (const skin::SkinError& e) {
        std::fprintf(stderr, "corvane: the stored skin did not load (%s); the windows use the plain frame\n", e.what());
    }
    return engine;
}

} // namespace

// The items belong to the window; each entry's triggered() runs the window's
// slot after the menu has closed. The object names are those of the stored menu.
QWidget* createMenuBar(MainWindow& window, QWidget* client)
{
    auto* bar = new skin::SkinMenuBar(client);
    bar->setObjectName(QStringLiteral("SkinMenuBar1"));
    bar->setGeometry(0, 0, MainWindow::ClientWidth, MenuBarHeight);
    bar->setAlignment(skin::SkinMenuBar::Alignment::Top);

    auto item = [&window](const char* name, const QString& caption, void (MainWindow::*slot)()) {
        auto* entry = new skin::SkinMenuItem(&window);
        entry->setObjectName(QString::fromLatin1(name));
        entry->setCaption(caption); // plain text: no shortcut keys, no accelerator letters
        if (slot)
            QObject::connect(entry, &skin::SkinMenuItem::triggered, &window, slot);
        return entry;
    };
    skin::SkinMenuItem* game = item("CustomItem5", QStringLiteral("游 戏"), nullptr);
    bar->rootItem()->add(game);
    game->add(item("CustomItem1", QStringLiteral("重新开始"), &MainWindow::restartGame));
    game->add(item("CustomItem2", QStringLiteral("设置..."), &MainWindow::openConnectionSettings));
    game->add(item("CustomItem3", QStringLiteral("关于..."), &MainWindow::showAbout));
    game->add(item("CustomItem4", QStringLiteral("帮助"), &MainWindow::showHelp));
    game->add(item("CustomItem6", QStringLiteral("-"), nullptr));
    game->add(item("CustomItem7", QStringLiteral("退出"), &MainWindow::quit));

    bar->setSkinEngine(storedSkinEngine(window));
    bar->loaded();
    return bar;
}

skin::SkinButton* createSendButton(MainWindow& window, QWidget* client)
{
    auto* button = new skin::SkinButton(client);
    button->setObjectName(QStringLiteral("SkinButton1"));
    button->setCaption(QStringLiteral("发  送"));
    button->setGeometry(SendButtonGeometry);
    button->setPerformance(skin::SkinPerformance::DoubleBuffer);
    button->setTransparent(true);
    button->setSkinEngine(storedSkinEngine(window));
    QObject::connect(button, &skin::SkinButton::clicked, &window, &MainWindow::sendChatLine);
    return button;
}

skin::SkinForm* createWindowFrame(MainWindow& window, QWidget* client, QWidget* menuBar)
{
    skin::SkinForm* frame = createMainWindowFrame(&window, client, storedSkinEngine(window),
                                                  dynamic_cast<skin::SkinFrameMenuBar*>(menuBar));
    // Closing the main window through its frame ends the game.
    QObject::connect(frame, &skin::SkinForm::mainWindowClosed, qApp, &QCoreApplication::quit);
    return frame;
}

} // namespace corvane::shell
