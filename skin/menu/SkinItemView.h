#pragma once
// SkinItemView: the engine of one menu level. It shows the sub-items of one
// item, either in a row (a menu bar) or in a column (a popup), inside a host
// window; it lays them out, knows the hot item, moves it for the arrow keys,
// scrolls a window of items in a scrolled popup and paints the items.
//
// The tracking loop of a level (SkinMenuTracker) keeps its loop state here:
// whether the level is done, whether it must open its hot item's sub-items,
// and the child and parent levels.

#include <QEventLoop>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include "skin/menu/SkinMenuPainter.h"

namespace corvane::skin {

// The two strips of a scrolled popup, above and below its items.
enum class ScrollStrip { None, Up, Down };

class SkinItemView {
public:
    SkinItemView(SkinMenuItem* item, Qt::Orientation orientation, QWidget* host, SkinMenuSkin* skin);
    ~SkinItemView();
    SkinItemView(const SkinItemView&) = delete;
    SkinItemView& operator=(const SkinItemView&) = delete;

    SkinMenuItem* item() const { return m_item; }
    bool isBar() const { return m_orientation == Qt::Horizontal; }
    QWidget* host() const { return m_host; }
    SkinMenuSkin* skin() const { return m_skin; }

    // ---- Layout (host window coordinates).
    // Places the shown items from the inner rectangle's top-left corner and
    // gives the others an empty rectangle.
    void layout(const QRect& inner);
    QPoint origin() const { return m_origin; }
    // The space the items take: a bar's row, a popup's column with strips.
    QSize contentSize() const { return m_content; }
    // Visible sub-items in order; in a scrolled popup only the window of
    // ScrollCount items from the first visible one.
    QList<SkinMenuItem*> shownItems() const;
    bool scrolls() const { return !isBar() && m_item->scrolls(); }

    // ---- Hit testing in host coordinates.
    SkinMenuItem* itemAt(const QPoint& point) const;
    ScrollStrip stripAt(const QPoint& point) const;

    // ---- The hot item. A change is painted at once.
    SkinMenuItem* hot() const { return m_hot; }
    void setHot(SkinMenuItem* item);
    // First selectable item (the first shown one when scrolled; separators
    // skipped).
    SkinMenuItem* firstItem() const;
    // The previous (-1) or next (+1) selectable item from the hot one,
    // wrapping at the ends and skipping invisible items and separators.
    SkinMenuItem* neighbour(int step) const;
    // The item whose caption holds "&" + the character (upper-cased).
    SkinMenuItem* itemWithAccelerator(QChar character) const;
    // The skin state of an item: 5 hot outside menu mode, 7 hot in it, else 0.
    SkinState stateOf(const SkinMenuItem* item) const;

    // ---- Scrolling.
    bool canScroll(int direction) const; // -1 up, +1 down
    void scroll(int direction);
    // Moves the window of shown items so that `item` is shown.
    void ensureShown(SkinMenuItem* item);
    // Starts or stops the 100 ms repeat for the strip under the pointer.
    void setHotStrip(ScrollStrip strip);

    // ---- Painting of the items (and strips) on a painter in host coordinates.
    void paintItems(QPainter& painter);
    void paintItem(QPainter& painter, SkinMenuItem* item);
    // Repaints one item's rectangle now.
    void repaintItem(SkinMenuItem* item);

    // ---- Tracking state.
    // In menu mode: a hot item shows the tracking state.
    void setTracking(bool tracking) { m_tracking = tracking; }
    // A child popup is (or should be) open.
    bool isSubmenuOpen() const { return m_submenuOpen; }
    void setSubmenuOpen(bool open) { m_submenuOpen = open; }
    SkinItemView* childLevel() const { return m_childLevel; }
    void setChildLevel(SkinItemView* level) { m_childLevel = level; }
    SkinItemView* parentLevel() const { return m_parentLevel; }
    void setParentLevel(SkinItemView* level) { m_parentLevel = level; }
    // This level's loop while it runs.
    QEventLoop* loop() const { return m_loop; }
    void setLoop(QEventLoop* loop) { m_loop = loop; }
    // The loop must return.
    bool isDone() const { return m_done; }
    void setDone(bool done) { m_done = done; }
    // The loop opens the hot item's sub-items next.
    bool opensHotItemNext() const { return m_opensHotItemNext; }
    void setOpensHotItemNext(bool open) { m_opensHotItemNext = open; }

private:
    SkinMenuItem* m_item;
    Qt::Orientation m_orientation;
    QPointer<QWidget> m_host;
    SkinMenuSkin* m_skin;
    QPoint m_origin;
    QRect m_inner;
    QSize m_content;
    int m_glyphWidth = MenuGlyphColumnWidth;
    QPointer<SkinMenuItem> m_hot;
    QRect m_upStrip;
    QRect m_downStrip;
    ScrollStrip m_hotStrip = ScrollStrip::None;
    QTimer m_scrollTimer;

    bool m_tracking = false;
    bool m_submenuOpen = false;
    SkinItemView* m_childLevel = nullptr;
    SkinItemView* m_parentLevel = nullptr;
    QEventLoop* m_loop = nullptr;
    bool m_done = false;
    bool m_opensHotItemNext = false;
};

} // namespace corvane::skin
