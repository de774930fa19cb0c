#include "shell/MainWindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include "net/endpoint/UdpEndpoint.h"
#include "net/play/ChatSender.h"
#include "net/protocol/MessageText.h"
#include "net/protocol/MoveText.h"
#include "shell/Accessibility.h"
#include "shell/ArtImage.h"
#include "shell/ChatBoxStyle.h"
#include "shell/DialogStyle.h"
#include "shell/NotificationSound.h"
#include "shell/WindowChrome.h"
#include "ui/DateTimeText.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"

namespace corvane::shell {

namespace {

QFont mainWindowFont()
{
    QFont font = designedFont(QStringLiteral("MS Sans Serif"));
    constexpr int PixelHeight = 11;
    font.setPixelSize(PixelHeight);
    return font;
}

// Where the chat panel's parts stand in the client area.
constexpr QRect ChatInputGeometry(424, 40, 193, 73);
constexpr QRect ReceivedTextGeometry(432, 360, 177, 81);
constexpr QPoint ReceivedLabelPlace(432, 344);
constexpr QPoint BoardPlace(0, 16); // below the menu bar

// The stored settings: the peer's port and the window's own.
constexpr int StoredPort = 1234;

// The system line for a peer whose game is not running.
constexpr const char* PeerNotRunningNotice = "对方没有运行游戏，请确认对方已启动…";

// The chat boxes hold text with bare line feeds; the wire and the chat limit
// count Windows line ends.
QString toDisplayLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

MainWindow::MainWindow(NotificationSound::PlayerMaker makeSoundPlayer, QWidget* parent)
    : QWidget(parent), m_notices(this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("CorvaneV1.0"));
    // Fixed size; the platform's caption keeps only minimise and close (the
    // skinned frame brings its own buttons).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(mainWindowFont());
    useButtonFace(this);

    setWindowIcon(readArtIcon({QStringLiteral(":/art/icon48.png"), QStringLiteral(":/art/icon32.png")}));

    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(QStringLiteral("ClientArea"));
    m_clientArea->setGeometry(0, 0, ClientWidth, ClientHeight);

    createControls();
    m_sound = new NotificationSound(std::move(makeSoundPlayer), this);
    createEndpoint();
    createLink();

    // Last: the frame sizes the window around the finished client area.
    m_frame = createWindowFrame(*this, m_clientArea, m_menuBar);
}

void MainWindow::createControls()
{
    // Creation order is stacking order, bottom to top: the board, its
    // caption; the windowed controls above all.
    createBoard();
    createChatPanel();
    m_menuBar = createMenuBar(*this, m_clientArea);
    m_sendButton = createSendButton(*this, m_clientArea);
    for (QWidget* windowed : {static_cast<QWidget*>(m_chatInput), static_cast<QWidget*>(m_receivedText),
                              static_cast<QWidget*>(m_sendButton), m_menuBar})
        windowed->raise();
    setTabOrder(m_sendButton, m_chatInput);
    setTabOrder(m_chatInput, m_receivedText);
    nameForScreenReaders();
}

void MainWindow::createLink()
{
    m_clock.start();
    m_linkTimer = new QTimer(this);
    m_linkTimer->setSingleShot(true);
    connect(m_linkTimer, &QTimer::timeout, this, [this] { m_link->tick(); });
    m_link = std::make_unique<protocol::PeerLink>(m_position, *this, *this,
                                                  QRandomGenerator::system()->generate64());
}

MainWindow::~MainWindow() = default;

void MainWindow::nameForScreenReaders()
{
    installAccessibility();
    m_board->setAccessibleName(QStringLiteral("棋盘"));
    m_menuBar->setAccessibleName(QStringLiteral("菜单栏"));
    m_sendButton->setAccessibleName(QStringLiteral("发送"));
    m_chatInput->setAccessibleName(QStringLiteral("发送信息"));
    m_receivedText->setAccessibleName(QStringLiteral("接收信息"));
}

void MainWindow::createBoard()
{
    m_board = new BoardView(m_position, m_clientArea);
    m_board->move(BoardPlace);
    // A drop whose send fails has shown the error box already (sendMessage);
    // the move stays on the board and nothing is locked.
    connect(m_board, &BoardView::dropped, this, &MainWindow::onDropped);
}

void MainWindow::createChatPanel()
{
    createReceivedLabel();
    createChatBoxes();
}

void MainWindow::createReceivedLabel()
{
    m_receivedLabel = new QLabel(QStringLiteral("接收信息："), m_clientArea);
    m_receivedLabel->setObjectName(QStringLiteral("Label1"));
    m_receivedLabel->move(ReceivedLabelPlace);
    // Its font colour is the platform's window colour (white on the band).
    QPalette labelPalette = m_receivedLabel->palette();
    labelPalette.setColor(QPalette::WindowText, labelPalette.color(QPalette::Base));
    m_receivedLabel->setPalette(labelPalette);
    m_receivedLabel->adjustSize(); // a label sizes itself to its caption
    m_receivedLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_board->drawOnBoard(m_receivedLabel); // copied with the board on every repaint
}

void MainWindow::createChatBoxes()
{
    // A chat box lays out an empty document of its own in the application's
    // font while it is built, before it takes the window's: built under the
    // window's font, it opens no face that nothing draws with.
    const QFont applicationFont = QGuiApplication::font();
    QGuiApplication::setFont(font());
    m_chatInput = new QPlainTextEdit(m_clientArea);
    m_receivedText = new QPlainTextEdit(m_clientArea);
    QGuiApplication::setFont(applicationFont);

    m_chatInput->setObjectName(QStringLiteral("Memo1"));
    m_chatInput->setGeometry(ChatInputGeometry);
    m_chatInput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_chatInput->setTabChangesFocus(true); // Enter starts a new line; Tab moves on

    m_receivedText->setObjectName(QStringLiteral("Memo2"));
    m_receivedText->setGeometry(ReceivedTextGeometry);
    m_receivedText->setReadOnly(true);
    m_receivedText->setTabChangesFocus(true);
    m_receivedText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette receivedPalette = m_receivedText->palette();
    receivedPalette.setColor(QPalette::Base, receivedPalette.color(QPalette::Midlight));
    receivedPalette.setColor(QPalette::Text, Qt::blue);
    m_receivedText->setPalette(receivedPalette);

    // The same look, with frames and scroll bars kept as pictures.
    auto* chatBoxStyle = new ChatBoxStyle(this);
    for (QPlainTextEdit* chatBox : {m_chatInput, m_receivedText}) {
        chatBox->setStyle(chatBoxStyle);
        chatBox->verticalScrollBar()->setStyle(chatBoxStyle);
        chatBox->horizontalScrollBar()->setStyle(chatBoxStyle);
    }
}

void MainWindow::createEndpoint()
{
    m_endpoint = new endpoint::UdpEndpoint(this);
    m_endpoint->setObjectName(QStringLiteral("UdpEndpoint1"));
    // The stored settings: one computer, every datagram comes back here.
    m_endpoint->setRemoteHost(QStringLiteral("127.0.0.1"));
    m_endpoint->setRemotePort(StoredPort);
    // Opens and binds the socket. When another copy holds the port, the
    // window still comes up (the player can choose other ports); the failure
    // is told once it is shown.
    if (const endpoint::UdpResult bound = m_endpoint->setLocalPort(StoredPort); !bound)
        m_startupFailure = bound.errorText();
    m_endpoint->setReportLevel(1);
    connect(m_endpoint, &endpoint::UdpEndpoint::datagramReceived, this, &MainWindow::readDatagram);
    m_endpoint->startReceiving();
    connect(m_endpoint, &endpoint::UdpEndpoint::peerUnreachable, this, &MainWindow::showPeerUnreachable);
}

// The peer's system answered that nothing listens on its port. The pieces
// stay locked: the peer may start later and answer.
void MainWindow::showPeerUnreachable()
{
    setReceivedText(std::string(protocol::TextRestartHeading) + currentDate() + "  " + currentTime() + "\r\n" +
                    PeerNotRunningNotice);
}

void MainWindow::setDialogMakers(DialogMaker makeAboutBox, DialogMaker makeConnectionDialog,
                                 DialogMaker makeHelpDialog)
{
    m_makeAboutBox = std::move(makeAboutBox);
    m_makeConnectionDialog = std::move(makeConnectionDialog);
    m_makeHelpDialog = std::move(makeHelpDialog);
}

// --- the position and its view ---

// Which sides may move is read from the position when a piece is pressed;
// only the places a change names are drawn again.
void MainWindow::showChange(const game::Change& change)
{
    m_board->showChange(change);
}

bool MainWindow::sendMove(const game::Move& move)
{
    return m_link->sendMove(move);
}

bool MainWindow::sendMessage(const std::string& bytes)
{
    const endpoint::UdpResult sent = m_endpoint->sendDatagram(QByteArray::fromStdString(bytes));
    if (!sent)
        showErrorBox(sent.errorText());
    return sent.ok();
}

// --- protocol::LinkHost ---

bool MainWindow::sendDatagram(const std::string& bytes, SendMode mode)
{
    if (mode == SendMode::Reported)
        return sendMessage(bytes);
    return m_endpoint->sendDatagram(QByteArray::fromStdString(bytes)).ok();
}

std::string MainWindow::peerAddress()
{
    return QStringLiteral("%1:%2:%3")
        .arg(m_endpoint->remoteHost())
        .arg(m_endpoint->remotePort())
        .arg(m_endpoint->localPort())
        .toStdString();
}

void MainWindow::wakeUpAt(std::optional<std::int64_t> ms)
{
    if (ms)
        m_linkTimer->start(static_cast<int>(std::max<std::int64_t>(0, *ms - m_clock.elapsed())));
    else
        m_linkTimer->stop();
}

// --- protocol::ReceiveEffects ---

void MainWindow::playNotificationSound()
{
    m_sound->play();
}

void MainWindow::showInformation(const std::string& textUtf8)
{
    m_notices.notify(QString::fromUtf8(textUtf8));
}

void MainWindow::setReceivedText(const std::string& textUtf8)
{
    m_receivedText->setPlainText(toDisplayLineEnds(QString::fromUtf8(textUtf8)));
}

std::string MainWindow::currentDate()
{
    return shortDateText(QDate::currentDate()).toStdString();
}

std::string MainWindow::currentTime()
{
    return longTimeText(QTime::currentTime()).toStdString();
}

// --- events ---

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The board reset runs on the first show only. The window is shown again
    // by many paths (back from the tray, unminimised, the frame re-applying
    // its window flags, any hide and show): none of them may cost the game.
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    // Centred on the screen, over the stored position.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    resetBoard();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // When the close notice cannot be sent, the error box says why and the
    // close is refused: the window stays open.
    if (sendCloseNotice())
        event->accept();
    else
        event->ignore();
}

void MainWindow::resetBoard()
{
    showChange(m_position.reset());
    if (m_playerSide) // red opens: a player with black waits for the computer
        showChange(*m_playerSide == game::Side::Red ? m_position.letOnlyMove(game::Side::Red)
                                                    : m_position.lockBothSides());
    m_link->boardWasReset();
}

bool MainWindow::sendCloseNotice()
{
    return sendMessage(std::string(protocol::CloseMessage));
}

void MainWindow::restartGame()
{
    if (m_link->sendRestart())
        resetBoard(); // only when the restart notice went out
}

void MainWindow::openConnectionSettings()
{
    showModal(m_connectionDialog, m_makeConnectionDialog);
}

void MainWindow::showAbout()
{
    showModal(m_aboutBox, m_makeAboutBox);
}

void MainWindow::showHelp()
{
    showModal(m_helpDialog, m_makeHelpDialog);
}

void MainWindow::quit()
{
    close();
}

void MainWindow::sendChatLine()
{
    const QDateTime now = QDateTime::currentDateTime(); // one instant for both, also at midnight
    const play::ChatStamp stamp{shortDateText(now.date()).toStdString(), longTimeText(now.time()).toStdString()};
    // A failed send has shown its error box already; the line stays.
    const auto sendChat = [this](const std::string& bytes) { return m_link->sendChat(bytes); };
    switch (play::ChatSender::send(*m_chatInput, stamp, sendChat)) {
    case play::ChatResult::TooLong:
        showMessageBox(this, QStringLiteral("你输入的字符长度超过了范围，请减短信息长度。"),
                       QStringLiteral("超出范围"));
        break;
    case play::ChatResult::NotGbk:
        showMessageBox(this,
                       QStringLiteral("以下字符无法发送：%1\n请删去这些字符后再发送。")
                           .arg(play::ChatSender::unsendable(m_chatInput->toPlainText())),
                       QStringLiteral("无法发送"));
        break;
    default: break;
    }
    // The next line is typed where the last one was.
    m_chatInput->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showModal(QDialog*& dialog, const DialogMaker& make)
{
    if (!dialog && make)
        dialog = make();
    if (dialog)
        dialog->exec();
}

void MainWindow::onDropped(game::PieceId piece, const BoardView::DropTarget& target)
{
    if (target.piece)
        game::dropOnPiece(m_position, *this, piece, *target.piece);
    else
        game::dropOnPoint(m_position, *this, piece, target.point);
}

void MainWindow::readDatagram(const QByteArray& bytes)
{
    m_link->handleDatagram(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace corvane::shell
