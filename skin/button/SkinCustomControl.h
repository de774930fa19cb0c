#pragma once
// SkinCustomControl: the base of the skinned windowed controls. It owns the
// painting pipeline every skinned control shares:
//
//   1. a target chosen by Performance: the control itself (SkinPerformance::NoBuffer), a
//      private buffer (SkinPerformance::DoubleBuffer) or one buffer shared by all controls
//      (SkinPerformance::SharedBuffer);
//   2. the background: with Transparent, whatever the parent shows behind the
//      control (the window's skinned client background), so that it shows
//      through the see-through pixels of masked faces; without it, buffers
//      start out in the skin's key colour and are copied as they are;
//   3. the descendant's own drawing (paintControl);
//   4. the buffer copied to the control.
//
// A buffered control whose descendant describes its look (describeLook)
// keeps the buffers it painted, one per look, and copies the kept one while
// nothing in the description changed: the buffer of a transparent or opaque
// control holds only what the control itself draws, never the parent's
// pixels, so it can be reused as it is.
//
// The parent's background reaches a transparent control through Qt's own
// composition: a control that does not paint opaquely is painted over what
// its parent has drawn there, both on the screen and in QWidget::render().
// Rendering the parent again from inside a paint event would nest one
// render in another, which Qt does not support.
//
// It also tracks whether the pointer is inside and whether the control has
// the focus, which the descendants turn into skin states.

#include "skin/SkinControlTypes.h"
#include "skin/draw/SkinLookCache.h"

#include <QImage>
#include <QWidget>

namespace corvane::skin {

class SkinCustomControl : public QWidget {
    Q_OBJECT
public:
    explicit SkinCustomControl(QWidget* parent = nullptr);
    ~SkinCustomControl() override;

    void setPerformance(SkinPerformance performance);
    void setTransparent(bool transparent);

    // Run-time flags for the descendants' skin states.
    bool pointerInside() const { return m_pointerInside; }
    bool focusedFlag() const { return m_focused; }

    // The buffer of SkinPerformance::SharedBuffer: one per program, sized to the screen and
    // grown when a larger control needs it.
    static QImage& sharedBuffer(const QSize& atLeast);

signals:
    void mouseEntered();
    void mouseLeft();

protected:
    // Paints the control's own content in control coordinates on a target
    // that already holds the background.
    virtual void paintControl(QPainter& painter) = 0;

    // Fills `key` with everything paintControl's result depends on and
    // returns true to let buffered painting reuse its pictures; the default
    // (false) paints every time. The painting mode and size are added here.
    virtual bool describeLook(SkinLookKey& key) const;
    // Drops the kept pictures: for changes the description cannot see.
    void forgetLooks() { m_looks.clear(); }

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Sets the pointer-inside flag, with mouseEntered / mouseLeft and a
    // repaint when it changes. While a button is held the window system
    // reports no crossing, so the descendants feed it from pointer moves.
    void setPointerInside(bool inside);

private:
    // Only a control that covers every pixel may ask Qt to skip the parent.
    void updateOpaquePainting();

    SkinPerformance m_performance = SkinPerformance::DoubleBuffer;
    bool m_transparent = false;
    bool m_pointerInside = false;
    bool m_focused = false;
    // Five looks: normal, hot, pressed, focused, disabled.
    SkinLookCache m_looks{5};
};

} // namespace corvane::skin
