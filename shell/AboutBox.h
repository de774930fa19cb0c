#pragma once
// The about box: game name, version and the author's two contact addresses.

#include <QDialog>

namespace corvane::shell {

class LinkLabel;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* owner);

    // The two contact addresses shown as links (and opened after "mailto:").
    static const QString FirstContactAddress;
    static const QString SecondContactAddress;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace corvane::shell
