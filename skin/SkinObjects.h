#pragma once
// The descendants of TSkinObject that skins use, and the class registry.
//
//   TSkinObject
//     TSkinActiveObject      active colour and font
//     TSkinBitmapObject      one bitmap, nine-slice drawing
//       TSkinActiveBitmap    second bitmap and font for the active state
//         TSkinSystemButton  caption button with an action
//       TSkinButtonObject    bitmaps per button state
//     TSkinTextObject        fonts per button state

#include "skin/SkinObject.h"

#include <functional>

namespace corvane::skin {

class TSkinActiveObject : public TSkinObject {
public:
    using TSkinObject::TSkinObject;
    QByteArray className() const override { return QByteArrayLiteral("TSkinActiveObject"); }

    TColor ActiveColor = clWhite;
    TSkinFont ActiveFont;

    void draw(QPainter& painter) override;
    void changeHue(int delta) override;
    void setCharset(int charset) override;
    const TSkinFont& getFont() const override;
    static const TSkinPropertyTable& propertyTable();
    const TSkinPropertyTable& properties() const override { return propertyTable(); }
};

class TSkinBitmapObject : public TSkinObject {
public:
    using TSkinObject::TSkinObject;
    QByteArray className() const override { return QByteArrayLiteral("TSkinBitmapObject"); }

    TSkinBitmapLink Bitmap;
    TSkinTileStyle BorderTileStyle = tsTile;
    bool MaskedBorder = true;
    bool MaskedAngles = true;
    TSkinTileStyle TileStyle = tsTile;

    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    static const TSkinPropertyTable& propertyTable();
    const TSkinPropertyTable& properties() const override { return propertyTable(); }

protected:
    // Draws `link` over this object's rectangle (plain or nine-slice), then the
    // text, a fresh layout of the children and the children.
    void drawWithBitmap(QPainter& painter, const TSkinBitmapLink& link);
    QRegion ownRegion() override;
};

class TSkinActiveBitmap : public TSkinBitmapObject {
public:
    using TSkinBitmapObject::TSkinBitmapObject;
    QByteArray className() const override { return QByteArrayLiteral("TSkinActiveBitmap"); }

    TSkinBitmapLink ActiveBitmap;
    TSkinFont ActiveFont;

    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    void setCharset(int charset) override;
    void changeHue(int delta) override;
    const TSkinFont& getFont() const override;
    static const TSkinPropertyTable& propertyTable();
    const TSkinPropertyTable& properties() const override { return propertyTable(); }
};

// A caption button of a skinned frame. Its pointer state (0 normal, 1 hot,
// 2 pressed) follows the pointer events the frame forwards; the action runs on
// the frame found through the host (CM_SKINGETFORM).
class TSkinSystemButton : public TSkinActiveBitmap {
public:
    explicit TSkinSystemButton(TSkinObject* owner = nullptr);
    QByteArray className() const override { return QByteArrayLiteral("TSkinSystemButton"); }

    TSkinAction Action = sbaNone;
    TSkinBitmapLink BitmapHot;
    TSkinBitmapLink BitmapPressed;

    enum PointerState { PointerNormal = 0, PointerHot = 1, PointerPressed = 2 };
    int pointerState() const { return m_pointerState; }

    // Stores the state; with an owning frame also decides visibility from the
    // window state and the frame's BorderIcons.
    void setState(int state) override;
    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void mouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, const QPoint& pos) override;
    void mouseMove(Qt::MouseButtons buttons, const QPoint& pos) override;
    void mouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, const QPoint& pos) override;
    void dblClick() override;
    static const TSkinPropertyTable& propertyTable();
    const TSkinPropertyTable& properties() const override { return propertyTable(); }

    // Visibility rule on its own: hidden in the given window state, or when
    // the border icons lack the icon its action needs.
    static bool hiddenInWindowState(TSkinAction action, int windowState);
    static bool hiddenByBorderIcons(TSkinAction action, TSkinBorderIcons icons);

private:
    // The hot or pressed picture, drawn with this button inactive and its
    // children in `childState`.
    void drawPointerPicture(QPainter& painter, const TSkinBitmapLink& picture, int childState);
    void setChildrenState(int state);

    int m_pointerState = PointerNormal;
    Qt::MouseButtons m_lastButtons;
};

class TSkinButtonObject : public TSkinBitmapObject {
public:
    using TSkinBitmapObject::TSkinBitmapObject;
    QByteArray className() const override { return QByteArrayLiteral("TSkinButtonObject"); }

    TSkinBitmapLink BitmapHot;
    TSkinBitmapLink BitmapFocused;
    TSkinBitmapLink BitmapPressed;
    TSkinBitmapLink BitmapDisabled;

    // The link drawn in the current state (falls back to Bitmap when empty).
    const TSkinBitmapLink& currentBitmap() const;

    void linkBitmaps() override;
    void draw(QPainter& painter) override;
    static const TSkinPropertyTable& propertyTable();
    const TSkinPropertyTable& properties() const override { return propertyTable(); }
};

class TSkinTextObject : public TSkinObject {
public:
    using TSkinObject::TSkinObject;
    QByteArray className() const override { return QByteArrayLiteral("TSkinTextObject"); }

    TSkinFont FontHot;
    TSkinFont FontFocused;
    TSkinFont FontPressed;
    TSkinFont FontDisabled;

    const TSkinFont& getFont() const override;
    void draw(QPainter& painter) override;
    void setCharset(int charset) override;
    void changeHue(int delta) override;
    static const TSkinPropertyTable& propertyTable();
    const TSkinPropertyTable& properties() const override { return propertyTable(); }
};

// ---------------------------------------------------------------------------
// The registry of skin object classes (exact class names). Besides the seven
// classes above it holds ten names that skins may use but this program never
// meets; they behave like their nearest base class.
class TSkinClassRegistry {
public:
    using Factory = std::function<std::unique_ptr<TSkinObject>(TSkinObject* owner)>;
    // All 17 names in registration order.
    static QList<QByteArray> classNames();
    // A new, unowned instance (appended to owner's children when owner is
    // given); null when the name is not registered.
    static TSkinObject* create(const QByteArray& className, TSkinObject* owner = nullptr);
    static bool isRegistered(const QByteArray& className);
    // The property tables of the seven classes that have their own.
    static QList<const TSkinPropertyTable*> propertyTables();
};

} // namespace corvane::skin
