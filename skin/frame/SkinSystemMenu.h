#pragma once
// The built-in system menu of a skinned frame: which items it shows in which
// window state. The frame builds the item list each time; a presenter
// (skin/SkinFrameHooks.h) shows it and reports the chosen caption back, and
// the frame runs the action whose caption that is.
//
// The presenter here is a plain QMenu; the skinned, animated popup menus plug
// in through the same interface.

#include <QList>
#include <QPoint>
#include <QString>
#include <functional>

#include "skin/SkinFrameHooks.h"

namespace corvane::skin {

// The item captions, also the names of the actions they run.
namespace systemMenuCaption {
inline const QString Restore = QStringLiteral("&Restore");
inline const QString Minimize = QStringLiteral("Mi&nimize");
inline const QString Maximize = QStringLiteral("Ma&ximize");
inline const QString Rollup = QStringLiteral("Ro&llup");
inline const QString Tray = QStringLiteral("Minimize to &Tray");
inline const QString Close = QStringLiteral("&Close");
} // namespace systemMenuCaption

// The items shown for a window state and a set of border icons, in order.
QList<SkinSystemMenuItem> systemMenuItems(SkinWindowState state, SkinBorderIcons icons);

// A plain QMenu with the items, their shortcut texts and caption-button icons.
class PlainSystemMenuPresenter : public SkinSystemMenuPresenter {
public:
    void popup(QWidget* window, const QList<SkinSystemMenuItem>& items, const QPoint& screenPoint,
               const SkinPopupMenuOptions& options, const std::function<void(const QString&)>& chosen) override;
};

} // namespace corvane::skin
