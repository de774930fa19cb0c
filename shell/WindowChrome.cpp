#include "shell/WindowChrome.h"

#include <QFile>
#include <cstdio>

#include "shell/SkinForm1.h"
#include "shell/TForm1.h"
#include "skin/SkinEngine.h"
#include "skin/button/SkinButton.h"
#include "skin/menu/TSkinMenuBar.h"

namespace corvane::shell {

static skin::TSkinEngine* skinEngine1(TForm1& form);

// SkinMenuBar1: the skinned menu bar drawn by SkinEngine1, aligned to the top
// of the client area, with CustomItem5 "游 戏" and its six entries. The items
// belong to the form; each entry's OnClick runs the form's handler after the
// menu has closed.
QWidget* createMenuBar(TForm1& form, QWidget* client)
{
    auto* bar = new skin::TSkinMenuBar(client);
    bar->setObjectName(QStringLiteral("SkinMenuBar1"));
    bar->setGeometry(0, 0, TForm1::ClientWidth, 20);
    bar->setAlign(skin::TSkinCustomMenuBar::alTop);
    bar->Performance = skin::spNoBuffer;
    bar->Transparent = false;

    auto item = [&form](const char* name, const QString& caption, void (TForm1::*handler)()) {
        auto* entry = new skin::TSkinItem(&form);
        entry->setObjectName(QString::fromLatin1(name));
        entry->Caption = caption; // plain text: no shortcut keys, no accelerator letters
        if (handler)
            entry->OnClick = [&form, handler](skin::TSkinCustomItem*) { (form.*handler)(); };
        return entry;
    };
    skin::TSkinItem* game = item("CustomItem5", QStringLiteral("游 戏"), nullptr);
    bar->Items()->add(game);
    game->add(item("CustomItem1", QStringLiteral("重新开始"), &TForm1::CustomItem1Click));
    game->add(item("CustomItem2", QStringLiteral("设置..."), &TForm1::CustomItem2Click));
    game->add(item("CustomItem3", QStringLiteral("关于..."), &TForm1::CustomItem3Click));
    game->add(item("CustomItem4", QStringLiteral("帮助"), &TForm1::CustomItem4Click));
    game->add(item("CustomItem6", QStringLiteral("-"), nullptr));
    game->add(item("CustomItem7", QStringLiteral("退出"), &TForm1::CustomItem7Click));

    bar->setSkinEngine(skinEngine1(form));
    bar->loaded();
    return bar;
}

// The window's skin engine SkinEngine1 with the stored skin "Ivory". A skin
// that does not load leaves the engine empty and the controls plain; the
// reason goes to standard error, since the game goes on without it.
static skin::TSkinEngine* skinEngine1(TForm1& form)
{
    auto* engine = form.findChild<skin::TSkinEngine*>(QStringLiteral("SkinEngine1"), Qt::FindDirectChildrenOnly);
    if (engine)
        return engine;
    engine = new skin::TSkinEngine(&form);
    engine->setObjectName(QStringLiteral("SkinEngine1"));
    QFile stored(QStringLiteral(":/skin/ivory.skin"));
    try {
        if (!stored.open(QIODevice::ReadOnly))
            throw skin::TSkinError("the resource " + stored.fileName().toStdString() + " is missing");
        engine->readSkinStream(stored.readAll());
    } catch (const skin::TSkinError& e) {
        std::fprintf(stderr, "corvane: the stored skin did not load (%s); the windows use the plain frame\n", e.what());
    }
    return engine;
}

skin::TSkinButton* createSendButton(TForm1& form, QWidget* client)
{
    auto* button = new skin::TSkinButton(client);
    button->setObjectName(QStringLiteral("SkinButton1"));
    button->setCaption(QStringLiteral("发  送"));
    button->setGeometry(528, 128, 81, 25);
    button->setPerformance(skin::spDoubleBuffer);
    button->setTransparent(true);
    button->setSkinEngine(skinEngine1(form));
    QObject::connect(button, &skin::TSkinButton::clicked, &form, &TForm1::SkinButton1Click);
    return button;
}

skin::TSkinForm* createWindowFrame(TForm1& form, QWidget* client)
{
    // Alt + a letter and shortcut keys pressed in the window go to SkinMenuBar1.
    return createSkinForm1(&form, client, skinEngine1(form), dynamic_cast<skin::TSkinFrameMenuBar*>(form.menuBar()));
}

} // namespace corvane::shell
