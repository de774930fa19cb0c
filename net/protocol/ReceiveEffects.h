#pragma once
// What the receive side needs of the main window beyond the position itself.
// The main window implements it with Qt (board, sound, message boxes, Memo2,
// locale).

#include <string>

namespace corvane::game {
struct Change;
}

namespace corvane::protocol {

class ReceiveEffects {
public:
    virtual ~ReceiveEffects() = default;

    // Starts the wave resource "MESSAGE" and returns at once.
    virtual void playNotificationSound() = 0;

    // A modal box owned by the main window: caption "信息", information icon,
    // one OK button; returns when it is closed. Datagrams that arrive while it
    // is open are handled inside its wait (the handler may be re-entered);
    // a notice that arrives then may return at once, as the window keeps at
    // most one such box open.
    virtual void showInformation(const std::string& textUtf8) = 0;

    // Replaces the whole text of Memo2.
    virtual void setReceivedText(const std::string& textUtf8) = 0;

    // Today's date in the system's short date format, and the current time in
    // its long time format (with seconds, without a time zone), as UTF-8.
    virtual std::string currentDate() = 0;
    virtual std::string currentTime() = 0;

    // Runs the main window's board reset FormShow.
    virtual void resetBoard() = 0;

    // The position changed by a received message: show it.
    virtual void showChange(const game::Change& change) = 0;
};

// Texts the receive side shows (UTF-8).
inline constexpr const char* CaptionInformation = "信息";
inline constexpr const char* TextGameLost = "此局你输了，继续努力！";
inline constexpr const char* TextPeerLeft = "对方已退出游戏！！！";
inline constexpr const char* TextRestartHeading = "系统消息  ";
inline constexpr const char* TextRestartNotice = "重新开始新棋局...";

} // namespace corvane::protocol
