// The main window's make-up: controls, places, stacking, lookup by name, the
// menu, and the dialogs' texts and behaviour that need no network.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QGuiApplication>
#include <QSet>
#include <QTextDocument>
#include <QTimer>
#include <QUdpSocket>

#include <cerrno>
#include <cstring>
#include <utility>

#include "game/BoardLayout.h"
#include "net/protocol/ImageNames.h"
#include "shell/ArtImage.h"
#include "game/Position.h"
#include "shell/BoardView.h"
#include "shell/LinkLabel.h"
#include "shell/PortKeyFilter.h"
#include "shell/AboutBox.h"
#include "shell/ConnectionDialog.h"
#include "shell/HelpDialog.h"
#include "skin/menu/SkinMenuBar.h"
#include "ShellTestSupport.h"
#include "support/MessageBoxRecorder.h"
#include "support/PositionWithPieces.h"

using namespace corvane::shell;
using namespace corvane::shell::testing;

namespace {

// True when some pixel of the widget as drawn is mostly `colour` (text is
// anti-aliased, so no exact match is asked for).
bool drawsInColour(QWidget* widget, QColor colour)
{
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - colour.red()) < 60 && qAbs(pixel.green() - colour.green()) < 60 &&
                qAbs(pixel.blue() - colour.blue()) < 60)
                return true;
        }
    return false;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        connectToItself(form);
        form.show();
    }
    MainWindow form;
};

} // namespace

TEST_F(MainWindowTest, HasTheCaptionSizeAndControlsOfTheStoredLayout)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("CorvaneV1.0"));
    EXPECT_EQ(clientArea(form)->size(), QSize(632, 450)); // inside the skinned frame
    EXPECT_EQ(form.minimumSize(), form.maximumSize());     // not resizable
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(boardView(form)->geometry(), QRect(0, 16, 632, 434));
    EXPECT_EQ(chatInput(form)->geometry(), QRect(424, 40, 193, 73));
    EXPECT_EQ(receivedText(form)->geometry(), QRect(432, 360, 177, 81));
    EXPECT_TRUE(receivedText(form)->isReadOnly());
    EXPECT_EQ(receivedText(form)->palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(receivedLabel(form)->text(), QStringLiteral("接收信息："));
    EXPECT_EQ(receivedLabel(form)->pos(), QPoint(432, 344));
    // Drawn in the window colour (white on the brown band), not in a text colour.
    EXPECT_FALSE(drawsInColour(receivedLabel(form), Qt::black));
    EXPECT_EQ(sendButton(form)->text(), QStringLiteral("发  送"));
    EXPECT_EQ(sendButton(form)->geometry(), QRect(528, 128, 81, 25));
    EXPECT_EQ(menuBar(form)->geometry(), QRect(0, 0, 632, 20));
    EXPECT_EQ(form.endpoint()->objectName(), QStringLiteral("UdpEndpoint1"));
}

TEST(MainWindowStoredSettings, EndpointStartsAsOneComputerPlay)
{
    MainWindow form;
    EXPECT_EQ(form.endpoint()->remoteHost(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(form.endpoint()->remotePort(), 1234);
    EXPECT_EQ(form.endpoint()->localPort(), 1234);
    EXPECT_EQ(form.endpoint()->reportLevel(), 1);
}

TEST_F(MainWindowTest, EveryPieceStartsShownOnItsPointAndDraggable)
{
    for (corvane::game::PieceId id = 0; id < corvane::game::PieceCount; ++id) {
        const corvane::game::Point start = corvane::game::startPoint(corvane::game::pieceInfo(id));
        const int number = corvane::protocol::pieceNumber(id);
        EXPECT_TRUE(standsOn(form, number, start.row, start.column)) << corvane::protocol::imageName(number);
        EXPECT_TRUE(image(form, number).isVisible());
        EXPECT_TRUE(draggable(form, number));
    }
}

TEST_F(MainWindowTest, APieceTakesTheDropOnItsSquareAndAnEmptyPointOnlyWithinItsSquare)
{
    BoardView* board = boardView(form);
    auto targetAt = [&](QPoint clientPoint) { return board->dropTargetAt(clientPoint - board->pos()); };
    for (corvane::game::PieceId id = 0; id < corvane::game::PieceCount; ++id) {
        const int number = corvane::protocol::pieceNumber(id);
        const auto target = targetAt(image(form, number).geometry().center());
        ASSERT_TRUE(target.has_value()) << corvane::protocol::imageName(number);
        EXPECT_EQ(target->piece, id);
    }
    const auto emptyPoint = targetAt(image(form, pointNumber(5, 5)).geometry().center());
    ASSERT_TRUE(emptyPoint.has_value());
    EXPECT_EQ(emptyPoint->piece, std::nullopt);
    EXPECT_EQ(emptyPoint->point, (corvane::game::Point{5, 5}));
    // Beside the board (the chat panel) and between points nothing takes a drop.
    EXPECT_EQ(targetAt(QPoint(500, 300)), std::nullopt);
    EXPECT_EQ(targetAt(QPoint(45, 60)), std::nullopt);
    EXPECT_EQ(targetAt(QPoint(520, 70)), std::nullopt); // Memo1

    // A piece on any point covers it, row 10 column 3 included.
    for (const corvane::game::Point point : {corvane::game::Point{10, 3}, {1, 1}, {6, 9}}) {
        const auto position = corvane::testing::positionWithPieces({{25, point}});
        BoardView alone(position, nullptr);
        const auto target = alone.dropTargetAt(alone.pointRect(point).center());
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(target->piece, 25);
    }
}

TEST_F(MainWindowTest, PiecesAreDrawnWithTheirBackgroundLeftOverTheStoredBoardPicture)
{
    const auto empty = corvane::testing::positionWithPieces({});
    BoardView emptyBoard(empty, nullptr);
    const QImage boardOnly = emptyBoard.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Without pieces the board shows its stored picture exactly.
    EXPECT_EQ(boardOnly, readArtImage(QStringLiteral(":/art/board.bmp")).convertToFormat(QImage::Format_RGB32));

    // At a piece's corner the board picture shows through; at its centre the
    // piece's own picture is drawn.
    const QImage withPieces = boardView(form)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int centresDiffering = 0;
    for (corvane::game::PieceId id = 0; id < corvane::game::PieceCount; ++id) {
        const QRect place = boardView(form)->pieceRect(id);
        EXPECT_EQ(withPieces.pixel(place.topLeft()), boardOnly.pixel(place.topLeft())) << id;
        EXPECT_EQ(withPieces.pixel(place.bottomRight()), boardOnly.pixel(place.bottomRight()));
        centresDiffering += withPieces.pixel(place.center()) != boardOnly.pixel(place.center());
    }
    EXPECT_EQ(centresDiffering, 32);
}

TEST(MainWindowFonts, TheChatBoxesLayOutInTheWindowsFont)
{
    MainWindow form;
    EXPECT_EQ(chatInput(form)->document()->defaultFont(), form.font());
    EXPECT_EQ(receivedText(form)->document()->defaultFont(), form.font());
}

TEST_F(MainWindowTest, MenuHasTheSixEntriesInOrder)
{
    auto* bar = qobject_cast<corvane::skin::SkinMenuBar*>(menuBar(form));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->rootItem()->count(), 1);
    corvane::skin::SkinMenuItem* menu = bar->rootItem()->item(0);
    EXPECT_EQ(menu->objectName(), QStringLiteral("CustomItem5"));
    EXPECT_EQ(menu->caption(), QStringLiteral("游 戏"));
    const QStringList names = {"CustomItem1", "CustomItem2", "CustomItem3",
                               "CustomItem4", "CustomItem6", "CustomItem7"};
    const QStringList captions = {"重新开始", "设置...", "关于...", "帮助", "-", "退出"};
    ASSERT_EQ(menu->count(), 6);
    for (int i = 0; i < 6; ++i) {
        corvane::skin::SkinMenuItem* entry = menu->item(i);
        EXPECT_EQ(entry->objectName(), names[i]);
        EXPECT_EQ(entry->caption(), captions[i]);
        EXPECT_EQ(entry->isSeparator(), i == 4);
        EXPECT_TRUE(entry->shortcut().isEmpty());
        EXPECT_FALSE(entry->scrolls());
    }
}

TEST(BoardDrag, OnlyAShownPieceOfASideThatMayMoveStartsADragAtOnce)
{
    corvane::game::Position position; // both sides locked, as before the first reset
    BoardView board(position, nullptr);
    int drops = 0;
    QObject::connect(&board, &BoardView::dropped, [&] { ++drops; });
    const QPoint soldier = board.pieceRect(11).center(); // Image13
    sendMouse(&board, QEvent::MouseButtonPress, soldier);
    EXPECT_FALSE(board.isDragging());
    sendMouse(&board, QEvent::MouseButtonRelease, soldier);

    position.reset();
    sendMouse(&board, QEvent::MouseButtonPress, board.pointRect({5, 5}).center()); // an empty point
    EXPECT_FALSE(board.isDragging());
    sendMouse(&board, QEvent::MouseButtonRelease, board.pointRect({5, 5}).center());
    sendMouse(&board, QEvent::MouseButtonPress, soldier);
    EXPECT_TRUE(board.isDragging()); // at once, without moving
    sendMouse(&board, QEvent::MouseButtonRelease, {900, 900}); // far off the board
    EXPECT_FALSE(board.isDragging());
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// At a scale factor the piece under the pointer is as large as those on the
// board: its picture has the screen's pixel ratio (run with QT_SCALE_FACTOR=2
// as shell_test_main_window_scaled).
TEST_F(MainWindowTest, TheDragPictureHasTheScreensPixelRatio)
{
    const qreal ratio = form.devicePixelRatioF();
    if (ratio == 1.0)
        GTEST_SKIP() << "needs a scale factor";
    boardMouse(form, QEvent::MouseButtonPress, image(form, 18).geometry().center());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    const QPixmap picture = QGuiApplication::overrideCursor()->pixmap();
    release(form, image(form, 18).geometry().center());
    EXPECT_EQ(picture.devicePixelRatio(), ratio);
    EXPECT_EQ(picture.size(), QSize(33, 33) * ratio);
    EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(33, 33));
}

// A screen reader can say what each control is: its Chinese name and role,
// and that a button can be pressed.
TEST_F(MainWindowTest, ControlsHaveChineseNamesAndTheirRoles)
{
    ConnectionDialog settings(&form, form.endpoint());
    const struct {
        QWidget* widget;
        QString name;
        QAccessible::Role role;
    } cases[] = {
        {boardView(form), QStringLiteral("棋盘"), QAccessible::Canvas},
        {menuBar(form), QStringLiteral("菜单栏"), QAccessible::MenuBar},
        {sendButton(form), QStringLiteral("发送"), QAccessible::Button},
        {chatInput(form), QStringLiteral("发送信息"), QAccessible::EditableText},
        {receivedText(form), QStringLiteral("接收信息"), QAccessible::EditableText},
        {settings.findChild<QWidget*>(QStringLiteral("FlatButton1")), QStringLiteral("连接"), QAccessible::Button},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.widget, nullptr) << c.name.toStdString();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.widget);
        ASSERT_NE(accessible, nullptr) << c.name.toStdString();
        EXPECT_EQ(accessible->text(QAccessible::Name), c.name);
        EXPECT_EQ(accessible->role(), c.role) << c.name.toStdString();
        if (c.role == QAccessible::Button)
            EXPECT_TRUE(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
}

TEST_F(MainWindowTest, EscapeCancelsADrag)
{
    boardMouse(form, QEvent::MouseButtonPress, image(form, 13).geometry().center());
    ASSERT_TRUE(boardView(form)->isDragging());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(chatInput(form), &escape); // keys go to the focus
    EXPECT_FALSE(boardView(form)->isDragging());
    boardMouse(form, QEvent::MouseButtonRelease, image(form, pointNumber(5, 1)).geometry().center());
    EXPECT_TRUE(standsOn(form, 13, 4, 1));
}

TEST_F(MainWindowTest, AModalWindowOverTheBoardEndsTheDrag)
{
    boardMouse(form, QEvent::MouseButtonPress, image(form, 13).geometry().center());
    ASSERT_TRUE(boardView(form)->isDragging());
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr); // the drag cursor is up
    QEvent blocked(QEvent::WindowBlocked);
    QApplication::sendEvent(&form, &blocked);
    EXPECT_FALSE(boardView(form)->isDragging());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(AboutBox, ShowsTheTextsAndLinks)
{
    MainWindow form;
    AboutBox about(&form);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于Corvane"));
    EXPECT_EQ(about.size(), QSize(310, 209));
    auto text = [&](const char* name) { return about.findChild<QLabel*>(QLatin1String(name))->text(); };
    EXPECT_EQ(text("Label1"), QStringLiteral("游戏名称： Corvane"));
    EXPECT_EQ(text("Label2"), QStringLiteral("版    本： V1.0"));
    EXPECT_EQ(text("Label3"), QString());
    EXPECT_EQ(text("Label4"), QStringLiteral("用户若有任何疑问和问题，请给作者联系！"));
    EXPECT_EQ(about.findChild<QLabel*>("Label5")->pos(), QPoint(80, 160));
    EXPECT_EQ(about.findChild<QLabel*>("Label6")->pos(), QPoint(80, 184));
    auto* picture = about.findChild<QLabel*>("Image1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), QRect(16, 32, 41, 43));
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

TEST(AboutBox, LinkLabelsUnderlineOnHoverAndOpenMailto)
{
    MainWindow form;
    AboutBox about(&form);
    about.show();
    auto* link = about.findChild<LinkLabel*>("Label5");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(drawsInColour(link, Qt::blue));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(link->font().underline());
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(link->mapToGlobal(QPoint(2, 2))));
    QApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    sendMouse(link, QEvent::MouseButtonPress, {3, 3});
    sendMouse(link, QEvent::MouseButtonRelease, {3, 3});
    sendMouse(about.findChild<LinkLabel*>("Label6"), QEvent::MouseButtonPress, {3, 3});
    sendMouse(about.findChild<LinkLabel*>("Label6"), QEvent::MouseButtonRelease, {3, 3});
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].toString(), QStringLiteral("mailto:") + AboutBox::FirstContactAddress);
    EXPECT_EQ(catcher.urls[1].toString(), QStringLiteral("mailto:") + AboutBox::SecondContactAddress);
    EXPECT_TRUE(about.isVisible()); // the about box stays open
}

TEST(HelpDialog, ShowsTwelveLinesReadOnlyAndClosesWithItsButton)
{
    MainWindow form;
    HelpDialog help(&form);
    EXPECT_EQ(help.windowTitle(), QStringLiteral("帮助"));
    EXPECT_EQ(help.size(), QSize(342, 308));
    auto* text = help.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    auto* closeButton = help.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_TRUE(text && closeButton);
    const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.first(), QStringLiteral("CorvaneV1.0 可双人联网和双人单机"));
    EXPECT_EQ(lines[5], QStringLiteral("1.单击“游戏”菜单中的“设置...”选项，在弹出"));
    EXPECT_EQ(lines.last(), QStringLiteral("若用户要在单机上完，不需设置即可。"));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(closeButton->text(), QStringLiteral("关     闭"));
    help.show();
    closeButton->click();
    EXPECT_FALSE(help.isVisible());
}

TEST(Dialogs, AreMadeWhenFirstShownAndKeptAfterwards)
{
    MainWindow form;
    int aboutMade = 0;
    int settingsMade = 0;
    int helpMade = 0;
    QDialog* settings = nullptr;
    QDialog* help = nullptr;
    form.setDialogMakers(
        [&] {
            ++aboutMade;
            return new AboutBox(&form);
        },
        [&] {
            ++settingsMade;
            return settings = new ConnectionDialog(&form, form.endpoint());
        },
        [&] {
            ++helpMade;
            return help = new HelpDialog(&form);
        });
    EXPECT_EQ(aboutMade + settingsMade + helpMade, 0); // nothing made at start-up

    // Each menu command runs the dialog modally; close it once it is up.
    auto closeTheModalDialogSoon = [] {
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
    };
    closeTheModalDialogSoon();
    form.showAbout();
    EXPECT_EQ(aboutMade, 1);
    EXPECT_EQ(helpMade, 0);
    closeTheModalDialogSoon();
    form.showAbout();
    EXPECT_EQ(aboutMade, 1); // the same about box again

    closeTheModalDialogSoon();
    form.showHelp();
    ASSERT_EQ(helpMade, 1);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->parent(), &form); // lives as long as the main window
    // What the user left in it (here the caret) is there the next time.
    auto* memo = help->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    ASSERT_NE(memo, nullptr);
    QTextCursor caret = memo->textCursor();
    caret.setPosition(7);
    memo->setTextCursor(caret);
    closeTheModalDialogSoon();
    form.showHelp();
    EXPECT_EQ(helpMade, 1);
    EXPECT_EQ(memo->textCursor().position(), 7);

    // The settings dialog keeps what was typed into its boxes.
    closeTheModalDialogSoon();
    form.openConnectionSettings();
    ASSERT_EQ(settingsMade, 1);
    auto* peer = settings->findChild<QLineEdit*>(QStringLiteral("FlatEdit1"));
    ASSERT_NE(peer, nullptr);
    peer->setText(QStringLiteral("192.168.1.20"));
    closeTheModalDialogSoon();
    form.openConnectionSettings();
    EXPECT_EQ(settingsMade, 1);
    EXPECT_EQ(peer->text(), QStringLiteral("192.168.1.20"));
    EXPECT_EQ(aboutMade + helpMade, 2);
}

// Two copies with the stored settings: the second cannot have port 1234 and
// says so (the start-up shows this text over the window once it is up).
TEST(MainWindowStoredSettings, APortHeldByAnotherCopyIsAStartupFailureWithTheSystemsText)
{
    QUdpSocket otherCopy; // held here, or (while binding fails) by a window of another test
    waitUntil([&] { return otherCopy.bind(QHostAddress::AnyIPv4, 1234); }, 2000);
    MainWindow form;
    EXPECT_EQ(form.startupFailure(), QString::fromLocal8Bit(std::strerror(EADDRINUSE)));
    EXPECT_EQ(form.endpoint()->localPort(), 1234);
    EXPECT_EQ(form.endpoint()->boundPort(), 0);
}

#include "test_main_window.moc"
