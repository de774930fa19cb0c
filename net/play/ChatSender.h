#pragma once
// Sending a line of chat: the whole text of the input box, at most 220 GBK
// bytes (a Chinese character counts 2, a line end 2), goes to the peer as one
// "message" game message headed by the sender's date and time. What the user
// is told about the outcome is the caller's to show.

#include <QString>
#include <functional>
#include <string>

class QPlainTextEdit;

namespace corvane::play {

constexpr int MaxChatBytes = 220;

enum class ChatResult {
    Empty,   // nothing typed: nothing sent, nothing said
    TooLong, // refused; the text stays for shortening
    NotGbk,  // refused: characters GBK cannot carry (unsendable()); the text stays
    NotSent, // the send failed; the text stays, so it can be sent again
    Sent,    // sent; the input box is cleared
};

// The sender's date and time as the heading shows them.
struct ChatStamp {
    std::string date;
    std::string time;
};

class ChatSender {
public:
    // Sends one game message (its GBK bytes); false when the send failed.
    using SendFunction = std::function<bool(const std::string& gbkBytes)>;

    // Sends the input box's text through sendMessage, the work of the send
    // button.
    static ChatResult send(QPlainTextEdit& input, const ChatStamp& stamp, const SendFunction& sendMessage);

    // The typed text as the wire carries it: UTF-8 with CR LF line ends.
    static std::string wireText(const QString& typed);
    // Its length in GBK bytes, the measure of the 220-byte limit.
    static int gbkLength(const QString& typed);
    // The characters of the text that GBK cannot carry (emoji, rare CJK,
    // other scripts), each once, in the order typed; empty when all can go.
    static QString unsendable(const QString& typed);
};

} // namespace corvane::play
