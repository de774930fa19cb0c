#include "computer/ComputerPeer.h"

#include <QDateTime>
#include <QLocale>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include "net/protocol/MessageText.h"

namespace corvane::computer {

namespace {

// The sender line's date and time as this computer's locale writes them:
// the short date, the time with seconds and without a time-zone name.
std::pair<std::string, std::string> chatStamp()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return {locale.toString(now.date(), QLocale::ShortFormat).toStdString(),
            now.time().toString(timeFormat.trimmed()).toStdString()};
}

} // namespace

ComputerPeer::ComputerPeer(game::Side side, int level, QString engineProgram, QObject* parent)
    : QObject(parent), m_game(side), m_level(level), m_program(std::move(engineProgram))
{
    m_socket = new QUdpSocket(this);
    connect(m_socket, &QUdpSocket::readyRead, this, &ComputerPeer::readDatagrams);
}

ComputerPeer::~ComputerPeer() = default;

int ComputerPeer::moveTimeMs() const
{
    return m_moveTimeMs.value_or(levelSettings(m_level).moveTimeMs);
}

std::optional<QString> ComputerPeer::bind(const QHostAddress& address, quint16 port)
{
    if (!m_socket->bind(address, port))
        return m_socket->errorString();
    return std::nullopt;
}

quint16 ComputerPeer::localPort() const
{
    return m_socket->localPort();
}

void ComputerPeer::setPeer(const QHostAddress& host, quint16 port)
{
    m_peerHost = host;
    m_peerPort = port;
}

void ComputerPeer::start()
{
    m_game.restart();
    emit gameStarted(); // before the engine's start, which may fail at once
    startEngine();
    takeTurn();
}

void ComputerPeer::startEngine()
{
    retireEngine();
    m_engine = new Engine(m_program, this);
    m_engine->setGraceMs(m_graceMs);
    connect(m_engine, &Engine::bestMoveFound, this, &ComputerPeer::answer);
    connect(m_engine, &Engine::failed, this, &ComputerPeer::engineFailed);
    m_engine->start(levelSettings(m_level));
}

void ComputerPeer::sendRestart()
{
    send(std::string(protocol::RestartMessage));
}

void ComputerPeer::sendClose()
{
    send(std::string(protocol::CloseMessage));
}

void ComputerPeer::sendChat(const QString& text)
{
    const auto [date, time] = chatStamp();
    send(protocol::composeChatMessage(date, time, text.toStdString()));
}

void ComputerPeer::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        receive(datagram.data());
    }
}

void ComputerPeer::receive(const QByteArray& datagram)
{
    switch (m_game.receive(std::string_view(datagram.constData(), static_cast<std::size_t>(datagram.size())))) {
    case Received::Restart:
        // A new game; an engine that failed is replaced by a fresh one.
        emit gameStarted();
        if (m_engine && m_engine->isRunning())
            m_engine->newGame();
        else
            startEngine();
        takeTurn();
        break;
    case Received::OpponentMoved: takeTurn(); break;
    case Received::ComputerLost: emit gameLost(); break;
    case Received::Close:
        if (m_engine && m_engine->isRunning())
            m_engine->newGame(); // stops a search that nobody waits for
        emit peerLeft();
        break;
    case Received::Ignored:
    case Received::Discarded: break;
    }
}

void ComputerPeer::takeTurn()
{
    if (!m_game.isComputerToMove())
        return;
    // A general left takeable is taken by the game's rules; the engine would
    // call that position illegal.
    if (const std::optional<game::Move> capture = m_game.generalCapture()) {
        play(*capture);
        emit gameWon();
        return;
    }
    if (m_engine && m_engine->isRunning())
        m_engine->think(m_game.engineCommand(), moveTimeMs());
}

void ComputerPeer::answer(const QString& move)
{
    if (!m_game.isComputerToMove())
        return;
    if (move == QLatin1String("(none)")) {
        // Mated or stalemated: both lose in xiangqi. The player restarts.
        sendChat(concedeText());
        emit conceded();
        return;
    }
    const std::optional<game::Move> legal = m_game.moveFromEngine(move.toStdString());
    if (!legal) {
        engineFailed(EngineFailure::Nonsense);
        return;
    }
    play(*legal);
}

void ComputerPeer::play(const game::Move& move)
{
    send(m_game.play(move));
    emit movePlayed(QString::fromStdString(m_game.moves().back()));
}

void ComputerPeer::engineFailed(EngineFailure failure)
{
    retireEngine();
    emit engineStopped(failure);
}

void ComputerPeer::retireEngine()
{
    if (!m_engine)
        return;
    m_engine->stop();
    m_engine->disconnect(this);
    // Later: a failure is told from inside one of the engine's own signals.
    m_engine->deleteLater();
    m_engine = nullptr;
}

void ComputerPeer::send(const std::string& bytes)
{
    m_socket->writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), m_peerHost, m_peerPort);
}

} // namespace corvane::computer
