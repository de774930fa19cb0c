// The link messages on the wire: each word's bytes, its way back, and
// everything malformed discarded whole; the digest and the whole position.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Position.h"
#include "net/protocol/LinkMessage.h"
#include "net/protocol/PeerMessageHandler.h"
#include "RecordingEffects.h"
#include "TestBoard.h"

using namespace corvane::protocol;
using corvane::game::Position;
using corvane::test_support::RecordingEffects;
using corvane::test_support::TestBoard;

namespace {

LinkMessage message(LinkWord word)
{
    LinkMessage m;
    m.word = word;
    return m;
}

} // namespace

TEST(LinkMessage, EachWordHasSevenFieldsAndComesBackWhole)
{
    LinkMessage hello = message(LinkWord::Hello);
    hello.nonce = 0x0123456789abcdefULL;
    hello.answered = 0xfedcba9876543210ULL;
    hello.epoch = 2;
    hello.ply = 17;
    hello.digest = 0xdeadbeef;
    LinkMessage move = message(LinkWord::Move);
    move.epoch = 3;
    move.ply = 12;
    move.digest = 0x0000abcd;
    move.ack = 11;
    move.payload = "redblk|Image25|Image2|10|1|1|1";
    LinkMessage ack = message(LinkWord::Ack);
    ack.epoch = 1, ack.ply = 4, ack.digest = 7;
    LinkMessage ask = message(LinkWord::AskBoard);
    ask.epoch = 1, ask.ply = 9;
    TestBoard board;
    LinkMessage whole = message(LinkWord::Board);
    whole.epoch = 5, whole.ply = 40, whole.turn = LinkTurn::Black, whole.payload = encodeBoardText(board.position);
    whole.digest = positionDigest(board.position);
    LinkMessage restart = message(LinkWord::Restart);
    restart.epoch = 6;
    LinkMessage chat = message(LinkWord::Chat);
    chat.number = 3, chat.payload = "\xC0\xB4\xD7\xD4 2026/12/7  8:05:09\r\na|b|c";
    LinkMessage chatAck = message(LinkWord::ChatAck);
    chatAck.number = 3;

    const std::vector<std::pair<LinkMessage, std::string>> cases = {
        {hello, "cvhello|0123456789abcdef|fedcba9876543210|2|17|deadbeef|1"},
        {move, "cvmove|3|12|0000abcd|11|0|redblk|Image25|Image2|10|1|1|1"},
        {ack, "cvack|1|4|00000007|0|0|0"},
        {ask, "cvwhere|1|9|0|0|0|0"},
        {whole, ""}, // checked by its way back only
        {restart, "cvrestart|6|0|0|0|0|0"},
        {chat, "cvchat|3|0|0|0|0|" + chat.payload},
        {chatAck, "cvchatack|3|0|0|0|0|0"},
    };
    for (const auto& [m, bytes] : cases) {
        const std::string encoded = encodeLinkMessage(m);
        SCOPED_TRACE(encoded);
        if (!bytes.empty())
            EXPECT_EQ(encoded, bytes);
        EXPECT_TRUE(isLinkWord(encoded));
        EXPECT_EQ(decodeLinkMessage(encoded), m);
    }
    // A hello of its own answers nothing.
    hello.answered = 0;
    EXPECT_EQ(encodeLinkMessage(hello), "cvhello|0123456789abcdef|0|2|17|deadbeef|1");
}

TEST(LinkMessage, MalformedMessagesAreDiscardedWhole)
{
    const std::string pieces = encodeBoardText(TestBoard().position);
    for (const char* bytes : {
             "cvhello|0123456789ABCDEF|0|0|0|00000000|1", // upper-case hex
             "cvhello|0000000000000000|0|0|0|00000000|1", // no nonce
             "cvhello|0123456789abcdef|0|0|0|00000000|0", // version 0
             "cvhello|0123456789abcde|0|0|0|00000000|1",  // 15 digits
             "cvhello|0123456789abcdef|0|0|0|00000000",   // six fields
             "cvmove|1|0|00000000|0|0|blksky|Image13|Image70|4|1|5|1",  // ply 0
             "cvmove|01|1|00000000|0|0|blksky|Image13|Image70|4|1|5|1", // leading zero
             "cvmove|-1|1|00000000|0|0|blksky|Image13|Image70|4|1|5|1",
             "cvmove|1|1|0000000g|0|0|blksky|Image13|Image70|4|1|5|1",
             "cvmove|1|1|00000000|0|x|blksky|Image13|Image70|4|1|5|1", // reserved field
             "cvmove|1|1234567890|00000000|0|0|blksky|Image13|Image70|4|1|5|1", // ten digits
             "cvack|1|1|00000000|0|0|",
             "cvack|1||00000000|0|0|0",
             "cvwhere|1|1|0|0|0|00",
             "cvboard|1|1|00000000|sideways|0|x/y",
             "cvrestart|1|0|0|0|0|0|",
             "cvchat||0|0|0|0|text",
             "cvchatack|1|0|0|0|0| 0",
             "cvmove", // a link word alone
         }) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(decodeLinkMessage(bytes));
    }
    EXPECT_FALSE(decodeLinkMessage("cvchat|1|0|0|0|0|" + std::string(MaxDatagramSize, 'x')));
    EXPECT_FALSE(isLinkWord("cvhellox|1|2|3|4|5|6"));
    EXPECT_FALSE(isLinkWord("blksky|Image13|Image70|4|1|5|1"));
}

TEST(LinkMessage, LinkWordsAreIgnoredByTheV1Receiver)
{
    TestBoard board;
    RecordingEffects effects{board.position};
    PeerMessageHandler handler{board.position, effects};
    const Position before = board.position;
    for (const char* bytes : {"cvhello|0123456789abcdef|0|0|0|00000000|1", "cvrestart|1|0|0|0|0|0",
                              "cvmove|1|1|00000000|0|0|blksky|Image13|Image70|4|1|5|1", "cvchat|1|0|0|0|0|hi"})
        EXPECT_EQ(handler.handleDatagram(bytes), ReceivedCommand::Ignored) << bytes;
    EXPECT_EQ(board.position, before);
    EXPECT_TRUE(effects.calls.empty());
}

TEST(LinkMessage, DigestFollowsEveryPointAndTheOccupancy)
{
    TestBoard board;
    const std::uint32_t start = positionDigest(board.position);
    EXPECT_EQ(positionDigest(TestBoard().position), start);
    board.dropOn(5, 1, "Image13");
    const std::uint32_t moved = positionDigest(board.position);
    EXPECT_NE(moved, start);
    // The same pieces on the same points with one more occupied cell.
    board.position.apply(corvane::game::Move{TestBoard::id("Image13"), {8, 8}, {5, 1}, {5, 1}, {}, {}, false});
    EXPECT_NE(positionDigest(board.position), moved);
}

TEST(LinkMessage, WholePositionsComeBackAndBadOnesAreRefused)
{
    TestBoard board;
    board.setUp({{"Image6", {1, 5}}, {"Image29", {10, 5}}, {"Image25", {10, 1}}});
    const std::string text = encodeBoardText(board.position);
    const std::optional<Position> back = decodeBoardText(text, LinkTurn::Red);
    ASSERT_TRUE(back);
    EXPECT_EQ(positionDigest(*back), positionDigest(board.position));
    EXPECT_TRUE(back->mayMove(corvane::game::Side::Red));
    EXPECT_FALSE(back->mayMove(corvane::game::Side::Black));
    EXPECT_FALSE(back->isOver());

    // Without the black general (Image6, the fifth piece) the game is over.
    std::string noGeneral = text;
    noGeneral.replace(noGeneral.find("15,"), 2, "0");
    EXPECT_TRUE(decodeBoardText(noGeneral, LinkTurn::None)->isOver());

    const std::string cells(90, '0');
    std::string pieces32;
    for (int i = 0; i < 32; ++i)
        pieces32 += i ? ",0" : "0";
    EXPECT_TRUE(decodeBoardText(pieces32 + "/" + cells, LinkTurn::Both));
    for (const std::string& bad : {
             pieces32 + "/" + cells.substr(1),           // 89 cells
             pieces32 + "/" + cells.substr(1) + "2",     // not 0 or 1
             pieces32 + "," + "0/" + cells,              // 33 pieces
             pieces32.substr(2) + "/" + cells,           // 31 pieces
             "15,15" + pieces32.substr(3) + "/" + cells, // two pieces on one point
             "110" + pieces32.substr(1) + "/" + cells,   // off the board
             "10" + pieces32.substr(1) + "/" + cells,    // column 0
             pieces32 + cells,                           // no "/"
         }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(decodeBoardText(bad, LinkTurn::Both));
    }
}
