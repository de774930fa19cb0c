// The flat title bar: refusal of a parent that is not a window, the caption
// colours following activation, centring, and moving the window by dragging.
#include "FlatTestSupport.h"

#include "flat/InvalidOperationError.h"
#include "flat/FlatColors.h"
#include "flat/FlatTitlebar.h"

#include <QCursor>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

using namespace flattest;

namespace {

constexpr quint32 kInactive = 8559266;
const char* const kRefusal = "TFlatTitlebar can only be placed on a descndant of a TCustomForm";

class FlatTitlebarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        dialog->resize(315, 203);
        QFont font = dialog->font();
        font.setPixelSize(16);
        dialog->setFont(font);
        bar = new FlatTitlebar(dialog.get());
        bar->setAlign(FlatTitlebar::Align::Top);
        bar->resize(bar->width(), 25);
        bar->setCaption(QStringLiteral("设置对方计算机名或IP地址"));
        bar->setTitlebarColor(Qt::blue);
        showActive(dialog.get(), QPoint(100, 100));
    }

    void TearDown() override { parkPointer(); }

    // Drives the pointer with global coordinates, because the window moves
    // under it while it drags.
    void pressAt(QPoint barPos, Qt::MouseButton button)
    {
        QCursor::setPos(bar->mapToGlobal(barPos));
        settle();
        QTest::mousePress(dialog->windowHandle(), button, Qt::NoModifier, bar->mapTo(dialog.get(), barPos));
        settle();
    }
    // Moves the pointer to `global` in small steps, as a hand does: the
    // offscreen platform only reports moves over a window, and a dragged
    // window keeps its grab point under the pointer between steps.
    static void glideTo(QPoint global)
    {
        QPoint at = QCursor::pos();
        while (at != global) {
            at.rx() += std::clamp(global.x() - at.x(), -4, 4);
            at.ry() += std::clamp(global.y() - at.y(), -4, 4);
            QCursor::setPos(at);
            settle();
        }
    }
    void releaseAt(QPoint global, Qt::MouseButton button)
    {
        QCursor::setPos(global);
        settle();
        QTest::mouseRelease(dialog->windowHandle(), button, Qt::NoModifier, dialog->mapFromGlobal(global));
        settle();
    }

    std::unique_ptr<QWidget> dialog;
    FlatTitlebar* bar = nullptr;
};

} // namespace

TEST(FlatTitlebarPlacing, DefaultsOnAWindow)
{
    QWidget form;
    FlatTitlebar bar(&form);
    EXPECT_EQ(bar.size(), QSize(100, 19));
    EXPECT_EQ(bar.titlebarColor(), QColor(Qt::black));
    EXPECT_EQ(bar.activeTextColor(), QColor(Qt::white));
    EXPECT_EQ(toColorRef(bar.inactiveTextColor()), kInactive);
    EXPECT_EQ(bar.align(), FlatTitlebar::Align::None);
    EXPECT_EQ(bar.form(), &form);
}

TEST(FlatTitlebarPlacing, RefusesAPanel)
{
    QWidget form;
    QWidget panel(&form);
    try {
        FlatTitlebar bar(&panel);
        FAIL() << "a panel was accepted";
    } catch (const InvalidOperationError& error) {
        EXPECT_STREQ(error.what(), kRefusal);
    }
    EXPECT_TRUE(panel.children().isEmpty());
}

TEST(FlatTitlebarPlacing, PlainReparentingFollowsOnlyWindows)
{
    QWidget form;
    QWidget other;
    QWidget panel(&form);
    FlatTitlebar bar;
    EXPECT_EQ(bar.form(), nullptr);
    bar.setParent(&form);
    EXPECT_EQ(bar.form(), &form);
    bar.setParent(&other);
    EXPECT_EQ(bar.form(), &other);
    bar.setParent(&panel);
    EXPECT_EQ(bar.form(), nullptr);
    bar.setParent(nullptr);
}

TEST_F(FlatTitlebarTest, AlignedToTheTopOfItsWindow)
{
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 315, 25));
    dialog->resize(400, 203);
    settle();
    EXPECT_EQ(bar->width(), 400);
}

TEST_F(FlatTitlebarTest, CaptionColourFollowsActivation)
{
    ASSERT_TRUE(bar->isActive());
    EXPECT_EQ(colorRefAt(bar, 2, 2), 0xFF0000u); // the blue bar
    EXPECT_TRUE(rendersColor(bar, 0xFFFFFF));
    EXPECT_FALSE(rendersColor(bar, kInactive));

    QWidget other;
    other.resize(50, 50);
    showActive(&other, QPoint(500, 400));
    EXPECT_FALSE(bar->isActive());
    EXPECT_TRUE(rendersColor(bar, kInactive));
    EXPECT_FALSE(rendersColor(bar, 0xFFFFFF));

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    settle();
    EXPECT_TRUE(bar->isActive());
    EXPECT_TRUE(rendersColor(bar, 0xFFFFFF));
}

namespace {
// The first and last columns that hold caption ink (anything but the bar).
std::pair<int, int> inkColumns(QWidget* bar)
{
    const QImage image = bar->grab().toImage();
    const QRgb barColour = image.pixel(0, 0);
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != barColour) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}
} // namespace

TEST_F(FlatTitlebarTest, CaptionIsCentred)
{
    bar->setCaption(QStringLiteral("HHHH"));
    settle();
    const auto [first, last] = inkColumns(bar);
    ASSERT_GE(first, 0);
    const int leftRoom = first;
    const int rightRoom = bar->width() - 1 - last;
    EXPECT_LE(std::abs(leftRoom - rightRoom), 3) << first << ".." << last;
}

TEST_F(FlatTitlebarTest, WideCaptionIsCutAtBothEnds)
{
    dialog->resize(60, 203);
    settle();
    const auto [first, last] = inkColumns(bar);
    EXPECT_LE(first, 1);
    EXPECT_GE(last, bar->width() - 2);
}

TEST_F(FlatTitlebarTest, LeftDragMovesTheWindowByThePointersTravel)
{
    const QPoint start = dialog->pos();
    const QPoint pressGlobal = bar->mapToGlobal(QPoint(10, 10));
    pressAt(QPoint(10, 10), Qt::LeftButton);
    EXPECT_TRUE(bar->isDragging());
    glideTo(pressGlobal + QPoint(30, 20));
    EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));
    glideTo(pressGlobal + QPoint(-15, 5));
    EXPECT_EQ(dialog->pos(), start + QPoint(-15, 5));
    releaseAt(pressGlobal + QPoint(-15, 5), Qt::LeftButton);
    EXPECT_FALSE(bar->isDragging());

    // After the release, pointer moves leave the window alone.
    QCursor::setPos(pressGlobal + QPoint(40, 40));
    settle();
    EXPECT_EQ(dialog->pos(), start + QPoint(-15, 5));
}

TEST_F(FlatTitlebarTest, RightButtonDoesNotDrag)
{
    const QPoint start = dialog->pos();
    const QPoint pressGlobal = bar->mapToGlobal(QPoint(50, 10));
    pressAt(QPoint(50, 10), Qt::RightButton);
    EXPECT_FALSE(bar->isDragging());
    QCursor::setPos(pressGlobal + QPoint(25, 25));
    settle();
    EXPECT_EQ(dialog->pos(), start);
    releaseAt(pressGlobal + QPoint(25, 25), Qt::RightButton);

    pressAt(QPoint(50, 10), Qt::LeftButton);
    glideTo(bar->mapToGlobal(QPoint(50, 10)) + QPoint(7, 3));
    EXPECT_EQ(dialog->pos(), start + QPoint(7, 3));
    releaseAt(QCursor::pos(), Qt::LeftButton);
}
