#include "net/play/ChatSender.h"

#include <QPlainTextEdit>

#include "net/protocol/Gbk.h"
#include "net/protocol/MessageText.h"
#include "ui/DateTimeText.h"
#include "ui/MessageBox.h"

namespace corvane::play {

ChatSender::ChatSender(QWidget* owner, SendFunction send) : owner_(owner), send_(std::move(send)) {}

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

ChatResult ChatSender::send(QPlainTextEdit& input)
{
    const QString typed = input.toPlainText();
    if (typed.isEmpty())
        return ChatResult::Empty;
    if (gbkLength(typed) > MaxChatBytes) {
        showMessageBox(owner_, QStringLiteral("你输入的字符长度超过了范围，请减短信息长度。"),
                           QStringLiteral("超出范围"));
        return ChatResult::TooLong;
    }
    const QDateTime now = QDateTime::currentDateTime();  // one instant for both, also at midnight
    const std::string message = protocol::composeChatMessage(shortDateText(now.date()).toStdString(),
                                                             longTimeText(now.time()).toStdString(), wireText(typed));
    send_(message);
    input.clear();  // only once the line is on its way
    return ChatResult::Sent;
}

} // namespace corvane::play
