// The connection settings dialog built from the flat controls: its make-up,
// its title bar as drawn while active and inactive, dragging, placement,
// the port boxes' key filter under real key strokes, the apply logic's order
// and failures, and the box contents kept between showings.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <QClipboard>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QUdpSocket>

#include "flat/FlatColors.h"
#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"
#include "flat/FlatTitlebar.h"
#include "shell/PortKeyFilter.h"
#include "shell/ConnectionDialog.h"
#include "ShellTestSupport.h"
#include "support/MessageBoxRecorder.h"

namespace flat = corvane::flat;
using namespace corvane::flat;

using namespace corvane::shell;
using namespace corvane::shell::testing;

namespace {

const QColor blue(0, 0, 255);
const QColor white(255, 255, 255);
const QColor inactiveText(162, 154, 130); // the colour value 8559266

// Number of pixels of `image` inside `area` that are exactly `colour`.
int countPixels(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                ++count;
    return count;
}

// The pixels of the bar's caption: everything on the bar that is not the bar's colour.
QRect captionBounds(const QImage& bar)
{
    QRect bounds;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            if (bar.pixelColor(x, y).rgb() != blue.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QLabel* label(ConnectionDialog& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QString::fromLatin1(name));
}

// Presses, moves and releases the mouse on `widget` with explicit screen
// positions, as the window system reports them.
void sendMouseAt(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint local, QPoint global)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(local), QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// One key stroke as the window system delivers it to the focused widget: the
// shortcut check first, then the press and the release.
void pressKey(QWidget* widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent override(QEvent::ShortcutOverride, key, modifiers, text);
    QApplication::sendEvent(widget, &override);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

void typeText(QWidget* widget, const QString& text)
{
    for (QChar character : text) {
        const Qt::Key key = character.isDigit() ? Qt::Key(Qt::Key_0 + character.digitValue())
                            : character == u' ' ? Qt::Key_Space
                            : character == u'-' ? Qt::Key_Minus
                                                : Qt::Key(Qt::Key_A + (character.toLower().unicode() - u'a'));
        pressKey(widget, key, QString(character));
    }
}

void clickButton(QWidget* button)
{
    sendMouse(button, QEvent::MouseButtonPress, {36, 12});
    sendMouse(button, QEvent::MouseButtonRelease, {36, 12});
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { connectToItself(form); }

    // Shows the dialog without the modal wait and makes it the active window.
    void showActive()
    {
        settings.show();
        settings.activateWindow();
        ASSERT_TRUE(waitUntil([this] { return settings.isActiveWindow(); }));
        settle(50);
    }

    MainWindow form;
    ConnectionDialog settings{&form, form.endpoint()};
};

} // namespace

TEST_F(SettingsDialogTest, IsAFramelessDialogOfTheStoredSizeAndFont)
{
    EXPECT_TRUE(settings.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(settings.size(), QSize(315, 203));
    EXPECT_EQ(settings.minimumSize(), settings.maximumSize());
    EXPECT_EQ(settings.font().pixelSize(), 12);
    EXPECT_EQ(settings.palette().color(QPalette::Window), flat::buttonFaceColor(&settings));
}

TEST_F(SettingsDialogTest, ControlsAreTheFlatOnesAtTheirPlaces)
{
    FlatTitlebar* bar = settings.findChild<FlatTitlebar*>(QStringLiteral("FlatTitlebar1"));
    ASSERT_EQ(bar, titlebar(settings));
    EXPECT_EQ(bar->form(), &settings);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 315, 25));
    EXPECT_EQ(bar->align(), FlatTitlebar::Align::Top);
    EXPECT_EQ(bar->caption(), QStringLiteral("设置对方计算机名或IP地址"));
    EXPECT_EQ(bar->titlebarColor(), blue);
    EXPECT_EQ(bar->activeTextColor(), white);
    EXPECT_EQ(bar->inactiveTextColor(), flat::fromColorRef(8559266u));

    ASSERT_EQ(settings.findChild<QFrame*>(QStringLiteral("Bevel1")), bevel(settings));
    EXPECT_EQ(bevel(settings)->geometry(), QRect(0, 26, 314, 176));

    ASSERT_TRUE(label(settings, "Label1") && label(settings, "Label2") && label(settings, "Label3"));
    EXPECT_EQ(label(settings, "Label1")->text(), QStringLiteral("对方IP地址或计算机名："));
    EXPECT_EQ(label(settings, "Label1")->pos(), QPoint(8, 51));
    EXPECT_EQ(label(settings, "Label2")->text(), QStringLiteral("对方端口号："));
    EXPECT_EQ(label(settings, "Label2")->pos(), QPoint(40, 92));
    EXPECT_EQ(label(settings, "Label3")->text(), QStringLiteral("本机端口号："));
    EXPECT_EQ(label(settings, "Label3")->pos(), QPoint(40, 131));

    // The boxes' height comes from the font: character height plus the frame bands.
    const int boxHeight = QFontMetrics(settings.font()).height() + 6;
    const struct {
        const char* name;
        FlatEdit* edit;
        int top;
        const char* text;
    } boxes[] = {{"FlatEdit1", hostEdit(settings), 48, ""},
                 {"FlatEdit2", remotePortEdit(settings), 88, "1234"},
                 {"FlatEdit3", localPortEdit(settings), 128, "1234"}};
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.name);
        ASSERT_EQ(settings.findChild<FlatEdit*>(QString::fromLatin1(box.name)), box.edit);
        EXPECT_EQ(box.edit->geometry(), QRect(136, box.top, 145, boxHeight));
        EXPECT_EQ(box.edit->text(), QString::fromLatin1(box.text));
        EXPECT_EQ(box.edit->colorBorder(), blue);
        EXPECT_TRUE(box.edit->parentColor());
        EXPECT_EQ(box.edit->colorFlat(), flat::buttonFaceColor(&settings));
    }

    FlatButton* button = settings.findChild<FlatButton*>(QStringLiteral("FlatButton1"));
    ASSERT_EQ(button, connectButton(settings));
    EXPECT_EQ(button->geometry(), QRect(208, 160, 73, 25));
    EXPECT_EQ(button->caption(), QStringLiteral("连 接"));
    EXPECT_EQ(button->colorBorder(), blue);
    EXPECT_TRUE(button->parentColor());
    EXPECT_EQ(button->color(), flat::buttonFaceColor(&settings));
    EXPECT_FALSE(button->tabStop());
}

TEST_F(SettingsDialogTest, TabGoesThroughTheThreeBoxesAndSkipsTheButton)
{
    showActive();
    hostEdit(settings)->setFocus();
    ASSERT_TRUE(waitUntil([this] { return hostEdit(settings)->hasFocus(); }));
    QWidget* const expected[] = {remotePortEdit(settings), localPortEdit(settings), hostEdit(settings)};
    for (QWidget* next : expected) {
        pressKey(QApplication::focusWidget(), Qt::Key_Tab, QStringLiteral("\t"));
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(SettingsDialogTest, TitleBarDrawsWhiteCaptionOnBlueWhileActive)
{
    showActive();
    ASSERT_TRUE(titlebar(settings)->isActive());
    const QImage bar = titlebar(settings)->grab().toImage();
    EXPECT_EQ(bar.pixelColor(1, 1), blue);
    EXPECT_EQ(bar.pixelColor(313, 23), blue);
    EXPECT_GT(countPixels(bar, bar.rect(), white), 20);
    EXPECT_EQ(countPixels(bar, bar.rect(), inactiveText), 0);
    // The caption stands in the middle of the bar.
    const QRect caption = captionBounds(bar);
    ASSERT_TRUE(caption.isValid());
    EXPECT_LE(qAbs(caption.center().x() - bar.width() / 2), 3);
    EXPECT_LE(qAbs(caption.center().y() - bar.height() / 2), 3);
}

TEST_F(SettingsDialogTest, TitleBarCaptionTurnsInactiveWhenAnotherWindowIsActive)
{
    showActive();
    QWidget other;
    other.setGeometry(0, 0, 50, 50);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return other.isActiveWindow(); }));
    EXPECT_FALSE(titlebar(settings)->isActive());
    QImage bar = titlebar(settings)->grab().toImage();
    EXPECT_EQ(bar.pixelColor(1, 1), blue);
    EXPECT_GT(countPixels(bar, bar.rect(), inactiveText), 20);
    EXPECT_EQ(countPixels(bar, bar.rect(), white), 0);

    // Back to the dialog: white again.
    settings.activateWindow();
    ASSERT_TRUE(waitUntil([this] { return titlebar(settings)->isActive(); }));
    bar = titlebar(settings)->grab().toImage();
    EXPECT_GT(countPixels(bar, bar.rect(), white), 20);
    EXPECT_EQ(countPixels(bar, bar.rect(), inactiveText), 0);
}

TEST_F(SettingsDialogTest, DraggingTheTitleBarWithTheLeftButtonMovesTheDialog)
{
    showActive();
    FlatTitlebar* bar = titlebar(settings);
    const QPoint start = settings.pos();
    const QPoint grab(40, 10);
    const QPoint global = bar->mapToGlobal(grab);

    // The right button does not drag.
    sendMouseAt(bar, QEvent::MouseButtonPress, Qt::RightButton, grab, global);
    sendMouseAt(bar, QEvent::MouseMove, Qt::RightButton, grab + QPoint(30, 20), global + QPoint(30, 20));
    sendMouseAt(bar, QEvent::MouseButtonRelease, Qt::RightButton, grab + QPoint(30, 20), global + QPoint(30, 20));
    EXPECT_EQ(settings.pos(), start);

    sendMouseAt(bar, QEvent::MouseButtonPress, Qt::LeftButton, grab, global);
    sendMouseAt(bar, QEvent::MouseMove, Qt::LeftButton, grab + QPoint(30, 20), global + QPoint(30, 20));
    EXPECT_EQ(settings.pos(), start + QPoint(30, 20));
    sendMouseAt(bar, QEvent::MouseButtonRelease, Qt::LeftButton, grab + QPoint(30, 20), global + QPoint(30, 20));
    // Released: further moves leave it where it is.
    sendMouseAt(bar, QEvent::MouseMove, Qt::NoButton, grab + QPoint(60, 60), global + QPoint(60, 60));
    EXPECT_EQ(settings.pos(), start + QPoint(30, 20));
}

TEST_F(SettingsDialogTest, EachShowingCentresTheDialogOverTheMainWindow)
{
    form.show();
    form.move(100, 80);
    ASSERT_TRUE(waitUntil([this] { return form.frameGeometry().topLeft() == QPoint(100, 80); }));
    settings.show();
    EXPECT_LE((settings.frameGeometry().center() - form.frameGeometry().center()).manhattanLength(), 1);

    // Moved away by the user, hidden, and shown again after the main window moved.
    settings.move(0, 0);
    settings.hide();
    form.move(300, 200);
    ASSERT_TRUE(waitUntil([this] { return form.frameGeometry().topLeft() == QPoint(300, 200); }));
    settings.show();
    EXPECT_LE((settings.frameGeometry().center() - form.frameGeometry().center()).manhattanLength(), 1);
}

TEST_F(SettingsDialogTest, BoxesAndButtonDrawBlueBordersOnTheDialogColour)
{
    showActive();
    const QColor face = flat::buttonFaceColor(&settings);
    remotePortEdit(settings)->setFocus();
    ASSERT_TRUE(waitUntil([this] { return remotePortEdit(settings)->hasFocus(); }));

    // Idle box: blue outer ring, inner rings in the dialog's colour.
    const QImage idle = hostEdit(settings)->grab().toImage();
    EXPECT_EQ(idle.pixelColor(0, 0), blue);
    EXPECT_EQ(idle.pixelColor(idle.width() - 1, idle.height() - 1), blue);
    EXPECT_EQ(idle.pixelColor(1, 1), face);
    EXPECT_EQ(idle.pixelColor(2, idle.height() / 2), face);
    // Focused box: white inside the blue ring.
    const QImage focused = remotePortEdit(settings)->grab().toImage();
    EXPECT_EQ(focused.pixelColor(0, 0), blue);
    EXPECT_EQ(focused.pixelColor(1, 1), white);
    EXPECT_EQ(focused.pixelColor(2, focused.height() / 2), white);

    // The button: blue border round a face of the dialog's colour.
    const QImage button = connectButton(settings)->grab().toImage();
    EXPECT_EQ(button.pixelColor(0, 0), blue);
    EXPECT_EQ(button.pixelColor(72, 24), blue);
    EXPECT_EQ(button.pixelColor(3, 3), face);
}

TEST_F(SettingsDialogTest, PortBoxesTakeDigitsAndBackspaceFromTheKeyboard)
{
    showActive();
    FlatEdit* port = localPortEdit(settings);
    port->setFocus();
    ASSERT_TRUE(waitUntil([port] { return port->hasFocus(); }));
    port->end(false);
    typeText(port, QStringLiteral("5a -9"));
    EXPECT_EQ(port->text(), QStringLiteral("123459"));
    pressKey(port, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(port->text(), QStringLiteral("12345"));

    // The paste key does nothing in a port box, but pastes into the host box.
    QApplication::clipboard()->setText(QStringLiteral("77"));
    pressKey(port, Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
    EXPECT_EQ(port->text(), QStringLiteral("12345"));
    FlatEdit* host = hostEdit(settings);
    host->setFocus();
    ASSERT_TRUE(waitUntil([host] { return host->hasFocus(); }));
    typeText(host, QStringLiteral("a b"));
    pressKey(host, Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
    EXPECT_EQ(host->text(), QStringLiteral("a b77"));
}

TEST_F(SettingsDialogTest, ClickingConnectAtOnceAsksForTheMissingHost)
{
    showActive();
    corvane::MessageBoxRecorder recorder;
    clickButton(connectButton(settings));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("请输入完整的信息，以便连接对方！"));
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("连接提示"));
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Information);
    EXPECT_EQ(recorder.boxes()[0].owner, &settings);
    EXPECT_TRUE(settings.isVisible());
}

TEST_F(SettingsDialogTest, AnEmptyPortBoxAlsoAsksAndChangesNothing)
{
    const int remotePortBefore = form.endpoint()->remotePort();
    const int boundBefore = form.endpoint()->boundPort();
    hostEdit(settings)->setText(QStringLiteral(" ")); // a blank is content
    localPortEdit(settings)->clear();
    corvane::MessageBoxRecorder recorder;
    settings.connectToPeer();
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("连接提示"));
    EXPECT_EQ(form.endpoint()->remoteHost(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(form.endpoint()->remotePort(), remotePortBefore);
    EXPECT_EQ(form.endpoint()->boundPort(), boundBefore);
}

TEST_F(SettingsDialogTest, ABadPeerPortStopsAfterTheHost)
{
    showActive();
    const int remotePortBefore = form.endpoint()->remotePort();
    const int boundBefore = form.endpoint()->boundPort();
    hostEdit(settings)->setText(QStringLiteral("10.1.2.3"));
    remotePortEdit(settings)->setText(QStringLiteral("99999999999")); // beyond 32 bits
    localPortEdit(settings)->setText(QString::number(freeUdpPort()));
    corvane::MessageBoxRecorder recorder;
    clickButton(connectButton(settings));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("'99999999999' is not a valid integer value."));
    EXPECT_EQ(form.endpoint()->remoteHost(), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(form.endpoint()->remotePort(), remotePortBefore);
    EXPECT_EQ(form.endpoint()->boundPort(), boundBefore);
    EXPECT_TRUE(settings.isVisible());
}

TEST_F(SettingsDialogTest, KeepsWhatWasTypedBetweenShowings)
{
    showActive();
    const int local = freeUdpPort();
    hostEdit(settings)->setText(QStringLiteral("127.0.0.1"));
    remotePortEdit(settings)->setText(QStringLiteral("1241"));
    localPortEdit(settings)->setText(QString::number(local));
    clickButton(connectButton(settings));
    EXPECT_FALSE(settings.isVisible());
    EXPECT_EQ(form.endpoint()->boundPort(), local);

    // Shown again through the menu's modal path: the boxes are as left.
    QTimer::singleShot(0, &settings, [this, local] {
        EXPECT_EQ(hostEdit(settings)->text(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(remotePortEdit(settings)->text(), QStringLiteral("1241"));
        EXPECT_EQ(localPortEdit(settings)->text(), QString::number(local));
        settings.close(); // the platform's close command: nothing changes
    });
    settings.exec();
    EXPECT_EQ(form.endpoint()->remotePort(), 1241);
    EXPECT_EQ(hostEdit(settings)->text(), QStringLiteral("127.0.0.1"));
}

// Control characters too: Enter and the copy, cut, paste and undo codes.
TEST_F(SettingsDialogTest, PortBoxesTakeOnlyDigitsAndBackspace)
{
    // One character through the window system's key event alone.
    auto typeInto = [](QWidget* edit, QChar character, Qt::Key key = Qt::Key_unknown) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(edit, &press);
    };
    QLineEdit* port = remotePortEdit(settings);
    port->setFocus();
    port->setText(QStringLiteral("12"));
    port->setCursorPosition(2);
    typeInto(port, QLatin1Char('3'), Qt::Key_3);
    EXPECT_EQ(port->text(), QStringLiteral("123"));
    for (QChar rejected : {QChar(u'a'), QChar(u' '), QChar(u'-'), QChar(13), QChar(3), QChar(22), QChar(24), QChar(26)})
        typeInto(port, rejected);
    EXPECT_EQ(port->text(), QStringLiteral("123"));
    typeInto(port, QChar(8), Qt::Key_Backspace);
    EXPECT_EQ(port->text(), QStringLiteral("12"));

    // The host box has no filter.
    QLineEdit* host = hostEdit(settings);
    typeInto(host, QLatin1Char('a'), Qt::Key_A);
    EXPECT_EQ(host->text(), QStringLiteral("a"));
}

TEST_F(SettingsDialogTest, ApplyingSetsHostPortsAndRebindsTheSocket)
{
    const int local = freeUdpPort();
    hostEdit(settings)->setText(QStringLiteral(" peer.example")); // taken exactly as typed
    remotePortEdit(settings)->setText(QStringLiteral("70000"));
    localPortEdit(settings)->setText(QString::number(local));
    settings.show();
    settings.connectToPeer();
    EXPECT_FALSE(settings.isVisible());
    EXPECT_EQ(form.endpoint()->remoteHost(), QStringLiteral(" peer.example"));
    EXPECT_EQ(form.endpoint()->remotePort(), 70000);
    EXPECT_EQ(form.endpoint()->localPort(), local);
    EXPECT_EQ(form.endpoint()->boundPort(), local);
}

TEST_F(SettingsDialogTest, PastedTextInAPortBoxFailsWithTheConversionMessage)
{
    settings.show();
    QUdpSocket holder; // another program on the port asked for
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0));
    const QString taken = QString::number(holder.localPort());
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("12a"), QStringLiteral("'12a' is not a valid integer value.")},
        {QStringLiteral("0x4D2"), QStringLiteral("'0x4D2' is not a valid integer value.")},
        {QStringLiteral("$4D2"), QStringLiteral("'$4D2' is not a valid integer value.")},
        {QStringLiteral(" 1234"), QStringLiteral("' 1234' is not a valid integer value.")},
        {QStringLiteral("+1234"), QStringLiteral("'+1234' is not a valid integer value.")},
        {taken, QString::fromLocal8Bit(std::strerror(EADDRINUSE)) + QLatin1Char('.')},
    };
    for (const auto& [localPort, boxText] : cases) {
        hostEdit(settings)->setText(QStringLiteral("10.0.0.9"));
        remotePortEdit(settings)->setText(QStringLiteral("4321"));
        localPortEdit(settings)->setText(localPort);
        corvane::MessageBoxRecorder recorder;
        // A real click: the exception ends in the default error box.
        auto* button = connectButton(settings);
        sendMouse(button, QEvent::MouseButtonPress, {5, 5});
        sendMouse(button, QEvent::MouseButtonRelease, {5, 5});
        ASSERT_EQ(recorder.boxes().size(), 1) << localPort.toStdString();
        EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
        EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
        EXPECT_EQ(recorder.boxes()[0].text, boxText);
        // Host and peer port were set before the failing step.
        EXPECT_EQ(form.endpoint()->remoteHost(), QStringLiteral("10.0.0.9"));
        EXPECT_EQ(form.endpoint()->remotePort(), 4321);
        EXPECT_TRUE(settings.isVisible());
    }
    // Only the bind failed: the port is set, and nothing is bound to it.
    EXPECT_EQ(form.endpoint()->localPort(), taken.toInt());
    EXPECT_EQ(form.endpoint()->boundPort(), 0);
}
