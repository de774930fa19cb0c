#include "skin/frame/SkinSystemMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QStyle>

namespace corvane::skin {

namespace {

bool has(SkinBorderIcons icons, SkinBorderIcon icon)
{
    return (icons & borderIconBit(icon)) != 0;
}

QIcon captionButtonIcon(int imageIndex)
{
    static const QStyle::StandardPixmap pictures[] = {QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarMinButton,
                                                      QStyle::SP_TitleBarMaxButton,   QStyle::SP_TitleBarNormalButton,
                                                      QStyle::SP_TitleBarShadeButton, QStyle::SP_ArrowDown};
    if (imageIndex < 0 || imageIndex >= int(std::size(pictures)))
        return QIcon();
    return QApplication::style()->standardIcon(pictures[imageIndex]);
}

} // namespace

QList<SkinSystemMenuItem> systemMenuItems(SkinWindowState state, SkinBorderIcons icons)
{
    using namespace systemMenuCaption;
    const bool minimizedOrTray = state == SkinWindowState::Minimized || state == SkinWindowState::Tray;
    QList<SkinSystemMenuItem> items;
    if (state != SkinWindowState::Normal)
        items.append({Restore, QString(), 3});
    if (has(icons, SkinBorderIcon::Minimize) && !minimizedOrTray)
        items.append({Minimize, QString(), 1});
    if (has(icons, SkinBorderIcon::Maximize) &&
        (state == SkinWindowState::Normal || state == SkinWindowState::RolledUp))
        items.append({Maximize, QString(), 2});
    if (has(icons, SkinBorderIcon::RollUp) && (state == SkinWindowState::Normal || state == SkinWindowState::Maximized))
        items.append({Rollup, QString(), 4});
    if (has(icons, SkinBorderIcon::Tray) && !minimizedOrTray)
        items.append({Tray, QString(), 5});
    if (has(icons, SkinBorderIcon::Close)) {
        if (!items.isEmpty())
            items.append({QStringLiteral("-"), QString(), -1});
        items.append({Close, QStringLiteral("Alt+F4"), 0});
    }
    return items;
}

void PlainSystemMenuPresenter::popup(QWidget* window, const QList<SkinSystemMenuItem>& items, const QPoint& screenPoint,
                                     const SkinPopupMenuOptions&, const std::function<void(const QString&)>& chosen)
{
    if (items.isEmpty())
        return;
    QMenu menu(window);
    menu.setObjectName(QStringLiteral("SystemMenu"));
    for (const SkinSystemMenuItem& item : items) {
        if (item.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        // The shortcut is display text only: the frame's window handles the key.
        QString text = item.caption;
        if (!item.shortcut.isEmpty())
            text += QLatin1Char('\t') + item.shortcut;
        QAction* action = menu.addAction(captionButtonIcon(item.imageIndex), text);
        action->setData(item.caption);
    }
    QAction* picked = menu.exec(screenPoint);
    // The menu ran an event loop of its own; run the action after it has closed.
    if (picked)
        chosen(picked->data().toString());
}

} // namespace corvane::skin
