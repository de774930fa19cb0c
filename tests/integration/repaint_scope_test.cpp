// How far a repaint reaches: a move repaints the board view only on the
// points the change names, and never the window beneath.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QUdpSocket>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <map>
#include <memory>

#include "GameHarness.h"
#include "game/Position.h"
#include "net/endpoint/UdpEndpoint.h"
#include "shell/BoardView.h"
#include "shell/ChatBoxStyle.h"
#include "support/MessageBoxRecorder.h"

using namespace corvane::endpoint;

using namespace corvane;
using namespace corvane::harness;
using namespace corvane::shell::testing;

namespace {

// Counts paint events and gathers the region each widget was asked to paint.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
            regions[watched] += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    std::map<QObject*, int> paints;
    std::map<QObject*, QRegion> regions;
};

// The real main window playing at one board, shown, its sound muted and its
// message boxes recorded.
// The application's style under a chat box style, counting what it is asked
// to draw of the boxes' frames and scroll bars.
class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) { }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        drawn += control == CC_ScrollBar;
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        drawn += element == PE_Frame;
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable int drawn = 0;
};

class RepaintScope : public ::testing::Test {
protected:
    RepaintScope()
    {
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        const int port = probe.localPort();
        probe.close();
        form.endpoint()->setRemotePort(port);
        form.endpoint()->setLocalPort(port);
        form.show();
        spin(200);
    }
    MessageBoxRecorder boxes;
    ProgramWindows program;
    shell::MainWindow& form = program.mainWindow;
};

} // namespace

// A move by mouse, and the datagram that comes back and passes the turn,
// repaint the board only on the two points the move names: not the window
// beneath (whose skinned frame is the costliest thing to draw), not the rest
// of the board.
TEST_F(RepaintScope, AMoveRepaintsOnlyThePointsItNames)
{
    shell::BoardView* board = boardView(form);
    EXPECT_TRUE(board->testAttribute(Qt::WA_OpaquePaintEvent)) << "the board picture should hide what is beneath";
    PaintCounter counter;
    for (QObject* watched :
         {static_cast<QObject*>(&form), static_cast<QObject*>(clientArea(form)), static_cast<QObject*>(board)})
        watched->installEventFilter(&counter);

    dragByMouse(form, 13, shell::testing::pointNumber(5, 1)); // black soldier one row down
    ASSERT_TRUE(waitUntil([&] { return hasTurn(form, game::Side::Red); }, 5000));
    spin(50);

    EXPECT_EQ(counter.paints[&form], 0) << "the window (and its frame) was repainted for a piece's move";
    EXPECT_EQ(counter.paints[clientArea(form)], 0);
    EXPECT_GE(counter.paints[board], 1);
    EXPECT_EQ(counter.regions[board], QRegion(board->pointRect({4, 1})) + QRegion(board->pointRect({5, 1})));
}

// A capture repaints the taker's old and new points; the taken piece's point
// is the new one.
TEST(BoardRepaint, ACaptureRepaintsTheTakersOldAndNewPoints)
{
    game::Position position;
    position.reset();
    shell::BoardView board(position, nullptr);
    board.show();
    spin(50);
    PaintCounter counter;
    board.installEventFilter(&counter);

    game::Move capture; // the black cannon Image11 over the red cannon takes the red horse Image26
    capture.piece = 9;
    capture.from = {3, 2};
    capture.to = {10, 2};
    capture.onto = capture.to;
    capture.taken = 24;
    board.showChange(position.apply(capture));
    spin(50);

    EXPECT_EQ(counter.regions[&board], QRegion(board.pointRect({3, 2})) + QRegion(board.pointRect({10, 2})));
}

// Label1 lies on the board, which draws it into its picture with the label's
// own painting; a change of its text shows at once, drawn as the label draws
// itself.
TEST_F(RepaintScope, TheLabelOnTheBoardIsDrawnByTheBoardAndFollowsItsText)
{
    QLabel* label = receivedLabel(form);
    shell::BoardView* board = boardView(form);
    const QRect place = label->geometry();
    auto window = [&] { return clientArea(form)->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    // The label drawn on its own over the window without it.
    auto asTheLabelDrawsItself = [&] {
        label->setVisible(false);
        spin(20);
        QImage expected = window().copy(place);
        label->setVisible(true);
        spin(20);
        QPainter painter(&expected);
        label->render(&painter, QPoint(), QRegion(), QWidget::RenderFlags());
        return expected;
    };
    const QImage before = window();
    EXPECT_EQ(before.copy(place), asTheLabelDrawsItself());

    PaintCounter counter;
    label->installEventFilter(&counter);
    board->update();
    spin(50);
    EXPECT_EQ(counter.paints[label], 0) << "the window painted the label on its own";

    board->installEventFilter(&counter);
    counter.paints.clear();
    label->setText(QStringLiteral("已收到："));
    spin(50);
    EXPECT_GE(counter.paints[board], 1) << "the new text was not painted on the window";
    const QImage changed = window();
    EXPECT_NE(changed.copy(place), before.copy(place)) << "the new text does not show";
    EXPECT_EQ(changed.copy(place), asTheLabelDrawsItself());
}

// The chat boxes' style copies kept pictures of frames and scroll bars; they
// must look exactly as the application's style draws them, in each state.
TEST(ChatBoxStyle, ChatBoxesLookAsTheApplicationStyleDrawsThem)
{
    shell::ChatBoxStyle style;
    auto* applicationStyle = new CountingStyle;
    style.setBaseStyle(applicationStyle); // owned by the chat box style
    auto makeBox = [](QStyle* chatStyle) {
        auto box = std::make_unique<QPlainTextEdit>();
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setGeometry(100, 100, 193, 73);
        if (chatStyle) {
            box->setStyle(chatStyle);
            box->verticalScrollBar()->setStyle(chatStyle);
            box->horizontalScrollBar()->setStyle(chatStyle);
        }
        box->show();
        return box;
    };
    auto kept = makeBox(&style);
    auto plain = makeBox(nullptr);
    spin(50);
    auto expectSame = [&](const char* state) { EXPECT_EQ(kept->grab().toImage(), plain->grab().toImage()) << state; };
    expectSame("empty");
    const int drawn = applicationStyle->drawn;
    ASSERT_GT(drawn, 0) << "the style kept nothing";
    kept->grab();
    kept->grab();
    EXPECT_EQ(applicationStyle->drawn, drawn) << "an unchanged box was drawn again";

    // A scrolled box with a slider, then disabled.
    QString lines;
    for (int i = 0; i < 40; ++i)
        lines += QStringLiteral("第 %1 行\n").arg(i);
    for (QPlainTextEdit* box : {kept.get(), plain.get()}) {
        box->setPlainText(lines);
        box->verticalScrollBar()->setValue(7);
    }
    spin(20);
    expectSame("scrolled");
    EXPECT_GT(applicationStyle->drawn, drawn);
    for (QPlainTextEdit* box : {kept.get(), plain.get()})
        box->setEnabled(false);
    spin(20);
    expectSame("disabled");
}
