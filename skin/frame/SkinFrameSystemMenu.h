#pragma once
// SkinFrameSystemMenu: a frame's system menu, shown by a presenter (a
// plain QMenu unless replaced), and the window-state action of the item chosen.

#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

#include "skin/frame/SkinSystemMenu.h"

namespace corvane::skin {

class SkinCustomForm;

class SkinFrameSystemMenu {
public:
    explicit SkinFrameSystemMenu(SkinCustomForm& form);

    // Opens the menu at a screen point, else at the client origin (at the
    // pointer in the tray).
    void show(std::optional<QPoint> screenPoint);
    // Runs the action of an item; false for an unknown caption.
    bool run(const QString& caption);
    void setPresenter(std::unique_ptr<SkinSystemMenuPresenter> presenter);

private:
    SkinCustomForm& m_form;
    std::unique_ptr<SkinSystemMenuPresenter> m_presenter;
};

} // namespace corvane::skin
