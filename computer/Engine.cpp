#include "computer/Engine.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>

namespace corvane::computer {

Engine::Engine(QString program, QObject* parent) : QObject(parent), m_program(std::move(program))
{
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { fail(EngineFailure::Hung); });
}

Engine::~Engine()
{
    stop();
}

QString Engine::defaultProgram()
{
    const QString debian = QStringLiteral("/usr/games/fairy-stockfish");
    if (QFileInfo(debian).isExecutable())
        return debian;
    return QStandardPaths::findExecutable(QStringLiteral("fairy-stockfish"));
}

qint64 Engine::processId() const
{
    return m_process ? m_process->processId() : 0;
}

bool Engine::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void Engine::start(const LevelSettings& level)
{
    stop();
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    // Its search lines are read; what it writes on its error stream is not.
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // Should this program end without stopping it (a crash, a kill), the
    // engine is killed too rather than left searching.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &Engine::readAnswers);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(EngineFailure::Missing);
    });
    connect(m_process, &QProcess::finished, this, [this] { fail(EngineFailure::Died); });
    m_process->start(QIODevice::ReadWrite);
    if (!m_process)
        return; // failed to start, already reported and stopped
    send("uci");
    send("setoption name UCI_Variant value xiangqi");
    send("setoption name Threads value 1");
    send("setoption name Hash value 16");
    send("setoption name Ponder value false");
    send("setoption name Skill Level value " + QByteArray::number(level.skillLevel));
    send("isready");
}

void Engine::newGame()
{
    if (m_thinking) {
        send("stop");
        ++m_staleAnswers;
        m_thinking = false;
        m_deadline->stop();
    }
    send("ucinewgame");
    send("isready");
}

void Engine::think(const std::string& positionCommand, int moveTimeMs)
{
    if (!m_process)
        return;
    send(QByteArray::fromStdString(positionCommand));
    send("go movetime " + QByteArray::number(moveTimeMs));
    m_thinking = true;
    m_deadline->start(moveTimeMs + m_graceMs);
}

void Engine::stop()
{
    m_deadline->stop();
    m_thinking = false;
    m_staleAnswers = 0;
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        // Killed, not asked: a hung engine would not listen. Waiting for the
        // end of a killed process takes no time worth counting and leaves no
        // zombie behind.
        process->kill();
        process->waitForFinished(1000);
    }
    // Later: stop() may run inside one of the process's own signals.
    process->deleteLater();
}

void Engine::send(const QByteArray& line)
{
    if (m_process)
        m_process->write(line + '\n');
}

void Engine::readAnswers()
{
    while (m_process && m_process->canReadLine()) {
        const QByteArray line = m_process->readLine().trimmed();
        if (!line.startsWith("bestmove"))
            continue;
        if (m_staleAnswers > 0) {
            --m_staleAnswers;
            continue;
        }
        if (!m_thinking)
            continue;
        m_thinking = false;
        m_deadline->stop();
        const QList<QByteArray> words = line.simplified().split(' ');
        emit bestMoveFound(words.size() > 1 ? QString::fromLatin1(words[1]) : QString());
    }
}

void Engine::fail(EngineFailure failure)
{
    stop();
    emit failed(failure);
}

} // namespace corvane::computer
