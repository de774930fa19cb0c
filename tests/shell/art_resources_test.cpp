// The artwork stored with the program: board picture, piece pictures, icon
// and notification chime, read back from the compiled-in resources exactly as
// the main window and the sound player will find them.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

QByteArray readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 u16At(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 u32At(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

struct BmpHeader {
    quint32 width = 0, height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = 0;
};

BmpHeader parseBmpHeader(const QByteArray& bytes)
{
    BmpHeader header;
    if (bytes.size() < 54 || !bytes.startsWith("BM") || u32At(bytes, 14) != 40)
        return header;
    header.width = u32At(bytes, 18);
    header.height = u32At(bytes, 22);
    header.bitsPerPixel = u16At(bytes, 28);
    header.compression = u32At(bytes, 30);
    return header;
}

// Lines are drawn in dark ink on light wood; these bounds separate the two
// with room for the wood's grain and the ink's anti-aliased shades.
bool isInk(QRgb pixel)
{
    return qGray(pixel) < 100;
}
bool isLight(QRgb pixel)
{
    return qGray(pixel) > 140;
}

// Where the lines cross in the board picture: under the middle pixel of each
// 33 x 33 point image at client (48 + 40(c-1), 32 + 40(r-1)), with the
// picture placed at client (0, 16).
int columnX(int column)
{
    return 48 + 40 * (column - 1) + 16;
}
int rowY(int row)
{
    return 32 + 40 * (row - 1) + 16 - 16;
}

class BoardPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bytes = readResource(QStringLiteral(":/art/board.bmp"));
        ASSERT_FALSE(bytes.isEmpty()) << "resource :/art/board.bmp missing";
        board = QImage::fromData(bytes, "BMP");
        ASSERT_FALSE(board.isNull());
    }

    QRgb at(int x, int y) const { return board.pixel(x, y); }

    QByteArray bytes;
    QImage board;
};

TEST_F(BoardPictureTest, IsAnUncompressedSixteenColourBitmapOfTheWindowsBoardSize)
{
    const BmpHeader header = parseBmpHeader(bytes);
    EXPECT_EQ(header.width, 632u);
    EXPECT_EQ(header.height, 434u);
    EXPECT_EQ(header.bitsPerPixel, 4);
    EXPECT_EQ(header.compression, 0u);
    // 14 + 40 header bytes, 16 palette entries, 316 bytes per row.
    EXPECT_EQ(bytes.size(), 14 + 40 + 16 * 4 + 316 * 434);
    EXPECT_EQ(board.size(), QSize(632, 434));
    EXPECT_LE(board.colorCount(), 16);
}

TEST_F(BoardPictureTest, EveryIntersectionLiesUnderTheMiddleOfItsPointImage)
{
    for (int row = 1; row <= 10; ++row)
        for (int column = 1; column <= 9; ++column)
            EXPECT_TRUE(isInk(at(columnX(column), rowY(row))))
                << "no line crossing at row " << row << ", column " << column;
    EXPECT_EQ(columnX(1), 64);
    EXPECT_EQ(rowY(1), 32);
    EXPECT_EQ(columnX(9), 384);
    EXPECT_EQ(rowY(10), 392);
}

TEST_F(BoardPictureTest, RowLinesAreOnePixelHighAndJoinNeighbouringPoints)
{
    for (int row = 1; row <= 10; ++row) {
        for (int column = 1; column < 9; ++column) {
            for (int step : {7, 20, 33}) {
                const int x = columnX(column) + step;
                EXPECT_TRUE(isInk(at(x, rowY(row)))) << "gap in row " << row << " at x " << x;
            }
            // Between the position marks' reach, away from the palace
            // diagonals, the line's neighbours are wood.
            const int x = columnX(column) + 20;
            const bool insidePalace = column >= 4 && column <= 5 && (row <= 3 || row >= 8);
            if (!insidePalace) {
                if (row > 1) {
                    EXPECT_TRUE(isLight(at(x, rowY(row) - 1))) << "row " << row << " too thick";
                }
                if (row < 10) {
                    EXPECT_TRUE(isLight(at(x, rowY(row) + 1))) << "row " << row << " too thick";
                }
            }
        }
    }
}

TEST_F(BoardPictureTest, ColumnLinesStopAtTheRiverExceptAtTheEdges)
{
    const int riverMiddle = (rowY(5) + rowY(6)) / 2;
    for (int column = 1; column <= 9; ++column) {
        const int x = columnX(column);
        for (int row = 1; row < 10; ++row) {
            if (row == 5)
                continue;
            EXPECT_TRUE(isInk(at(x, rowY(row) + 20))) << "gap in column " << column;
            if (column > 1 && column < 9 && !(column >= 4 && column <= 6 && (row <= 2 || row >= 8))) {
                EXPECT_TRUE(isLight(at(x - 1, rowY(row) + 20))) << "column " << column << " too thick";
                EXPECT_TRUE(isLight(at(x + 1, rowY(row) + 20))) << "column " << column << " too thick";
            }
        }
        const bool crossesRiver = column == 1 || column == 9;
        for (int y : {riverMiddle - 12, riverMiddle, riverMiddle + 12})
            EXPECT_EQ(isInk(at(x, y)), crossesRiver) << "column " << column << " at y " << y;
    }
}

TEST_F(BoardPictureTest, RiverCarriesItsWordsInInk)
{
    const int riverMiddle = (rowY(5) + rowY(6)) / 2;
    auto inkIn = [&](int left, int right) {
        int count = 0;
        for (int y = riverMiddle - 12; y <= riverMiddle + 12; ++y)
            for (int x = left; x <= right; ++x)
                count += isInk(at(x, y)) ? 1 : 0;
        return count;
    };
    // One character in each of the squares of columns 2-3, 3-4, 6-7, 7-8.
    for (int column : {2, 3, 6, 7})
        EXPECT_GT(inkIn(columnX(column) + 8, columnX(column) + 32), 60) << "square after column " << column;
    // The squares in the middle stay empty.
    EXPECT_EQ(inkIn(columnX(4) + 4, columnX(6) - 4), 0);
}

TEST_F(BoardPictureTest, BothPalacesHaveTheirDiagonals)
{
    for (int topRow : {1, 8}) {
        const int top = rowY(topRow);
        // Each diagonal runs corner to corner through the palace's middle.
        for (int step : {5, 10, 30, 35, 45, 50, 70, 75}) {
            EXPECT_TRUE(isInk(at(columnX(4) + step, top + step))) << "palace at row " << topRow;
            EXPECT_TRUE(isInk(at(columnX(6) - step, top + step))) << "palace at row " << topRow;
        }
    }
    // No diagonal outside the palaces.
    for (int step : {5, 10, 30, 35})
        EXPECT_TRUE(isLight(at(columnX(1) + step, rowY(2) + step)));
}

TEST_F(BoardPictureTest, ChatPanelIsPlainAndLightWithADarkBandBehindTheReceiveCaption)
{
    // Picture rectangles of the chat controls (client positions less 16).
    const QRect memo1(424, 24, 193, 73);
    const QRect memo2(432, 344, 177, 81);
    const QRect leftOfButton(424, 112, 96, 25);
    for (const QRect& area : {memo1, memo2, leftOfButton})
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ASSERT_GT(qGray(at(x, y)), 150) << "dark pixel at " << x << "," << y;
    // Label1 is drawn in the window colour (white), transparent.
    const QRect label1(432, 328, 60, 13);
    for (int y = label1.top(); y <= label1.bottom(); ++y)
        for (int x = label1.left(); x <= label1.right(); ++x)
            ASSERT_LT(qGray(at(x, y)), 110) << "light pixel behind the caption at " << x << "," << y;
}

// ---------------------------------------------------------------------------

struct PieceName {
    const char* side;
    const char* kind;
};

const PieceName kPieces[] = {
    {"black", "chariot"}, {"black", "horse"},   {"black", "elephant"}, {"black", "advisor"}, {"black", "general"},
    {"black", "cannon"},  {"black", "soldier"}, {"red", "chariot"},    {"red", "horse"},     {"red", "elephant"},
    {"red", "advisor"},   {"red", "general"},   {"red", "cannon"},     {"red", "soldier"},
};

QString piecePath(const PieceName& piece)
{
    return QStringLiteral(":/art/pieces/%1_%2.bmp").arg(QLatin1String(piece.side), QLatin1String(piece.kind));
}

// The side's ink: dark brown strokes for black, strong red for red.
bool isSideInk(QRgb pixel, bool red)
{
    if (red)
        return qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
    return qGray(pixel) < 80;
}

QRectF inkBounds(const QImage& image, bool red)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isSideInk(image.pixel(x, y), red)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return QRectF(QPointF(left, top), QPointF(right + 1, bottom + 1));
}

TEST(PiecePictures, AreUncompressedTwentyFourBitBitmapsOfTheAllowedSizes)
{
    for (const PieceName& piece : kPieces) {
        SCOPED_TRACE(piecePath(piece).toStdString());
        const QByteArray bytes = readResource(piecePath(piece));
        ASSERT_FALSE(bytes.isEmpty());
        const BmpHeader header = parseBmpHeader(bytes);
        EXPECT_EQ(header.bitsPerPixel, 24);
        EXPECT_EQ(header.compression, 0u);
        EXPECT_GE(header.width, 40u);
        EXPECT_LE(header.width, 43u);
        EXPECT_GE(header.height, 40u);
        EXPECT_LE(header.height, 44u);
    }
    // The about box shows the black general at its own size.
    const BmpHeader general = parseBmpHeader(readResource(QStringLiteral(":/art/pieces/black_general.bmp")));
    EXPECT_EQ(general.width, 41u);
    EXPECT_EQ(general.height, 43u);
}

TEST(PiecePictures, ShareOneKeyColourThatOnlyTheBackgroundUses)
{
    QRgb key = 0;
    bool first = true;
    for (const PieceName& piece : kPieces) {
        SCOPED_TRACE(piecePath(piece).toStdString());
        const QImage image(piecePath(piece));
        ASSERT_FALSE(image.isNull());
        const QRgb bottomLeft = image.pixel(0, image.height() - 1);
        if (first)
            key = bottomLeft;
        first = false;
        EXPECT_EQ(bottomLeft, key);
        EXPECT_EQ(image.pixel(0, 0), key);
        EXPECT_EQ(image.pixel(image.width() - 1, 0), key);
        // Inside the token nothing may be keyed out.
        const double cx = image.width() / 2.0, cy = image.height() / 2.0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const double dx = (x + 0.5 - cx) / 16.0, dy = (y + 0.5 - cy) / 16.0;
                if (dx * dx + dy * dy < 1.0) {
                    ASSERT_NE(image.pixel(x, y), key) << "key colour inside the token at " << x << "," << y;
                }
            }
    }
    EXPECT_EQ(key, qRgb(0xDC, 0xB4, 0x78));
}

TEST(PiecePictures, TokensAreCentredSoTheyLandOnTheIntersectionWhenStretched)
{
    for (const PieceName& piece : kPieces) {
        SCOPED_TRACE(piecePath(piece).toStdString());
        const bool red = QLatin1String(piece.side) == QLatin1String("red");
        const QImage image(piecePath(piece));
        const QRectF ring = inkBounds(image, red);
        EXPECT_NEAR(ring.center().x(), image.width() / 2.0, 0.75);
        EXPECT_NEAR(ring.center().y(), image.height() / 2.0, 0.75);
        // Drawn at 33 x 33 the token is round and centred on pixel 16, which
        // is where the board's lines cross.
        const QImage stretched = image.scaled(33, 33, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QRectF onBoard = inkBounds(stretched, red);
        EXPECT_NEAR(onBoard.center().x(), 16.5, 0.75);
        EXPECT_NEAR(onBoard.center().y(), 16.5, 0.75);
        EXPECT_NEAR(onBoard.width(), onBoard.height(), 1.5);
        EXPECT_GT(onBoard.width(), 24.0);
    }
}

TEST(PiecePictures, EachSideHasItsOwnInkAndEveryKindItsOwnPicture)
{
    QList<QImage> seen;
    for (const PieceName& piece : kPieces) {
        SCOPED_TRACE(piecePath(piece).toStdString());
        const bool red = QLatin1String(piece.side) == QLatin1String("red");
        const QImage image = QImage(piecePath(piece)).convertToFormat(QImage::Format_RGB32);
        int redInk = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                redInk += isSideInk(image.pixel(x, y), true) ? 1 : 0;
        if (red)
            EXPECT_GT(redInk, 100);
        else
            EXPECT_EQ(redInk, 0);
        for (const QImage& other : seen)
            EXPECT_NE(image, other) << "two piece pictures are identical";
        seen.append(image);
    }
}

// ---------------------------------------------------------------------------

TEST(WindowIcon, HasBothSizesWithTransparentCornersAndBothColours)
{
    for (int size : {48, 32}) {
        SCOPED_TRACE(size);
        const QImage icon(QStringLiteral(":/art/icon%1.png").arg(size));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(size, size));
        ASSERT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(0, size - 1)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        int redInk = 0, darkInk = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                if (qAlpha(pixel) < 255)
                    continue;
                redInk += isSideInk(pixel, true) ? 1 : 0;
                darkInk += isSideInk(pixel, false) ? 1 : 0;
            }
        EXPECT_GT(redInk, size);
        EXPECT_GT(darkInk, size);
    }
}

// ---------------------------------------------------------------------------

TEST(MessageSound, IsEightBitMonoPcmAt11025HzWith11856Samples)
{
    const QByteArray wav = readResource(QStringLiteral(":/art/message.wav"));
    ASSERT_EQ(wav.size(), 44 + 11856);
    EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
    EXPECT_EQ(u32At(wav, 4), quint32(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(u32At(wav, 16), 16u);
    EXPECT_EQ(u16At(wav, 20), 1);      // PCM
    EXPECT_EQ(u16At(wav, 22), 1);      // mono
    EXPECT_EQ(u32At(wav, 24), 11025u); // samples per second
    EXPECT_EQ(u32At(wav, 28), 11025u); // bytes per second
    EXPECT_EQ(u16At(wav, 32), 1);      // block alignment
    EXPECT_EQ(u16At(wav, 34), 8);      // bits per sample
    EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
    EXPECT_EQ(u32At(wav, 40), 11856u);
}

TEST(MessageSound, IsAnAudibleChimeThatStartsAndEndsInSilenceWithoutClipping)
{
    const QByteArray wav = readResource(QStringLiteral(":/art/message.wav"));
    ASSERT_EQ(wav.size(), 44 + 11856);
    const auto* samples = reinterpret_cast<const uchar*>(wav.constData() + 44);
    const int count = 11856;
    auto level = [&](int i) { return std::abs(int(samples[i]) - 128); };

    EXPECT_EQ(samples[0], 128);
    EXPECT_EQ(samples[count - 1], 128);
    // A click would be a jump right at the start or the end: the first few
    // milliseconds must ramp up, the last tenth of a second stay near silence.
    for (int i = 0; i < 44; ++i)
        EXPECT_LE(level(i), 2 + 3 * i / 2) << "sample " << i;
    for (int i = count - 1100; i < count; ++i)
        EXPECT_LE(level(i), 6) << "sample " << i;

    int peak = 0, peakAt = 0;
    for (int i = 0; i < count; ++i)
        if (level(i) > peak) {
            peak = level(i);
            peakAt = i;
        }
    EXPECT_GE(peak, 50);
    EXPECT_LE(peak, 120); // headroom: never at 0 or 255
    EXPECT_LT(peakAt, 11025 * 3 / 10) << "a chime is loudest right after it is struck";
}

} // namespace
