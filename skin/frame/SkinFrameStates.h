#pragma once
// SkinFrameStates: the window states of a skinned frame (normal,
// maximized, minimized, rolled up, in the tray) and the actions that move
// between them. The state before the current one
// is kept so that a restore returns to it (a rolled-up maximized window
// unrolls maximized), and the bounds of the normal state so that it returns
// to them.

#include <QRect>

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

private:
    void setState(SkinWindowState state);
    void rememberNormalBounds();
    bool isModal() const;
    void restoreFromTray();
    void restoreFromMinimized();
    void restoreFromRollup();

    SkinCustomForm& m_form;
    SkinWindowState m_state = SkinWindowState::Normal;
    SkinWindowState m_stateBefore = SkinWindowState::Normal;
    SkinWindowState m_storedState = SkinWindowState::Normal;
    QRect m_normalBounds;
};

} // namespace corvane::skin
