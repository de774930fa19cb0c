// Golden pictures of the whole main window in play, at one board (the window
// sends its moves to itself): after a move and a capture that hid the taken
// piece, and with a piece being dragged. The mouse goes where a player's would:
// to the control under a point of the window, then to whichever control holds
// the pointer, so the pictures stay the proof whatever draws the board.
#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <gtest/gtest.h>

#include "game/BoardLayout.h"
#include "shell/ShellTestSupport.h"
#include "shell/MainWindow.h"
#include "support/WindowGolden.h"

namespace {

using corvane::shell::MainWindow;
namespace m_testing = corvane::shell::testing;
using m_testing::clientArea;
namespace game = corvane::game;

// The centre of the point (row, column), in the client area's coordinates.
QPoint pointCentre(int row, int column)
{
    return {game::pointLeft(column) + game::ImageSize / 2, game::pointTop(row) + game::ImageSize / 2};
}

class MainWindowInPlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_testing::connectToItself(form);
        form.move(20, 20);
        form.show();
        form.activateWindow();
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        QApplication::processEvents();
    }

    // A mouse event at `clientPoint`, delivered as the window system would:
    // to the control holding the pointer, else to the control under it.
    void mouse(QEvent::Type type, QPoint clientPoint)
    {
        QWidget* client = clientArea(form);
        QWidget* target = QWidget::mouseGrabber();
        if (!target)
            target = m_pressed && type != QEvent::MouseButtonPress ? m_pressed : client->childAt(clientPoint);
        if (!target)
            target = client;
        if (type == QEvent::MouseButtonPress)
            m_pressed = target;
        const QPoint global = client->mapToGlobal(clientPoint);
        const QPoint local = target->mapFromGlobal(global);
        QMouseEvent event(type, QPointF(local), QPointF(global), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
        if (type == QEvent::MouseButtonRelease)
            m_pressed = nullptr;
    }

    // Drags the piece on `from` to `to` and waits for the turn to come back
    // through the window's own datagram (the side to move changes).
    void play(QPoint from, QPoint to, int nextMover)
    {
        mouse(QEvent::MouseButtonPress, from);
        mouse(QEvent::MouseMove, to);
        mouse(QEvent::MouseButtonRelease, to);
        ASSERT_TRUE(m_testing::waitUntil([&] { return m_testing::draggable(form, nextMover); }));
        QApplication::processEvents();
    }

    void expectGolden(const char* name)
    {
        corvane::test_support::expectWindowGolden(form, QStringLiteral("tests/shell/golden"),
                                                  QString::fromLatin1(name));
    }

    MainWindow form;
    QWidget* m_pressed = nullptr;
};

TEST_F(MainWindowInPlay, AfterAMoveAndACaptureThatHidTheTakenPiece)
{
    play(pointCentre(4, 1), pointCentre(5, 1), 18); // black soldier forward; red to move
    play(pointCentre(8, 2), pointCentre(1, 2), 2);  // red cannon over the black cannon takes the horse
    expectGolden("in-play-move-and-capture.png");
}

// What the player sees during a drag: the window, and over it the pointer's
// picture (the faded piece) where the pointer is.
TEST_F(MainWindowInPlay, WhileAPieceIsDragged)
{
    const QPoint over = pointCentre(3, 1) + QPoint(9, 7);
    mouse(QEvent::MouseButtonPress, pointCentre(1, 1));
    mouse(QEvent::MouseMove, over);
    QApplication::processEvents();
    const QCursor* cursor = QGuiApplication::overrideCursor();
    ASSERT_NE(cursor, nullptr) << "no drag cursor";
    QImage seen = corvane::test_support::windowPicture(form);
    QPainter painter(&seen);
    painter.drawPixmap(form.mapFromGlobal(clientArea(form)->mapToGlobal(over)) - cursor->hotSpot(), cursor->pixmap());
    painter.end();
    corvane::test_support::expectGoldenPicture(seen, QStringLiteral("tests/shell/golden"),
                                               QStringLiteral("in-play-dragging.png"));
    mouse(QEvent::MouseButtonRelease, over);
}

} // namespace
