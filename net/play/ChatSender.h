#pragma once
// Sending a line of chat: the whole text of the input box, at most 220 GBK
// bytes (a Chinese character counts 2, a line end 2), goes to the peer as one
// "message" game message headed by the sender's date and time.

#include <QString>
#include <functional>
#include <string>

class QPlainTextEdit;
class QWidget;

namespace corvane::play {

constexpr int MaxChatBytes = 220;

enum class ChatResult {
    Empty,    // nothing typed: nothing sent, nothing said
    TooLong,  // refused with the "超出范围" box; the text stays for shortening
    Sent,     // sent; the input box is cleared
};

class ChatSender {
public:
    using SendFunction = std::function<void(const std::string& gbkBytes)>;

    // `owner` owns the "超出范围" box; `send` sends one game message and
    // throws when the endpoint fails.
    ChatSender(QWidget* owner, SendFunction send);

    // SkinButton1Click. When the send throws, the exception goes on to the
    // caller and the line stays in the input box, so it can be sent again.
    ChatResult send(QPlainTextEdit& input);

    // The typed text as the wire carries it: UTF-8 with CR LF line ends.
    static std::string wireText(const QString& typed);
    // Its length in GBK bytes, the measure of the 220-byte limit.
    static int gbkLength(const QString& typed);

private:
    QWidget* owner_;
    SendFunction send_;
};

} // namespace corvane::play
