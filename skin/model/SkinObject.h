#pragma once
// SkinObject: a rectangle with a role (Kind), a docking rule (Align), a fill
// colour, a font and text settings. Skin objects form trees; each object owns
// its children in creation order. Coordinates of every object are in the space
// of the root object, not relative to the parent.
//
// A skinned control takes a top-level object of the engine, works on its own
// copy (copyTree()), lays it out to its size (setBounds), sets state, active
// flag and texts, and calls draw() with a painter whose origin is the root's
// coordinate origin.

#include "skin/draw/SkinBitmap.h"
#include "skin/stream/SkinObjectRecord.h"
#include "skin/model/SkinPropertyTable.h"
#include "skin/model/SkinObjectEvents.h"

#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <memory>
#include <vector>

namespace corvane::skin {

class SkinObject {
public:
    // The owner, when given, takes ownership: the new object is appended to
    // its children.
    explicit SkinObject(SkinObject* owner = nullptr);
    virtual ~SkinObject();
    SkinObject(const SkinObject&) = delete;
    SkinObject& operator=(const SkinObject&) = delete;

    // The name the class is registered under ("TSkinObject",
    // "TSkinActiveBitmap" ...), as skins store it.
    virtual QByteArray className() const;

    // ---- Published properties, in stream order (Left, Top, Height, Width
    // sit between Masked and MarginLeft and go through setBounds).
    QString name;
    SkinAlign align = SkinAlign::None;
    SkinColor color = clWhite;
    bool drawIfOwner = false;
    SkinFont font;
    SkinKind kind = SkinKind::None;
    bool masked = true;
    int marginLeft = 0;
    int marginRight = 0;
    int marginTop = 0;
    int marginBottom = 0;
    SkinTextAlign textAlign = SkinTextAlign::Left;
    SkinTextEffect textEffect = SkinTextEffect::None;
    int textMarginLeft = 0;
    int textMarginRight = 0;
    int textMarginTop = 0;

    // ---- Run-time state that is not stored.
    bool visible = true; // layout and drawing skip invisible objects
    bool enabled = true; // disabled text is drawn grey
    QString text;        // caption, item caption ...
    QString secondText;  // e.g. shortcut text, drawn with mirrored alignment

    // ---- Bounds. Every change goes through setBounds: an unchanged rectangle
    // does nothing; otherwise the previous size is remembered, negative sizes
    // become 0, and the children are laid out.
    int left() const { return m_left; }
    int top() const { return m_top; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    QRect boundsRect() const { return QRect(m_left, m_top, m_width, m_height); }
    void setBounds(int left, int top, int width, int height);
    void setBounds(const QRect& r) { setBounds(r.left(), r.top(), r.width(), r.height()); }
    void setLeft(int v) { setBounds(v, m_top, m_width, m_height); }
    void setTop(int v) { setBounds(m_left, v, m_width, m_height); }
    void setWidth(int v) { setBounds(m_left, m_top, v, m_height); }
    void setHeight(int v) { setBounds(m_left, m_top, m_width, v); }
    // Lays the children out inside this object's rectangle (eight passes).
    void layoutChildren();

    // ---- The tree.
    SkinObject* owner() const { return m_owner; }
    int childCount() const { return int(m_children.size()); }
    SkinObject* child(int index) const { return m_children[size_t(index)].get(); }
    const std::vector<std::unique_ptr<SkinObject>>& children() const { return m_children; }
    void appendChild(std::unique_ptr<SkinObject> child);
    // Depth first, this object first, then each child in order. Names compare
    // case-insensitively.
    SkinObject* findObject(const QString& objectName);
    SkinObject* findKind(SkinKind wanted);
    // A copy of this tree: same registered classes, every published value,
    // links with their bitmap references, children, and finally the bounds.
    std::unique_ptr<SkinObject> copyTree() const;

    // ---- State passed down to every descendant.
    virtual void setState(SkinState state);
    SkinState state() const { return m_state; }
    void setActive(bool active);
    bool active() const { return m_active; }
    void setHost(QObject* host);
    QObject* host() const { return m_host; }
    void setBitmaps(const SkinBitmapList* bitmaps);
    const SkinBitmapList* bitmaps() const { return m_bitmaps; }
    void setRightToLeft(bool rightToLeft);

    // ---- Virtual operations.
    // Resolves every link of this object by name, then the children's.
    virtual void linkBitmaps();
    // Paints this object and its visible children on the painter (root space).
    virtual void draw(QPainter& painter);
    // Window-shape region in root space (empty for a non-positive size).
    virtual QRegion createRegion();
    // Shifts Color and the font colours by delta, then the children's.
    virtual void changeHue(int delta);
    // Pointer events, coordinates relative to the object; no-ops here.
    virtual void mouseEnter() { }
    virtual void mouseLeave() { }
    virtual void mouseDown(Qt::MouseButton /*button*/, Qt::MouseButtons /*buttons*/, const QPoint& /*pos*/) { }
    virtual void mouseMove(Qt::MouseButtons /*buttons*/, const QPoint& /*pos*/) { }
    virtual void mouseUp(Qt::MouseButton /*button*/, Qt::MouseButtons /*buttons*/, const QPoint& /*pos*/) { }
    virtual void dblClick() { }
    // Sets the charset of every font of this object and of its descendants.
    virtual void setCharset(int charset);
    // The font that fits the current state.
    virtual const SkinFont& getFont() const { return font; }

    // Hit testing in root coordinates: invisible objects, points outside and
    // SkinKind::Transparent objects yield nothing; otherwise the last child that yields
    // something, else this object.
    SkinObject* objectAt(const QPoint& point);

    // Sends the redraw request event to the host control.
    void requestRedraw();
    // Asks the host (the get-form request event) for the skinned frame; null when none.
    SkinFrameInterface* frame() const;

    // ---- Persistence (used by the readers and writers of the skin stream).
    // The published properties of this object's class, in stream order; each
    // class declares its own (propertyTable()) and returns it here.
    static const SkinPropertyTable& propertyTable();
    virtual const SkinPropertyTable& properties() const { return propertyTable(); }
    // Appends every published property except "Objects", in stream order.
    void writeProperties(QList<SkinProperty>& out) const;
    // Takes one stored property; false when the class does not publish it.
    bool readProperty(const SkinProperty& property);
    // Copies the name and every published value of the classes the source
    // shares with this object (not the bounds, not the children).
    void assignFrom(const SkinObject& source);

protected:
    // The fill and text of this object alone (no children).
    void drawFillAndText(QPainter& painter);
    void drawText(QPainter& painter);
    void drawVisibleChildren(QPainter& painter);
    // The region of this object alone, without looking at children.
    virtual QRegion ownRegion();
    // Sets this object's own Active flag without passing it down.
    void setOwnActive(bool active) { m_active = active; }

private:
    // Eight layout passes; pass 8 moves corner-anchored children by the
    // difference between the current size and (previousWidth, previousHeight).
    void layout(int previousWidth, int previousHeight);

    SkinObject* m_owner = nullptr;
    std::vector<std::unique_ptr<SkinObject>> m_children;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    int m_prevWidth = 0, m_prevHeight = 0;
    SkinState m_state = SkinState::Normal;
    bool m_active = false;
    bool m_rightToLeft = false;
    QPointer<QObject> m_host;
    const SkinBitmapList* m_bitmaps = nullptr;
};

// Hue shift of one colour (system colours are resolved first; clNone stays).
SkinColor shiftColorHue(SkinColor color, int delta);

} // namespace corvane::skin
