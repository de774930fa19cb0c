// The button's input state machine: pressing, dragging out and back in,
// releasing on and just beyond the edges, the space bar, Enter as the
// dialog key, accelerators, default-button tracking and disabling.
#include "ButtonTestSupport.h"
#include "skin/button/SkinButton.h"

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

// A shown, active window with two skinned buttons and a line edit.
struct Window {
    QWidget form;
    SkinButton* send = new SkinButton(&form);
    SkinButton* other = new SkinButton(&form);
    QLineEdit* edit = new QLineEdit(&form);
    QSignalSpy sendClicks{send, &SkinCustomButton::clicked};
    QSignalSpy otherClicks{other, &SkinCustomButton::clicked};

    Window()
    {
        form.resize(300, 200);
        send->setGeometry(10, 10, 81, 25);
        send->setCaption(QStringLiteral("发  送"));
        other->setGeometry(100, 10, 75, 25);
        other->setCaption(QStringLiteral("&Other"));
        edit->setGeometry(10, 60, 150, 22);
        form.show();
        QApplication::setActiveWindow(&form);
        [&] { ASSERT_TRUE(QTest::qWaitForWindowActive(&form)); }();
    }
    void focus(QWidget* widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(widget->hasFocus());
    }
};

// Whether a button that neither has the focus nor the pointer shows the
// focused picture: it acts as its window's default button.
bool actsAsDefault(const SkinCustomButton* button)
{
    return button->skinState() == SkinState::Focused;
}

} // namespace

TEST(SkinButtonInput, PressAndReleaseInsideClicksOnce)
{
    Window w;
    sendMouse(w.send, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(w.send->state(), ButtonState::Pressed);
    EXPECT_TRUE(w.send->hasFocus()); // a press takes the focus
    EXPECT_EQ(w.sendClicks.count(), 0);
    sendMouse(w.send, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    EXPECT_EQ(w.sendClicks.count(), 1);
}

TEST(SkinButtonInput, DragOutReleaseOutsideDoesNotClick)
{
    Window w;
    sendMouse(w.send, QEvent::MouseButtonPress, {40, 12});
    sendMouse(w.send, QEvent::MouseMove, {81, 12}); // x = width is outside
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    sendMouse(w.send, QEvent::MouseButtonRelease, {120, 12});
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    EXPECT_EQ(w.sendClicks.count(), 0);
    // The flag is gone: later moves over the button do not press it.
    sendMouse(w.send, QEvent::MouseMove, {40, 12});
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
}

TEST(SkinButtonInput, DragOutAndBackInPressesAgainAndClicks)
{
    Window w;
    QSignalSpy entered(w.send, &SkinCustomControl::mouseEntered);
    QSignalSpy left(w.send, &SkinCustomControl::mouseLeft);
    QEnterEvent enter(QPointF(40, 12), QPointF(40, 12), w.send->mapToGlobal(QPointF(40, 12)));
    QApplication::sendEvent(w.send, &enter);
    sendMouse(w.send, QEvent::MouseButtonPress, {40, 12});
    sendMouse(w.send, QEvent::MouseMove, {40, -1});
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    EXPECT_FALSE(w.send->pointerInside()); // the held pointer's moves report the crossing
    EXPECT_EQ(left.count(), 1);
    sendMouse(w.send, QEvent::MouseMove, {0, 0}); // the top-left pixel is inside
    EXPECT_EQ(w.send->state(), ButtonState::Pressed);
    EXPECT_TRUE(w.send->pointerInside());
    EXPECT_EQ(entered.count(), 2);
    sendMouse(w.send, QEvent::MouseMove, {80, 24}); // and so is the bottom-right one
    EXPECT_EQ(w.send->state(), ButtonState::Pressed);
    sendMouse(w.send, QEvent::MouseButtonRelease, {80, 24});
    EXPECT_EQ(w.sendClicks.count(), 1);
}

TEST(SkinButtonInput, ReleaseOnTheRowBelowTheButtonDoesNotClick)
{
    Window w;
    sendMouse(w.send, QEvent::MouseButtonPress, {40, 24});
    sendMouse(w.send, QEvent::MouseButtonRelease, {40, 25}); // y = height
    EXPECT_EQ(w.sendClicks.count(), 0);
    EXPECT_EQ(w.send->state(), ButtonState::Normal);

    sendMouse(w.send, QEvent::MouseButtonPress, {40, 24});
    sendMouse(w.send, QEvent::MouseButtonRelease, {40, 24.6}); // still on the last row
    EXPECT_EQ(w.sendClicks.count(), 1);
}

TEST(SkinButtonInput, OtherButtonsNeitherPressNorClick)
{
    Window w;
    sendMouse(w.send, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    sendMouse(w.send, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(w.sendClicks.count(), 0);
    // A right release during a left press does not end it.
    sendMouse(w.send, QEvent::MouseButtonPress, {5, 5});
    sendMouse(w.send, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(w.sendClicks.count(), 0);
    sendMouse(w.send, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(w.sendClicks.count(), 1);
}

TEST(SkinButtonInput, DisabledButtonIgnoresPressesAndDisablingEndsAPress)
{
    Window w;
    w.send->setEnabled(false);
    sendMouse(w.send, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    EXPECT_EQ(w.send->skinState(), SkinState::Disabled);

    w.send->setEnabled(true);
    sendMouse(w.send, QEvent::MouseButtonPress, {5, 5});
    ASSERT_EQ(w.send->state(), ButtonState::Pressed);
    w.send->setEnabled(false);
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    w.send->setEnabled(true);
    sendMouse(w.send, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(w.sendClicks.count(), 0);
}

TEST(SkinButtonInput, SpaceBarPressesOnDownAndClicksOnUp)
{
    Window w;
    w.focus(w.send);
    EXPECT_TRUE(sendKey(w.send, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    EXPECT_EQ(w.send->state(), ButtonState::Pressed);
    // Auto-repeat neither clicks nor releases.
    sendKey(w.send, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    sendKey(w.send, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    EXPECT_EQ(w.send->state(), ButtonState::Pressed);
    EXPECT_EQ(w.sendClicks.count(), 0);
    EXPECT_TRUE(sendKey(w.send, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
    EXPECT_EQ(w.sendClicks.count(), 1);

    // Alt+Space is the window menu's key, not the button's.
    sendKey(w.send, QEvent::KeyPress, Qt::Key_Space, Qt::AltModifier, QStringLiteral(" "));
    EXPECT_EQ(w.send->state(), ButtonState::Normal);
}

TEST(SkinButtonInput, EnterClicksTheFocusedButtonOnly)
{
    Window w;
    w.other->setDefault(true);
    w.focus(w.send);
    pressKey(w.send, Qt::Key_Return);
    EXPECT_EQ(w.sendClicks.count(), 1);
    EXPECT_EQ(w.otherClicks.count(), 0); // a focused button takes the default role
    pressKey(w.send, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.sendClicks.count(), 2);
    // With Shift, Ctrl or Alt, Enter is no dialog key.
    pressKey(w.send, Qt::Key_Return, Qt::ShiftModifier);
    pressKey(w.send, Qt::Key_Return, Qt::ControlModifier);
    pressKey(w.send, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(w.sendClicks.count(), 2);
}

TEST(SkinButtonInput, EnterInAnotherControlClicksTheDefaultButton)
{
    Window w;
    w.focus(w.edit);
    pressKey(w.edit, Qt::Key_Return);
    EXPECT_EQ(w.sendClicks.count() + w.otherClicks.count(), 0); // no default button yet
    w.send->setDefault(true);
    EXPECT_TRUE(actsAsDefault(w.send));
    pressKey(w.edit, Qt::Key_Return);
    EXPECT_EQ(w.sendClicks.count(), 1);
    EXPECT_EQ(w.otherClicks.count(), 0);
    // A default button that cannot take the focus does not click.
    w.send->setEnabled(false);
    pressKey(w.edit, Qt::Key_Return);
    EXPECT_EQ(w.sendClicks.count(), 1);
}

TEST(SkinButtonInput, AcceleratorLetterFocusesAndClicks)
{
    Window w;
    w.focus(w.send);
    // "&Other": a plain O that the focused button does not take.
    pressKey(w.send, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
    EXPECT_EQ(w.otherClicks.count(), 1);
    EXPECT_TRUE(w.other->hasFocus());
    // The line edit takes letters itself.
    w.focus(w.edit);
    pressKey(w.edit, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
    EXPECT_EQ(w.otherClicks.count(), 1);
    // "&&" is a literal ampersand, not an accelerator.
    w.other->setCaption(QStringLiteral("R&&D"));
    w.focus(w.send);
    pressKey(w.send, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    EXPECT_EQ(w.otherClicks.count(), 1);
}

TEST(SkinButtonInput, AltAcceleratorWorksFromAnyControl)
{
    Window w;
    w.focus(w.edit);
    QTest::keyClick(&w.form, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(w.otherClicks.count(), 1);
    EXPECT_TRUE(w.other->hasFocus());
}

TEST(SkinButtonInput, ActiveDefaultFollowsTheFocus)
{
    Window w;
    w.focus(w.edit);
    EXPECT_FALSE(actsAsDefault(w.send));
    w.send->setDefault(true); // the window re-decides at once
    EXPECT_TRUE(actsAsDefault(w.send));
    EXPECT_EQ(w.send->skinState(), SkinState::Focused); // drawn focused although not focused
    w.focus(w.other);
    EXPECT_FALSE(actsAsDefault(w.send));
    EXPECT_TRUE(actsAsDefault(w.other));
    w.focus(w.edit);
    EXPECT_TRUE(actsAsDefault(w.send));
    EXPECT_FALSE(actsAsDefault(w.other));
    w.send->setDefault(false);
    EXPECT_FALSE(actsAsDefault(w.send));
    EXPECT_EQ(w.send->skinState(), SkinState::Normal);
}

TEST(SkinButtonInput, SettingDefaultLeavesTheButtonsOfOwnedDialogsAlone)
{
    Window w;
    auto* dialog = new QDialog(&w.form); // a window of its own, owned by the form
    auto* dialogDefault = new SkinButton(dialog);
    auto* dialogOther = new SkinButton(dialog);
    dialogDefault->setDefault(true);
    dialogOther->setFocus(); // the dialog's own focus is on a button
    ASSERT_EQ(dialog->focusWidget(), dialogOther);
    dialogDefault->setDefault(false); // the dialog re-decides with its focus on a button
    dialogDefault->setDefault(true);
    ASSERT_FALSE(actsAsDefault(dialogDefault));
    w.focus(w.edit); // the form's focus is on a line edit
    w.send->setDefault(true);
    EXPECT_TRUE(actsAsDefault(w.send));
    EXPECT_FALSE(actsAsDefault(dialogDefault));
}

TEST(SkinButtonInput, ClickSetsTheDialogsModalResultThenEmitsClicked)
{
    QDialog dialog;
    auto* ok = new SkinButton(&dialog);
    ok->setModalResult(DialogResult::Ok);
    int resultSeenByHandler = -1;
    QObject::connect(ok, &SkinCustomButton::clicked, [&] { resultSeenByHandler = dialog.result(); });
    dialog.open();
    ok->click();
    EXPECT_EQ(resultSeenByHandler, int(DialogResult::Ok));
    EXPECT_EQ(dialog.result(), int(DialogResult::Ok));
    EXPECT_FALSE(dialog.isVisible());
}
