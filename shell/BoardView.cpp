#include "shell/BoardView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "game/Position.h"
#include "shell/ArtImage.h"

namespace corvane::shell {

namespace {

QLatin1String kindFileName(game::PieceKind kind)
{
    switch (kind) {
    case game::PieceKind::Chariot: return QLatin1String("chariot");
    case game::PieceKind::Horse: return QLatin1String("horse");
    case game::PieceKind::Elephant: return QLatin1String("elephant");
    case game::PieceKind::Advisor: return QLatin1String("advisor");
    case game::PieceKind::General: return QLatin1String("general");
    case game::PieceKind::Cannon: return QLatin1String("cannon");
    case game::PieceKind::Soldier: return QLatin1String("soldier");
    }
    return QLatin1String("soldier");
}

// Pieces of one side and kind share one picture, e.g. ":/art/pieces/red_horse.bmp".
QString piecePicturePath(const game::PieceInfo& piece)
{
    return QStringLiteral(":/art/pieces/%1_%2.bmp")
        .arg(piece.side == game::Side::Black ? QLatin1String("black") : QLatin1String("red"), kindFileName(piece.kind));
}

int pictureIndex(const game::PieceInfo& piece)
{
    return (piece.side == game::Side::Black ? 0 : 7) + static_cast<int>(piece.kind);
}

// A piece picture with its background left out, in the format the raster
// engine draws without converting, scaled once to the piece's square (the
// key colour is out already, so smooth scaling gives soft edges, not a fringe).
QImage preparePiecePicture(const QImage& picture)
{
    QImage image = keyOutBottomLeftColour(picture);
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(game::ImageSize, game::ImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

BoardView::BoardView(const game::Position& position, QWidget* parent) : QWidget(parent), position_(position)
{
    setObjectName(QStringLiteral("BoardView"));
    loadPictures();
    // Sized to its picture; without one, to the board's stored size.
    resize(board_.isNull() ? QSize(632, 434) : board_.size());
    // The picture without transparent parts covers the whole view: what lies
    // beneath (the window and its skinned frame) need not be repainted when a
    // piece moves.
    setAttribute(Qt::WA_OpaquePaintEvent, !board_.isNull() && !board_.hasAlphaChannel());
}

BoardView::~BoardView()
{
    if (overrideCursorSet_)
        QGuiApplication::restoreOverrideCursor();
}

void BoardView::loadPictures()
{
    // Stored with 16 colours, kept in full colour: a repaint of the board is
    // then a plain copy of rows (an indexed picture is drawn through the
    // painter's general span fetcher, or looked up anew on every paint).
    board_ = readArtImage(QStringLiteral(":/art/board.bmp"));
    if (!board_.isNull() && !board_.hasAlphaChannel())
        board_ = board_.convertToFormat(QImage::Format_RGB32);
    std::array<bool, 14> loaded{};
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const game::PieceInfo& piece = game::pieceInfo(id);
        const int index = pictureIndex(piece);
        pictureOf_[static_cast<std::size_t>(id)] = index;
        if (!loaded[static_cast<std::size_t>(index)]) {
            pictures_[static_cast<std::size_t>(index)] = preparePiecePicture(readArtImage(piecePicturePath(piece)));
            loaded[static_cast<std::size_t>(index)] = true;
        }
    }
}

QRect BoardView::pointRect(game::Point point) const
{
    // The board layout places points in the parent's (the client area's) coordinates.
    return QRect(game::pointLeft(point.column), game::pointTop(point.row), game::ImageSize, game::ImageSize)
        .translated(-pos());
}

QRect BoardView::pieceRect(game::PieceId id) const { return pointRect(position_.piece(id).place); }

const QImage& BoardView::piecePicture(game::PieceId id) const
{
    return pictures_[static_cast<std::size_t>(pictureOf_[static_cast<std::size_t>(id)])];
}

void BoardView::showChange(const game::Change& change)
{
    if (change.everything) {
        update();
        return;
    }
    if (change.taken)
        update(pieceRect(*change.taken));
    if (change.moved) {
        update(pointRect(change.fromPlace));
        update(pointRect(change.toPlace));
    }
}

// --- drawing ---

void BoardView::drawOnBoard(QWidget* caption)
{
    caption_ = caption;
    caption->installEventFilter(this);
    if (parentWidget())
        parentWidget()->installEventFilter(this);  // a label's text change
    redrawCaption();
}

void BoardView::redrawCaption()
{
    // Back to the plain board where the caption was drawn.
    if (!underCaption_.isNull()) {
        QPainter restore(&board_);
        restore.setCompositionMode(QPainter::CompositionMode_Source);
        restore.drawImage(captionPlace_.topLeft(), underCaption_);
    }
    update(captionPlace_);
    underCaption_ = QImage();
    captionPlace_ = QRect();
    if (!caption_)
        return;
    const QRect place = caption_->geometry().translated(-pos());
    // Drawn here only while it lies wholly on the opaque board picture beside
    // the view; otherwise it paints itself.
    const bool onBoard = caption_->parentWidget() == parentWidget() && testAttribute(Qt::WA_OpaquePaintEvent) &&
                         board_.rect().contains(place) && !caption_->testAttribute(Qt::WA_OpaquePaintEvent);
    if (caption_->testAttribute(Qt::WA_ForceUpdatesDisabled) != onBoard)
        caption_->setUpdatesEnabled(!onBoard);
    if (!onBoard || caption_->isHidden())
        return;
    captionPlace_ = place;
    underCaption_ = board_.copy(place);
    QPainter painter(&board_);
    drawingCaption_ = true;  // its own events while it paints change nothing
    caption_->render(&painter, place.topLeft(), QRegion(), QWidget::RenderFlags());
    drawingCaption_ = false;
    painter.end();
    update(place);
}

void BoardView::drawBoard(QPainter& painter, const QRect& rect) const
{
    const QRect area = rect & board_.rect();
    if (!area.isEmpty())
        painter.drawImage(area.topLeft(), board_, area);
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // One rectangle at a time, each under a clip of just that rectangle: the
    // board's rows are then plain copies.
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        drawBoard(painter, rect);
        // In the order of the piece table, later pieces over earlier ones.
        for (game::PieceId id = 0; id < game::PieceCount; ++id) {
            if (position_.piece(id).taken)
                continue;
            const QRect place = pieceRect(id);
            if (place.intersects(rect))
                painter.drawImage(place.topLeft(), piecePicture(id));
        }
    }
}

// --- dragging ---

std::optional<game::PieceId> BoardView::shownPieceAt(const QPoint& pos) const
{
    for (game::PieceId id = game::PieceCount - 1; id >= 0; --id) {
        if (!position_.piece(id).taken && pieceRect(id).contains(pos))
            return id;
    }
    return std::nullopt;
}

std::optional<BoardView::DropTarget> BoardView::dropTargetAt(const QPoint& pos) const
{
    // Only where the board is the topmost control: the chat boxes, the send
    // button and the menu bar lie above it.
    QWidget* parent = parentWidget();
    if (parent) {
        const QPoint inParent = mapToParent(pos);
        QWidget* top = parent->childAt(inParent);
        if (top != this)
            return std::nullopt;
    } else if (!rect().contains(pos)) {
        return std::nullopt;
    }
    if (const std::optional<game::PieceId> piece = shownPieceAt(pos))
        return DropTarget{piece, position_.piece(*piece).point};
    for (int row = 1; row <= game::Rows; ++row) {
        for (int column = 1; column <= game::Columns; ++column) {
            if (pointRect({row, column}).contains(pos))
                return DropTarget{std::nullopt, {row, column}};
        }
    }
    return std::nullopt;
}

void BoardView::mousePressEvent(QMouseEvent* event) { pressed(event); }

void BoardView::mouseDoubleClickEvent(QMouseEvent* event) { pressed(event); }

void BoardView::pressed(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const std::optional<game::PieceId> piece = shownPieceAt(pos);
    if (event->button() != Qt::LeftButton || !piece ||
        !position_.mayMove(game::pieceInfo(*piece).side)) {
        event->ignore();
        return;
    }
    beginDrag(*piece, pos - pieceRect(*piece).topLeft());
}

void BoardView::beginDrag(game::PieceId piece, const QPoint& inPiece)
{
    dragged_ = piece;
    const QImage& picture = piecePicture(piece);
    if (!picture.isNull()) {
        QPixmap faded(game::ImageSize, game::ImageSize);
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.75);
        painter.drawImage(0, 0, picture);
        painter.end();
        pieceCursor_ = QCursor(faded, inPiece.x(), inPiece.y());
    } else {
        pieceCursor_ = QCursor(Qt::DragMoveCursor);
    }
    overTarget_ = true;
    // The press holds the pointer for the view until the release (the window
    // system's implicit grab). Watch the whole application all the same: a box
    // may open over the board, and the keyboard's Escape goes to the focus.
    qApp->installEventFilter(this);
    QGuiApplication::setOverrideCursor(pieceCursor_);
    overrideCursorSet_ = true;
}

bool BoardView::eventFilter(QObject* watched, QEvent* event)
{
    if (caption_ && !drawingCaption_ && event->type() != QEvent::Paint &&
        (watched == caption_ || (watched == parentWidget() && event->type() == QEvent::LayoutRequest)))
        redrawCaption();
    if (!isDragging())
        return false;
    // While dragging, the application-wide filter sees every input event.
    switch (event->type()) {
    case QEvent::MouseMove:
        updateCursor(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            endDrag(mouse->globalPosition().toPoint(), true);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            endDrag({}, false);
            return true;
        }
        return false;
    case QEvent::ApplicationDeactivate:
        endDrag({}, false);
        return false;
    case QEvent::WindowBlocked:
        // A modal box opened over the board (a received loss or close notice,
        // an error): the drag ends, as losing the pointer would.
        if (watched == window())
            endDrag({}, false);
        return false;
    default:
        return false;
    }
}

void BoardView::endDrag(const QPoint& globalPos, bool deliver)
{
    const std::optional<game::PieceId> dragged = dragged_;
    dragged_.reset();
    qApp->removeEventFilter(this);
    if (overrideCursorSet_) {
        QGuiApplication::restoreOverrideCursor();
        overrideCursorSet_ = false;
    }
    // A piece taken by a message that arrived during the drag drops nowhere.
    if (!deliver || !dragged || position_.piece(*dragged).taken)
        return;
    if (const std::optional<DropTarget> target = dropTargetAt(mapFromGlobal(globalPos)))
        emit dropped(*dragged, *target);
}

void BoardView::updateCursor(const QPoint& globalPos)
{
    const bool overTarget = dropTargetAt(mapFromGlobal(globalPos)).has_value();
    if (overTarget == overTarget_)
        return;
    overTarget_ = overTarget;
    QGuiApplication::changeOverrideCursor(overTarget ? pieceCursor_ : QCursor(Qt::ForbiddenCursor));
}

} // namespace corvane::shell
