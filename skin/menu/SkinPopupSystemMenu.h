#pragma once
// The skinned system menu: shows a frame's system menu items in a skinned,
// animated popup menu (SkinMenuTracker::trackPopup) instead of a plain one.
// The frame hands its items and options over the presenter interface; the
// chosen item's caption comes back through `chosen` after the menu has closed.

#include <QPointer>
#include <memory>

#include "skin/SkinEngine.h"
#include "skin/SkinFrameHooks.h"
#include "skin/menu/SkinMenuItem.h"

namespace corvane::skin {

class SkinPopupSystemMenuPresenter : public SkinSystemMenuPresenter {
public:
    // The engine is asked for each time the menu opens (a frame's engine may
    // change after the presenter is installed).
    explicit SkinPopupSystemMenuPresenter(std::function<SkinEngine*()> engineOf);
    ~SkinPopupSystemMenuPresenter() override;

    void popup(QWidget* window, const QList<SkinSystemMenuItem>& items, const QPoint& screenPoint,
               const SkinPopupMenuOptions& options, const std::function<void(const QString&)>& chosen) override;

    // The built-in pictures of the system menu items: 0 close, 1 minimize,
    // 2 maximize, 3 restore, 4 roll up, 5 minimize to the tray.
    static SkinImageList& captionButtonImages();

private:
    std::function<SkinEngine*()> m_engineOf;
    // The menu shown last, kept until the next one so that its posted click
    // finds its item.
    std::unique_ptr<SkinMenuItem> m_menu;
};

} // namespace corvane::skin
