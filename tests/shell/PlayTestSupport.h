#pragma once
// What the play tests share: a main window whose peer is a recording socket,
// a window that plays against itself on one computer, and small helpers.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <string>

#include "game/BoardLayout.h"
#include "net/protocol/Gbk.h"
#include "net/protocol/ImageNames.h"
#include "ShellTestSupport.h"
#include "shell/WindowParts.h"

namespace corvane::shell::testing {

inline const QString GameLost = QStringLiteral("此局你输了，继续努力！");

inline std::string gbk(const std::string& utf8)
{
    return corvane::protocol::utf8ToGbk(utf8);
}

inline void clickButton(QWidget* button)
{
    sendMouse(button, QEvent::MouseButtonPress, {5, 5});
    sendMouse(button, QEvent::MouseButtonRelease, {5, 5});
}

// Every piece visible, draggable and on its starting point.
inline bool isStartingPosition(MainWindow& form)
{
    for (corvane::game::PieceId id = 0; id < corvane::game::PieceCount; ++id) {
        const auto& piece = corvane::game::pieceInfo(id);
        const int number = corvane::protocol::pieceNumber(id);
        const BoardImage shown = image(form, number);
        const corvane::game::Point start = corvane::game::startPoint(piece);
        if (!shown.isVisible() || !draggable(form, number) || shown.tag() != piece.startCode ||
            shown.pos() != QPoint(corvane::game::pointLeft(start.column), corvane::game::pointTop(start.row)))
            return false;
    }
    return true;
}

// A window whose peer is a recording socket: what it sends can be read back
// byte for byte, and datagrams can be sent to it.
class WindowWithPeer : public ::testing::Test {
protected:
    void SetUp() override
    {
        localPort = freeUdpPort();
        connectForm(form, localPort, peer.port());
        form.show();
    }
    void receive(const std::string& bytes) { peer.send(bytes, localPort); }
    // Datagrams are handled in order: once this chat line shows, every
    // datagram sent before it has been handled.
    void waitForAllReceived()
    {
        receive("message|2|3|4|5|6|sentinel");
        ASSERT_TRUE(waitUntil([&] { return receivedText(form)->toPlainText() == QStringLiteral("sentinel"); }));
    }

    RecordingPeer peer;
    std::shared_ptr<int> soundPlays = std::make_shared<int>();
    MainWindow form{silentSound(soundPlays)};
    int localPort = 0;
};

// A window on one computer, sending every datagram to itself.
class HotSeat : public ::testing::Test {
protected:
    void SetUp() override
    {
        connectToItself(form);
        form.show();
    }
    // Drags by mouse and waits until the window's own message has come back
    // and handed the turn over: the moved side locked, the other draggable.
    void play(int piece, int over)
    {
        const bool black = piece <= 17;
        dragByMouse(form, piece, over);
        ASSERT_TRUE(waitUntil([&] {
            return allDraggable(form, black ? 2 : 18, black ? 17 : 33, false) &&
                   allDraggable(form, black ? 18 : 2, black ? 33 : 17, true);
        })) << "the turn did not pass after Image"
            << piece;
    }
    std::shared_ptr<int> soundPlays = std::make_shared<int>();
    MainWindow form{silentSound(soundPlays)};
};

} // namespace corvane::shell::testing
