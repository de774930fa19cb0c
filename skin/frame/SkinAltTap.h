#pragma once
// TSkinAltTap: notices Alt pressed and released alone in one window, the key
// that enters a window's menu bar. Any other key, button or wheel in between
// (Alt + a letter, Alt + a drag, a layout switch with Shift) makes it no tap.
// It watches the application's input without taking any of it.

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace corvane::skin {

class TSkinAltTap : public QObject {
public:
    TSkinAltTap(QWidget* window, std::function<void()> tapped);
    ~TSkinAltTap() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inWindow(QObject* object) const;

    QPointer<QWidget> m_window;
    std::function<void()> m_tapped;
    bool m_armed = false;
};

} // namespace corvane::skin
