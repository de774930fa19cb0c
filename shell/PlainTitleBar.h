#pragma once
// A plain stand-in for the flat title bar of the settings dialog: a blue bar
// with the caption in white (in 162,154,130 while the dialog is inactive);
// dragging it moves the dialog.

#include <QWidget>

namespace corvane::shell {

class PlainTitleBar : public QWidget {
    Q_OBJECT
public:
    PlainTitleBar(const QString& caption, QWidget* parent);

    QColor textColour() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString caption_;
    QPoint pressOffset_;
    bool dragging_ = false;
};

} // namespace corvane::shell
