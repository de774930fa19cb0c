// Truncated, corrupt and hostile skins: every load ends with a SkinError and
// the engine keeps the skin it had.
#include "skin/SkinEngine.h"
#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/writer/SkinByteWriter.h"
#include "skin/writer/SkinFileWriter.h"
#include "tests/skin/SkinTestSkins.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

QByteArray int32le(std::int32_t v)
{
    QByteArray out;
    bytes::appendInt32(out, v);
    return out;
}

QByteArray str(const QByteArray& s)
{
    return int32le(std::int32_t(s.size())) + s;
}

QByteArray header()
{
    return str("Name") + str("1") + str("") + str("") + str("");
}

// A BMP file with a 40-byte header; `sizeError` is added to the file size the
// header states.
QByteArray bmpFile(int width, int height, int bits, int compression, const QByteArray& palette,
                   const QByteArray& pixels, int sizeError = 0)
{
    const int offset = 54 + int(palette.size());
    const QByteArray planesAndBits = QByteArray("\1\0", 2) + char(bits) + '\0';
    return "BM" + int32le(offset + int(pixels.size()) + sizeError) + int32le(0) + int32le(offset) + int32le(40) +
           int32le(width) + int32le(height) + planesAndBits + int32le(compression) + int32le(int(pixels.size())) +
           int32le(0) + int32le(0) + int32le(int(palette.size() / 4)) + int32le(0) + palette + pixels;
}

// A packed body with one bitmap and no objects.
QByteArray packedBody(const QByteArray& bmp)
{
    return header() + int32le(1) + str("b") + int32le(int(bmp.size())) + bmp + int32le(0);
}

// A "SkinStream" around a plain body.
QByteArray stream(const QByteArray& body)
{
    return QByteArray(1, '\2') + "TQLZ" + deflateBytes(body, 1);
}

class HostileSkin : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinSource sample;
        buildSampleSkin(sample);
        good = writeSkinStream(&sample);
        engine.readSkinStream(good);
        ASSERT_EQ(engine.objectCount(), 2);
    }

    // The load must fail with a SkinError and leave the loaded skin alone.
    void expectRejected(const QByteArray& bad, const char* contains = nullptr)
    {
        expectFails([&] { engine.readSkinStream(bad); }, contains);
    }
    void expectFails(const std::function<void()>& load, const char* contains = nullptr)
    {
        try {
            load();
            ADD_FAILURE() << "load succeeded";
        } catch (const SkinError& e) {
            if (contains)
                EXPECT_NE(std::string(e.what()).find(contains), std::string::npos) << e.what();
        }
        EXPECT_EQ(engine.objectCount(), 2);
        EXPECT_EQ(engine.source().skinName, "Sample");
        ASSERT_NE(engine.findObject("Form"), nullptr);
        EXPECT_EQ(engine.findObject("Form")->childCount(), 4);
        EXPECT_EQ(engine.source().bitmaps().size(), 3);
    }

    SkinEngine engine;
    QByteArray good;
};

} // namespace

TEST_F(HostileSkin, EveryTruncationOfTheCompressedStreamIsRejected)
{
    // Also the cuts into the last four bytes, zlib's check value.
    for (int length = 1; length < good.size(); length += (length < 64 || length > good.size() - 8 ? 1 : 7)) {
        SCOPED_TRACE(length);
        expectRejected(good.left(length));
    }
}

TEST_F(HostileSkin, EveryTruncationOfThePlainBodyIsRejected)
{
    SkinSource sample;
    buildSampleSkin(sample);
    const QByteArray body = writePlainBody(sample);
    for (int length = 0; length < body.size(); length += (length < 400 ? 1 : 13)) {
        SCOPED_TRACE(length);
        expectRejected(stream(body.left(length)));
    }
}

TEST_F(HostileSkin, CorruptZlibDataRaisesError)
{
    QByteArray bad = good;
    for (int i = 20; i < 40; ++i)
        bad[i] = char(bad[i] ^ 0x5A);
    expectRejected(bad);
    expectRejected(QByteArray("\2TQLZ\x78\x01\xFF\xFF\xFF\xFF", 11), "error");
}

TEST_F(HostileSkin, HugeBitmapSizesFailBeforeAllocating)
{
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(100000) + int32le(100000)), "too large");
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(16000) + int32le(16000)), "too large");
    // Within the size of one bitmap, but more than a whole skin may decode.
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(4000) + int32le(4000)), "too large");
    // Within the limits but without the pixels the size announces.
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(1000) + int32le(1000)), "end");
}

TEST_F(HostileSkin, RecordsClaimNoMoreThanTheirDataBacks)
{
    // Sizes that mean nothing: a negative side, or one zero side of two.
    // Sixteen bitmaps of -4096 x 4096 are 12 bytes of body each.
    QByteArray negative = header() + int32le(16);
    for (int i = 0; i < 16; ++i)
        negative += str("") + int32le(-4096) + int32le(4096);
    const struct {
        QByteArray body;
        const char* error;
    } cases[] = {
        {negative + int32le(0), "Invalid bitmap size"},
        {header() + int32le(1) + str("") + int32le(4096) + int32le(-4096) + int32le(0), "Invalid bitmap size"},
        {header() + int32le(1) + str("") + int32le(INT32_MIN) + int32le(2) + int32le(0), "Invalid bitmap size"},
        {header() + int32le(1) + str("") + int32le(0) + int32le(5) + int32le(0), "Invalid bitmap size"},
        {header() + int32le(1) + str("") + int32le(7) + int32le(0) + int32le(0), "Invalid bitmap size"},
        // Three bitmaps each within the limits, in all more than one skin may hold.
        {header() + int32le(3) + (str("") + int32le(1024) + int32le(1024) + QByteArray(4 << 20, '\0')).repeated(3) +
             int32le(0),
         "too large"},
        // A body whose zlib stream goes on inflating after its end.
        {header() + int32le(0) + int32le(0) + QByteArray(9 << 20, '\0'), "too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        expectRejected(stream(c.body), c.error);
    }
}

TEST_F(HostileSkin, WrongCountsAndLengthsAreRejected)
{
    expectRejected(stream(header() + int32le(-1)), "bitmaps");
    expectRejected(stream(header() + int32le(2000000000)), "bitmaps");
    expectRejected(stream(header() + int32le(0) + int32le(-5)), "objects");
    expectRejected(stream(header() + int32le(0) + int32le(1000000)), "objects");
    expectRejected(stream(header() + int32le(0) + int32le(50)), "end");
    expectRejected(stream(str("Name") + int32le(0x7FFFFFF0)), "string length");
    expectRejected(stream(str("Name") + int32le(-2)), "string length");
}

TEST_F(HostileSkin, UnknownClassesAndPropertiesAreRejected)
{
    const QByteArray text = "object A: TSkinObject\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinEvilObject") + str(text)), "TSkinEvilObject");
    const QByteArray unknownProperty = "object A: TSkinObject\r\n  Bogus = 1\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(unknownProperty)), "Bogus");
    const QByteArray wrongType = "object A: TSkinObject\r\n  Left = 'x'\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(wrongType)), "Left");
    const QByteArray farAway = "object A: TSkinObject\r\n  Width = 2000000000\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(farAway)), "Width");
    const QByteArray badEnum = "object A: TSkinObject\r\n  Align = saSideways\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(badEnum)), "Align");
}

TEST_F(HostileSkin, MalformedTextIsRejected)
{
    const QList<QByteArray> texts = {
        "",
        "object",
        "object A: TSkinObject\r\n  Left = 1\r\n",                       // no end
        "object A: TSkinObject\r\n  Left 1\r\nend\r\n",                  // no '='
        "object A: TSkinObject\r\n  Left = 99999999999999999999\r\nend", // overflow
        "object A: TSkinObject\r\n  Font.Name = 'open\r\nend\r\n",       // unterminated
        "object A: TSkinObject\r\n  Font.Style = [fsBold\r\nend\r\n",
        "object A: TSkinObject\r\n  Objects = {ABC}\r\nend\r\n",  // odd digits
        "object A: TSkinObject\r\n  Objects = {0100}\r\nend\r\n", // short Objects value
        "object A: TSkinObject\r\n  Font.Name = #300\r\nend\r\n",
        "object A: TSkinObject\r\nend\r\ntrailing",
        "end",
    };
    for (const QByteArray& text : texts) {
        SCOPED_TRACE(text.constData());
        expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(text)));
    }
}

TEST_F(HostileSkin, DeepNestingIsRejected)
{
    // Text form: objects nested 200 deep.
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "object A: TSkinObject\r\n";
    for (int i = 0; i < 200; ++i)
        text += "end\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(text)), "nested");

    // Binary "Objects" values nested inside each other.
    QByteArray child = QByteArray("TPF0\x0bTSkinObject\x01"
                                  "A",
                                  18) +
                       QByteArray(2, '\0');
    for (int i = 0; i < 60; ++i) {
        const QByteArray objects = int32le(1 | 0xF0000) + str("TSkinObject") + int32le(int(child.size())) + child;
        child = QByteArray("TPF0\x0bTSkinObject\x01"
                           "A",
                           18) +
                QByteArray("\x07Objects\x0a", 9) + int32le(int(objects.size())) + objects + QByteArray(2, '\0');
    }
    SkinSource packed;
    const QByteArray body =
        header() + int32le(0) + int32le(1) + str("TSkinObject") + int32le(int(child.size())) + child;
    expectRejected(QByteArray(1, '\2') + "TQLZ" + deflateBytes(body, 1)); // the plain body holds text, not binary
    QTemporaryDir dir;
    const QString path = dir.filePath("deep.mskn");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TQLZ" + deflateBytes(body, 9));
    file.close();
    try {
        engine.loadSkinFile(path);
        ADD_FAILURE() << "deep packed skin loaded";
    } catch (const SkinError& e) {
        EXPECT_NE(std::string(e.what()).find("nested"), std::string::npos) << e.what();
    }
    EXPECT_EQ(engine.objectCount(), 2);
}

TEST_F(HostileSkin, HostileChildCountsInObjectsAreRejected)
{
    const QByteArray objects = int32le(0x7FFFF | 0xF0000);
    const QByteArray text = "object A: TSkinObject\r\n  Objects = {" + objects.toHex().toUpper() + "}\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(text)), "end");
    const QByteArray negative = int32le(-7);
    const QByteArray text2 = "object A: TSkinObject\r\n  Objects = {" + negative.toHex().toUpper() + "}\r\nend\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(text2)), "child count");
}

TEST_F(HostileSkin, PixelsAnnouncedBeyondTheDataAreRejected)
{
    // A body that announces one bitmap of 4096 x 4096 and then supplies
    // endless zeros still stops at the bitmap size; a bigger announcement is
    // refused outright. Either way nothing grows without bound.
    const QByteArray body =
        header() + int32le(1) + str("z") + int32le(1024) + int32le(1024) + QByteArray(1 << 20, '\0');
    expectRejected(stream(body), "end");
}

TEST_F(HostileSkin, BadPackedBitmapsAreRejected)
{
    QTemporaryDir dir;
    auto load = [&](const QByteArray& body) {
        const QString path = dir.filePath("bad.mskn");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("TQLZ" + deflateBytes(body, 9));
        file.close();
        engine.loadSkinFile(path);
    };
    const QByteArray palette = int32le(0) + int32le(0xFFFFFF);
    const struct {
        QByteArray bmp;
        const char* error;
    } cases[] = {
        {"XX", "no BMP header"},
        {QByteArray("BM") + QByteArray(60, '\0'), "file size"},
        {bmpFile(30000, 30000, 24, 0, {}, QByteArray(30, '\0')), "too large"},
        {bmpFile(2, 2, 24, 0, {}, QByteArray(12, '\0')), "truncated"},
        {bmpFile(1, 1, 16, 0, {}, QByteArray(4, '\0'), 1), "file size"},
        {bmpFile(1, 1, 8, 0, palette, QByteArray(4, '\0')).replace(46, 4, int32le(300)), "palette"},
        // Run-length pictures whose data leaves pixels undefined: two bytes
        // must not claim 4096 x 4096 pixels.
        {bmpFile(4096, 4096, 8, 1, palette, QByteArray("\0\1", 2)), "run-length picture ends early"},
        {bmpFile(4, 1, 8, 1, palette, QByteArray("\2\1\0\2\2\0\0\1", 8)), "delta"},
        {bmpFile(4, 1, 8, 1, palette, QByteArray("\5\1\0\1", 4)), "too long"},
        {bmpFile(4, 2, 8, 1, palette, QByteArray("\4\1\0\0", 4)), "truncated"},
        {bmpFile(4, 1, 4, 1, palette, QByteArray("\4\1\0\1", 4)), "unsupported"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        expectFails([&] { load(packedBody(c.bmp)); }, c.error);
    }
}

TEST(PackedBitmaps, RunLengthPicturesThatDefineEveryPixelLoad)
{
    // Indices 1 red, 2 green, 3 blue, 5 white; rows from the bottom: a run
    // of four reds, then three literal pixels (padded to an even count) and
    // a run of one red, ended by the end-of-picture mark.
    QByteArray palette;
    for (std::uint32_t bgr : {0u, 0xFF0000u, 0x00FF00u, 0x0000FFu, 0u, 0xFFFFFFu})
        palette += int32le(std::int32_t(bgr));
    const QByteArray rle("\4\1\0\0"
                         "\0\3\2\3\5\0"
                         "\1\1"
                         "\0\1",
                         14);
    SkinSource source;
    const QByteArray file = "TQLZ" + deflateBytes(packedBody(bmpFile(4, 2, 8, 1, palette, rle)), 9);
    readSkin(*skinFilterForFile("x.mskn"), file.constData(), file.size(), source);
    ASSERT_EQ(source.bitmaps().size(), 1);
    const SkinBitmap& b = *source.bitmaps()[0];
    ASSERT_EQ(QSize(b.width(), b.height()), QSize(4, 2));
    const std::uint32_t red = 0xFFFF0000u;
    EXPECT_EQ(QList<std::uint32_t>(b.constScanLine(0), b.constScanLine(0) + 4),
              (QList<std::uint32_t>{0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, red}));
    EXPECT_EQ(QList<std::uint32_t>(b.constScanLine(1), b.constScanLine(1) + 4), QList<std::uint32_t>(4, red));
}

TEST_F(HostileSkin, FailedFileLoadKeepsNameAndSkin)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString loaded = write("good.tqkn", good.mid(1));
    engine.loadSkinFile(loaded);
    // Broken, missing, and present but of an extension that no filter reads.
    const QStringList bad = {write("broken.tqkn", good.mid(1, 40)), dir.filePath("missing.tqkn"),
                             dir.filePath("missing"), write("skin.bmp", good.mid(1))};
    for (const QString& name : bad) {
        SCOPED_TRACE(qPrintable(name));
        expectFails([&] { engine.loadSkinFile(name); });
    }
}
