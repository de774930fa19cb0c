#pragma once
// A picture control of the main window: the board picture, a piece image or a
// point image. It carries what the board code reads and writes (place, point
// code in its tag, visibility, drag mode) and paints its picture, stretched
// to its size and with the picture's key colour left out where asked.

#include <QPixmap>
#include <QWidget>

#include "game/BoardState.h"

namespace corvane::shell {

class ImageControl : public QWidget, public game::BoardImage {
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

    // game::BoardImage
    std::string name() const override;
    int left() const override { return x(); }
    int top() const override { return y(); }
    void setLeft(int left) override;
    void setTop(int top) override;
    int tag() const override { return tag_; }
    void setTag(int tag) override { tag_ = tag; }
    // Visible in the sense of the image's own Visible property: whether it
    // shows when the window shows, not whether the window is on screen yet.
    bool isVisible() const override;
    void setVisible(bool visible) override;
    game::DragMode dragMode() const override { return dragMode_; }
    void setDragMode(game::DragMode mode) override { dragMode_ = mode; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateOpaque();

    QPixmap picture_;
    bool opaquePicture_ = false;
    QSize naturalSize_;
    bool stretch_ = false;
    int tag_ = 0;
    game::DragMode dragMode_ = game::DragMode::Manual;
};

// Makes the pixels equal to the bottom-left pixel's colour fully transparent.
QImage keyOutBottomLeftColour(const QImage& picture);

} // namespace corvane::shell
