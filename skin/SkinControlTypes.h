#pragma once
// Settings shared by the skinned controls and windows: how a control buffers
// its painting and how translucent a buffered control or a window is.

namespace corvane::skin {

enum class SkinPerformance : int { NoBuffer, SharedBuffer, DoubleBuffer };

// Translucency of a buffered control over its parent's background.
struct SkinBlending {
    bool enabled = false;
    int value = 192; // 0 (invisible) .. 255 (opaque)
    bool operator==(const SkinBlending&) const = default;
};

} // namespace corvane::skin
