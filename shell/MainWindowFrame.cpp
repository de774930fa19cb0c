#include "shell/MainWindowFrame.h"

#include <QFile>
#include <QWidget>

#include "skin/menu/SkinPopupSystemMenu.h"

namespace corvane::shell {

using namespace corvane::skin;

SkinForm* createMainWindowFrame(QWidget* owner, QWidget* clientWidget, SkinEngine* engine, SkinFrameMenuBar* menuBar)
{
    auto* frame = new SkinForm(owner, clientWidget);
    frame->setObjectName(QStringLiteral("SkinForm1"));
    frame->setBorderIcons(mainWindowBorderIcons);
    frame->setBorderStyle(SkinBorderStyle::Standard);
    frame->setCaption(QStringLiteral("CorvaneV1.0"));
    SkinDragging dragging;
    dragging.sizeable = false;
    frame->setDragging(dragging);
    frame->setMenuBar(menuBar);
    // The system menu animates.
    SkinPopupMenuOptions menuOptions;
    menuOptions.animation.effect = SkinAnimationEffect::Pixel;
    menuOptions.animation.enabled = true;
    frame->setSystemMenuOptions(menuOptions);
    frame->setWindowState(SkinWindowState::Normal);
    frame->setSkinEngine(engine);
    frame->setSkinObject(QStringLiteral("Form"));
    // The system menu is a skinned popup menu drawn with the frame's engine.
    frame->setSystemMenuPresenter(
        std::make_unique<SkinPopupSystemMenuPresenter>([frame] { return frame->skinEngine(); }));
    // The window's shape under the stored skin, worked out by the skin tools
    // (corvane-skinshape); a skin loaded later has its shape computed.
    QFile storedShape(QStringLiteral(":/skin/ivory.shape"));
    if (storedShape.open(QIODevice::ReadOnly)) {
        if (const std::optional<StoredWindowShape> stored = readStoredWindowShape(storedShape.readAll()))
            frame->setStoredShape(*stored);
    }
    frame->loaded();
    return frame;
}

} // namespace corvane::shell
