// The flat button driven through the window system offscreen: pressing and
// clicking at the edges, dragging off and on, groups, keys, modal results
// and the shared hover timer.
#include "FlatButtonFixture.h"

#include "flat/FlatHoverTimer.h"
#include "flat/FlatEdit.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

using namespace corvane::flat;
using namespace flattest;
using corvane::flat::FlatHoverTimer;

TEST(FlatButtonDefaults, PropertiesStartAtTheirDefaults)
{
    FlatButton b;
    EXPECT_EQ(b.size(), QSize(25, 25));
    EXPECT_EQ(b.transparentMode(), flat::TransparentMode::Never);
    EXPECT_FALSE(b.isDefault());
    EXPECT_FALSE(b.allowAllUp());
    EXPECT_EQ(toColorRef(b.color()), 0xE1EAEBu);
    EXPECT_EQ(toColorRef(b.colorFocused()), 0xE1EAEBu);
    EXPECT_EQ(toColorRef(b.colorDown()), 0xC5D6D9u);
    EXPECT_EQ(toColorRef(b.colorBorder()), 0x8396A0u);
    EXPECT_EQ(toColorRef(b.colorHighLight()), 0xFFFFFFu);
    EXPECT_EQ(toColorRef(b.colorShadow()), 0x000000u);
    EXPECT_EQ(b.advColorFocused(), 10);
    EXPECT_EQ(b.advColorDown(), 10);
    EXPECT_EQ(b.advColorBorder(), 50);
    EXPECT_FALSE(b.useAdvColors());
    EXPECT_EQ(b.groupIndex(), 0);
    EXPECT_FALSE(b.isDown());
    EXPECT_TRUE(b.caption().isEmpty());
    EXPECT_EQ(b.buttonLayout(), flat::ButtonLayout::GlyphTop);
    EXPECT_EQ(b.margin(), -1);
    EXPECT_EQ(b.numGlyphs(), 1);
    EXPECT_EQ(b.spacing(), 4);
    EXPECT_TRUE(b.parentColor());
    EXPECT_FALSE(b.tabStop());
    EXPECT_EQ(b.focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(b.modalResult(), 0);
    EXPECT_EQ(b.state(), flat::ButtonState::Up);
    // The published names reach the same values.
    EXPECT_EQ(b.property("Spacing").toInt(), 4);
    EXPECT_EQ(b.property("Layout").value<flat::ButtonLayout>(), flat::ButtonLayout::GlyphTop);
}

TEST_F(FlatButtonTest, ReleaseOnTheBottomEdgeRowClicks)
{
    press(button, QPoint(10, 10));
    release(button, QPoint(10, 25)); // y == height: still inside
    EXPECT_EQ(clicksOf(button), 1);

    press(button, QPoint(10, 10));
    release(button, QPoint(72, 24)); // last column and row of the face
    EXPECT_EQ(clicksOf(button), 2);
}

TEST_F(FlatButtonTest, ReleaseOnTheRightEdgeColumnDoesNotClick)
{
    press(button, QPoint(10, 10));
    release(button, QPoint(73, 10)); // x == width: outside
    EXPECT_EQ(clicksOf(button), 0);
    EXPECT_EQ(button->state(), flat::ButtonState::Up);

    press(button, QPoint(10, 10));
    release(button, QPoint(10, 26));
    EXPECT_EQ(clicksOf(button), 0);
}

TEST_F(FlatButtonTest, DraggingOffAndBackOn)
{
    press(button, QPoint(10, 10));
    EXPECT_EQ(button->state(), flat::ButtonState::Down);
    movePointer(button, QPoint(120, 10));
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
    EXPECT_EQ(colorRefAt(button, 3, 3), kHovered); // still hovered: the press holds it
    movePointer(button, QPoint(10, 25));
    EXPECT_EQ(button->state(), flat::ButtonState::Down);
    movePointer(button, QPoint(73, 10));
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
    movePointer(button, QPoint(30, 12));
    EXPECT_EQ(button->state(), flat::ButtonState::Down);
    movePointer(button, QPoint(30, -3));
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
    release(button, QPoint(30, -3));
    EXPECT_EQ(clicksOf(button), 0);
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
    EXPECT_FALSE(showsHoverLook(button));
    EXPECT_EQ(colorRefAt(button, 3, 3), kDialogFace);
}

TEST_F(FlatButtonTest, RightButtonDoesNotPress)
{
    press(button, QPoint(10, 10), Qt::RightButton);
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
    release(button, QPoint(10, 10), Qt::RightButton);
    EXPECT_EQ(clicksOf(button), 0);
}

TEST_F(FlatButtonTest, GroupLatchesOneButtonAtATime)
{
    FlatButton* a = addButton(QRect(20, 60, 73, 25));
    FlatButton* b = addButton(QRect(120, 60, 73, 25));
    a->setGroupIndex(1);
    b->setGroupIndex(1);

    click(a, QPoint(10, 10));
    EXPECT_TRUE(a->isDown());
    EXPECT_EQ(a->state(), flat::ButtonState::Exclusive);
    EXPECT_EQ(clicksOf(a), 1);

    // Clicking the latched one again leaves it latched, but still clicks.
    click(a, QPoint(10, 10));
    EXPECT_TRUE(a->isDown());
    EXPECT_EQ(clicksOf(a), 2);
    parkPointer();
    EXPECT_EQ(colorRefAt(a, 3, 3), kPressed); // latched and not hovered

    click(b, QPoint(10, 10));
    EXPECT_TRUE(b->isDown());
    EXPECT_FALSE(a->isDown());
    EXPECT_EQ(a->state(), flat::ButtonState::Up);
    parkPointer();
    EXPECT_EQ(colorRefAt(a, 3, 3), kDialogFace);
    EXPECT_EQ(colorRefAt(b, 3, 3), kPressed);

    // The ungrouped button is not involved.
    EXPECT_FALSE(button->isDown());
}

TEST_F(FlatButtonTest, AllowAllUpSpreadsThroughTheGroupAndReleases)
{
    FlatButton* a = addButton(QRect(20, 60, 73, 25));
    FlatButton* b = addButton(QRect(120, 60, 73, 25));
    FlatButton* other = addButton(QRect(20, 100, 73, 25));
    a->setGroupIndex(1);
    b->setGroupIndex(1);
    other->setGroupIndex(2);
    a->setAllowAllUp(true);
    EXPECT_TRUE(b->allowAllUp());
    EXPECT_FALSE(other->allowAllUp());

    click(b, QPoint(10, 10));
    EXPECT_TRUE(b->isDown());
    click(b, QPoint(10, 10));
    EXPECT_FALSE(b->isDown());
    EXPECT_EQ(b->state(), flat::ButtonState::Up);
}

TEST_F(FlatButtonTest, DownOnlyForGroupedButtons)
{
    button->setDown(true);
    EXPECT_FALSE(button->isDown());
    button->setGroupIndex(3);
    button->setDown(true);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(button->state(), flat::ButtonState::Exclusive);
    button->setDown(false); // latched and AllowAllUp off: refused
    EXPECT_TRUE(button->isDown());
}

TEST_F(FlatButtonTest, ReleasedOutsideALatchedButtonStaysLatched)
{
    button->setGroupIndex(1);
    button->setDown(true);
    press(button, QPoint(10, 10));
    EXPECT_EQ(button->state(), flat::ButtonState::Exclusive);
    movePointer(button, QPoint(200, 10));
    release(button, QPoint(200, 10));
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(button->state(), flat::ButtonState::Exclusive);
    EXPECT_EQ(clicksOf(button), 0);
}

TEST_F(FlatButtonTest, SpaceBarPressesAndClicks)
{
    button->setFocus();
    settle();
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_EQ(button->state(), flat::ButtonState::Down);
    EXPECT_EQ(clicksOf(button), 0);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(button->state(), flat::ButtonState::Up);
    EXPECT_EQ(clicksOf(button), 1);

    // Enter does not click, even a Default button.
    button->setDefault(true);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicksOf(button), 1);
}

TEST_F(FlatButtonTest, SpaceBarLatchesAGroupedButton)
{
    button->setGroupIndex(1);
    button->setFocus();
    settle();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(clicksOf(button), 1);
}

TEST_F(FlatButtonTest, AcceleratorClicks)
{
    button->setCaption(QStringLiteral("&Go"));
    FlatButton* grouped = addButton(QRect(20, 60, 73, 25));
    grouped->setCaption(QStringLiteral("&Latch"));
    grouped->setGroupIndex(1);
    settle();
    QTest::keyClick(form.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicksOf(button), 1);
    QTest::keyClick(form.get(), Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(clicksOf(grouped), 1);
    EXPECT_TRUE(grouped->isDown());

    button->setEnabled(false);
    QTest::keyClick(form.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicksOf(button), 1);
}

TEST(FlatButtonDialog, ModalResultClosesTheDialog)
{
    QDialog dialog;
    dialog.resize(200, 100);
    auto* ok = new FlatButton(&dialog);
    ok->setGeometry(10, 10, 73, 25);
    ok->setModalResult(QDialog::Accepted);
    auto* plain = new FlatButton(&dialog);
    plain->setGeometry(100, 10, 73, 25);
    dialog.open();
    showActive(&dialog);

    click(plain, QPoint(5, 5)); // ModalResult 0: the dialog stays
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);

    click(ok, QPoint(5, 5));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    parkPointer();
}

TEST_F(FlatButtonTest, HoverTimerRunsOnlyWhileTracking)
{
    EXPECT_FALSE(FlatHoverTimer::isRunning());

    movePointer(button, QPoint(5, 5));
    EXPECT_EQ(FlatHoverTimer::tracked(), button);
    EXPECT_TRUE(FlatHoverTimer::isRunning());
    EXPECT_TRUE(showsHoverLook(button));

    // Leaving is noticed by a timer tick, which then stops the timer.
    movePointer(form.get(), QPoint(250, 150));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !showsHoverLook(button); }, 2000));
    EXPECT_FALSE(FlatHoverTimer::isRunning());
    EXPECT_EQ(FlatHoverTimer::tracked(), nullptr);

    // Moving straight from one button to another hands the tracking over.
    FlatButton* second = addButton(QRect(100, 20, 73, 25));
    movePointer(button, QPoint(5, 5));
    movePointer(second, QPoint(5, 5));
    EXPECT_EQ(FlatHoverTimer::tracked(), second);
    EXPECT_FALSE(showsHoverLook(button));
    EXPECT_TRUE(showsHoverLook(second));
}

TEST_F(FlatButtonTest, HoverTimerStopsWhenAClickHidesTheButton)
{
    QObject::connect(button, &FlatButton::clicked, button, &QWidget::hide);
    click(button, QPoint(5, 5));
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(showsHoverLook(button));
    EXPECT_FALSE(FlatHoverTimer::isRunning());
}

TEST_F(FlatButtonTest, DisablingWhileHoveredStopsTracking)
{
    movePointer(button, QPoint(5, 5));
    ASSERT_TRUE(FlatHoverTimer::isRunning());
    button->setEnabled(false);
    EXPECT_FALSE(showsHoverLook(button));
    EXPECT_FALSE(FlatHoverTimer::isRunning());
    EXPECT_EQ(colorRefAt(button, 3, 3), kDialogFace);
    button->setEnabled(true); // re-evaluated: the pointer is on it
    EXPECT_TRUE(showsHoverLook(button));
}
