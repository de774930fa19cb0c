#pragma once
// The help dialog: a read-only text on how to play on one computer or two.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace corvane::shell {

class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(QWidget* owner);

    static QString helpText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_helpText;
    QPushButton* m_closeButton;
};

} // namespace corvane::shell
