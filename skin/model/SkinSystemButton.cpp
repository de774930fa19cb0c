// SkinSystemButton: a caption button of a skinned frame, its visibility
// rules, pointer states and actions.
#include "skin/model/SkinObjects.h"

#include "skin/model/SkinSwapped.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>

namespace corvane::skin {

SkinSystemButton::SkinSystemButton(SkinObject* owner) : SkinActiveBitmap(owner)
{
    Kind = skSysButton;
}

bool SkinSystemButton::hiddenInWindowState(SkinAction action, int windowState)
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

bool SkinSystemButton::hiddenByBorderIcons(SkinAction action, SkinBorderIcons icons)
{
    auto lacks = [icons](SkinBorderIcon icon) { return (icons & borderIconBit(icon)) == 0; };
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

void SkinSystemButton::setState(int state)
{
    SkinActiveBitmap::setState(state);
    SkinFrameInterface* owningFrame = frame();
    if (!owningFrame)
        return;
    if (state == ssNormal || state == ssMaximized || state == ssMinimized || state == ssRolledUp)
        Visible = !hiddenInWindowState(Action, state);
    if (hiddenByBorderIcons(Action, owningFrame->borderIcons()))
        Visible = false;
}

void SkinSystemButton::linkBitmaps()
{
    BitmapHot.link(bitmaps());
    BitmapPressed.link(bitmaps());
    SkinActiveBitmap::linkBitmaps();
}

namespace {

// The window's icon at small-icon size, at the button's top-left corner.
void drawWindowIcon(QPainter& painter, SkinFrameInterface* owningFrame, const QPoint& at)
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

void SkinSystemButton::draw(QPainter& painter)
{
    if (!Visible || width() <= 0 || height() <= 0)
        return;
    SkinFrameInterface* owningFrame = frame();
    if (Action == sbaSysMenu) {
        drawWindowIcon(painter, owningFrame, QPoint(left(), top()));
        return;
    }
    const bool frameActive = owningFrame ? owningFrame->isFrameActive() : active();
    if (!frameActive) {
        setChildrenState(ssDisabled);
        SkinActiveBitmap::draw(painter);
        setChildrenState(ssNormal);
        return;
    }
    const SkinBitmapLink* picture = nullptr;
    int childState = ssNormal;
    if (m_pointerState == PointerHot) {
        picture = &BitmapHot;
        childState = ssHot;
    } else if (m_pointerState == PointerPressed) {
        picture = &BitmapPressed;
        childState = ssPressed;
    }
    if (!picture || picture->isEmpty()) {
        SkinActiveBitmap::draw(painter);
        return;
    }
    drawPointerPicture(painter, *picture, childState);
}

void SkinSystemButton::drawPointerPicture(QPainter& painter, const SkinBitmapLink& picture, int childState)
{
    const bool wasActive = active();
    setOwnActive(false);
    setChildrenState(childState);
    {
        Swapped<SkinBitmapLink> bitmap(Bitmap, picture);
        SkinBitmapObject::draw(painter);
    }
    setChildrenState(ssNormal);
    setOwnActive(wasActive);
}

void SkinSystemButton::setChildrenState(int state)
{
    for (const auto& c : children())
        c->setState(state);
}

void SkinSystemButton::mouseEnter()
{
    m_pointerState = (m_lastButtons & Qt::LeftButton) ? PointerPressed : PointerHot;
    requestRedraw();
}

void SkinSystemButton::mouseLeave()
{
    m_pointerState = PointerNormal;
    requestRedraw();
}

void SkinSystemButton::mouseDown(Qt::MouseButton, Qt::MouseButtons buttons, const QPoint&)
{
    m_lastButtons = buttons;
    m_pointerState = PointerPressed;
    requestRedraw();
}

void SkinSystemButton::mouseMove(Qt::MouseButtons buttons, const QPoint&)
{
    if (m_pointerState == PointerPressed && (buttons & Qt::LeftButton)) {
        requestRedraw();
    } else if (SkinFrameInterface* owningFrame = frame()) {
        owningFrame->showSkinHint(QPoint(left(), top()));
    }
    m_lastButtons = buttons;
}

void SkinSystemButton::mouseUp(Qt::MouseButton, Qt::MouseButtons, const QPoint&)
{
    m_lastButtons = Qt::NoButton;
    if (m_pointerState != PointerPressed)
        return;
    m_pointerState = PointerHot;
    requestRedraw();
    SkinFrameInterface* owningFrame = frame();
    if (!owningFrame)
        return;
    switch (Action) {
    case sbaNone:
    case sbaRollPanel: break;
    default: owningFrame->performSkinAction(Action, this); break;
    }
}

void SkinSystemButton::dblClick()
{
    if (Action != sbaSysMenu)
        return;
    if (SkinFrameInterface* owningFrame = frame())
        owningFrame->performSkinAction(sbaClose, this);
}

const SkinPropertyTable& SkinSystemButton::propertyTable()
{
    using namespace skinprop;
    using C = SkinSystemButton;
    static const SkinPropertyTable table(&SkinActiveBitmap::propertyTable(),
                                          {
                                              enumProperty<&C::Action, actionIdent, actionFromIdent>("Action"),
                                              property<&C::BitmapHot>("BitmapHot"),
                                              property<&C::BitmapPressed>("BitmapPressed"),
                                          });
    return table;
}
} // namespace corvane::skin
