#pragma once
// A picture control of the main window: the board picture, a piece image or a
// point image. It shows what the position holds for its piece (place, point
// code in its tag, visibility, whether it may be dragged) and paints its
// picture, stretched to its size and with the picture's key colour left out
// where asked.
//
// The pieces lie on the board picture, and a window repaint would otherwise
// draw 32 small pictures one control at a time, each with Qt's set-up of a
// paint event and a painter. Instead each piece is composed onto the board
// (composeOnto): the board keeps one picture of itself with the pieces drawn
// over it, brought up to date where a piece has moved, shown, hidden or
// changed its picture, and Qt skips the pieces when it paints the window.
// A piece still paints itself when it is drawn on its own (grab()).

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class QPainter;

namespace corvane::shell {

// Whether pressing the mouse on a piece image starts a drag.
enum class DragMode { Automatic, Manual };

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(const QString& name, QWidget* parent);

    // The picture: drawn at its own size unless `stretch`, in which case it is
    // scaled to the control; with `transparent` the colour of its bottom-left
    // pixel is left out, as the platform does for transparent bitmaps.
    void setPicture(const QImage& picture, bool stretch, bool transparent);
    // Sizes the control to its picture (the board picture's AutoSize).
    void sizeToPicture();
    bool hasPicture() const { return !picture_.isNull(); }
    // The picture as prepared for showing (keyed, scaled); controls showing
    // the same picture at the same size share it.
    const QImage& shownPicture() const { return picture_; }

    // Draws this control's picture onto `layer`, a sibling beneath it with an
    // opaque picture, whenever this control lies wholly within it; the layer
    // then shows it and the control itself is not painted with the window.
    void composeOnto(ImageControl* layer);
    // Whether the layer beneath draws this control at present.
    bool isComposed() const;
    // On a layer: draws `widget`, a transparent sibling lying above it (a
    // caption label), into the composed picture too, by the widget's own
    // painting; Qt then skips the widget when it paints the window. Any
    // event the widget receives, and a text change of a label (which asks
    // the parent for a new layout), redraws it there.
    void composeOverlay(QWidget* widget);
    bool isComposedOverlay(const QWidget* widget) const;

    std::string name() const;
    int left() const { return x(); }
    int top() const { return y(); }
    void setLeft(int left);
    void setTop(int top);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // Visible in the sense of the image's own Visible property: whether it
    // shows when the window shows, not whether the window is on screen yet.
    bool isVisible() const;
    void setVisible(bool visible) override;
    DragMode dragMode() const { return dragMode_; }
    void setDragMode(DragMode mode) { dragMode_ = mode; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where and how a composed control was last drawn onto the layer.
    struct Placement {
        const ImageControl* image = nullptr;  // null for an overlay
        QWidget* overlay = nullptr;
        QRect place;  // in the layer's coordinates
        bool shown = false;
        qint64 picture = 0;  // what it shows: a picture's or an overlay's key
        bool operator==(const Placement&) const = default;
    };

    void updateOpaque();
    // Whether Qt paints this control with the window: not without a picture,
    // not while the layer beneath draws it.
    void updatePainting();
    // The layer side: a composed control changed within `rect` (the parent's
    // coordinates); the layer repaints there and, finding the control's
    // placement changed, redraws its composed picture there first.
    void composedChanged(const QRect& rect);
    bool wantsComposing() const;
    bool overlayFits(const QWidget* widget) const;
    void updateOverlayPainting(QWidget* widget);
    qint64 overlayKey(const QWidget* widget) const;
    void afterGeometryChange();
    void drawPicture(QPainter& painter, const QPoint& at) const;
    std::vector<Placement> currentPlacements() const;
    // Copies this control's own picture into `target` within `region` when
    // it is a picture of indexed colours; false when it must be drawn.
    bool copyIndexedPicture(QImage& target, const QRegion& region) const;
    const QImage& composedPicture();

    // As prepared for showing: keyed, scaled to the control when stretched,
    // else the picture as given (the board's 4-bit picture stays 4-bit; its
    // full-colour copy is the layer's composed picture).
    QImage picture_;
    bool opaquePicture_ = false;
    QSize naturalSize_;
    bool stretch_ = false;
    int tag_ = 0;
    DragMode dragMode_ = DragMode::Manual;

    // On a composed control: the layer it is drawn onto.
    ImageControl* layer_ = nullptr;
    // On a layer: its picture with the composed controls over it, and what
    // it was drawn for.
    bool isLayer_ = false;
    QImage composed_;
    std::vector<Placement> composedFor_;
    std::vector<QPointer<QWidget>> overlays_;
    // Counts the overlays' events: any of them may change how one looks.
    qint64 overlayEvents_ = 0;
    bool renderingOverlay_ = false;
};

// Makes the pixels equal to the bottom-left pixel's colour fully transparent.
QImage keyOutBottomLeftColour(const QImage& picture);

} // namespace corvane::shell
