#pragma once
// TSkinCustomControl: the base of the skinned windowed controls. It owns the
// painting pipeline every skinned control shares:
//
//   1. a target chosen by Performance (the control itself, a private
//      double buffer, or one buffer shared by all controls), buffers
//      pre-filled with the skin's transparent key colour;
//   2. with Transparent, the parent's background painted first, so that the
//      window's skinned client background shows through masked faces;
//   3. the descendant's own drawing (paintControl);
//   4. the buffer copied to the control.
//
// It also tracks whether the pointer is inside and whether the control has
// the focus, which the descendants turn into skin states.

#include <QImage>
#include <QWidget>

namespace corvane::skin {

enum TSkinPerformance : int { spNoBuffer, spSharedBuffer, spDoubleBuffer };

// Translucency of a buffered control over its parent's background.
struct TSkinBlending {
    bool Enabled = false;
    int Value = 192;  // 0 (invisible) .. 255 (opaque)
    bool operator==(const TSkinBlending&) const = default;
};

class TSkinCustomControl : public QWidget {
    Q_OBJECT
public:
    explicit TSkinCustomControl(QWidget* parent = nullptr);
    ~TSkinCustomControl() override;

    TSkinPerformance Performance() const { return m_performance; }
    void setPerformance(TSkinPerformance performance);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    TSkinBlending Blending() const { return m_blending; }
    void setBlending(const TSkinBlending& blending);

    // Run-time flags for the descendants' skin states.
    bool pointerInside() const { return m_pointerInside; }
    bool focusedFlag() const { return m_focused; }

    // The control's face exactly as a repaint would put it on the screen
    // (buffering, parent background and blending included).
    QImage renderFace();

    // The buffer of spSharedBuffer: one per program, sized to the screen and
    // grown when a larger control needs it.
    static QImage& sharedBuffer(const QSize& atLeast);

signals:
    void mouseEntered();  // OnMouseEnter
    void mouseLeft();     // OnMouseLeave

protected:
    // Paints the control's own content in control coordinates on a target
    // that already holds the background.
    virtual void paintControl(QPainter& painter) = 0;

    // Paints what the parent shows behind this control into `painter`, with
    // this control's top-left corner at `at`. Every ancestor up to the window
    // paints its own background and paint event (never its other children),
    // which is what erasing the parent's background means here.
    void paintParentBackground(QPainter& painter, const QPoint& at);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The whole pipeline onto `target`, control coordinates.
    void paintComposed(QPainter& target);

    TSkinPerformance m_performance = spDoubleBuffer;
    bool m_transparent = false;
    TSkinBlending m_blending;
    bool m_pointerInside = false;
    bool m_focused = false;
};

} // namespace corvane::skin
