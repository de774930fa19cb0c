#pragma once
// SkinMenuItem: an item of a skinned menu bar or of its popup menus. An item
// is a component (QObject) owned by a window; its place in a menu is separate
// from ownership: every item holds its sub-items in order. A caption of "-"
// makes a separator; "&" marks the accelerator character.
//
// An item refers into its engine's "MenuBar" and "PopupMenu" trees; the
// references are refreshed whenever the engine is set and emptied while the
// skin changes (items then draw plainly).

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "skin/SkinEngine.h"
#include "skin/SkinFormTypes.h"
#include "skin/menu/SkinMenuTypes.h"

namespace corvane::skin {

class SkinMenuItem : public QObject {
    Q_OBJECT
public:
    explicit SkinMenuItem(QObject* owner = nullptr);
    ~SkinMenuItem() override;

    // ---- What the item shows.
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked) { m_checked = checked; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int imageIndex() const { return m_imageIndex; }
    void setImageIndex(int index) { m_imageIndex = index; }
    // Glyph pictures; an item without its own uses its top ancestor's.
    void setImages(SkinImageList* images) { m_images = images; }
    SkinImageList* effectiveImages();
    QKeySequence shortcut() const { return m_shortcut; }
    void setShortcut(const QKeySequence& shortcut) { m_shortcut = shortcut; }
    // A scrolled item with a positive scroll count shows its sub-items in a
    // vertical view of that many rows between two scroll strips.
    void setScrolled(bool scrolled) { m_scrolled = scrolled; }
    int scrollCount() const { return m_scrollCount; }
    void setScrollCount(int count) { m_scrollCount = count; }
    bool scrolls() const { return m_scrolled && m_scrollCount > 0; }

    // ---- Sub-items, in order.
    int count() const { return int(m_items.size()); }
    SkinMenuItem* item(int index) const { return m_items.value(index); }
    const QList<SkinMenuItem*>& items() const { return m_items; }
    void add(SkinMenuItem* item);
    void insert(int index, SkinMenuItem* item);
    void remove(SkinMenuItem* item);
    int indexOf(const SkinMenuItem* item) const { return int(m_items.indexOf(const_cast<SkinMenuItem*>(item))); }

    bool isSeparator() const { return m_caption == QLatin1String("-"); }
    // Visible and not a separator: can be chosen.
    bool isSelectable() const { return m_visible && !isSeparator(); }
    bool hasVisibleItems() const;
    SkinMenuItem* topItem();

    // ---- Where the item is while a menu shows it.
    QRect rect() const { return m_rect; } // in its view's window
    void setRect(const QRect& rect) { m_rect = rect; }
    QWidget* ownerWindow() const { return m_window; } // the top-level window it belongs to
    // First shown sub-item when scrolling.
    int firstShown() const { return m_firstShown; }
    void setFirstShown(int index) { m_firstShown = index; }
    const SkinPopupMenuOptions& popupOptions() const { return m_popupOptions; }

    // Sets popup options (and window) on this item and all its descendants.
    void applyPopupOptions(const SkinPopupMenuOptions& options);
    void setOwnerWindowAll(QWidget* window);

    // Chooses the item: does nothing for a separator, a disabled item or one
    // with sub-items; otherwise emits triggered() once menu mode has ended
    // and the closed menus have left the screen.
    void click();

    // Depth-first search in item order for a sub-item with this shortcut.
    SkinMenuItem* findShortcut(const QKeySequence& shortcut);

    // ---- The skin.
    SkinEngine* skinEngine() const { return m_engine; }
    // Sets the engine on this item and every sub-item and links the objects.
    void setSkinEngine(SkinEngine* engine);
    // Empties the references (while the skin changes), here and below.
    void unlinkSkin();
    SkinObject* menuBarObject() const { return m_menuBar; }
    SkinObject* menuBarItemObject() const { return m_barItem; }
    SkinObject* popupMenuObject() const { return m_popupMenu; }
    SkinObject* popupItemObject() const { return m_popupItem; }
    SkinObject* popupSeparatorObject() const { return m_popupSeparator; }

signals:
    // The item was chosen.
    void triggered();

private:
    // Re-reads the references from the engine.
    void linkSkin();
    void postClick();
    // The posted half of click(): waits for menu mode to end, lets the
    // screen catch up, then triggers.
    void deliverClick();

    QString m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_visible = true;
    int m_imageIndex = -1;
    SkinImageList* m_images = nullptr;
    QKeySequence m_shortcut;
    bool m_scrolled = false;
    int m_scrollCount = 0;

    SkinMenuItem* m_parent = nullptr;
    QList<SkinMenuItem*> m_items;

    QRect m_rect;
    QPointer<QWidget> m_window;
    SkinPopupMenuOptions m_popupOptions;
    int m_firstShown = 0;

    QPointer<SkinEngine> m_engine;
    SkinObject* m_menuBar = nullptr;
    SkinObject* m_barItem = nullptr;
    SkinObject* m_popupMenu = nullptr;
    SkinObject* m_popupItem = nullptr;
    SkinObject* m_popupSeparator = nullptr;
};

// The child of `object` with this name (not the object itself); null when none.
SkinObject* childNamed(SkinObject* object, const QString& name);

} // namespace corvane::skin
