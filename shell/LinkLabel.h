#pragma once
// A text label that opens a "mailto:" address when clicked and is underlined
// while the mouse is over it; its colour stays blue throughout.

#include <QLabel>

namespace corvane::shell {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& name, const QString& address, QWidget* parent);

    QString address() const { return text(); }
    bool isUnderlined() const { return font().underline(); }

protected:
    void enterEvent(QEnterEvent* event) override;        // LabelNMouseEnter
    void leaveEvent(QEvent* event) override;             // LabelNMouseLeave
    void mouseReleaseEvent(QMouseEvent* event) override; // LabelNClick

private:
    void setUnderlined(bool underlined);
};

} // namespace corvane::shell
