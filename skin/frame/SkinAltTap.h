#pragma once
// SkinAltTap: notices Alt pressed and released alone in one window, the key
// that enters a window's menu bar. Any other key, button or wheel in between
// (Alt + a letter, Alt + a drag, a layout switch with Shift) makes it no tap.
// It watches the application's input without taking any of it.

#include <QObject>
#include <QPointer>

class QWidget;

namespace corvane::skin {

class SkinAltTap : public QObject {
    Q_OBJECT
public:
    explicit SkinAltTap(QWidget* window);
    ~SkinAltTap() override;

signals:
    void tapped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inWindow(QObject* object) const;

    QPointer<QWidget> m_window;
    bool m_armed = false;
};

} // namespace corvane::skin
