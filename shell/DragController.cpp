#include "shell/DragController.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "shell/ImageControl.h"
#include "ui/HandlerGuard.h"

namespace corvane::shell {

DragController::DragController(QWidget* host, QObject* parent) : QObject(parent), host_(host) {}

DragController::~DragController()
{
    if (overrideCursorSet_)
        QGuiApplication::restoreOverrideCursor();
}

void DragController::addPiece(ImageControl* piece)
{
    pieces_.insert(piece);
    targets_.insert(piece);
    piece->installEventFilter(this);
}

void DragController::addPoint(ImageControl* point) { targets_.insert(point); }

ImageControl* DragController::dropTargetAt(const QPoint& hostPos) const
{
    // The topmost visible child under the pointer, as the window system would
    // pick it: the windowed controls above all pictures, pieces above points.
    QWidget* child = host_->childAt(hostPos);
    while (child && child->parentWidget() != host_)
        child = child->parentWidget();
    if (!child || !targets_.contains(child))
        return nullptr;
    return static_cast<ImageControl*>(child);
}

bool DragController::eventFilter(QObject* watched, QEvent* event)
{
    if (isDragging()) {
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
            // A modal box opened over the board (a received loss or close
            // notice, an error): the drag ends, as losing the pointer would.
            if (watched == host_->window())
                endDrag({}, false);
            return false;
        default:
            return false;
        }
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && pieces_.contains(watched)) {
            auto* piece = static_cast<ImageControl*>(watched);
            if (piece->isVisible() && piece->dragMode() == DragMode::Automatic) {
                beginDrag(piece, mouse->position().toPoint());
                return true;
            }
        }
    }
    return false;
}

void DragController::beginDrag(ImageControl* piece, const QPoint& pressPos)
{
    dragged_ = piece;
    QPixmap picture = piece->grab();
    if (!picture.isNull()) {
        QPixmap faded(picture.size());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.75);
        painter.drawPixmap(0, 0, picture);
        painter.end();
        pieceCursor_ = QCursor(faded, pressPos.x(), pressPos.y());
    } else {
        pieceCursor_ = QCursor(Qt::DragMoveCursor);
    }
    overTarget_ = true;
    // The press holds the pointer for the pressed piece until the release
    // (the window system's implicit grab). Watch the whole application all the
    // same: the release may come to another widget once the pressed piece has
    // been hidden or moved by a datagram that arrived during the drag.
    qApp->installEventFilter(this);
    QGuiApplication::setOverrideCursor(pieceCursor_);
    overrideCursorSet_ = true;
}

void DragController::endDrag(const QPoint& globalPos, bool deliver)
{
    ImageControl* dragged = dragged_;
    dragged_.clear();
    qApp->removeEventFilter(this);
    if (overrideCursorSet_) {
        QGuiApplication::restoreOverrideCursor();
        overrideCursorSet_ = false;
    }
    if (!deliver || !dragged || !dragged->isVisible())
        return;
    ImageControl* target = dropTargetAt(host_->mapFromGlobal(globalPos));
    // The drop handler runs from this event filter, straight from Qt's
    // dispatch of the release: a move whose send raises ends here, in the
    // error box (the board keeps what the handler had done by then).
    if (target)
        runGuarded([&] { emit dropped(target, dragged); });
}

void DragController::updateCursor(const QPoint& globalPos)
{
    const bool overTarget = dropTargetAt(host_->mapFromGlobal(globalPos)) != nullptr;
    if (overTarget == overTarget_)
        return;
    overTarget_ = overTarget;
    QGuiApplication::changeOverrideCursor(overTarget ? pieceCursor_ : QCursor(Qt::ForbiddenCursor));
}

} // namespace corvane::shell
