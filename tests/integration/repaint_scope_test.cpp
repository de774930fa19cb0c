// How far a repaint reaches: a piece moving over the board repaints the
// board, which draws the pieces lying on it, and not the window beneath
// (whose skinned frame is the costliest thing to draw); the window looks the
// same afterwards.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <map>
#include <memory>

#include "GameHarness.h"
#include "shell/ChatBoxStyle.h"
#include "shell/NotificationSound.h"
#include "ui/MessageBox.h"

using namespace corvane;
using namespace corvane::harness;

namespace {

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
    std::map<QObject*, int> paints;
};

// The real main window, shown, its sound muted and its message boxes recorded.
class RepaintScope : public ::testing::Test {
protected:
    RepaintScope()
    {
        form.notificationSound()->setMuted(true);
        form.show();
        spin(200);
    }
    MessageBoxRecorder boxes;
    ProgramWindows program;
    shell::TForm1& form = program.form1;
};

} // namespace

TEST_F(RepaintScope, APieceMovingOverTheBoardRepaintsNeitherTheWindowNorItsClientArea)
{
    EXPECT_TRUE(form.image(1)->testAttribute(Qt::WA_OpaquePaintEvent)) << "the board picture should hide what is beneath";

    PaintCounter counter;
    for (QObject* watched : {static_cast<QObject*>(&form), static_cast<QObject*>(form.clientArea()),
                             static_cast<QObject*>(form.image(1)), static_cast<QObject*>(form.image(13))})
        watched->installEventFilter(&counter);
    form.image(13)->setTop(form.image(13)->top() + 40);  // black soldier one row down
    spin(100);

    EXPECT_EQ(counter.paints[&form], 0) << "the window (and its frame) was repainted for a piece's move";
    EXPECT_EQ(counter.paints[form.clientArea()], 0);
    EXPECT_GE(counter.paints[form.image(1)], 1) << "the board under the old place was not repainted";
    EXPECT_EQ(counter.paints[form.image(13)], 0) << "the board draws the pieces lying on it";
    EXPECT_TRUE(form.image(13)->isComposed());
}

TEST_F(RepaintScope, TheWindowShowsThePiecesAsEachWouldDrawItself)
{
    const QImage window = form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Each piece drawn on its own (as for the drag cursor), then the window
    // without the pieces.
    std::map<int, QPixmap> pieces;
    for (int n = game::FirstPieceNumber; n <= game::LastPieceNumber; ++n) {
        ASSERT_TRUE(form.image(n)->isComposed()) << n;
        pieces[n] = form.image(n)->grab();
    }
    for (int n = game::FirstPieceNumber; n <= game::LastPieceNumber; ++n)
        form.image(n)->setVisible(false);
    spin(50);
    const QImage boardOnly = form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(boardOnly, window);
    for (int n = game::FirstPieceNumber; n <= game::LastPieceNumber; ++n) {
        const QRect place = form.image(n)->geometry();
        QImage expected = boardOnly.copy(place);
        {
            QPainter painter(&expected);
            painter.drawPixmap(0, 0, pieces[n]);
        }
        EXPECT_EQ(window.copy(place), expected) << "piece " << n;
    }
}

TEST_F(RepaintScope, AMovedOrHiddenPieceIsDrawnWhereItIsNow)
{
    shell::ImageControl* piece = form.image(27);
    const QPixmap drawnAlone = piece->grab();
    const QRect from = piece->geometry();
    const QImage before = form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint empty = form.image(60)->pos();
    for (int n = game::FirstPieceNumber; n <= game::LastPieceNumber; ++n)
        ASSERT_NE(form.image(n)->pos(), empty) << "point Image60 is not empty at the start";

    piece->move(empty);
    spin(50);
    const QImage moved = form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    piece->setVisible(false);
    spin(50);
    const QImage hidden = form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect to = piece->geometry();
    EXPECT_NE(hidden.copy(to), moved.copy(to)) << "a hidden piece is still drawn";
    QImage expected = hidden.copy(to);
    {
        QPainter painter(&expected);
        painter.drawPixmap(0, 0, drawnAlone);
    }
    EXPECT_EQ(moved.copy(to), expected) << "the piece is not drawn at its new place";
    EXPECT_EQ(moved.copy(from), hidden.copy(from)) << "the piece is still drawn at its old place";
    EXPECT_NE(moved.copy(from), before.copy(from));

    piece->setVisible(true);
    piece->move(from.topLeft());
    spin(50);
    EXPECT_EQ(form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32), before);
}

TEST_F(RepaintScope, AfterAPieceMovedAwayAndBackTheWindowLooksAsBefore)
{
    const QImage before = form.grab().toImage();
    const int top = form.image(13)->top();
    form.image(13)->setTop(top + 40);
    spin(50);
    const QImage moved = form.grab().toImage();
    form.image(13)->setTop(top);
    spin(50);
    EXPECT_NE(moved, before);
    EXPECT_EQ(form.grab().toImage(), before);
}

// Label1 lies on the board picture, which draws it with its own painting;
// a change of its text shows at once, drawn as the label draws itself.
TEST_F(RepaintScope, TheLabelOnTheBoardIsDrawnByTheBoardAndFollowsItsText)
{
    QLabel* label = form.label1();
    ASSERT_TRUE(form.image(1)->isComposedOverlay(label));
    const QRect place = label->geometry();
    auto window = [&] { return form.clientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
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
    form.image(1)->update();
    spin(50);
    EXPECT_EQ(counter.paints[label], 0) << "the window painted the label on its own";

    form.image(1)->installEventFilter(&counter);
    counter.paints.clear();
    label->setText(QStringLiteral("已收到："));
    spin(50);
    EXPECT_GE(counter.paints[form.image(1)], 1) << "the new text was not painted on the window";
    const QImage changed = window();
    EXPECT_NE(changed.copy(place), before.copy(place)) << "the new text does not show";
    EXPECT_EQ(changed.copy(place), asTheLabelDrawsItself());
}

// The chat boxes' style copies kept pictures of frames and scroll bars; they
// must look exactly as the application's style draws them, in each state.
TEST(ChatBoxStyle, ChatBoxesLookAsTheApplicationStyleDrawsThem)
{
    shell::ChatBoxStyle style;
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
    auto expectSame = [&](const char* state) {
        EXPECT_EQ(kept->grab().toImage(), plain->grab().toImage()) << state;
    };
    expectSame("empty");
    const int drawn = style.drawnCount();
    ASSERT_GT(drawn, 0) << "the style kept nothing";
    kept->grab();
    kept->grab();
    EXPECT_EQ(style.drawnCount(), drawn) << "an unchanged box was drawn again";

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
    EXPECT_GT(style.drawnCount(), drawn);
    for (QPlainTextEdit* box : {kept.get(), plain.get()})
        box->setEnabled(false);
    spin(20);
    expectSame("disabled");
}
