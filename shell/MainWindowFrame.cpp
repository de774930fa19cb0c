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
    // The window itself shows without animation; the system menu animates.
    frame->Animation.Direction = adRotate180;
    frame->Animation.Effect = aeSmoothRectOut;
    frame->Animation.Enabled = false;
    frame->setBorderIcons(mainWindowBorderIcons);
    frame->setBorderStyle(bsStandard);
    frame->setCaption(QStringLiteral("CorvaneV1.0"));
    frame->Dragging.Sizeable = false;
    frame->MenuBar = menuBar;
    frame->SystemMenuOptions.Animation.Effect = aePixel;
    frame->SystemMenuOptions.Animation.Enabled = true;
    frame->Performance = fpNoBuffer;
    frame->setStayOnTop(false);
    frame->StretchBackground = false;
    frame->setWindowState(wsNormal);
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
