#pragma once
// The main window: the board on the left, the chat panel on the right, the
// "游 戏" menu on top, and the UDP endpoint. It is the composition root: it owns
// the position (game/Position), the board view that shows it and the endpoint,
// offers its side of a drop (MoveOutlet: show a change, send the move) to the
// move flow and of received messages to the receive side (ReceiveEffects),
// and wires each event to the code that handles it:
//   drops            -> game/MoveFlow (move and capture flows)
//   datagrams        -> net/protocol/PeerMessageHandler (every command word)
//   "发  送"          -> net/play/ChatSender
//   menu, close      -> the slots below (restart and close notices)

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "game/MoveFlow.h"
#include "game/Position.h"
#include "net/protocol/PeerLink.h"
#include "net/protocol/ReceiveEffects.h"
#include "shell/BoardView.h"
#include "shell/NotificationSound.h"
#include "shell/PeerNotices.h"
#include "skin/button/SkinButton.h"

class QDialog;
class QLabel;
class QPlainTextEdit;
class QTimer;

namespace corvane::endpoint {
class UdpEndpoint;
}
namespace corvane::skin {
class SkinForm;
}

namespace corvane::shell {

class BoardView;

class MainWindow : public QWidget,
                   public game::MoveOutlet,
                   public protocol::ReceiveEffects,
                   public protocol::LinkHost {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 632;
    static constexpr int ClientHeight = 450;

    // `makeSoundPlayer` makes the notification sound's player when the first
    // sound plays (the program's: the sound module's).
    explicit MainWindow(NotificationSound::PlayerMaker makeSoundPlayer = storedNotificationSound(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // The functions that make the three dialogs. All three start hidden, so
    // each is made the first time it is shown (its fonts and pictures cost
    // nothing at start-up) and then kept, as a child of this window, for the
    // rest of the run, so what the user typed into it is there the next time.
    using DialogMaker = std::function<QDialog*()>;
    void setDialogMakers(DialogMaker makeAboutBox, DialogMaker makeConnectionDialog, DialogMaker makeHelpDialog);

    // A game against the computer: the colour the player moves, or nothing
    // for a game between people. Every reset then frees that colour alone;
    // when it is black, neither moves until the computer's first move arrives.
    void setPlayerSide(std::optional<game::Side> side) { m_playerSide = side; }

    // The one truth of the game; the board view shows it.
    const game::Position& position() const { return m_position; }
    // Sends one game message (its GBK bytes) as one datagram. When the send
    // fails, the default error box says why and the result is false; the
    // caller then stops where it is.
    bool sendMessage(const std::string& bytes);

    // game::MoveOutlet
    void showChange(const game::Change& change) override;
    bool sendMove(const game::Move& move) override;

    // protocol::ReceiveEffects
    void playNotificationSound() override;
    void showInformation(const std::string& textUtf8) override;
    void setReceivedText(const std::string& textUtf8) override;
    std::string currentDate() override;
    std::string currentTime() override;
    // The board reset: first show, restart, received restart.
    void resetBoard() override;

    // protocol::LinkHost
    bool sendDatagram(const std::string& bytes, SendMode mode) override;
    std::int64_t milliseconds() override { return m_clock.elapsed(); }
    std::string peerAddress() override;
    void wakeUpAt(std::optional<std::int64_t> ms) override;

    // The window's UDP endpoint, which the connection settings and the
    // computer opponent aim.
    endpoint::UdpEndpoint* endpoint() const { return m_endpoint; }
    // What went wrong while the stored local port was bound (the system's
    // text, e.g. "Address already in use"); empty when it was bound. The
    // start-up shows it in the default error box once the window is up.
    QString startupFailure() const { return m_startupFailure; }

public slots:
    bool sendCloseNotice();        // false when the send failed
    void restartGame();            // "重新开始"
    void openConnectionSettings(); // "设置..."
    void showAbout();              // "关于..."
    void showHelp();               // "帮助"
    void quit();                   // "退出"
    void sendChatLine();           // "发  送"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createBoard();
    void createChatPanel();
    void createReceivedLabel();
    void createChatBoxes();
    void createEndpoint();
    void createLink();
    void nameForScreenReaders();
    void onDropped(game::PieceId piece, const BoardView::DropTarget& target);
    void readDatagram(const QByteArray& bytes);
    void showPeerUnreachable();
    void showModal(QDialog*& dialog, const DialogMaker& make);

    QWidget* m_clientArea = nullptr;
    BoardView* m_board = nullptr;
    QLabel* m_receivedLabel = nullptr; // "接收信息："
    QWidget* m_menuBar = nullptr;
    skin::SkinButton* m_sendButton = nullptr;
    skin::SkinForm* m_frame = nullptr;
    QPlainTextEdit* m_chatInput = nullptr;    // the line to send
    QPlainTextEdit* m_receivedText = nullptr; // the last line received, or a system line
    endpoint::UdpEndpoint* m_endpoint = nullptr;
    NotificationSound* m_sound = nullptr;
    QDialog* m_aboutBox = nullptr;
    QDialog* m_connectionDialog = nullptr;
    QDialog* m_helpDialog = nullptr;
    DialogMaker m_makeAboutBox;
    DialogMaker m_makeConnectionDialog;
    DialogMaker m_makeHelpDialog;

    QString m_startupFailure;
    bool m_shown = false; // the first show (centring, board reset) has run
    std::optional<game::Side> m_playerSide;
    game::Position m_position;
    QElapsedTimer m_clock;
    QTimer* m_linkTimer = nullptr; // the link's next resend or hello
    std::unique_ptr<protocol::PeerLink> m_link;
    PeerNotices m_notices; // the boxes received datagrams open, one at a time
};

} // namespace corvane::shell
