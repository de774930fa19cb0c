#pragma once
// SkinCustomItem and SkinItem: the items of a skinned menu bar and of its
// popup menus. An item is a component (QObject) owned by a form; its place in
// a menu is separate from ownership: every item holds its sub-items in order
// and knows its parent item. A caption of "-" makes a separator; "&" marks the
// accelerator character.
//
// SkinItem adds the skin: references into the engine's "MenuBar" and
// "PopupMenu" trees, refreshed whenever the engine is set and emptied while
// the skin changes (items then draw plainly).

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

#include "skin/SkinEngine.h"
#include "skin/SkinFormTypes.h"
#include "skin/menu/SkinMenuTypes.h"

namespace corvane::skin {

class SkinCustomItem;
using SkinItemEvent = std::function<void(SkinCustomItem* sender)>;

class SkinCustomItem : public QObject {
    Q_OBJECT
public:
    explicit SkinCustomItem(QObject* owner = nullptr);
    ~SkinCustomItem() override;

    // ---- Published properties, in order.
    QPointer<QAction> Action;
    int Count() const { return int(m_items.size()); }
    int HelpContext = 0;
    QString Hint;
    SkinCustomItem* Parent() const { return m_parent; }
    // Streaming places an item under its parent through this.
    SkinCustomItem* ParentComponent() const { return m_parent; }
    void setParentComponent(SkinCustomItem* parent);
    bool Checked = false;
    bool Enabled = true;
    QString Caption;
    int ImageIndex = -1;
    // Glyph pictures; an item without its own uses its top ancestor's.
    SkinImageList* Images = nullptr;
    bool Scrolled = false;
    int ScrollCount = 0;
    Shortcut ShortCut = 0;
    bool Visible = true;
    SkinItemEvent OnClick;
    SkinItemEvent OnBeforeDropDown;

    // ---- Sub-items, in order.
    SkinCustomItem* item(int index) const { return m_items.value(index); }
    const QList<SkinCustomItem*>& items() const { return m_items; }
    void add(SkinCustomItem* item);
    void insert(int index, SkinCustomItem* item);
    void remove(SkinCustomItem* item);
    int indexOf(const SkinCustomItem* item) const { return int(m_items.indexOf(const_cast<SkinCustomItem*>(item))); }

    bool isSeparator() const { return Caption == QLatin1String("-"); }
    // Visible and neither a separator nor disabled: can be chosen.
    bool isSelectable() const { return Visible && !isSeparator(); }
    bool hasVisibleItems() const;
    SkinCustomItem* topItem();
    SkinImageList* effectiveImages();
    // Scrolled with a positive ScrollCount: a vertical view shows a window of
    // ScrollCount sub-items between two scroll strips.
    bool scrolls() const { return Scrolled && ScrollCount > 0; }

    // ---- Run-time fields.
    QRect rect; // in its view's window
    SkinItemSpecial special = SkinItemSpecial::None;
    QPointer<QWidget> form; // top-level window it belongs to
    SkinPopupMenuOptions popupOptions;
    int firstVisible = 0; // first shown sub-item when scrolling
    bool animate = false; // the next popup of this item animates

    // Sets popup options (and form) on this item and all its descendants.
    void applyPopupOptions(const SkinPopupMenuOptions& options);
    void setFormAll(QWidget* form);
    void setAnimateAll(bool animate);

    // Chooses the item: does nothing for a separator, a disabled item or one
    // with sub-items; otherwise posts the click, which runs OnClick (or the
    // action) after pending events have been processed.
    void click();
    // Runs OnClick, else the action; used by the click dispatcher.
    void execute();

    // Depth-first search in item order for a sub-item with this shortcut.
    SkinCustomItem* findShortCut(Shortcut shortCut);

    // ---- Skin references (none for the plain item).
    virtual SkinObject* menuBarObject() const { return nullptr; }
    virtual SkinObject* menuBarItemObject() const { return nullptr; }
    virtual SkinObject* popupMenuObject() const { return nullptr; }
    virtual SkinObject* popupItemObject() const { return nullptr; }
    virtual SkinObject* popupSeparatorObject() const { return nullptr; }

protected:
    // Called for every item added below this one.
    virtual void adopt(SkinCustomItem* /*child*/) { }

private:
    SkinCustomItem* m_parent = nullptr;
    QList<SkinCustomItem*> m_items;
};

class SkinItem : public SkinCustomItem {
    Q_OBJECT
public:
    explicit SkinItem(QObject* owner = nullptr);
    ~SkinItem() override;

    SkinEngine* skinEngine() const { return m_engine; }
    // Sets the engine on this item and every sub-item and links the objects.
    void setSkinEngine(SkinEngine* engine);
    // Re-reads the references (after CM_SKINCHANGED); `barObjectName` names
    // the bar's top-level object ("MenuBar").
    void linkSkin(bool inControlBar = false);
    // Empties the references (on CM_SKINCHANGING).
    void unlinkSkin();

    SkinObject* menuBarObject() const override { return m_menuBar; }
    SkinObject* menuBarItemObject() const override { return m_barItem; }
    SkinObject* popupMenuObject() const override { return m_popupMenu; }
    SkinObject* popupItemObject() const override { return m_popupItem; }
    SkinObject* popupSeparatorObject() const override { return m_popupSeparator; }

protected:
    void adopt(SkinCustomItem* child) override;

private:
    QPointer<SkinEngine> m_engine;
    bool m_inControlBar = false;
    SkinObject* m_menuBar = nullptr;
    SkinObject* m_barItem = nullptr;
    SkinObject* m_popupMenu = nullptr;
    SkinObject* m_popupItem = nullptr;
    SkinObject* m_popupSeparator = nullptr;
};

// The child of `object` with this name (not the object itself); null when none.
SkinObject* childNamed(SkinObject* object, const QString& name);

} // namespace corvane::skin
