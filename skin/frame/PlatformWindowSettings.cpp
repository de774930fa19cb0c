#include "skin/frame/PlatformWindowSettings.h"

#include <QWidget>

#include "skin/SkinWindowSystem.h"

namespace corvane::skin {

void PlatformWindowSettings::takeOver(QWidget& window)
{
    m_flags = window.windowFlags();
    m_minimum = window.minimumSize();
    m_maximum = window.maximumSize();
    const bool visible = window.isVisible();
    // The platform's caption hints go: Qt keeps a caption for a customized
    // window that still asks for a title or buttons.
    const Qt::WindowFlags captionHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                                         Qt::WindowContextHelpButtonHint | Qt::WindowShadeButtonHint;
    window.setWindowFlags((m_flags & ~captionHints) | Qt::FramelessWindowHint);
    // The frame applies its own limits (SkinCustomForm::setWindowBounds).
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.setMouseTracking(true);
    // The frame paints every pixel of the window (its cached picture is
    // composed over the window's background), so Qt need not fill the
    // background first.
    m_opaquePaint = window.testAttribute(Qt::WA_OpaquePaintEvent);
    window.setAttribute(Qt::WA_OpaquePaintEvent);
    // Where a window's shape shows nothing through (Wayland), the pixels
    // outside the shape are painted transparent instead.
    m_translucent = window.testAttribute(Qt::WA_TranslucentBackground);
    if (!programPlacesWindows())
        window.setAttribute(Qt::WA_TranslucentBackground);
    if (visible)
        window.show();
}

void PlatformWindowSettings::giveBack(QWidget& window, QWidget* client, const QSize& clientSize) const
{
    const bool visible = window.isVisible();
    window.setAttribute(Qt::WA_OpaquePaintEvent, m_opaquePaint);
    window.setAttribute(Qt::WA_TranslucentBackground, m_translucent);
    window.clearMask();
    window.setWindowFlags(m_flags);
    if (client)
        client->setGeometry(QRect(QPoint(0, 0), clientSize));
    window.resize(clientSize);
    window.setMinimumSize(m_minimum);
    window.setMaximumSize(m_maximum);
    if (visible)
        window.show();
}

} // namespace corvane::skin
