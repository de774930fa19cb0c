// TSkinCustomForm: the system menu and the actions of the skin's caption
// buttons.

#include "skin/frame/TSkinCustomForm.h"

#include <QCursor>
#include <QWidget>

#include "skin/SkinObjects.h"

namespace corvane::skin {

void TSkinCustomForm::showSystemMenu(std::optional<QPoint> screenPoint)
{
    QPoint at;
    if (m_state == wsTray)
        at = QCursor::pos();
    else if (screenPoint)
        at = *screenPoint;
    else
        at = m_owner->mapToGlobal(clientRect().topLeft());

    QMenu* link = (m_state == wsTray && TrayMenuLink) ? TrayMenuLink.data() : SystemMenuLink.data();
    if (link) {
        link->exec(at);
        return;
    }
    QPointer<TSkinCustomForm> self(this);
    m_menuPresenter->popup(m_owner, systemMenuItems(m_state, m_borderIcons), at,
                           m_state == wsTray ? TrayMenuOptions : SystemMenuOptions,
                           [self](const QString& caption) {
                               if (self)
                                   self->runSystemMenuCommand(caption);
                           });
}

bool TSkinCustomForm::runSystemMenuCommand(const QString& caption)
{
    using namespace systemMenuCaption;
    if (caption == Restore) restore();
    else if (caption == Minimize) minimize();
    else if (caption == Maximize) maximize();
    else if (caption == Rollup) rollup();
    else if (caption == Tray) minimizeToTray();
    else if (caption == Close) close();
    else return false;
    return true;
}

void TSkinCustomForm::performSkinAction(TSkinAction action, TSkinSystemButton* button)
{
    switch (action) {
    case sbaClose: close(); break;
    case sbaHelp: help(); break;
    case sbaMinimize: minimize(); break;
    case sbaMaximize: maximize(); break;
    case sbaRestore:
    case sbaRollDown: restore(); break;
    case sbaRollUp: rollup(); break;
    case sbaTray: minimizeToTray(); break;
    case sbaSysMenu:
        if (button)
            showSystemMenu(m_owner->mapToGlobal(QPoint(button->left(), button->top() + button->height())));
        else
            showSystemMenu();
        break;
    case sbaCustom:
        if (customAction)
            customAction(button);
        break;
    case sbaNone:
    case sbaRollPanel: break;
    }
}

} // namespace corvane::skin
