#pragma once
// The board as the tests look at it and handle it: pieces and points by their
// component numbers (Image2..Image33 pieces, Image34..Image123 points), read
// from the window's position and board view, and the mouse pressed and
// released on the board view where a player's pointer would be.

#include <QApplication>
#include <QMouseEvent>
#include <QRect>

#include "game/BoardLayout.h"
#include "game/Position.h"
#include "net/protocol/ImageNames.h"
#include "shell/BoardView.h"
#include "shell/MainWindow.h"
#include "shell/WindowParts.h"

namespace corvane::shell::testing {

inline int pointNumber(int row, int column)
{
    return protocol::pointNumber({row, column});
}

// What the component numbered `number` shows: for a piece, the point it stands
// on (its code), whether it is shown and the square it is drawn in; for a
// point, its code and square. Squares are in the client area's coordinates.
class BoardImage {
public:
    BoardImage(const MainWindow& form, int number) : m_form(form), m_number(number) { }

    bool isPiece() const { return m_number >= protocol::FirstPieceNumber && m_number <= protocol::LastPieceNumber; }
    game::PieceId piece() const { return protocol::pieceOfNumber(m_number); }
    int tag() const
    {
        if (isPiece())
            return m_form.position().piece(piece()).point.code();
        return protocol::pointOfNumber(m_number).code();
    }
    bool isVisible() const { return !isPiece() || !m_form.position().piece(piece()).taken; }
    QRect geometry() const
    {
        const BoardView* board = boardView(m_form);
        if (isPiece())
            return board->pieceRect(piece()).translated(board->pos());
        const game::Point point = protocol::pointOfNumber(m_number);
        return QRect(game::pointLeft(point.column), game::pointTop(point.row), game::ImageSize, game::ImageSize);
    }
    QPoint pos() const { return geometry().topLeft(); }
    int left() const { return pos().x(); }
    int top() const { return pos().y(); }

private:
    const MainWindow& m_form;
    int m_number;
};

inline BoardImage image(const MainWindow& form, int number)
{
    return BoardImage(form, number);
}

// Whether a press on the piece would start a drag: its side may move.
inline bool draggable(const MainWindow& form, int pieceNumber)
{
    return form.position().mayMove(game::pieceInfo(protocol::pieceOfNumber(pieceNumber)).side);
}

// A mouse event on the board view at `clientPoint` (the client area's
// coordinates), as the window system delivers it to the view that holds the
// pointer.
inline void boardMouse(MainWindow& form, QEvent::Type type, QPoint clientPoint)
{
    BoardView* board = boardView(form);
    const QPoint local = clientPoint - board->pos();
    QMouseEvent event(type, QPointF(local), QPointF(board->mapToGlobal(local)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(board, &event);
}

// The first half of a drag by mouse: press at the centre of the piece and
// carry the pointer over the centre of the piece or point `overNumber`.
// Returns where the release must go.
inline QPoint pressAndCarry(MainWindow& form, int pieceNumber, int overNumber)
{
    boardMouse(form, QEvent::MouseButtonPress, image(form, pieceNumber).geometry().center());
    const QPoint over = image(form, overNumber).geometry().center();
    boardMouse(form, QEvent::MouseMove, over);
    return over;
}

// The drop: the release goes to the board view, which holds the pointer.
inline void release(MainWindow& form, QPoint clientPoint)
{
    boardMouse(form, QEvent::MouseButtonRelease, clientPoint);
}

inline void dragByMouse(MainWindow& form, int pieceNumber, int overNumber)
{
    release(form, pressAndCarry(form, pieceNumber, overNumber));
}

// The piece stands on (row, column) and is drawn there.
inline bool standsOn(const MainWindow& form, int pieceNumber, int row, int column)
{
    return image(form, pieceNumber).pos() == image(form, pointNumber(row, column)).pos() &&
           image(form, pieceNumber).tag() == row * 10 + column;
}

} // namespace corvane::shell::testing
