#pragma once
// Receive-side effects that are recorded instead of shown or played, with a
// fixed date and time, and a board reset that resets the position.

#include <functional>
#include <string>
#include <vector>

#include "game/Position.h"
#include "net/protocol/ReceiveEffects.h"

namespace corvane::test_support {

class RecordingEffects : public protocol::ReceiveEffects {
public:
    explicit RecordingEffects(game::Position& position) : m_position(position) { }

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
        m_position.reset();
    }
    void showChange(const game::Change& change) override { shown.push_back(change); }

    std::vector<std::string> calls;
    std::vector<game::Change> shown; // changes of the position, not counted in calls
    std::vector<std::string> boxes;
    std::string memo;
    std::string date = "2026/12/7";
    std::string time = "8:05:09";
    std::function<void()> whileBoxOpen; // runs inside the modal wait

private:
    game::Position& m_position;
};

} // namespace corvane::test_support
