// TSkinSystemButton: a caption button of a skinned frame, its visibility
// rules, pointer states and actions.
#include "skin/SkinObjects.h"

#include "skin/SkinSwapped.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>

namespace corvane::skin {

TSkinSystemButton::TSkinSystemButton(TSkinObject* owner) : TSkinActiveBitmap(owner)
{
    Kind = skSysButton;
}

bool TSkinSystemButton::hiddenInWindowState(TSkinAction action, int windowState)
{
    switch (windowState) {
    case ssNormal: return action == sbaRestore || action == sbaRollDown;
    case ssMaximized: return action == sbaMaximize || action == sbaRollDown;
    case ssMinimized:
        return action == sbaMinimize || action == sbaMaximize || action == sbaRollUp || action == sbaRollDown;
    case ssRolledUp: return action == sbaRestore || action == sbaRollUp;
    default: return false;
    }
}

bool TSkinSystemButton::hiddenByBorderIcons(TSkinAction action, TSkinBorderIcons icons)
{
    auto lacks = [icons](TSkinBorderIcon icon) { return (icons & borderIconBit(icon)) == 0; };
    switch (action) {
    case sbaClose: return lacks(biClose);
    case sbaHelp: return lacks(biHelp);
    case sbaMinimize: return lacks(biMinimize);
    case sbaMaximize:
    case sbaRestore: return lacks(biMaximize);
    case sbaRollUp:
    case sbaRollDown: return lacks(biRollup);
    case sbaTray: return lacks(biTray);
    case sbaSysMenu: return lacks(biSystemMenu);
    default: return false;
    }
}

void TSkinSystemButton::setState(int state)
{
    TSkinActiveBitmap::setState(state);
    TSkinFrameInterface* owningFrame = frame();
    if (!owningFrame)
        return;
    if (state == ssNormal || state == ssMaximized || state == ssMinimized || state == ssRolledUp)
        Visible = !hiddenInWindowState(Action, state);
    if (hiddenByBorderIcons(Action, owningFrame->borderIcons()))
        Visible = false;
}

void TSkinSystemButton::linkBitmaps()
{
    BitmapHot.link(bitmaps());
    BitmapPressed.link(bitmaps());
    TSkinActiveBitmap::linkBitmaps();
}

namespace {

// The window's icon at small-icon size, at the button's top-left corner.
void drawWindowIcon(QPainter& painter, TSkinFrameInterface* owningFrame, const QPoint& at)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QIcon icon = owningFrame ? owningFrame->frameIcon() : QIcon();
    if (icon.isNull())
        icon = QGuiApplication::windowIcon();
    if (!icon.isNull())
        icon.paint(&painter, QRect(at, QSize(16, 16)));
}

} // namespace

void TSkinSystemButton::draw(QPainter& painter)
{
    if (!Visible || width() <= 0 || height() <= 0)
        return;
    TSkinFrameInterface* owningFrame = frame();
    if (Action == sbaSysMenu) {
        drawWindowIcon(painter, owningFrame, QPoint(left(), top()));
        return;
    }
    const bool frameActive = owningFrame ? owningFrame->isFrameActive() : active();
    if (!frameActive) {
        setChildrenState(ssDisabled);
        TSkinActiveBitmap::draw(painter);
        setChildrenState(ssNormal);
        return;
    }
    const TSkinBitmapLink* picture = nullptr;
    int childState = ssNormal;
    if (m_pointerState == PointerHot) {
        picture = &BitmapHot;
        childState = ssHot;
    } else if (m_pointerState == PointerPressed) {
        picture = &BitmapPressed;
        childState = ssPressed;
    }
    if (!picture || picture->isEmpty()) {
        TSkinActiveBitmap::draw(painter);
        return;
    }
    drawPointerPicture(painter, *picture, childState);
}

void TSkinSystemButton::drawPointerPicture(QPainter& painter, const TSkinBitmapLink& picture, int childState)
{
    const bool wasActive = active();
    setOwnActive(false);
    setChildrenState(childState);
    {
        Swapped<TSkinBitmapLink> bitmap(Bitmap, picture);
        TSkinBitmapObject::draw(painter);
    }
    setChildrenState(ssNormal);
    setOwnActive(wasActive);
}

void TSkinSystemButton::setChildrenState(int state)
{
    for (const auto& c : children())
        c->setState(state);
}

void TSkinSystemButton::mouseEnter()
{
    m_pointerState = (m_lastButtons & Qt::LeftButton) ? PointerPressed : PointerHot;
    requestRedraw();
}

void TSkinSystemButton::mouseLeave()
{
    m_pointerState = PointerNormal;
    requestRedraw();
}

void TSkinSystemButton::mouseDown(Qt::MouseButton, Qt::MouseButtons buttons, const QPoint&)
{
    m_lastButtons = buttons;
    m_pointerState = PointerPressed;
    requestRedraw();
}

void TSkinSystemButton::mouseMove(Qt::MouseButtons buttons, const QPoint&)
{
    if (m_pointerState == PointerPressed && (buttons & Qt::LeftButton)) {
        requestRedraw();
    } else if (TSkinFrameInterface* owningFrame = frame()) {
        owningFrame->showSkinHint(QPoint(left(), top()));
    }
    m_lastButtons = buttons;
}

void TSkinSystemButton::mouseUp(Qt::MouseButton, Qt::MouseButtons, const QPoint&)
{
    m_lastButtons = Qt::NoButton;
    if (m_pointerState != PointerPressed)
        return;
    m_pointerState = PointerHot;
    requestRedraw();
    TSkinFrameInterface* owningFrame = frame();
    if (!owningFrame)
        return;
    switch (Action) {
    case sbaNone:
    case sbaRollPanel: break;
    default: owningFrame->performSkinAction(Action, this); break;
    }
}

void TSkinSystemButton::dblClick()
{
    if (Action != sbaSysMenu)
        return;
    if (TSkinFrameInterface* owningFrame = frame())
        owningFrame->performSkinAction(sbaClose, this);
}

const TSkinPropertyTable& TSkinSystemButton::propertyTable()
{
    using namespace skinprop;
    using C = TSkinSystemButton;
    static const TSkinPropertyTable table(&TSkinActiveBitmap::propertyTable(),
                                          {
                                              enumProperty<&C::Action, actionIdent, actionFromIdent>("Action"),
                                              property<&C::BitmapHot>("BitmapHot"),
                                              property<&C::BitmapPressed>("BitmapPressed"),
                                          });
    return table;
}
} // namespace corvane::skin
