#include "shell/ComputerOpponent.h"

#include <memory>

#include "net/endpoint/UdpEndpoint.h"
#include "net/protocol/ReceiveEffects.h"
#include "shell/MainWindow.h"

namespace corvane::shell {

ComputerOpponent::ComputerOpponent(MainWindow& window, game::Side computerSide, int level, const QString& engineProgram)
    : QObject(&window), m_window(window)
{
    m_peer = new computer::ComputerPeer(computerSide, level, engineProgram, this);
    connect(m_peer, &computer::ComputerPeer::gameStarted, this,
            [this] { showSystemLine(opponentText(m_peer->side(), m_peer->level())); });
    connect(m_peer, &computer::ComputerPeer::engineStopped, this,
            [this](computer::EngineFailure failure) { showSystemLine(stoppedText(failure)); });
}

ComputerOpponent* ComputerOpponent::create(MainWindow& window, game::Side computerSide, int level,
                                           const QString& engineProgram, QString& problem)
{
    if (engineProgram.isEmpty()) {
        problem = missingEngineText();
        return nullptr;
    }
    std::unique_ptr<ComputerOpponent> opponent(new ComputerOpponent(window, computerSide, level, engineProgram));
    if (const std::optional<QString> failure = opponent->connectWindow()) {
        problem = *failure;
        return nullptr;
    }
    return opponent.release(); // owned by the window, its parent
}

std::optional<QString> ComputerOpponent::connectWindow()
{
    if (const std::optional<QString> failure = m_peer->bind(QHostAddress::LocalHost, 0))
        return failure;
    endpoint::UdpEndpoint& endpoint = *m_window.endpoint();
    // The window keeps its port; when another copy holds it, any free port
    // serves, since only the computer sends to it.
    if (endpoint.boundPort() == 0)
        (void)endpoint.setLocalPort(0);
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    endpoint.setRemotePort(m_peer->localPort());
    m_peer->setPeer(QHostAddress::LocalHost, endpoint.boundPort());
    m_window.setPlayerSide(m_peer->side() == game::Side::Red ? game::Side::Black : game::Side::Red);
    return std::nullopt;
}

void ComputerOpponent::start()
{
    m_peer->start();
}

QString ComputerOpponent::missingEngineText()
{
    return QStringLiteral("找不到电脑对手所用的象棋引擎。请安装软件包 %1（apt install %1），然后再选择与电脑对弈。"
                          "现在开始普通的对弈")
        .arg(computer::Engine::packageName());
}

QString ComputerOpponent::opponentText(game::Side computerSide, int level)
{
    return QStringLiteral("你的对手是电脑（%1，等级 %2），请走%3棋。")
        .arg(computerSide == game::Side::Red ? QStringLiteral("执红") : QStringLiteral("执黑"))
        .arg(level)
        .arg(computerSide == game::Side::Red ? QStringLiteral("黑") : QStringLiteral("红"));
}

QString ComputerOpponent::stoppedText(computer::EngineFailure failure)
{
    QString reason;
    switch (failure) {
    case computer::EngineFailure::Missing: reason = QStringLiteral("无法启动引擎"); break;
    case computer::EngineFailure::Died: reason = QStringLiteral("引擎意外退出"); break;
    case computer::EngineFailure::Hung: reason = QStringLiteral("引擎没有按时走棋"); break;
    case computer::EngineFailure::Nonsense: reason = QStringLiteral("引擎走了不合规则的棋"); break;
    }
    // Short enough for the two lines the received-text box shows under the heading.
    return QStringLiteral("电脑对手已停止：%1，请重新开始。").arg(reason);
}

void ComputerOpponent::showSystemLine(const QString& text)
{
    // In the form of the other system lines: heading, date and time, a line end.
    const std::string line = std::string(protocol::TextRestartHeading) + m_window.currentDate() + "  " +
                             m_window.currentTime() + "\r\n" + text.toStdString();
    m_window.setReceivedText(line);
}

} // namespace corvane::shell
