// How far a repaint reaches: a piece moving over the board repaints the
// board and the pieces there, not the window beneath (whose skinned frame is
// the costliest thing to draw), and the window looks the same afterwards.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <map>

#include "GameHarness.h"
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

} // namespace

TEST(RepaintScope, APieceMovingOverTheBoardRepaintsNeitherTheWindowNorItsClientArea)
{
    MessageBoxRecorder boxes;
    ProgramWindows program;
    shell::TForm1& form = program.form1;
    form.notificationSound()->setMuted(true);
    form.show();
    spin(200);
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
    EXPECT_GE(counter.paints[form.image(13)], 1);
}

TEST(RepaintScope, AfterAPieceMovedAwayAndBackTheWindowLooksAsBefore)
{
    MessageBoxRecorder boxes;
    ProgramWindows program;
    shell::TForm1& form = program.form1;
    form.notificationSound()->setMuted(true);
    form.show();
    spin(200);
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
