#pragma once
// PlatformWindowSettings: what a window had under the platform's frame (its
// flags, size limits and painting attributes), taken when a skinned frame
// takes the window over and given back when the frame lets it go.

#include <QSize>
#include <Qt>

class QWidget;

namespace corvane::skin {

class PlatformWindowSettings {
public:
    // Makes `window` frameless and painted by the frame, without size limits
    // of its own, remembering what it had.
    void takeOver(QWidget& window);
    // Gives `window` back what it had, its client widget filling it at
    // `clientSize`.
    void giveBack(QWidget& window, QWidget* client, const QSize& clientSize) const;

private:
    Qt::WindowFlags m_flags;
    QSize m_minimum;
    QSize m_maximum;
    bool m_opaquePaint = false;
    bool m_translucent = false;
};

} // namespace corvane::skin
