#include "net/protocol/LinkMessage.h"

#include <zlib.h>

#include "net/protocol/MessageText.h"

namespace corvane::protocol {

namespace {

struct WordEntry {
    std::string_view text;
    LinkWord word;
};

constexpr WordEntry Words[] = {
    {command::LinkHello, LinkWord::Hello},     {command::LinkMove, LinkWord::Move},
    {command::LinkAck, LinkWord::Ack},         {command::LinkAskBoard, LinkWord::AskBoard},
    {command::LinkBoard, LinkWord::Board},     {command::LinkRestart, LinkWord::Restart},
    {command::LinkChat, LinkWord::Chat},       {command::LinkChatAck, LinkWord::ChatAck},
};

constexpr std::string_view TurnTexts[] = {"both", "black", "red", "none"};

// Numbers stay far below this; a longer text is malformed, not a wrap-around.
constexpr std::size_t MaxNumberDigits = 9;

std::string number(std::uint64_t value)
{
    return std::to_string(value);
}

std::string hex(std::uint64_t value, int digits)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = Digits[value & 0xF];
    return text;
}

std::optional<std::uint32_t> readNumber(std::string_view text)
{
    if (text.empty() || text.size() > MaxNumberDigits || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    std::uint32_t value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(ch - '0');
    }
    return value;
}

std::optional<std::uint64_t> readHex(std::string_view text, std::size_t digits)
{
    if (text.size() != digits)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char ch : text) {
        int nibble;
        if (ch >= '0' && ch <= '9')
            nibble = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            nibble = ch - 'a' + 10;
        else
            return std::nullopt;
        value = value << 4 | static_cast<std::uint64_t>(nibble);
    }
    return value;
}

std::optional<LinkTurn> readTurn(std::string_view text)
{
    for (std::size_t i = 0; i < std::size(TurnTexts); ++i)
        if (text == TurnTexts[i])
            return static_cast<LinkTurn>(i);
    return std::nullopt;
}

std::optional<LinkWord> wordOf(std::string_view text)
{
    for (const WordEntry& entry : Words)
        if (text == entry.text)
            return entry.word;
    return std::nullopt;
}

std::string_view textOf(LinkWord word)
{
    for (const WordEntry& entry : Words)
        if (entry.word == word)
            return entry.text;
    return {};
}

// Fields 2..7 of each word, as text.
std::array<std::string, 6> fieldsOf(const LinkMessage& m)
{
    switch (m.word) {
    case LinkWord::Hello:
        return {hex(m.nonce, 16), m.answered ? hex(m.answered, 16) : "0", number(m.epoch), number(m.ply),
                hex(m.digest, 8), number(LinkVersion)};
    case LinkWord::Move: return {number(m.epoch), number(m.ply), hex(m.digest, 8), number(m.ack), "0", m.payload};
    case LinkWord::Ack: return {number(m.epoch), number(m.ply), hex(m.digest, 8), "0", "0", "0"};
    case LinkWord::AskBoard: return {number(m.epoch), number(m.ply), "0", "0", "0", "0"};
    case LinkWord::Board:
        return {number(m.epoch),
                number(m.ply),
                hex(m.digest, 8),
                std::string(TurnTexts[static_cast<std::size_t>(m.turn)]),
                "0",
                m.payload};
    case LinkWord::Restart: return {number(m.epoch), "0", "0", "0", "0", "0"};
    case LinkWord::Chat: return {number(m.number), "0", "0", "0", "0", m.payload};
    case LinkWord::ChatAck: return {number(m.number), "0", "0", "0", "0", "0"};
    }
    return {};
}

bool allZero(const MessageFields& f, std::initializer_list<std::size_t> indexes)
{
    for (std::size_t i : indexes)
        if (f[i] != "0")
            return false;
    return true;
}

// Fills `m` from fields 2..7; false when any field is malformed.
bool readFields(const MessageFields& f, LinkMessage& m)
{
    // Numbers, digests and nonces in the order the word lays them out.
    auto num = [&](std::size_t i, std::uint32_t& out) {
        const auto value = readNumber(f[i]);
        if (value)
            out = *value;
        return value.has_value();
    };
    auto digest = [&](std::size_t i) {
        const auto value = readHex(f[i], 8);
        if (value)
            m.digest = static_cast<std::uint32_t>(*value);
        return value.has_value();
    };
    switch (m.word) {
    case LinkWord::Hello: {
        const auto nonce = readHex(f[1], 16);
        if (!nonce || *nonce == 0)
            return false;
        m.nonce = *nonce;
        if (f[2] != "0") {
            const auto answered = readHex(f[2], 16);
            if (!answered || *answered == 0)
                return false;
            m.answered = *answered;
        }
        std::uint32_t version = 0;
        // A later version still counts as a Corvane that speaks this one.
        return num(3, m.epoch) && num(4, m.ply) && digest(5) && num(6, version) && version >= LinkVersion;
    }
    case LinkWord::Move:
        if (!num(1, m.epoch) || !num(2, m.ply) || !digest(3) || !num(4, m.ack) || f[5] != "0" || m.ply == 0)
            return false;
        m.payload = f[6];
        return true;
    case LinkWord::Ack: return num(1, m.epoch) && num(2, m.ply) && digest(3) && allZero(f, {4, 5, 6});
    case LinkWord::AskBoard: return num(1, m.epoch) && num(2, m.ply) && allZero(f, {3, 4, 5, 6});
    case LinkWord::Board: {
        const auto turn = readTurn(f[4]);
        if (!num(1, m.epoch) || !num(2, m.ply) || !digest(3) || !turn || f[5] != "0")
            return false;
        m.turn = *turn;
        m.payload = f[6];
        return true;
    }
    case LinkWord::Restart: return num(1, m.epoch) && allZero(f, {2, 3, 4, 5, 6});
    case LinkWord::Chat:
        if (!num(1, m.number) || !allZero(f, {2, 3, 4, 5}))
            return false;
        m.payload = f[6];
        return true;
    case LinkWord::ChatAck: return num(1, m.number) && allZero(f, {2, 3, 4, 5, 6});
    }
    return false;
}

} // namespace

std::string encodeLinkMessage(const LinkMessage& message)
{
    const std::array<std::string, 6> f = fieldsOf(message);
    return composeMessage(textOf(message.word), f[0], f[1], f[2], f[3], f[4], f[5]);
}

bool isLinkWord(std::string_view bytes)
{
    const std::size_t bar = bytes.find(FieldSeparator);
    return bar != std::string_view::npos && wordOf(bytes.substr(0, bar)).has_value();
}

std::optional<LinkMessage> decodeLinkMessage(std::string_view bytes)
{
    if (bytes.size() > MaxDatagramSize || !isLinkWord(bytes))
        return std::nullopt;
    const MessageFields fields = splitMessage(bytes);
    LinkMessage message;
    message.word = *wordOf(fields[0]);
    if (!readFields(fields, message))
        return std::nullopt;
    return message;
}

std::uint32_t positionDigest(const game::Position& position)
{
    std::array<std::uint8_t, game::PieceCount + game::Rows * game::Columns> bytes{};
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const game::Position::Piece& piece = position.piece(id);
        bytes[static_cast<std::size_t>(id)] = piece.taken ? 0 : static_cast<std::uint8_t>(piece.point.code());
    }
    const auto& occupancy = position.occupancy();
    std::copy(occupancy.begin(), occupancy.end(), bytes.begin() + game::PieceCount);
    return static_cast<std::uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
}

std::string encodeBoardText(const game::Position& position)
{
    std::string text;
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const game::Position::Piece& piece = position.piece(id);
        if (id > 0)
            text += ',';
        text += piece.taken ? std::string("0") : std::to_string(piece.point.code());
    }
    text += '/';
    for (std::uint8_t cell : position.occupancy())
        text += cell ? '1' : '0';
    return text;
}

std::optional<game::Position> decodeBoardText(std::string_view text, LinkTurn turn)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::string_view pieces = text.substr(0, slash);
    const std::string_view cells = text.substr(slash + 1);
    if (cells.size() != game::Rows * game::Columns)
        return std::nullopt;

    std::array<std::optional<game::Point>, game::PieceCount> points;
    std::array<bool, game::Rows * game::Columns> standing{};
    for (game::PieceId id = 0; id < game::PieceCount; ++id) {
        const std::size_t comma = pieces.find(',');
        const bool last = id == game::PieceCount - 1;
        if (last != (comma == std::string_view::npos))
            return std::nullopt;
        const auto code = readNumber(last ? pieces : pieces.substr(0, comma));
        if (!code)
            return std::nullopt;
        if (*code != 0) {
            const game::Point point = game::pointOfCode(static_cast<int>(*code));
            const std::size_t cell = static_cast<std::size_t>(game::Columns * (point.row - 1) + point.column - 1);
            if (*code > 109 || !point.isOnBoard() || standing[cell])
                return std::nullopt;
            standing[cell] = true;
            points[static_cast<std::size_t>(id)] = point;
        }
        if (!last)
            pieces.remove_prefix(comma + 1);
    }
    std::array<std::uint8_t, game::Rows * game::Columns> occupancy{};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i] != '0' && cells[i] != '1')
            return std::nullopt;
        occupancy[i] = cells[i] == '1' ? 1 : 0;
    }
    const bool black = turn == LinkTurn::Both || turn == LinkTurn::Black;
    const bool red = turn == LinkTurn::Both || turn == LinkTurn::Red;
    return game::Position::restored(points, occupancy, black, red);
}

} // namespace corvane::protocol
