#include "shell/WindowChrome.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "shell/SkinForm1.h"
#include "shell/MainWindow.h"
#include "skin/SkinEngine.h"
#include "skin/button/SkinButton.h"
#include "skin/menu/SkinMenuBar.h"

namespace corvane::shell {

static skin::SkinEngine* skinEngine1(MainWindow& form);

// SkinMenuBar1: the skinned menu bar drawn by SkinEngine1, aligned to the top
// of the client area, with CustomItem5 "游 戏" and its six entries. The items
// belong to the form; each entry's OnClick runs the form's handler after the
// menu has closed.
QWidget* createMenuBar(MainWindow& form, QWidget* client)
{
    auto* bar = new skin::SkinMenuBar(client);
    bar->setObjectName(QStringLiteral("SkinMenuBar1"));
    bar->setGeometry(0, 0, MainWindow::ClientWidth, 20);
    bar->setAlign(skin::SkinCustomMenuBar::alTop);
    bar->Performance = skin::spNoBuffer;
    bar->Transparent = false;

    auto item = [&form](const char* name, const QString& caption, void (MainWindow::*handler)()) {
        auto* entry = new skin::SkinItem(&form);
        entry->setObjectName(QString::fromLatin1(name));
        entry->Caption = caption; // plain text: no shortcut keys, no accelerator letters
        if (handler)
            entry->OnClick = [&form, handler](skin::SkinCustomItem*) { (form.*handler)(); };
        return entry;
    };
    skin::SkinItem* game = item("CustomItem5", QStringLiteral("游 戏"), nullptr);
    bar->Items()->add(game);
    game->add(item("CustomItem1", QStringLiteral("重新开始"), &MainWindow::CustomItem1Click));
    game->add(item("CustomItem2", QStringLiteral("设置..."), &MainWindow::CustomItem2Click));
    game->add(item("CustomItem3", QStringLiteral("关于..."), &MainWindow::CustomItem3Click));
    game->add(item("CustomItem4", QStringLiteral("帮助"), &MainWindow::CustomItem4Click));
    game->add(item("CustomItem6", QStringLiteral("-"), nullptr));
    game->add(item("CustomItem7", QStringLiteral("退出"), &MainWindow::CustomItem7Click));

    bar->setSkinEngine(skinEngine1(form));
    bar->loaded();
    return bar;
}

// The window's skin engine SkinEngine1 with the stored skin "Ivory". A skin
// that does not load leaves the engine empty and the controls plain; the
// reason goes to standard error, since the game goes on without it.
static skin::SkinEngine* skinEngine1(MainWindow& form)
{
    auto* engine = form.findChild<skin::SkinEngine*>(QStringLiteral("SkinEngine1"), Qt::FindDirectChildrenOnly);
    if (engine)
        return engine;
    engine = new skin::SkinEngine(&form);
    engine->setObjectName(QStringLiteral("SkinEngine1"));
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

skin::SkinButton* createSendButton(MainWindow& form, QWidget* client)
{
    auto* button = new skin::SkinButton(client);
    button->setObjectName(QStringLiteral("SkinButton1"));
    button->setCaption(QStringLiteral("发  送"));
    button->setGeometry(528, 128, 81, 25);
    button->setPerformance(skin::spDoubleBuffer);
    button->setTransparent(true);
    button->setSkinEngine(skinEngine1(form));
    QObject::connect(button, &skin::SkinButton::clicked, &form, &MainWindow::SkinButton1Click);
    return button;
}

skin::SkinForm* createWindowFrame(MainWindow& form, QWidget* client)
{
    // Alt + a letter and shortcut keys pressed in the window go to SkinMenuBar1.
    skin::SkinForm* frame =
        createSkinForm1(&form, client, skinEngine1(form), dynamic_cast<skin::SkinFrameMenuBar*>(form.menuBar()));
    // Closing the main window through its frame ends the game.
    QObject::connect(frame, &skin::SkinForm::mainWindowClosed, qApp, &QCoreApplication::quit);
    return frame;
}

} // namespace corvane::shell
