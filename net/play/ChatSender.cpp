#include "net/play/ChatSender.h"

#include <QPlainTextEdit>

#include "net/protocol/Gbk.h"
#include "net/protocol/MessageText.h"

namespace corvane::play {

ChatSender::ChatSender(SendFunction send) : m_send(std::move(send))
{ }

std::string ChatSender::wireText(const QString& typed)
{
    // The edit holds line feeds; the line ends a chat line carries are CR LF.
    QString text = typed;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

int ChatSender::gbkLength(const QString& typed)
{
    return static_cast<int>(protocol::utf8ToGbk(wireText(typed)).size());
}

ChatResult ChatSender::send(QPlainTextEdit& input, const ChatStamp& stamp)
{
    const QString typed = input.toPlainText();
    if (typed.isEmpty())
        return ChatResult::Empty;
    if (gbkLength(typed) > MaxChatBytes)
        return ChatResult::TooLong;
    const std::string message = protocol::composeChatMessage(stamp.date, stamp.time, wireText(typed));
    if (!m_send(message))
        return ChatResult::NotSent;
    input.clear(); // only once the line is on its way
    return ChatResult::Sent;
}

} // namespace corvane::play
