#include "FlatTestSupport.h"

#include "flat/FlatButton.h"
#include "flat/FlatColors.h"
#include "flat/FlatHoverTimer.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWindow>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

namespace flattest {

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

std::unique_ptr<QWidget> dialogForm(quint32 face)
{
    auto form = std::make_unique<QWidget>();
    form->resize(300, 200);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, flat::fromColorRef(face));
    form->setPalette(palette);
    form->setAutoFillBackground(true);
    return form;
}

void showActive(QWidget* window, QPoint pos)
{
    window->move(pos);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("window did not become active");
    settle();
}

namespace {
QWindow* windowOf(QWidget* widget, QPoint pos, QPoint* windowPos)
{
    QWidget* top = widget->window();
    *windowPos = widget->mapTo(top, pos);
    return top->windowHandle();
}
} // namespace

void movePointer(QWidget* widget, QPoint pos)
{
    // The offscreen platform turns a cursor move into a pointer move through
    // the window system, with the buttons currently held.
    QCursor::setPos(widget->mapToGlobal(pos));
    settle();
}

void press(QWidget* widget, QPoint pos, Qt::MouseButton button)
{
    movePointer(widget, pos);
    QPoint windowPos;
    QWindow* window = windowOf(widget, pos, &windowPos);
    QTest::mousePress(window, button, Qt::NoModifier, windowPos);
    settle();
}

void release(QWidget* widget, QPoint pos, Qt::MouseButton button)
{
    movePointer(widget, pos);
    QPoint windowPos;
    QWindow* window = windowOf(widget, pos, &windowPos);
    QTest::mouseRelease(window, button, Qt::NoModifier, windowPos);
    settle();
}

void click(QWidget* widget, QPoint pos, Qt::MouseButton button)
{
    press(widget, pos, button);
    release(widget, pos, button);
}

void parkPointer()
{
    QCursor::setPos(QPoint(0, 0));
    settle();
    // A hovered flat button notices the pointer has gone at the next tick of
    // the hover timer.
    (void)QTest::qWaitFor([] { return !flat::FlatHoverTimer::isRunning(); }, 1000);
}

quint32 colorRefAt(QWidget* widget, int x, int y)
{
    const QImage image = widget->grab().toImage();
    return toColorRef(QColor::fromRgb(image.pixel(x, y)));
}

bool rendersColor(QWidget* widget, quint32 colorRef)
{
    const QImage image = widget->grab().toImage();
    const QRgb wanted = flat::fromColorRef(colorRef).rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) | 0xFF000000) == wanted)
                return true;
        }
    }
    return false;
}

} // namespace flattest

namespace flattest {

bool showsHoverLook(flat::FlatButton* button)
{
    // Read first: painting brings the state up to date.
    const quint32 corner = colorRefAt(button, 0, 0);
    const quint32 face = colorRefAt(button, 3, 3);
    switch (button->state()) {
    case flat::ButtonState::Up: return corner == toColorRef(button->colorHighLight());
    case flat::ButtonState::Exclusive: return face == toColorRef(button->colorFocused());
    default: return false;
    }
}

} // namespace flattest
