#include "shell/PlainChrome.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "shell/TForm1.h"
#include "skin/SkinEngine.h"
#include "skin/button/SkinButton.h"
#include "skin/frame/SkinForm1.h"

namespace corvane::shell {

namespace {

QAction* addEntry(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

QWidget* createMenuBar(TForm1& form, QWidget* client)
{
    auto* bar = new QMenuBar(client);
    bar->setObjectName(QStringLiteral("SkinMenuBar1"));
    bar->setNativeMenuBar(false);
    bar->move(0, 0);
    bar->setFixedSize(TForm1::ClientWidth, 20);  // the bar would otherwise size itself to its parent
    // The bar is 20 pixels high; the style's usual item padding would push the
    // menu's caption into the overflow button.
    bar->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 1px 8px; }"));

    // Captions are plain text: no shortcut keys, no accelerator letters.
    QMenu* game = bar->addMenu(QStringLiteral("游 戏"));
    game->setObjectName(QStringLiteral("CustomItem5"));
    QObject::connect(addEntry(game, "CustomItem1", QStringLiteral("重新开始")), &QAction::triggered, &form,
                     &TForm1::CustomItem1Click);
    QObject::connect(addEntry(game, "CustomItem2", QStringLiteral("设置...")), &QAction::triggered, &form,
                     &TForm1::CustomItem2Click);
    QObject::connect(addEntry(game, "CustomItem3", QStringLiteral("关于...")), &QAction::triggered, &form,
                     &TForm1::CustomItem3Click);
    QObject::connect(addEntry(game, "CustomItem4", QStringLiteral("帮助")), &QAction::triggered, &form,
                     &TForm1::CustomItem4Click);
    game->addSeparator()->setObjectName(QStringLiteral("CustomItem6"));
    QObject::connect(addEntry(game, "CustomItem7", QStringLiteral("退出")), &QAction::triggered, &form,
                     &TForm1::CustomItem7Click);
    return bar;
}

// The window's skin engine SkinEngine1 with the stored skin "Ivory". A skin
// that does not load leaves the engine empty and the controls plain.
static skin::TSkinEngine* skinEngine1(TForm1& form)
{
    auto* engine = form.findChild<skin::TSkinEngine*>(QStringLiteral("SkinEngine1"), Qt::FindDirectChildrenOnly);
    if (engine) return engine;
    engine = new skin::TSkinEngine(&form);
    engine->setObjectName(QStringLiteral("SkinEngine1"));
    QFile stored(QStringLiteral(":/skin/ivory.skin"));
    if (stored.open(QIODevice::ReadOnly)) {
        try {
            engine->readSkinStream(stored.readAll());
        } catch (const skin::TSkinError&) {
        }
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
    return skin::createSkinForm1(&form, client, skinEngine1(form));
}

} // namespace corvane::shell
