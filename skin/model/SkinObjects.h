#pragma once
// The descendants of SkinObject that skins use, and the class registry.
//
//   SkinObject
//     SkinActiveObject      active colour and font
//     SkinBitmapObject      one bitmap, nine-slice drawing
//       SkinActiveBitmap    second bitmap and font for the active state
//         SkinSystemButton  caption button with an action
//       SkinButtonObject    bitmaps per button state
//     SkinTextObject        fonts per button state

#include "skin/model/SkinObject.h"

#include <typeinfo>

namespace corvane::skin {

class SkinActiveObject : public SkinObject {
public:
    using SkinObject::SkinObject;

    SkinColor activeColor = clWhite;
    SkinFont activeFont;

    void draw(QPainter& painter) override;
    void changeHue(int delta) override;
    void setCharset(int charset) override;
    const SkinFont& getFont() const override;
    static const SkinPropertyTable& propertyTable();
    const SkinPropertyTable& properties() const override { return propertyTable(); }
};

class SkinBitmapObject : public SkinObject {
public:
    using SkinObject::SkinObject;

    SkinBitmapLink bitmap;
    SkinTileStyle borderTileStyle = SkinTileStyle::Tile;
    bool maskedBorder = true;
    bool maskedAngles = true;
    SkinTileStyle tileStyle = SkinTileStyle::Tile;

    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    static const SkinPropertyTable& propertyTable();
    const SkinPropertyTable& properties() const override { return propertyTable(); }

protected:
    // Draws `link` over this object's rectangle (plain or nine-slice), then the
    // text, a fresh layout of the children and the children.
    void drawWithBitmap(QPainter& painter, const SkinBitmapLink& link);
    QRegion ownRegion() override;
};

class SkinActiveBitmap : public SkinBitmapObject {
public:
    using SkinBitmapObject::SkinBitmapObject;

    SkinBitmapLink activeBitmap;
    SkinFont activeFont;

    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    void setCharset(int charset) override;
    void changeHue(int delta) override;
    const SkinFont& getFont() const override;
    static const SkinPropertyTable& propertyTable();
    const SkinPropertyTable& properties() const override { return propertyTable(); }
};

// A caption button of a skinned frame. Its pointer state (normal, hot,
// pressed) follows the pointer events the frame forwards; the action runs on
// the frame found through the host (the get-form request event).
class SkinSystemButton : public SkinActiveBitmap {
public:
    explicit SkinSystemButton(SkinObject* owner = nullptr);

    SkinAction action = SkinAction::None;
    SkinBitmapLink bitmapHot;
    SkinBitmapLink bitmapPressed;

    enum class PointerState { Normal, Hot, Pressed };

    // Stores the state; with an owning frame also decides visibility from the
    // window state and the frame's BorderIcons.
    void setState(SkinState state) override;
    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void mouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, const QPoint& pos) override;
    void mouseMove(Qt::MouseButtons buttons, const QPoint& pos) override;
    void mouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, const QPoint& pos) override;
    void dblClick() override;
    static const SkinPropertyTable& propertyTable();
    const SkinPropertyTable& properties() const override { return propertyTable(); }

    // Visibility rule on its own: hidden in the given window state, or when
    // the border icons lack the icon its action needs.
    static bool hiddenInWindowState(SkinAction action, SkinState windowState);
    static bool hiddenByBorderIcons(SkinAction action, SkinBorderIcons icons);

private:
    // The hot or pressed picture, drawn with this button inactive and its
    // children in `childState`.
    void drawPointerPicture(QPainter& painter, const SkinBitmapLink& picture, SkinState childState);
    void setChildrenState(SkinState state);

    PointerState m_pointerState = PointerState::Normal;
    Qt::MouseButtons m_lastButtons;
};

class SkinButtonObject : public SkinBitmapObject {
public:
    using SkinBitmapObject::SkinBitmapObject;

    SkinBitmapLink bitmapHot;
    SkinBitmapLink bitmapFocused;
    SkinBitmapLink bitmapPressed;
    SkinBitmapLink bitmapDisabled;

    // The link drawn in the current state (falls back to Bitmap when empty).
    const SkinBitmapLink& currentBitmap() const;

    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    static const SkinPropertyTable& propertyTable();
    const SkinPropertyTable& properties() const override { return propertyTable(); }
};

class SkinTextObject : public SkinObject {
public:
    using SkinObject::SkinObject;

    SkinFont fontHot;
    SkinFont fontFocused;
    SkinFont fontPressed;
    SkinFont fontDisabled;

    const SkinFont& getFont() const override;
    void draw(QPainter& painter) override;
    void setCharset(int charset) override;
    void changeHue(int delta) override;
    static const SkinPropertyTable& propertyTable();
    const SkinPropertyTable& properties() const override { return propertyTable(); }
};

// ---------------------------------------------------------------------------
// The registry of skin object classes (exact class names). Besides the seven
// classes above it holds ten names that skins may use but this program never
// meets; they behave like their nearest base class.
class SkinClassRegistry {
public:
    // All 17 names in registration order.
    static QList<QByteArray> classNames();
    // A new instance; null when the name is not registered.
    static std::unique_ptr<SkinObject> create(const QByteArray& className);
    // The name a class of the seven is registered under; empty for any other.
    static QByteArray nameOf(const std::type_info& type);
    // The property tables of the seven classes that have their own.
    static QList<const SkinPropertyTable*> propertyTables();
};

} // namespace corvane::skin
