#pragma once
// TSkinCustomItem and TSkinItem: the items of a skinned menu bar and of its
// popup menus. An item is a component (QObject) owned by a form; its place in
// a menu is separate from ownership: every item holds its sub-items in order
// and knows its parent item. A caption of "-" makes a separator; "&" marks the
// accelerator character.
//
// TSkinItem adds the skin: references into the engine's "MenuBar" and
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

class TSkinCustomItem;
using TSkinItemEvent = std::function<void(TSkinCustomItem* sender)>;

class TSkinCustomItem : public QObject {
    Q_OBJECT
public:
    explicit TSkinCustomItem(QObject* owner = nullptr);
    ~TSkinCustomItem() override;

    // ---- Published properties, in order.
    QPointer<QAction> Action;
    int Count() const { return int(m_items.size()); }
    int HelpContext = 0;
    QString Hint;
    TSkinCustomItem* Parent() const { return m_parent; }
    // Streaming places an item under its parent through this.
    TSkinCustomItem* ParentComponent() const { return m_parent; }
    void setParentComponent(TSkinCustomItem* parent);
    bool Checked = false;
    bool Enabled = true;
    QString Caption;
    int ImageIndex = -1;
    // Glyph pictures; an item without its own uses its top ancestor's.
    TSkinImageList* Images = nullptr;
    bool Scrolled = false;
    int ScrollCount = 0;
    TShortCut ShortCut = 0;
    bool Visible = true;
    TSkinItemEvent OnClick;
    TSkinItemEvent OnBeforeDropDown;

    // ---- Sub-items, in order.
    TSkinCustomItem* item(int index) const { return m_items.value(index); }
    const QList<TSkinCustomItem*>& items() const { return m_items; }
    void add(TSkinCustomItem* item);
    void insert(int index, TSkinCustomItem* item);
    void remove(TSkinCustomItem* item);
    int indexOf(const TSkinCustomItem* item) const { return int(m_items.indexOf(const_cast<TSkinCustomItem*>(item))); }

    bool isSeparator() const { return Caption == QLatin1String("-"); }
    // Visible and neither a separator nor disabled: can be chosen.
    bool isSelectable() const { return Visible && !isSeparator(); }
    bool hasVisibleItems() const;
    TSkinCustomItem* topItem();
    TSkinImageList* effectiveImages();
    // Scrolled with a positive ScrollCount: a vertical view shows a window of
    // ScrollCount sub-items between two scroll strips.
    bool scrolls() const { return Scrolled && ScrollCount > 0; }

    // ---- Run-time fields.
    QRect rect; // in its view's window
    TSkinItemSpecial special = TSkinItemSpecial::None;
    QPointer<QWidget> form; // top-level window it belongs to
    TSkinPopupMenuOptions popupOptions;
    int firstVisible = 0; // first shown sub-item when scrolling
    bool animate = false; // the next popup of this item animates

    // Sets popup options (and form) on this item and all its descendants.
    void applyPopupOptions(const TSkinPopupMenuOptions& options);
    void setFormAll(QWidget* form);
    void setAnimateAll(bool animate);

    // Chooses the item: does nothing for a separator, a disabled item or one
    // with sub-items; otherwise posts the click, which runs OnClick (or the
    // action) after pending events have been processed.
    void click();
    // Runs OnClick, else the action; used by the click dispatcher.
    void execute();

    // Depth-first search in item order for a sub-item with this shortcut.
    TSkinCustomItem* findShortCut(TShortCut shortCut);

    // ---- Skin references (none for the plain item).
    virtual TSkinObject* menuBarObject() const { return nullptr; }
    virtual TSkinObject* menuBarItemObject() const { return nullptr; }
    virtual TSkinObject* popupMenuObject() const { return nullptr; }
    virtual TSkinObject* popupItemObject() const { return nullptr; }
    virtual TSkinObject* popupSeparatorObject() const { return nullptr; }

protected:
    // Called for every item added below this one.
    virtual void adopt(TSkinCustomItem* /*child*/) { }

private:
    TSkinCustomItem* m_parent = nullptr;
    QList<TSkinCustomItem*> m_items;
};

class TSkinItem : public TSkinCustomItem {
    Q_OBJECT
public:
    explicit TSkinItem(QObject* owner = nullptr);
    ~TSkinItem() override;

    TSkinEngine* SkinEngine() const { return m_engine; }
    // Sets the engine on this item and every sub-item and links the objects.
    void setSkinEngine(TSkinEngine* engine);
    // Re-reads the references (after CM_SKINCHANGED); `barObjectName` names
    // the bar's top-level object ("MenuBar").
    void linkSkin(bool inControlBar = false);
    // Empties the references (on CM_SKINCHANGING).
    void unlinkSkin();

    TSkinObject* menuBarObject() const override { return m_menuBar; }
    TSkinObject* menuBarItemObject() const override { return m_barItem; }
    TSkinObject* popupMenuObject() const override { return m_popupMenu; }
    TSkinObject* popupItemObject() const override { return m_popupItem; }
    TSkinObject* popupSeparatorObject() const override { return m_popupSeparator; }

protected:
    void adopt(TSkinCustomItem* child) override;

private:
    QPointer<TSkinEngine> m_engine;
    bool m_inControlBar = false;
    TSkinObject* m_menuBar = nullptr;
    TSkinObject* m_barItem = nullptr;
    TSkinObject* m_popupMenu = nullptr;
    TSkinObject* m_popupItem = nullptr;
    TSkinObject* m_popupSeparator = nullptr;
};

// The child of `object` with this name (not the object itself); null when none.
TSkinObject* childNamed(TSkinObject* object, const QString& name);

} // namespace corvane::skin
