#pragma once
// What a skinned frame and a skinned menu offer each other, without either
// knowing the other's classes: the frame hands Alt + letter presses and
// shortcut keys to a menu bar, and shows its system menu through a presenter.
// The window that owns both plugs them together.

#include <QList>
#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

#include "skin/SkinFormTypes.h"

class QWidget;

namespace corvane::skin {

// What a skinned menu bar offers the frame: keyboard menu activation and
// shortcut keys pressed anywhere in the window.
class SkinFrameMenuBar {
public:
    virtual ~SkinFrameMenuBar() = default;
    // Enters keyboard menu mode for an Alt + character press.
    virtual void keyboardMenu(QChar character) = 0;
    // A key with modifiers pressed in the window; true when consumed.
    virtual bool offerShortCut(int key, Qt::KeyboardModifiers modifiers) = 0;
};

// One entry of a frame's system menu.
struct SkinSystemMenuItem {
    QString caption;     // "&Restore" ... "-" for the separator
    QString shortcut;    // display text, e.g. "Alt+F4"
    int imageIndex = -1; // picture of the built-in caption-button set
    bool isSeparator() const { return caption == QLatin1String("-"); }
};

// Shows a frame's system menu. The frame builds the item list each time; the
// presenter shows it and reports the chosen caption back.
class SkinSystemMenuPresenter {
public:
    virtual ~SkinSystemMenuPresenter() = default;
    // Shows the items at a screen point for the frame's window; calls `chosen`
    // with the caption of the item the user picks (not at all when none).
    virtual void popup(QWidget* window, const QList<SkinSystemMenuItem>& items, const QPoint& screenPoint,
                       const SkinPopupMenuOptions& options, const std::function<void(const QString&)>& chosen) = 0;
};

} // namespace corvane::skin
