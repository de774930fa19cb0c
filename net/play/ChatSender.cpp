#include "net/play/ChatSender.h"

#include <QPlainTextEdit>

#include "net/protocol/Gbk.h"
#include "net/protocol/MessageText.h"

namespace corvane::play {

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

QString ChatSender::unsendable(const QString& typed)
{
    // The conversion puts "?" for a character GBK lacks: each character is
    // converted alone, so that a "?" typed as such is told apart.
    QString found;
    for (const uint codePoint : typed.toUcs4()) {
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1);
        if (character != QLatin1String("?") && protocol::utf8ToGbk(character.toStdString()) == "?" &&
            !found.contains(character))
            found += character;
    }
    return found;
}

ChatResult ChatSender::send(QPlainTextEdit& input, const ChatStamp& stamp, const SendFunction& sendMessage)
{
    const QString typed = input.toPlainText();
    if (typed.isEmpty())
        return ChatResult::Empty;
    if (!unsendable(typed).isEmpty())
        return ChatResult::NotGbk;
    if (gbkLength(typed) > MaxChatBytes)
        return ChatResult::TooLong;
    const std::string message = protocol::composeChatMessage(stamp.date, stamp.time, wireText(typed));
    if (!sendMessage(message))
        return ChatResult::NotSent;
    input.clear(); // only once the line is on its way
    return ChatResult::Sent;
}

} // namespace corvane::play
