#include "shell/MainWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>

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
    font.setPixelSize(11);
    return font;
}

// The system line for a peer whose game is not running.
constexpr const char* PeerNotRunningNotice = "对方没有运行游戏，请确认对方已启动…";

// Memo text is held with bare line feeds; the wire and the chat limit count
// Windows line ends.
QString toDisplayLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), m_notices([this](const QString& text) {
          showMessageBox(this, text, QString::fromUtf8(protocol::CaptionInformation));
      })
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

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    m_client->setGeometry(0, 0, ClientWidth, ClientHeight);

    // Creation order is stacking order, bottom to top: the board, Label1; the
    // windowed controls above all.
    createBoard();
    createChatPanel();
    m_skinMenuBar1 = createMenuBar(*this, m_client);
    m_skinButton1 = createSendButton(*this, m_client);
    for (QWidget* windowed : {static_cast<QWidget*>(m_memo1), static_cast<QWidget*>(m_memo2),
                              static_cast<QWidget*>(m_skinButton1), m_skinMenuBar1})
        windowed->raise();
    setTabOrder(m_skinButton1, m_memo1);
    setTabOrder(m_memo1, m_memo2);
    nameForScreenReaders();

    m_sound = new NotificationSound(QUrl(QStringLiteral("qrc:/art/message.wav")), this);
    createEndpoint();
    m_clock.start();
    m_linkTimer.setSingleShot(true);
    connect(&m_linkTimer, &QTimer::timeout, this, [this] { m_link->tick(); });
    m_link = std::make_unique<protocol::PeerLink>(m_position, *this, *this,
                                                  QRandomGenerator::system()->generate64());

    // Last: the frame sizes the window around the finished client area.
    m_skinForm1 = createWindowFrame(*this, m_client);
}

MainWindow::~MainWindow() = default;

void MainWindow::nameForScreenReaders()
{
    installAccessibility();
    m_board->setAccessibleName(QStringLiteral("棋盘"));
    m_skinMenuBar1->setAccessibleName(QStringLiteral("菜单栏"));
    m_skinButton1->setAccessibleName(QStringLiteral("发送"));
    m_memo1->setAccessibleName(QStringLiteral("发送信息"));
    m_memo2->setAccessibleName(QStringLiteral("接收信息"));
}

void MainWindow::createBoard()
{
    m_board = new BoardView(m_position, m_client);
    m_board->move(0, 16);
    // A drop whose send fails has shown the error box already (sendMessage);
    // the move stays on the board and nothing is locked.
    connect(m_board, &BoardView::dropped, this, &MainWindow::onDropped);
}

void MainWindow::createChatPanel()
{
    m_label1 = new QLabel(QStringLiteral("接收信息："), m_client);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->move(432, 344);
    // Its font colour is the platform's window colour (white on the band).
    QPalette labelPalette = m_label1->palette();
    labelPalette.setColor(QPalette::WindowText, labelPalette.color(QPalette::Base));
    m_label1->setPalette(labelPalette);
    m_label1->adjustSize(); // a label sizes itself to its caption
    m_label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_board->drawOnBoard(m_label1); // copied with the board on every repaint

    // A chat box lays out an empty document of its own in the application's
    // font while it is built, before it takes the window's: built under the
    // window's font, it opens no face that nothing draws with.
    const QFont applicationFont = QGuiApplication::font();
    QGuiApplication::setFont(font());
    m_memo1 = new QPlainTextEdit(m_client);
    m_memo2 = new QPlainTextEdit(m_client);
    QGuiApplication::setFont(applicationFont);

    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setGeometry(424, 40, 193, 73);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setTabChangesFocus(true); // Enter starts a new line; Tab moves on

    m_memo2->setObjectName(QStringLiteral("Memo2"));
    m_memo2->setGeometry(432, 360, 177, 81);
    m_memo2->setReadOnly(true);
    m_memo2->setTabChangesFocus(true);
    m_memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = m_memo2->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Midlight));
    memoPalette.setColor(QPalette::Text, Qt::blue);
    m_memo2->setPalette(memoPalette);

    // The same look, with frames and scroll bars kept as pictures.
    auto* chatBoxStyle = new ChatBoxStyle(this);
    for (QPlainTextEdit* memo : {m_memo1, m_memo2}) {
        memo->setStyle(chatBoxStyle);
        memo->verticalScrollBar()->setStyle(chatBoxStyle);
        memo->horizontalScrollBar()->setStyle(chatBoxStyle);
    }
}

void MainWindow::createEndpoint()
{
    m_udpEndpoint1 = new endpoint::UdpEndpoint(this);
    m_udpEndpoint1->setObjectName(QStringLiteral("UdpEndpoint1"));
    // The stored settings: one computer, every datagram comes back here.
    m_udpEndpoint1->setRemoteHost(QStringLiteral("127.0.0.1"));
    m_udpEndpoint1->setRemotePort(1234);
    // Opens and binds the socket. When another copy holds the port, the
    // window still comes up (the player can choose other ports); the failure
    // is told once it is shown.
    if (const endpoint::UdpResult bound = m_udpEndpoint1->setLocalPort(1234); !bound)
        m_startupFailure = bound.errorText();
    m_udpEndpoint1->setReportLevel(1);
    connect(m_udpEndpoint1, &endpoint::UdpEndpoint::datagramReceived, this, &MainWindow::UdpEndpoint1DataReceived);
    m_udpEndpoint1->startReceiving();
    connect(m_udpEndpoint1, &endpoint::UdpEndpoint::peerUnreachable, this, &MainWindow::showPeerUnreachable);
}

// The peer's system answered that nothing listens on its port. The pieces
// stay locked: the peer may start later and answer.
void MainWindow::showPeerUnreachable()
{
    setReceivedText(std::string(protocol::TextRestartHeading) + currentDate() + "  " + currentTime() + "\r\n" +
                    PeerNotRunningNotice);
}

void MainWindow::setDialogs(QDialog* form2, QDialog* form3, QDialog* form4)
{
    m_form2 = form2;
    m_form3 = form3;
    m_form4 = form4;
}

void MainWindow::setDialogMakers(DialogMaker makeForm2, DialogMaker makeForm3, DialogMaker makeForm4)
{
    m_makeForm2 = std::move(makeForm2);
    m_makeForm3 = std::move(makeForm3);
    m_makeForm4 = std::move(makeForm4);
}

QObject* MainWindow::findComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    // Qt names some of its own inner objects ("qt_scrollarea_viewport" and
    // the like); only the form's components count.
    for (QObject* object : findChildren<QObject*>()) {
        const QString objectName = object->objectName();
        if (!objectName.startsWith(QLatin1String("qt_")) && objectName.compare(name, Qt::CaseInsensitive) == 0)
            return object;
    }
    return nullptr;
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
    const endpoint::UdpResult sent = m_udpEndpoint1->sendDatagram(QByteArray::fromStdString(bytes));
    if (!sent)
        showErrorBox(sent.errorText());
    return sent.ok();
}

// --- protocol::LinkHost ---

bool MainWindow::sendDatagram(const std::string& bytes, SendMode mode)
{
    if (mode == SendMode::Reported)
        return sendMessage(bytes);
    return m_udpEndpoint1->sendDatagram(QByteArray::fromStdString(bytes)).ok();
}

std::string MainWindow::peerAddress()
{
    return QStringLiteral("%1:%2:%3")
        .arg(m_udpEndpoint1->remoteHost())
        .arg(m_udpEndpoint1->remotePort())
        .arg(m_udpEndpoint1->localPort())
        .toStdString();
}

void MainWindow::wakeUpAt(std::optional<std::int64_t> ms)
{
    if (ms)
        m_linkTimer.start(static_cast<int>(std::max<std::int64_t>(0, *ms - m_clock.elapsed())));
    else
        m_linkTimer.stop();
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
    m_memo2->setPlainText(toDisplayLineEnds(QString::fromUtf8(textUtf8)));
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
    FormShow();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // When the close notice cannot be sent, the error box says why and the
    // close is refused: the window stays open.
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void MainWindow::FormShow()
{
    showChange(m_position.reset());
    if (m_playerSide) // red opens: a player with black waits for the computer
        showChange(*m_playerSide == game::Side::Red ? m_position.letOnlyMove(game::Side::Red)
                                                    : m_position.lockBothSides());
    m_link->boardWasReset();
}

bool MainWindow::FormCloseQuery()
{
    return sendMessage(std::string(protocol::CloseMessage));
}

void MainWindow::CustomItem1Click()
{
    if (m_link->sendRestart())
        FormShow(); // only when the restart notice went out
}

void MainWindow::CustomItem2Click()
{
    showModal(m_form3, m_makeForm3);
}

void MainWindow::CustomItem3Click()
{
    showModal(m_form2, m_makeForm2);
}

void MainWindow::CustomItem4Click()
{
    showModal(m_form4, m_makeForm4);
}

void MainWindow::CustomItem7Click()
{
    close();
}

void MainWindow::SkinButton1Click()
{
    const QDateTime now = QDateTime::currentDateTime(); // one instant for both, also at midnight
    const play::ChatStamp stamp{shortDateText(now.date()).toStdString(), longTimeText(now.time()).toStdString()};
    // A failed send has shown its error box already; the line stays.
    const auto sendChat = [this](const std::string& bytes) { return m_link->sendChat(bytes); };
    switch (play::ChatSender::send(*m_memo1, stamp, sendChat)) {
    case play::ChatResult::TooLong:
        showMessageBox(this, QStringLiteral("你输入的字符长度超过了范围，请减短信息长度。"),
                       QStringLiteral("超出范围"));
        break;
    case play::ChatResult::NotGbk:
        showMessageBox(this,
                       QStringLiteral("以下字符无法发送：%1\n请删去这些字符后再发送。")
                           .arg(play::ChatSender::unsendable(m_memo1->toPlainText())),
                       QStringLiteral("无法发送"));
        break;
    default: break;
    }
    // The next line is typed where the last one was.
    m_memo1->setFocus(Qt::OtherFocusReason);
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
        game::dropOnPiece(m_position, *this, piece, *target.piece); // Image2/Image18DragDrop
    else
        game::dropOnPoint(m_position, *this, piece, target.point); // Image34DragDrop
}

void MainWindow::UdpEndpoint1DataReceived(const QByteArray& bytes)
{
    m_link->handleDatagram(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace corvane::shell
