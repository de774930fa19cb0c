#pragma once
// The computer as a peer on the wire: a UDP socket of its own, the engine
// process and the game it keeps (ComputerGame). It receives what a second
// computer would receive and answers as a second computer would: moves,
// captures, the general's capture, a chat line when it concedes. Nothing in
// the window knows it is there but the port its datagrams go to.
//
//     auto* computer = new ComputerPeer(game::Side::Black, 3, Engine::defaultProgram(), owner);
//     computer->bind(QHostAddress::LocalHost, 0);
//     computer->setPeer(QHostAddress::LocalHost, windowPort);
//     computer->start();      // red plays its first move at once

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <optional>

#include "computer/ComputerGame.h"
#include "computer/Engine.h"

class QUdpSocket;

namespace corvane::computer {

class ComputerPeer : public QObject {
    Q_OBJECT
public:
    ComputerPeer(game::Side side, int level, QString engineProgram, QObject* parent = nullptr);
    ~ComputerPeer() override;

    game::Side side() const { return m_game.computerSide(); }
    int level() const { return m_level; }
    const ComputerGame& game() const { return m_game; }

    // The level's move time unless set here (tests and quick games).
    void setMoveTimeMs(int milliseconds) { m_moveTimeMs = milliseconds; }
    int moveTimeMs() const;
    // How long past its move time the engine may take before it counts as hung.
    void setEngineGraceMs(int milliseconds) { m_graceMs = milliseconds; }

    // Binds the socket; the system's text when it cannot.
    std::optional<QString> bind(const QHostAddress& address, quint16 port);
    quint16 localPort() const;
    void setPeer(const QHostAddress& host, quint16 port);

    // A fresh engine and a new game; red moves first.
    void start();

    // The fixed messages and a chat line in the sender-line form.
    void sendRestart();
    void sendClose();
    void sendChat(const QString& text);

    // The chat line the computer sends when it has no move left.
    static QString concedeText() { return QStringLiteral("我认输了，你赢了！"); }

signals:
    void gameStarted();
    void movePlayed(const QString& move); // in the engine's notation, e.g. "h3e3"
    void conceded();
    void gameWon();  // the computer took the general
    void gameLost(); // the opponent took the computer's general
    void engineStopped(corvane::computer::EngineFailure failure);
    void peerLeft();

private:
    void startEngine();
    void readDatagrams();
    void receive(const QByteArray& datagram);
    void takeTurn();
    void answer(const QString& move);
    void play(const game::Move& move);
    void engineFailed(EngineFailure failure);
    void retireEngine();
    void send(const std::string& bytes);

    ComputerGame m_game;
    int m_level;
    QString m_program;
    std::optional<int> m_moveTimeMs;
    int m_graceMs = Engine::DefaultGraceMs;
    Engine* m_engine = nullptr; // a child; none after a failure
    QUdpSocket* m_socket = nullptr;
    QHostAddress m_peerHost;
    quint16 m_peerPort = 0;
};

} // namespace corvane::computer
