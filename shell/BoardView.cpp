#include "shell/BoardView.h"

#include <algorithm>

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
    return (piece.side == game::Side::Black ? 0 : BoardView::PieceKindCount) + static_cast<int>(piece.kind);
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

// The part `rect` of `board` in `colours` (one byte a pixel), or in full
// colour when `colours` is empty, `rect` is not wholly on the board or a
// pixel is not one of them. Each pixel of
// the plain board is one of its colours, so the lookup is exact; the colour
// last found is tried first, since neighbouring pixels of the wood mostly
// share one, which makes this many times cheaper than QImage's conversion to
// a colour table (a hash lookup a pixel).
QImage cutInColours(const QImage& board, const QRect& rect, const QList<QRgb>& colours)
{
    if (colours.isEmpty() || !board.rect().contains(rect))
        return board.copy(rect);
    QImage indexed(rect.size(), QImage::Format_Indexed8);
    indexed.setColorTable(colours);
    const QRgb* table = colours.constData();
    const QRgb* tableEnd = table + colours.size();
    const QRgb* last = table;
    for (int y = 0; y < rect.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(board.constScanLine(rect.top() + y)) + rect.left();
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < rect.width(); ++x) {
            if (from[x] != *last) {
                last = std::find(table, tableEnd, from[x]);
                if (last == tableEnd)
                    return board.copy(rect);
            }
            to[x] = uchar(last - table);
        }
    }
    return indexed;
}

} // namespace

BoardView::BoardView(const game::Position& position, QWidget* parent) : QWidget(parent), m_position(position)
{
    setObjectName(QStringLiteral("BoardView"));
    loadPictures();
    // Sized to its picture; without one, to the board's stored size.
    resize(m_board.isNull() ? StoredBoardSize : m_board.size());
    // The picture without transparent parts covers the whole view: what lies
    // beneath (the window and its skinned frame) need not be repainted when a
    // piece moves.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_board.isNull() && !m_board.hasAlphaChannel());
}

BoardView::~BoardView()
{
    if (m_overrideCursorSet)
        QGuiApplication::restoreOverrideCursor();
}

void BoardView::loadPictures()
{
    // Stored with 16 colours, kept in full colour: a repaint of the board is
    // then a plain copy of rows (an indexed picture is drawn through the
    // painter's general span fetcher, or looked up anew on every paint).
    m_board = readArtImage(QStringLiteral(":/art/board.bmp"));
    m_boardColours = m_board.colorTable();
    if (!m_board.isNull() && !m_board.hasAlphaChannel())
        m_board = m_board.convertToFormat(QImage::Format_RGB32);
    std::array<bool, PictureCount> loaded{};
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const game::PieceInfo& piece = game::pieceInfo(id);
        const int index = pictureIndex(piece);
        m_pictureOf[static_cast<std::size_t>(id)] = index;
        if (!loaded[static_cast<std::size_t>(index)]) {
            m_pictures[static_cast<std::size_t>(index)] = preparePiecePicture(readArtImage(piecePicturePath(piece)));
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

QRect BoardView::pieceRect(game::PieceId id) const
{
    return pointRect(m_position.piece(id).place);
}

const QImage& BoardView::piecePicture(game::PieceId id) const
{
    return m_pictures[static_cast<std::size_t>(m_pictureOf[static_cast<std::size_t>(id)])];
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
    m_caption = caption;
    caption->installEventFilter(this);
    if (parentWidget())
        parentWidget()->installEventFilter(this); // a label's text change
    redrawCaption();
}

void BoardView::redrawCaption()
{
    // Back to the plain board where the caption was drawn.
    if (!m_underCaption.isNull()) {
        QPainter restore(&m_board);
        restore.setCompositionMode(QPainter::CompositionMode_Source);
        restore.drawImage(m_captionPlace.topLeft(), m_underCaption);
    }
    update(m_captionPlace);
    m_underCaption = QImage();
    m_captionPlace = QRect();
    if (!m_caption)
        return;
    const QRect place = m_caption->geometry().translated(-pos());
    // Drawn here only while it lies wholly on the opaque board picture beside
    // the view; otherwise it paints itself.
    const bool onBoard = m_caption->parentWidget() == parentWidget() && testAttribute(Qt::WA_OpaquePaintEvent) &&
                         m_board.rect().contains(place) && !m_caption->testAttribute(Qt::WA_OpaquePaintEvent);
    if (m_caption->testAttribute(Qt::WA_ForceUpdatesDisabled) != onBoard)
        m_caption->setUpdatesEnabled(!onBoard);
    if (!onBoard || m_caption->isHidden())
        return;
    m_captionPlace = place;
    m_underCaption = m_board.copy(place);
    QPainter painter(&m_board);
    m_drawingCaption = true; // its own events while it paints change nothing
    m_caption->render(&painter, place.topLeft(), QRegion(), QWidget::RenderFlags());
    m_drawingCaption = false;
    painter.end();
    update(place);
}

void BoardView::drawBoard(QPainter& painter, const QRect& rect) const
{
    const QRect area = rect & m_board.rect();
    if (!area.isEmpty())
        painter.drawImage(area.topLeft(), m_board, area);
}

void BoardView::paintEvent(QPaintEvent* event)
{
    syncPieces();
    QPainter painter(this);
    // One rectangle at a time, each under a clip of just that rectangle: the
    // board's rows are then plain copies.
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        drawBoard(painter, rect);
    }
}

// --- the pieces in the board's picture ---

void BoardView::restorePlainBoard()
{
    // Back to the plain board where pieces were drawn at the old place.
    QPainter painter(&m_board);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        if (const auto drawn = m_drawnAt[static_cast<std::size_t>(id)]) {
            const QImage& square = m_plainSquares[static_cast<std::size_t>(pointIndex(*drawn))];
            painter.drawImage(pointRect(*drawn).translated(pos() - m_squaresAt).topLeft(), square);
        }
    }
    painter.end();
    m_drawnAt.fill(std::nullopt);
    m_plainSquares.fill(QImage());
    m_squaresAt = pos();
}

// The caption lies beside the points, never over a square, so a square is
// the board's own square and the piece on it.
//
// A square's plain picture is kept only while a piece is drawn on it, and
// in the board's own colours when it has a colour table: where no piece is,
// the board's picture is the plain board, cut again when a piece comes.
void BoardView::drawSquare(QPainter& painter, game::Point point)
{
    const QRect square = pointRect(point);
    QImage& plain = m_plainSquares[static_cast<std::size_t>(pointIndex(point))];
    if (plain.isNull()) {
        plain = cutInColours(m_board, square, m_boardColours); // the board is plain there now
    } else {
        // Back in full colour first: a picture with a colour table would be
        // drawn through the painter's general span fetcher.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(square.topLeft(), plain.convertToFormat(QImage::Format_RGB32));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    // In the order of the piece table, later pieces over earlier ones.
    bool covered = false;
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        if (m_drawnAt[static_cast<std::size_t>(id)] == point) {
            painter.drawImage(square.topLeft(), piecePicture(id));
            covered = true;
        }
    }
    if (!covered)
        plain = QImage();
}

void BoardView::syncPieces()
{
    if (m_board.isNull())
        return;
    if (m_squaresAt != pos())
        restorePlainBoard();
    // The squares a piece left or reached since the picture was drawn.
    std::array<bool, game::PointCount> stale{};
    bool any = false;
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const game::Position::Piece& piece = m_position.piece(id);
        const std::optional<game::Point> now = piece.taken ? std::nullopt : std::optional(piece.place);
        auto& drawn = m_drawnAt[static_cast<std::size_t>(id)];
        if (drawn == now)
            continue;
        if (drawn)
            stale[static_cast<std::size_t>(pointIndex(*drawn))] = true;
        if (now)
            stale[static_cast<std::size_t>(pointIndex(*now))] = true;
        drawn = now;
        any = true;
    }
    if (!any)
        return;
    QPainter painter(&m_board);
    for (int index = 0; index < game::PointCount; ++index) {
        if (stale[static_cast<std::size_t>(index)])
            drawSquare(painter, game::Point{index / 9 + 1, index % 9 + 1});
    }
}

// --- dragging ---

std::optional<game::PieceId> BoardView::shownPieceAt(const QPoint& pos) const
{
    for (game::PieceId id = game::PieceCount - 1; id >= 0; --id) {
        if (!m_position.piece(id).taken && pieceRect(id).contains(pos))
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
        return DropTarget{piece, m_position.piece(*piece).point};
    for (int row = 1; row <= game::Rows; ++row) {
        for (int column = 1; column <= game::Columns; ++column) {
            if (pointRect({row, column}).contains(pos))
                return DropTarget{std::nullopt, {row, column}};
        }
    }
    return std::nullopt;
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    pressed(event);
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event)
{
    pressed(event);
}

void BoardView::pressed(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const std::optional<game::PieceId> piece = shownPieceAt(pos);
    if (event->button() != Qt::LeftButton || !piece || !m_position.mayMove(game::pieceInfo(*piece).side)) {
        event->ignore();
        return;
    }
    beginDrag(*piece, pos - pieceRect(*piece).topLeft());
}

void BoardView::beginDrag(game::PieceId piece, const QPoint& inPiece)
{
    m_dragged = piece;
    const QImage& picture = piecePicture(piece);
    if (!picture.isNull()) {
        // Drawn at the screen's pixel ratio, so that the piece under the
        // pointer is as large as the pieces on the board.
        const qreal ratio = devicePixelRatioF();
        QPixmap faded(QSize(game::ImageSize, game::ImageSize) * ratio);
        faded.setDevicePixelRatio(ratio);
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.75);
        painter.drawImage(QRect(0, 0, game::ImageSize, game::ImageSize), picture);
        painter.end();
        // Qt's X11 cursor takes the hot spot in the picture's own pixels,
        // the other platforms in the view's.
        const QPoint hotSpot =
            QGuiApplication::platformName() == QLatin1String("xcb") ? (QPointF(inPiece) * ratio).toPoint() : inPiece;
        m_pieceCursor = QCursor(faded, hotSpot.x(), hotSpot.y());
    } else {
        m_pieceCursor = QCursor(Qt::DragMoveCursor);
    }
    m_overTarget = true;
    // The press holds the pointer for the view until the release (the window
    // system's implicit grab). Watch the whole application all the same: a box
    // may open over the board, and the keyboard's Escape goes to the focus.
    qApp->installEventFilter(this);
    QGuiApplication::setOverrideCursor(m_pieceCursor);
    m_overrideCursorSet = true;
}

bool BoardView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_caption && !m_drawingCaption && event->type() != QEvent::Paint &&
        (watched == m_caption || (watched == parentWidget() && event->type() == QEvent::LayoutRequest)))
        redrawCaption();
    if (!isDragging())
        return false;
    // While dragging, the application-wide filter sees every input event.
    switch (event->type()) {
    case QEvent::MouseMove: updateCursor(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()); return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            endDrag(mouse->globalPosition().toPoint(), true);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            endDrag({}, false);
            return true;
        }
        return false;
    case QEvent::ApplicationDeactivate: endDrag({}, false); return false;
    case QEvent::WindowBlocked:
        // A modal box opened over the board (a received loss or close notice,
        // an error): the drag ends, as losing the pointer would.
        if (watched == window())
            endDrag({}, false);
        return false;
    default: return false;
    }
}

void BoardView::endDrag(const QPoint& globalPos, bool deliver)
{
    const std::optional<game::PieceId> dragged = m_dragged;
    m_dragged.reset();
    qApp->removeEventFilter(this);
    if (m_overrideCursorSet) {
        QGuiApplication::restoreOverrideCursor();
        m_overrideCursorSet = false;
    }
    // A piece taken by a message that arrived during the drag drops nowhere.
    if (!deliver || !dragged || m_position.piece(*dragged).taken)
        return;
    if (const std::optional<DropTarget> target = dropTargetAt(mapFromGlobal(globalPos)))
        emit dropped(*dragged, *target);
}

void BoardView::updateCursor(const QPoint& globalPos)
{
    const bool overTarget = dropTargetAt(mapFromGlobal(globalPos)).has_value();
    if (overTarget == m_overTarget)
        return;
    m_overTarget = overTarget;
    QGuiApplication::changeOverrideCursor(overTarget ? m_pieceCursor : QCursor(Qt::ForbiddenCursor));
}

} // namespace corvane::shell
