#include "shell/Accessibility.h"

#include <QAccessibleWidget>
#include <functional>

#include "flat/FlatButton.h"
#include "shell/BoardView.h"
#include "skin/button/SkinCustomButton.h"
#include "skin/menu/SkinMenuBar.h"

namespace corvane::shell {

namespace {

// A widget of the program with its role and, for a button, its press.
class OwnControl : public QAccessibleWidget {
public:
    OwnControl(QWidget* widget, QAccessible::Role role, std::function<void()> press = {})
        : QAccessibleWidget(widget, role), m_press(std::move(press))
    { }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (m_press)
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && m_press)
            m_press();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    std::function<void()> m_press;
};

QAccessibleInterface* ownControl(const QString&, QObject* object)
{
    if (auto* button = qobject_cast<skin::SkinCustomButton*>(object))
        return new OwnControl(button, QAccessible::Button, [button] { button->click(); });
    if (auto* button = qobject_cast<flat::FlatButton*>(object))
        return new OwnControl(button, QAccessible::Button, [button] { button->click(); });
    if (auto* bar = qobject_cast<skin::SkinMenuBar*>(object))
        return new OwnControl(bar, QAccessible::MenuBar);
    if (auto* board = qobject_cast<BoardView*>(object))
        return new OwnControl(board, QAccessible::Canvas);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(ownControl);
        return true;
    }();
    (void)installed;
}

} // namespace corvane::shell
