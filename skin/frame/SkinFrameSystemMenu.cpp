#include "skin/frame/SkinFrameSystemMenu.h"

#include <QCursor>
#include <QWidget>

#include "skin/frame/SkinCustomForm.h"

namespace corvane::skin {

SkinFrameSystemMenu::SkinFrameSystemMenu(SkinCustomForm& form)
    : m_form(form), m_presenter(std::make_unique<PlainSystemMenuPresenter>())
{ }

void SkinFrameSystemMenu::show(std::optional<QPoint> screenPoint)
{
    const bool inTray = m_form.windowState() == SkinWindowState::Tray;
    // A closed window has no menu: a click that arrives after the close (the
    // last of a triple click on the icon) must not open one while the
    // application quits. Nor has a window the platform minimised: the menu
    // would stay on the screen without it.
    if (!inTray && (!m_form.owner()->isVisible() || m_form.owner()->isMinimized()))
        return;
    QPoint at;
    if (inTray)
        at = QCursor::pos();
    else if (screenPoint)
        at = *screenPoint;
    else
        at = m_form.owner()->mapToGlobal(m_form.clientRect().topLeft());

    QPointer<SkinCustomForm> form(&m_form);
    m_presenter->popup(m_form.owner(), systemMenuItems(m_form.windowState(), m_form.borderIcons()), at,
                       inTray ? SkinPopupMenuOptions() : m_form.systemMenuOptions(), [form](const QString& caption) {
                           if (form)
                               form->runSystemMenuCommand(caption);
                       });
}

bool SkinFrameSystemMenu::run(const QString& caption)
{
    using namespace systemMenuCaption;
    if (caption == Restore)
        m_form.restore();
    else if (caption == Minimize)
        m_form.minimize();
    else if (caption == Maximize)
        m_form.maximize();
    else if (caption == Rollup)
        m_form.rollup();
    else if (caption == Tray)
        m_form.minimizeToTray();
    else if (caption == Close)
        m_form.close();
    else
        return false;
    return true;
}

void SkinFrameSystemMenu::setPresenter(std::unique_ptr<SkinSystemMenuPresenter> presenter)
{
    if (presenter)
        m_presenter = std::move(presenter);
}

} // namespace corvane::skin
