#pragma once
// SkinFrameStates: the window states of a skinned frame (normal,
// maximized, minimized, rolled up, in the tray) and the actions that move
// between them, each behind its veto event. The state before the current one
// is kept so that a restore returns to it (a rolled-up maximized window
// unrolls maximized), and the bounds of the normal state so that it returns
// to them.

#include <QRect>
#include <functional>

#include "skin/SkinFormTypes.h"

namespace corvane::skin {

class SkinCustomForm;

class SkinFrameStates {
public:
    explicit SkinFrameStates(SkinCustomForm& form);

    SkinWindowState state() const { return m_state; }
    QRect normalBounds() const { return m_normalBounds; }
    // The state to take once the window exists, and taking it then.
    void storeState(SkinWindowState state) { m_storedState = state; }
    SkinWindowState storedState() const { return m_storedState; }
    void performState(SkinWindowState state);
    void rememberLoadedBounds();

    void close();
    void minimize();
    void maximize();
    void rollup();
    void minimizeToTray();
    void restore();
    // The window system minimized or restored the window on its own (task
    // bar, window manager keys); the frame's state follows it.
    void followPlatformState();

    // What ends the application after the main window closed.
    void setTerminate(std::function<void()> terminate) { m_terminate = std::move(terminate); }
    // The tip of the tray icon.
    QString trayTip() const;

private:
    void setState(SkinWindowState state);
    void rememberNormalBounds();
    bool isModal() const;
    template <typename Event> bool allowed(const Event& event);
    void restoreFromTray();
    void restoreFromMinimized();
    void restoreFromRollup();

    SkinCustomForm& m_form;
    SkinWindowState m_state = wsNormal;
    SkinWindowState m_stateBefore = wsNormal;
    SkinWindowState m_storedState = wsNormal;
    QRect m_normalBounds;
    std::function<void()> m_terminate;
};

} // namespace corvane::skin
