// Truncated, corrupt and hostile skins: every load ends with a TSkinError and
// the engine keeps the skin it had.
#include "skin/SkinEngine.h"
#include "skin/SkinFilter.h"
#include "skin/SkinObjectForm.h"
#include "tests/skin/SkinTestSkins.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

QByteArray int32le(std::int32_t v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i) out.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
    return out;
}

QByteArray str(const QByteArray& s) { return int32le(std::int32_t(s.size())) + s; }

QByteArray header()
{
    return str("Name") + str("1") + str("") + str("") + str("");
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
        TSkinSource sample;
        buildSampleSkin(sample);
        good = writeSkinStream(&sample);
        engine.readSkinStream(good);
        ASSERT_EQ(engine.objectCount(), 2);
    }

    // The load must fail with a TSkinError and leave the loaded skin alone.
    void expectRejected(const QByteArray& bad, const char* contains = nullptr)
    {
        try {
            engine.readSkinStream(bad);
            ADD_FAILURE() << "load succeeded";
        } catch (const TSkinError& e) {
            if (contains) EXPECT_NE(std::string(e.what()).find(contains), std::string::npos) << e.what();
        }
        EXPECT_EQ(engine.objectCount(), 2);
        EXPECT_EQ(engine.source().SkinName, "Sample");
        ASSERT_NE(engine.findObject("Form"), nullptr);
        EXPECT_EQ(engine.findObject("Form")->childCount(), 4);
        EXPECT_EQ(engine.source().bitmaps().size(), 3);
    }

    TSkinEngine engine;
    QByteArray good;
};

} // namespace

TEST_F(HostileSkin, EveryTruncationOfTheCompressedStreamIsRejected)
{
    // The last four bytes are zlib's checksum, read only after the body is
    // complete; every cut before them loses part of the body.
    for (int length = 1; length < good.size() - 4; length += (length < 64 ? 1 : 7)) {
        SCOPED_TRACE(length);
        expectRejected(good.left(length));
    }
}

TEST_F(HostileSkin, EveryTruncationOfThePlainBodyIsRejected)
{
    TSkinSource sample;
    buildSampleSkin(sample);
    const QByteArray body = sample.writePlainBody();
    for (int length = 0; length < body.size(); length += (length < 400 ? 1 : 13)) {
        SCOPED_TRACE(length);
        expectRejected(stream(body.left(length)));
    }
}

TEST_F(HostileSkin, CorruptZlibDataRaisesError)
{
    QByteArray bad = good;
    for (int i = 20; i < 40; ++i) bad[i] = char(bad[i] ^ 0x5A);
    expectRejected(bad);
    expectRejected(QByteArray("\2TQLZ\x78\x01\xFF\xFF\xFF\xFF", 11), "error");
}

TEST_F(HostileSkin, HugeBitmapSizesFailBeforeAllocating)
{
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(100000) + int32le(100000)), "too large");
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(16000) + int32le(16000)), "too large");
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(INT32_MIN) + int32le(2)), "too large");
    // Within the limits but without the pixels the size announces.
    expectRejected(stream(header() + int32le(1) + str("big") + int32le(4000) + int32le(4000)), "end");
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
        "object A: TSkinObject\r\n  Left = 1\r\n",                      // no end
        "object A: TSkinObject\r\n  Left 1\r\nend\r\n",                  // no '='
        "object A: TSkinObject\r\n  Left = 99999999999999999999\r\nend",  // overflow
        "object A: TSkinObject\r\n  Font.Name = 'open\r\nend\r\n",       // unterminated
        "object A: TSkinObject\r\n  Font.Style = [fsBold\r\nend\r\n",
        "object A: TSkinObject\r\n  Objects = {ABC}\r\nend\r\n",         // odd digits
        "object A: TSkinObject\r\n  Objects = {0100}\r\nend\r\n",        // short Objects value
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
    for (int i = 0; i < 200; ++i) text += "object A: TSkinObject\r\n";
    for (int i = 0; i < 200; ++i) text += "end\r\n";
    expectRejected(stream(header() + int32le(0) + int32le(1) + str("TSkinObject") + str(text)), "nested");

    // Binary "Objects" values nested inside each other.
    QByteArray child = QByteArray("TPF0\x0bTSkinObject\x01" "A", 18) + QByteArray(2, '\0');
    for (int i = 0; i < 60; ++i) {
        const QByteArray objects = int32le(1 | 0xF0000) + str("TSkinObject") + int32le(int(child.size())) + child;
        child = QByteArray("TPF0\x0bTSkinObject\x01" "A", 18) + QByteArray("\x07Objects\x0a", 9)
                + int32le(int(objects.size())) + objects + QByteArray(2, '\0');
    }
    TSkinSource packed;
    const QByteArray body = header() + int32le(0) + int32le(1) + str("TSkinObject") + int32le(int(child.size())) + child;
    expectRejected(QByteArray(1, '\2') + "TQLZ" + deflateBytes(body, 1));  // the plain body holds text, not binary
    QTemporaryDir dir;
    const QString path = dir.filePath("deep.mskn");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TQLZ" + deflateBytes(body, 9));
    file.close();
    try {
        engine.loadSkinFile(path);
        ADD_FAILURE() << "deep packed skin loaded";
    } catch (const TSkinError& e) {
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
    const QByteArray body = header() + int32le(1) + str("z") + int32le(4096) + int32le(4096) + QByteArray(1 << 20, '\0');
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
    const QList<QByteArray> bitmaps = {
        QByteArray("XX"),
        QByteArray("BM") + QByteArray(60, '\0'),
        [] {
            QByteArray bmp("BM", 2);
            bmp += int32le(0) + int32le(0) + int32le(54) + int32le(40) + int32le(30000) + int32le(30000);
            return bmp + QByteArray(30, '\0');
        }(),
    };
    for (const QByteArray& bmp : bitmaps) {
        EXPECT_THROW(load(header() + int32le(1) + str("b") + int32le(int(bmp.size())) + bmp + int32le(0)), TSkinError);
        EXPECT_EQ(engine.objectCount(), 2);
    }
}

TEST_F(HostileSkin, FailedFileLoadKeepsNameAndSkin)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.tqkn");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(good.mid(1, 40));
    file.close();
    engine.setSkinFile("first.tqkn");
    EXPECT_EQ(engine.objectCount(), 0);   // a missing file loads nothing
    engine.readSkinStream(good);
    EXPECT_THROW(engine.setSkinFile(path), TSkinError);
    EXPECT_EQ(engine.SkinFile(), "first.tqkn");
    EXPECT_EQ(engine.objectCount(), 2);
}
