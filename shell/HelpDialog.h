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

    QPlainTextEdit* memo1() const { return m_memo1; }
    QPushButton* button1() const { return m_button1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_memo1;
    QPushButton* m_button1;
};

} // namespace corvane::shell
