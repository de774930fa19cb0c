#pragma once
// Drag and drop between the board's picture controls, inside the program.
// A left press on a visible, draggable piece image starts a drag at once (no
// movement needed); the pointer is held and shows the drag cursor; on release
// the drop goes to the topmost visible image under the pointer, where pieces
// lie above points. Released anywhere else (or cancelled with Escape), the
// drag ends without effect. While dragging, the pointer carries a faded copy
// of the piece's picture over the board (the piece itself stays where it is
// until the drop) and the no-drop cursor elsewhere. Every image accepts every drag while it is
// dragged over it, so only the drop decides whether anything happens.

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QSet>

namespace corvane::shell {

class ImageControl;

class DragController : public QObject {
    Q_OBJECT
public:
    // `host` is the widget whose children the images are.
    explicit DragController(QWidget* host, QObject* parent = nullptr);
    ~DragController() override;

    // Piece images may start drags; piece and point images receive drops.
    void addPiece(ImageControl* piece);
    void addPoint(ImageControl* point);

    bool isDragging() const { return !dragged_.isNull(); }
    ImageControl* draggedImage() const { return dragged_; }

    // The image a release at `hostPos` (host coordinates) would drop onto, or
    // nullptr where no piece or point image is the topmost control.
    ImageControl* dropTargetAt(const QPoint& hostPos) const;

signals:
    // The drag of `dragged` ended over `target` (which may be `dragged` itself).
    void dropped(corvane::shell::ImageControl* target, corvane::shell::ImageControl* dragged);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void beginDrag(ImageControl* piece, const QPoint& pressPos);
    void endDrag(const QPoint& globalPos, bool deliver);
    void updateCursor(const QPoint& globalPos);

    QWidget* host_;
    QSet<QObject*> pieces_;
    QSet<QObject*> targets_;
    QPointer<ImageControl> dragged_;
    bool overrideCursorSet_ = false;
    QCursor pieceCursor_;     // the dragged piece's picture, held where it was pressed
    bool overTarget_ = true;
};

} // namespace corvane::shell
