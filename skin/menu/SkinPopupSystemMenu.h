#pragma once
// The skinned system menu: shows a frame's system menu items in a skinned,
// animated popup menu (TSkinMenuTracker::trackPopup) instead of a plain one.
// The frame hands its items and options over the presenter interface; the
// chosen item's caption comes back through `chosen` after the menu has closed.

#include <QPointer>
#include <memory>

#include "skin/SkinEngine.h"
#include "skin/SkinFrameHooks.h"
#include "skin/menu/TSkinCustomItem.h"

namespace corvane::skin {

class TSkinPopupSystemMenuPresenter : public TSkinSystemMenuPresenter {
public:
    explicit TSkinPopupSystemMenuPresenter(TSkinEngine* engine);
    // The engine is asked for each time the menu opens (a frame's engine may
    // change after the presenter is installed).
    explicit TSkinPopupSystemMenuPresenter(std::function<TSkinEngine*()> engineOf);
    ~TSkinPopupSystemMenuPresenter() override;

    void popup(QWidget* window, const QList<TSkinSystemMenuItem>& items, const QPoint& screenPoint,
               const TSkinPopupMenuOptions& options, const std::function<void(const QString&)>& chosen) override;

    // The items of the menu shown last (kept until the next one, so that the
    // posted click finds its item).
    TSkinItem* lastMenu() const { return m_menu.get(); }

    // The built-in pictures of the system menu items: 0 close, 1 minimize,
    // 2 maximize, 3 restore, 4 roll up, 5 minimize to the tray.
    static TSkinImageList& captionButtonImages();

private:
    std::function<TSkinEngine*()> m_engineOf;
    std::unique_ptr<TSkinItem> m_menu;
};

// "Alt+F4", "Ctrl+Shift+S" ... back to a shortcut; 0 when not understood.
TShortCut shortCutFromText(const QString& text);

} // namespace corvane::skin
