#include "shell/TForm1.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

#include "net/endpoint/TMemoryStream.h"
#include "net/endpoint/TUdpEndpoint.h"
#include "net/play/ChatSender.h"
#include "net/protocol/MessageText.h"
#include "net/protocol/MoveText.h"
#include "net/protocol/PeerMessageHandler.h"
#include "shell/ArtImage.h"
#include "shell/ChatBoxStyle.h"
#include "shell/DialogStyle.h"
#include "shell/NotificationSound.h"
#include "shell/WindowChrome.h"
#include "ui/DateTimeText.h"
#include "ui/MessageBox.h"

namespace corvane::shell {

namespace {

QFont mainWindowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

// Memo text is held with bare line feeds; the wire and the chat limit count
// Windows line ends.
QString toDisplayLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent),
      notices_([this](const QString& text) {
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

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setGeometry(0, 0, ClientWidth, ClientHeight);

    // Creation order is stacking order, bottom to top: the board, Label1; the
    // windowed controls above all.
    createBoard();
    createChatPanel();
    skinMenuBar1_ = createMenuBar(*this, client_);
    skinButton1_ = createSendButton(*this, client_);
    for (QWidget* windowed : {static_cast<QWidget*>(memo1_), static_cast<QWidget*>(memo2_),
                              static_cast<QWidget*>(skinButton1_), skinMenuBar1_})
        windowed->raise();
    setTabOrder(skinButton1_, memo1_);
    setTabOrder(memo1_, memo2_);

    sound_ = new NotificationSound(QUrl(QStringLiteral("qrc:/art/message.wav")), this);
    createEndpoint();
    receiver_ = std::make_unique<protocol::PeerMessageHandler>(position_, *this);

    // Last: the frame sizes the window around the finished client area.
    skinForm1_ = createWindowFrame(*this, client_);
}

TForm1::~TForm1() = default;

void TForm1::createBoard()
{
    board_ = new BoardView(position_, client_);
    board_->move(0, 16);
    // A drop whose send fails has shown the error box already (sendMessage);
    // the move stays on the board and nothing is locked.
    connect(board_, &BoardView::dropped, this, &TForm1::onDropped);
}

void TForm1::createChatPanel()
{
    label1_ = new QLabel(QStringLiteral("接收信息："), client_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->move(432, 344);
    // Its font colour is the platform's window colour (white on the band).
    QPalette labelPalette = label1_->palette();
    labelPalette.setColor(QPalette::WindowText, labelPalette.color(QPalette::Base));
    label1_->setPalette(labelPalette);
    label1_->adjustSize();  // a label sizes itself to its caption
    label1_->setAttribute(Qt::WA_TransparentForMouseEvents);
    board_->drawOnBoard(label1_);  // copied with the board on every repaint

    memo1_ = new QPlainTextEdit(client_);
    memo2_ = new QPlainTextEdit(client_);

    memo1_->setObjectName(QStringLiteral("Memo1"));
    memo1_->setGeometry(424, 40, 193, 73);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setTabChangesFocus(true);  // Enter starts a new line; Tab moves on

    memo2_->setObjectName(QStringLiteral("Memo2"));
    memo2_->setGeometry(432, 360, 177, 81);
    memo2_->setReadOnly(true);
    memo2_->setTabChangesFocus(true);
    memo2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = memo2_->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Midlight));
    memoPalette.setColor(QPalette::Text, Qt::blue);
    memo2_->setPalette(memoPalette);

    // The same look, with frames and scroll bars kept as pictures.
    auto* chatBoxStyle = new ChatBoxStyle(this);
    for (QPlainTextEdit* memo : {memo1_, memo2_}) {
        memo->setStyle(chatBoxStyle);
        memo->verticalScrollBar()->setStyle(chatBoxStyle);
        memo->horizontalScrollBar()->setStyle(chatBoxStyle);
    }
}

void TForm1::createEndpoint()
{
    udpEndpoint1_ = new endpoint::TUdpEndpoint(this);
    udpEndpoint1_->setObjectName(QStringLiteral("UdpEndpoint1"));
    // The stored settings: one computer, every datagram comes back here.
    udpEndpoint1_->setRemoteHost(QStringLiteral("127.0.0.1"));
    udpEndpoint1_->setRemotePort(1234);
    // Opens and binds the socket. When another copy holds the port, the
    // window still comes up (the player can choose other ports); the failure
    // is told once it is shown.
    if (const endpoint::UdpResult bound = udpEndpoint1_->setLocalPort(1234); !bound)
        startupFailure_ = bound.errorText();
    udpEndpoint1_->setReportLevel(1);
    udpEndpoint1_->OnDataReceived = [this](endpoint::TUdpEndpoint* sender, int numberBytes, const QString& fromIP, int port) {
        UdpEndpoint1DataReceived(sender, numberBytes, fromIP, port);
    };
    udpEndpoint1_->Loaded();
}

void TForm1::setDialogs(QDialog* form2, QDialog* form3, QDialog* form4)
{
    form2_ = form2;
    form3_ = form3;
    form4_ = form4;
}

void TForm1::setDialogMakers(DialogMaker makeForm2, DialogMaker makeForm3, DialogMaker makeForm4)
{
    makeForm2_ = std::move(makeForm2);
    makeForm3_ = std::move(makeForm3);
    makeForm4_ = std::move(makeForm4);
}

QObject* TForm1::findComponent(const QString& name) const
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
void TForm1::showChange(const game::Change& change) { board_->showChange(change); }

bool TForm1::sendMove(const game::Move& move) { return sendMessage(protocol::encodeMove(move)); }

bool TForm1::sendMessage(const std::string& bytes)
{
    endpoint::UdpResult sent;
    {
        endpoint::TMemoryStream stream;  // released before anything is shown
        stream.write(bytes);
        sent = udpEndpoint1_->SendDatagram(stream);
    }
    if (!sent)
        showErrorBox(sent.errorText());
    return sent.ok();
}

// --- protocol::ReceiveEffects ---

void TForm1::playNotificationSound() { sound_->play(); }

void TForm1::showInformation(const std::string& textUtf8)
{
    notices_.notify(QString::fromUtf8(textUtf8));
}

void TForm1::setReceivedText(const std::string& textUtf8)
{
    memo2_->setPlainText(toDisplayLineEnds(QString::fromUtf8(textUtf8)));
}

std::string TForm1::currentDate() { return shortDateText(QDate::currentDate()).toStdString(); }

std::string TForm1::currentTime() { return longTimeText(QTime::currentTime()).toStdString(); }

// --- events ---

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The board reset runs on the first show only. The window is shown again
    // by many paths (back from the tray, unminimised, the frame re-applying
    // its window flags, any hide and show): none of them may cost the game.
    if (event->spontaneous() || shown_)
        return;
    shown_ = true;
    // Centred on the screen, over the stored position.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // When the close notice cannot be sent, the error box says why and the
    // close is refused: the window stays open.
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TForm1::FormShow() { showChange(position_.reset()); }

bool TForm1::FormCloseQuery() { return sendMessage(std::string(protocol::CloseMessage)); }

void TForm1::CustomItem1Click()
{
    if (sendMessage(std::string(protocol::RestartMessage)))
        FormShow();  // only when the restart notice went out
}

void TForm1::CustomItem2Click() { showModal(form3_, makeForm3_); }

void TForm1::CustomItem3Click() { showModal(form2_, makeForm2_); }

void TForm1::CustomItem4Click() { showModal(form4_, makeForm4_); }

void TForm1::CustomItem7Click() { close(); }

void TForm1::SkinButton1Click()
{
    play::ChatSender sender([this](const std::string& bytes) { return sendMessage(bytes); });
    const QDateTime now = QDateTime::currentDateTime();  // one instant for both, also at midnight
    const play::ChatStamp stamp{shortDateText(now.date()).toStdString(), longTimeText(now.time()).toStdString()};
    // A failed send has shown its error box already; the line stays.
    if (sender.send(*memo1_, stamp) == play::ChatResult::TooLong)
        showMessageBox(this, QStringLiteral("你输入的字符长度超过了范围，请减短信息长度。"), QStringLiteral("超出范围"));
}

void TForm1::showModal(QDialog*& dialog, const DialogMaker& make)
{
    if (!dialog && make)
        dialog = make();
    if (dialog)
        dialog->exec();
}

void TForm1::onDropped(game::PieceId piece, const BoardView::DropTarget& target)
{
    if (target.piece)
        game::dropOnPiece(position_, *this, piece, *target.piece);  // Image2/Image18DragDrop
    else
        game::dropOnPoint(position_, *this, piece, target.point);  // Image34DragDrop
}

void TForm1::UdpEndpoint1DataReceived(endpoint::TUdpEndpoint*, int numberBytes, const QString&, int)
{
    endpoint::TMemoryStream stream;
    udpEndpoint1_->ReadDatagram(stream);
    const QByteArray bytes = stream.read(numberBytes);
    receiver_->handleDatagram(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace corvane::shell
