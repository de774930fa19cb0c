#pragma once
// The engine process: Fairy-Stockfish (or any program that speaks UCI and
// knows the xiangqi variant), driven through QProcess without ever waiting
// on it. Commands are written as they come (the engine reads its input in
// order); answers arrive as signals. An engine that cannot be started, that
// ends on its own, or that has not answered a move within its move time and
// the grace time, is a failure: it is killed and reaped, and failed() says
// which. An engine object is started once; a fresh engine is a new object.

#include <QObject>
#include <QString>

#include <string>

#include "computer/Level.h"

class QProcess;
class QTimer;

namespace corvane::computer {

enum class EngineFailure {
    Missing, // the program could not be started
    Died,    // it ended on its own
    Hung,    // no answer within the move time and the grace time
    Nonsense // its answer is no legal move (judged by the caller)
};

class Engine : public QObject {
    Q_OBJECT
public:
    // How long past its move time an engine may take before it counts as hung.
    static constexpr int DefaultGraceMs = 5000;

    explicit Engine(QString program, QObject* parent = nullptr);
    ~Engine() override;

    // Where Debian puts the engine, or the first "fairy-stockfish" on the
    // search path; empty when there is none.
    static QString defaultProgram();
    // The package that brings it, for the messages that name it.
    static QString packageName() { return QStringLiteral("fairy-stockfish"); }

    void setGraceMs(int milliseconds) { m_graceMs = milliseconds; }
    // The running engine's process id, 0 when none runs.
    qint64 processId() const;
    bool isRunning() const;

    // Starts the program and sets it up for xiangqi at `level`: one thread,
    // 16 MB of hash. Failures arrive through failed().
    void start(const LevelSettings& level);
    // A new game: whatever it was thinking about is dropped.
    void newGame();
    // Asks for a move in the position `positionCommand` ("position fen ...").
    void think(const std::string& positionCommand, int moveTimeMs);
    // Kills and reaps the process; no signal follows.
    void stop();

signals:
    // The engine's move in UCI notation, or "(none)" when it has none.
    void bestMoveFound(const QString& move);
    void failed(corvane::computer::EngineFailure failure);

private:
    void send(const QByteArray& line);
    void readAnswers();
    void fail(EngineFailure failure);

    QString m_program;
    QProcess* m_process = nullptr;
    QTimer* m_deadline = nullptr;
    int m_graceMs = DefaultGraceMs;
    bool m_thinking = false;
    int m_staleAnswers = 0; // answers to searches dropped by newGame()
};

} // namespace corvane::computer
