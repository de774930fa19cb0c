#pragma once
// Fixtures of the skinned button tests: a small skin built in code whose five
// face pictures have distinct colours and see-through corners, and a parent
// widget that paints a skin's client background the way the skinned window
// does behind its controls.

#include "skin/SkinEngine.h"

#include <QWidget>

namespace corvane::skin::test {

// Colours of the face pictures of the test skin (centre pixels).
constexpr QRgb FaceNormal = 0xFF4060A0u;
constexpr QRgb FacePressed = 0xFF203050u;
constexpr QRgb FaceDisabled = 0xFF909090u;
constexpr QRgb FaceHot = 0xFF60A0E0u;
constexpr QRgb FaceFocused = 0xFF40A060u;
// The two colours of the test skin's client background checkerboard.
constexpr QRgb ClientDark = 0xFF806040u;
constexpr QRgb ClientLight = 0xFFC0A080u;
// Caption colour of the "Text" object.
constexpr QRgb CaptionColour = 0xFFFFFFFFu;

// Fills `engine` with the test skin: bitmaps "Buttons" (225 x 20: normal,
// pressed, disabled, hot, focused, each 45 x 20 with 2 x 2 key-colour corners)
// and "Dialog" (a 64 x 45 checkerboard of 8-pixel squares); objects "Form"
// (with a Client object tiling "Dialog") and "Button" (Face and Text, as the
// stored skin arranges them). With `maskedFace` false the face draws its
// corners as stored (no key skipping anywhere).
void buildButtonSkin(SkinEngine& engine, bool maskedFace = true);

// The stored skin, read from the source tree; false when it is not there.
bool loadIvory(SkinEngine& engine);

// A window background that draws the engine's "Form" client object tiled
// over its whole area, like the skinned main window's client area.
class SkinnedBackground : public QWidget {
public:
    explicit SkinnedBackground(SkinEngine* engine, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SkinEngine* m_engine;
};

} // namespace corvane::skin::test
