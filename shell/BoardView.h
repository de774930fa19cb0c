#pragma once
// The board as the player sees and handles it: one widget that draws the board
// picture and, over it, every piece the position shows, and that owns the
// dragging of pieces.
//
// Drawing: the position says where each piece is drawn. The view keeps one
// picture of the board with the pieces on it, so that a repaint is a plain
// copy of rows: before it paints, the squares whose piece came, went or was
// taken are drawn again in that picture from the board's own square and the
// piece now there. A change repaints only the places it names (where a piece
// was, where it is now, where a taken piece stood). A caption lying on the
// board (the "接收信息：" label) is drawn into the same picture once, by its own painting,
// so that a repaint copies it with the board instead of laying its text out
// again.
//
// Dragging: a left press on a shown piece of a side that may move starts a drag
// at once (no movement needed); the pointer is held and carries a faded copy
// of the piece over the places that take a drop, the no-drop cursor elsewhere;
// the piece itself stays where it is until the drop. Escape, a modal box over
// the board or another application taking the input cancels the drag. On the
// release the drop goes to the topmost thing under the pointer: a piece above
// a point, a point only within its square; anywhere else nothing happens.
// Whether a drop is a move is for the rules to judge: the view only says where
// the piece was dropped.

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <array>
#include <optional>

#include "game/BoardLayout.h"
#include "game/Point.h"

namespace corvane::game {
class Position;
struct Change;
}

namespace corvane::shell {

class BoardView : public QWidget {
    Q_OBJECT
public:
    // The size of the stored board picture, which the view takes when the
    // picture is missing.
    static constexpr QSize StoredBoardSize{632, 434};
    // One piece picture per side and kind.
    static constexpr int PieceKindCount = static_cast<int>(game::PieceKind::Soldier) + 1;
    static constexpr int PictureCount = 2 * PieceKindCount;

    // Where a release would drop a piece: onto a piece, or onto an empty point
    // (or a point under no shown piece).
    struct DropTarget {
        std::optional<game::PieceId> piece;
        game::Point point;
        bool operator==(const DropTarget&) const = default;
    };

    // `position` outlives the view; the view reads it and never changes it.
    BoardView(const game::Position& position, QWidget* parent);
    ~BoardView() override;

    // Shows what `change` changed: repaints the places it names.
    void showChange(const game::Change& change);

    // Draws `caption`, a transparent sibling lying above the view, into the
    // board's picture with its own painting; Qt then skips it when painting
    // the window. Any event the caption receives, and a change of its text
    // (which asks the parent for a new layout), draws it there again.
    void drawOnBoard(QWidget* caption);

    // The square of a point (33 x 33), in the view's coordinates.
    QRect pointRect(game::Point point) const;
    // The square a piece is drawn in, in the view's coordinates.
    QRect pieceRect(game::PieceId id) const;
    // The piece picture as drawn on the board (background left out).
    const QImage& piecePicture(game::PieceId id) const;

    // What a release at `pos` (the view's coordinates) would drop onto.
    std::optional<DropTarget> dropTargetAt(const QPoint& pos) const;

    bool isDragging() const { return m_dragged.has_value(); }

signals:
    // The drag of `piece` ended over `target` (which may be the piece itself).
    void dropped(corvane::game::PieceId piece, corvane::shell::BoardView::DropTarget target);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadPictures();
    std::optional<game::PieceId> shownPieceAt(const QPoint& pos) const;
    void pressed(QMouseEvent* event);
    void beginDrag(game::PieceId piece, const QPoint& inPiece);
    void endDrag(const QPoint& globalPos, bool deliver);
    void updateCursor(const QPoint& globalPos);
    void drawBoard(QPainter& painter, const QRect& rect) const;
    void redrawCaption();
    void syncPieces();
    void restorePlainBoard();
    void drawSquare(QPainter& painter, game::Point point);

    const game::Position& m_position;
    QImage m_board; // the board with the pieces on it, in full colour
    // The board's own squares under the points a piece is drawn on (none
    // elsewhere), cut where the view stood then (m_squaresAt), and where each
    // piece is drawn in m_board (none: not drawn).
    std::array<QImage, game::PointCount> m_plainSquares{};
    QList<QRgb> m_boardColours; // the stored board's colours, which the plain squares keep
    QPoint m_squaresAt;
    std::array<std::optional<game::Point>, game::PieceCount> m_drawnAt{};
    std::array<QImage, PictureCount> m_pictures{};   // one per side and kind, keyed and sized
    std::array<int, game::PieceCount> m_pictureOf{}; // piece id -> index in m_pictures

    // The caption drawn into m_board, where, and the board's pixels beneath it.
    QPointer<QWidget> m_caption;
    QRect m_captionPlace;
    QImage m_underCaption;
    bool m_drawingCaption = false;

    std::optional<game::PieceId> m_dragged;
    bool m_overrideCursorSet = false;
    QCursor m_pieceCursor; // the dragged piece's faded picture, held where it was pressed
    bool m_overTarget = true;
};

} // namespace corvane::shell
