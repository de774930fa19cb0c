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
    kind = SkinKind::SystemButton;
}

bool SkinSystemButton::hiddenInWindowState(SkinAction action, SkinState windowState)
{
    switch (windowState) {
    case SkinState::Normal: return action == SkinAction::Restore || action == SkinAction::RollDown;
    case SkinState::Maximized: return action == SkinAction::Maximize || action == SkinAction::RollDown;
    case SkinState::Minimized:
        return action == SkinAction::Minimize || action == SkinAction::Maximize || action == SkinAction::RollUp ||
               action == SkinAction::RollDown;
    case SkinState::RolledUp: return action == SkinAction::Restore || action == SkinAction::RollUp;
    default: return false;
    }
}

bool SkinSystemButton::hiddenByBorderIcons(SkinAction action, SkinBorderIcons icons)
{
    auto lacks = [icons](SkinBorderIcon icon) { return (icons & borderIconBit(icon)) == 0; };
    switch (action) {
    case SkinAction::Close: return lacks(SkinBorderIcon::Close);
    case SkinAction::Help: return lacks(SkinBorderIcon::Help);
    case SkinAction::Minimize: return lacks(SkinBorderIcon::Minimize);
    case SkinAction::Maximize:
    case SkinAction::Restore: return lacks(SkinBorderIcon::Maximize);
    case SkinAction::RollUp:
    case SkinAction::RollDown: return lacks(SkinBorderIcon::RollUp);
    case SkinAction::Tray: return lacks(SkinBorderIcon::Tray);
    case SkinAction::SystemMenu: return lacks(SkinBorderIcon::SystemMenu);
    default: return false;
    }
}

void SkinSystemButton::setState(SkinState state)
{
    SkinActiveBitmap::setState(state);
    SkinFrameInterface* owningFrame = frame();
    if (!owningFrame)
        return;
    if (state == SkinState::Normal || state == SkinState::Maximized || state == SkinState::Minimized ||
        state == SkinState::RolledUp)
        visible = !hiddenInWindowState(action, state);
    if (hiddenByBorderIcons(action, owningFrame->borderIcons()))
        visible = false;
}

void SkinSystemButton::linkBitmaps()
{
    bitmapHot.link(bitmaps());
    bitmapPressed.link(bitmaps());
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
    if (!visible || width() <= 0 || height() <= 0)
        return;
    SkinFrameInterface* owningFrame = frame();
    if (action == SkinAction::SystemMenu) {
        drawWindowIcon(painter, owningFrame, QPoint(left(), top()));
        return;
    }
    const bool frameActive = owningFrame ? owningFrame->isFrameActive() : active();
    if (!frameActive) {
        setChildrenState(SkinState::Disabled);
        SkinActiveBitmap::draw(painter);
        setChildrenState(SkinState::Normal);
        return;
    }
    const SkinBitmapLink* picture = nullptr;
    SkinState childState = SkinState::Normal;
    if (m_pointerState == PointerState::Hot) {
        picture = &bitmapHot;
        childState = SkinState::Hot;
    } else if (m_pointerState == PointerState::Pressed) {
        picture = &bitmapPressed;
        childState = SkinState::Pressed;
    }
    if (!picture || picture->isEmpty()) {
        SkinActiveBitmap::draw(painter);
        return;
    }
    drawPointerPicture(painter, *picture, childState);
}

void SkinSystemButton::drawPointerPicture(QPainter& painter, const SkinBitmapLink& picture, SkinState childState)
{
    const bool wasActive = active();
    setOwnActive(false);
    setChildrenState(childState);
    {
        Swapped<SkinBitmapLink> swappedBitmap(bitmap, picture);
        SkinBitmapObject::draw(painter);
    }
    setChildrenState(SkinState::Normal);
    setOwnActive(wasActive);
}

void SkinSystemButton::setChildrenState(SkinState state)
{
    for (const auto& c : children())
        c->setState(state);
}

void SkinSystemButton::mouseEnter()
{
    m_pointerState = (m_lastButtons & Qt::LeftButton) ? PointerState::Pressed : PointerState::Hot;
    requestRedraw();
}

void SkinSystemButton::mouseLeave()
{
    m_pointerState = PointerState::Normal;
    requestRedraw();
}

void SkinSystemButton::mouseDown(Qt::MouseButton, Qt::MouseButtons buttons, const QPoint&)
{
    m_lastButtons = buttons;
    m_pointerState = PointerState::Pressed;
    requestRedraw();
}

void SkinSystemButton::mouseMove(Qt::MouseButtons buttons, const QPoint&)
{
    if (m_pointerState == PointerState::Pressed && (buttons & Qt::LeftButton)) {
        requestRedraw();
    } else if (SkinFrameInterface* owningFrame = frame()) {
        owningFrame->showSkinHint(QPoint(left(), top()));
    }
    m_lastButtons = buttons;
}

void SkinSystemButton::mouseUp(Qt::MouseButton, Qt::MouseButtons, const QPoint&)
{
    m_lastButtons = Qt::NoButton;
    if (m_pointerState != PointerState::Pressed)
        return;
    m_pointerState = PointerState::Hot;
    requestRedraw();
    SkinFrameInterface* owningFrame = frame();
    if (!owningFrame)
        return;
    switch (action) {
    case SkinAction::None:
    case SkinAction::RollPanel: break;
    default: owningFrame->performSkinAction(action, this); break;
    }
}

void SkinSystemButton::dblClick()
{
    if (action != SkinAction::SystemMenu)
        return;
    if (SkinFrameInterface* owningFrame = frame())
        owningFrame->performSkinAction(SkinAction::Close, this);
}

const SkinPropertyTable& SkinSystemButton::propertyTable()
{
    using namespace skinprop;
    using C = SkinSystemButton;
    static const SkinPropertyTable table(&SkinActiveBitmap::propertyTable(),
                                         {
                                             enumProperty<&C::action, actionIdent, actionFromIdent>("Action"),
                                             property<&C::bitmapHot>("BitmapHot"),
                                             property<&C::bitmapPressed>("BitmapPressed"),
                                         });
    return table;
}
} // namespace corvane::skin
