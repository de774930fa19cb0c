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

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setUnderlined(bool underlined);
};

} // namespace corvane::shell
