#pragma once
// TSkinPopupWindow: the window of one popup menu level, a borderless,
// topmost tool window that never takes the focus. It paints the skin's
// "PopupMenu" frame over its whole area and its view's items inside the
// frame's margins; it keeps its own copy of the skin objects.
//
// While the show animation runs the window shows the animation's frames
// instead of painting itself.

#include <QImage>
#include <QWidget>
#include <memory>

#include "skin/menu/TSkinItemView.h"

namespace corvane::skin {

class TSkinPopupWindow : public QWidget {
    Q_OBJECT
public:
    // A popup showing the sub-items of `item`.
    TSkinPopupWindow(TSkinCustomItem* item, const TSkinPopupMenuOptions& options);
    ~TSkinPopupWindow() override;

    TSkinItemView* view() const { return m_view.get(); }
    const TSkinPopupMenuOptions& options() const { return m_options; }
    // Window size: the items plus the frame's margins, plus the shadow.
    QSize popupSize() const { return m_size; }

    // The final picture of the window (frame and items), as shown at rest.
    QImage renderPicture();
    // Paints the popup (frame and items) in window coordinates.
    void paintPopup(QPainter& painter);

    // Shows the window at a screen position, with the show animation when
    // `animate` (and Animation.Enabled in the options).
    void showAt(const QPoint& screenPosition, bool animate);

    // Popup windows that exist at the moment (tests and the click dispatcher
    // use it to know that every menu is gone).
    static int openCount();
    // How many popups have shown with the animation since the program started.
    static int animatedShowCount();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void relayout();

    TSkinPopupMenuOptions m_options;
    TSkinMenuSkin m_skin;
    std::unique_ptr<TSkinItemView> m_view;
    QSize m_size;
    QImage m_animationFrame;
};

} // namespace corvane::skin
