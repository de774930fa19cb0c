#pragma once
// The settings of a skinned window frame (SkinCustomForm and SkinForm):
// window states, border styles, dragging, gravitation and the option groups
// that are stored with a window but that this program does not animate. The
// menus share them (popup options, the show animation, the hit-test query).

#include <QEvent>
#include <QPoint>
#include <QSize>

#include "skin/SkinTypes.h"
#include "skin/SkinControlTypes.h"

namespace corvane::skin {

// Asks a window whether a point (window coordinates) lies on its frame:
// caption, caption buttons or borders, where the platform's non-client area
// would be. A skinned frame answers; any other window leaves the answer no.
inline QEvent::Type skinHitTestEvent()
{
    return registeredEventType<struct SkinHitTestTag>();
}

class SkinHitTestEvent : public QEvent {
public:
    explicit SkinHitTestEvent(const QPoint& windowPoint) : QEvent(skinHitTestEvent()), m_point(windowPoint)
    { }
    QPoint windowPoint() const { return m_point; }
    bool nonClient() const { return m_nonClient; }
    void setNonClient(bool nonClient) { m_nonClient = nonClient; }

private:
    QPoint m_point;
    bool m_nonClient = false;
};

enum class SkinWindowState : int { Normal, Maximized, Minimized, RolledUp, Tray };

// The state byte a frame's object tree gets for a window state.
constexpr SkinState skinStateOf(SkinWindowState state)
{
    switch (state) {
    case SkinWindowState::Maximized: return SkinState::Maximized;
    case SkinWindowState::Minimized: return SkinState::Minimized;
    case SkinWindowState::RolledUp: return SkinState::RolledUp;
    case SkinWindowState::Tray: return SkinState::Minimized;
    case SkinWindowState::Normal: break;
    }
    return SkinState::Normal;
}

enum class SkinBorderStyle : int { None, Standard, ToolWindow };

enum class SkinFormDragMode : int {
    Outline, // an outline follows the pointer, the window moves on release
    FullDrag // the window follows the pointer
};

enum class SkinAnimationEffect : int {
    RandomSelect,
    Fade,
    Diagonal,
    Down,
    In,
    Out,
    RectIn,
    RectOut,
    Pixel,
    PixelLine,
    DiamondIn,
    DiamondOut,
    SmoothDiagonal,
    SmoothRectIn,
    SmoothRectOut
};

enum class SkinAnimationDirection : int { None, NoRotate, Rotate90, Rotate180, Rotate270 };

struct SkinAnimation {
    bool enabled = false;
    SkinAnimationEffect effect = SkinAnimationEffect::Fade;
    SkinAnimationDirection direction = SkinAnimationDirection::None;
    int time = 400;     // 50..9000 ms
    int resolution = 1; // 1..10
    int tileCount = 1;  // 1..20
};

struct SkinShadow {
    bool enabled = false;
    int size = 4;
};

struct SkinDragging {
    bool moveable = true;
    bool sizeable = true;
    SkinFormDragMode dragMode = SkinFormDragMode::FullDrag;
};

struct SkinGravitation {
    bool enabled = true;
    int size = 20;
};

// Minimum and maximum window size; 0 means "no constraint".
struct SkinConstraints {
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
};

struct SkinPopupMenuOptions {
    SkinBlending blending{false, 150};
    SkinShadow shadow;
    SkinAnimation animation;
};

// The caption functions a frame offers by default: all but help.
constexpr SkinBorderIcons defaultBorderIcons =
    borderIconBit(SkinBorderIcon::Close) | borderIconBit(SkinBorderIcon::SystemMenu) |
    borderIconBit(SkinBorderIcon::Minimize) | borderIconBit(SkinBorderIcon::Maximize) |
    borderIconBit(SkinBorderIcon::RollUp) | borderIconBit(SkinBorderIcon::Tray);

} // namespace corvane::skin
