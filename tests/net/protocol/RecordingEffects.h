#pragma once
// Receive-side effects that are recorded instead of shown or played, with a
// fixed date and time, and a board reset that runs the real one.

#include <functional>
#include <string>
#include <vector>

#include "game/BoardReset.h"
#include "game/BoardState.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::test_support {

class RecordingEffects : public protocol::ReceiveEffects {
public:
    explicit RecordingEffects(game::BoardState& board) : board_(board) {}

    void playNotificationSound() override { calls.push_back("sound"); }
    void showInformation(const std::string& text) override
    {
        calls.push_back("box:" + text);
        boxes.push_back(text);
        if (whileBoxOpen)
            whileBoxOpen();
    }
    void setReceivedText(const std::string& text) override
    {
        calls.push_back("memo");
        memo = text;
    }
    std::string currentDate() override { return date; }
    std::string currentTime() override { return time; }
    void resetBoard() override
    {
        calls.push_back("reset");
        game::resetBoard(board_);
    }

    std::vector<std::string> calls;
    std::vector<std::string> boxes;
    std::string memo;
    std::string date = "2026/12/7";
    std::string time = "8:05:09";
    std::function<void()> whileBoxOpen;  // runs inside the modal wait

private:
    game::BoardState& board_;
};

} // namespace corvane::test_support
