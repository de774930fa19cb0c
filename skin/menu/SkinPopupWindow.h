#pragma once
// SkinPopupWindow: the window of one popup menu level, a borderless,
// topmost tool window that never takes the focus. It paints the skin's
// "PopupMenu" frame over its whole area and its view's items inside the
// frame's margins; it keeps its own copy of the skin objects.
//
// Where a client cannot place its own windows (Wayland), the window is a
// popup of the platform instead, with the window that opened it as its
// transient parent: the compositor then places it relative to that window,
// where it was asked to be, and lets it take the pointer.
//
// While the show animation runs the window shows the animation's frames
// instead of painting itself.

#include <QImage>
#include <QWidget>
#include <memory>

#include "skin/menu/SkinItemView.h"

namespace corvane::skin {

class SkinPopupWindow : public QWidget {
    Q_OBJECT
public:
    // A popup showing the sub-items of `item`, opened from `opener` (the menu
    // bar's or the parent popup's window; may be null).
    SkinPopupWindow(SkinMenuItem* item, const SkinPopupMenuOptions& options, QWidget* opener = nullptr);
    ~SkinPopupWindow() override;

    SkinItemView* view() const { return m_view.get(); }
    const SkinPopupMenuOptions& options() const { return m_options; }
    // Window size: the items plus the frame's margins, plus the shadow.
    QSize popupSize() const { return m_size; }

    // The final picture of the window (frame and items), as shown at rest.
    QImage renderPicture();
    // Paints the popup (frame and items) in window coordinates.
    void paintPopup(QPainter& painter);

    // Shows the window at a screen position, with the show animation when
    // `animate` (and Animation.Enabled in the options).
    void showAt(const QPoint& screenPosition, bool animate);

    // Whether popups are the platform's popup windows (see above), which take
    // the pointer and the keyboard themselves.
    static bool usesPlatformPopups();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void relayout();

    SkinPopupMenuOptions m_options;
    SkinMenuSkin m_skin;
    std::unique_ptr<SkinItemView> m_view;
    QSize m_size;
    QImage m_animationFrame;
};

} // namespace corvane::skin
