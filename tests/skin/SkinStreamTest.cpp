// The skin stream: object forms, the "Objects" property, bodies, filters,
// the container, link resolution, lookups, key snapping and the hue shift.
#include "skin/writer/SkinDescription.h"
#include "skin/SkinEngine.h"
#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/writer/SkinByteWriter.h"
#include "skin/writer/SkinFileWriter.h"
#include "skin/writer/SkinObjectWriter.h"
#include "tests/skin/SkinTestSkins.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

QByteArray int32le(std::int32_t v)
{
    QByteArray out;
    bytes::appendInt32(out, v);
    return out;
}

QByteArray stringField(const QByteArray& s)
{
    return int32le(std::int32_t(s.size())) + s;
}

SkinObjectRecord sampleRecord()
{
    SkinObjectRecord r;
    r.className = "TSkinObject";
    r.name = "Sample";
    r.properties = {
        {"Align", SkinValue::fromIdent("saMostTop")},
        {"Small", SkinValue::fromInteger(-5)},
        {"Medium", SkinValue::fromInteger(300)},
        {"Large", SkinValue::fromInteger(-70000)},
        {"Quoted", SkinValue::fromString("it's\r\nhere")},
        {"Flag", SkinValue::fromBool(true)},
        {"Off", SkinValue::fromBool(false)},
        {"Font.Style", SkinValue::fromSet({"fsBold", "fsItalic"})},
        {"Empty", SkinValue::fromSet({})},
        {"Blob", SkinValue::fromBinary(QByteArray(70, '\xA5') + QByteArray("\x00\x01", 2))},
    };
    return r;
}

} // namespace

TEST(SkinObjectForm, TextFormRoundTripsEveryValueKind)
{
    const SkinObjectRecord record = sampleRecord();
    const QByteArray text = writeTextObject(record);
    EXPECT_TRUE(text.startsWith("object Sample: TSkinObject\r\n  Align = saMostTop\r\n"));
    EXPECT_TRUE(text.contains("  Quoted = 'it''s'#13#10'here'\r\n"));
    EXPECT_TRUE(text.contains("  Font.Style = [fsBold, fsItalic]\r\n"));
    EXPECT_TRUE(text.contains("  Empty = []\r\n"));
    // Binary: 64 hex digits per line, indented two deeper than the property.
    EXPECT_TRUE(text.contains("  Blob = {\r\n    " + QByteArray(64, 'A').replace("AA", "A5")));
    EXPECT_TRUE(text.endsWith("0001}\r\nend\r\n"));
    EXPECT_EQ(readTextObject(text), record);
}

TEST(SkinObjectForm, BinaryFormUsesSmallestIntegerTags)
{
    SkinObjectRecord r;
    r.className = "C";
    r.name = "N";
    r.properties = {{"A", SkinValue::fromInteger(127)},
                    {"B", SkinValue::fromInteger(-129)},
                    {"D", SkinValue::fromInteger(40000)}};
    const QByteArray bytes = writeBinaryObject(r);
    const QByteArray expected = QByteArray("TPF0\x01"
                                           "C\x01N",
                                           8) +
                                QByteArray("\x01"
                                           "A\x02\x7F",
                                           4) +
                                QByteArray("\x01"
                                           "B\x03\x7F\xFF",
                                           5) +
                                QByteArray("\x01"
                                           "D\x04\x40\x9C\x00\x00",
                                           7) +
                                QByteArray(2, '\0');
    EXPECT_EQ(bytes.toHex(), expected.toHex());
}

TEST(SkinObjectForm, ReadsDelphiStyleTextDetails)
{
    const QByteArray text = "object X: TSkinObject\r\n"
                            "  Name.Part = 'a' +\r\n    'b'#65\r\n"
                            "  Hex = $1F\r\n"
                            "  Blob = {\r\n    0A0b\r\n    0C}\r\n"
                            "  object Child: TSkinTextObject\r\n  end\r\n"
                            "end\r\n";
    const SkinObjectRecord r = readTextObject(text);
    EXPECT_EQ(r.find("Name.Part")->text, "abA");
    EXPECT_EQ(r.find("Hex")->integer, 31);
    EXPECT_EQ(r.find("Blob")->text, QByteArray("\x0A\x0B\x0C", 3));
    ASSERT_EQ(r.children.size(), 1);
    EXPECT_EQ(r.children[0].className, "TSkinTextObject");
}

TEST(SkinObjectsProperty, LeafStoresMarkerOnly)
{
    SkinObject leaf;
    EXPECT_EQ(encodeObjectsProperty(leaf), QByteArray("\x00\x00\x0F\x00", 4));
}

TEST(SkinObjectsProperty, WritesCountWithMarkerAndBinaryChildren)
{
    SkinObject parent;
    (new SkinTextObject(&parent))->name = "A";
    (new SkinSystemButton(&parent))->name = "B";
    const QByteArray value = encodeObjectsProperty(parent);
    EXPECT_EQ(value.left(4), QByteArray("\x02\x00\x0F\x00", 4));
    EXPECT_EQ(value.mid(4, 4 + 15), stringField("TSkinTextObject"));
    EXPECT_EQ(value.mid(4 + 19 + 4, 4), "TPF0");
}

TEST(SkinObjectsProperty, CountWithoutMarkerReadsTextFormChildren)
{
    const QByteArray childText = "object Kid: TSkinObject\r\n  Kind = skTitle\r\nend\r\n";
    const QByteArray objects = int32le(2) + stringField("TSkinActiveObject") + stringField(childText) +
                               stringField("TSkinObject") + stringField(childText);
    SkinObjectRecord r;
    r.className = "TSkinObject";
    r.name = "Parent";
    r.properties = {{"Objects", SkinValue::fromBinary(objects)}};
    SkinReadBudget budget;
    const auto object = objectFromRecord(r, budget);
    ASSERT_EQ(object->childCount(), 2);
    // The class stored beside the child decides what is created.
    EXPECT_EQ(object->child(0)->className(), "TSkinActiveObject");
    EXPECT_EQ(object->child(0)->kind, SkinKind::Title);
    EXPECT_EQ(object->child(1)->name, "Kid");
}

TEST(SkinRegistry, HoldsAllSeventeenClassesInOrder)
{
    const QList<QByteArray> names = SkinClassRegistry::classNames();
    ASSERT_EQ(names.size(), 17);
    EXPECT_EQ(names.first(), "TSkinLinkSkinObject");
    EXPECT_EQ(names[10], "TSkinObject");
    EXPECT_EQ(names.last(), "TSkinTextObject");
    for (const QByteArray& name : names) {
        std::unique_ptr<SkinObject> object = SkinClassRegistry::create(name);
        ASSERT_TRUE(object) << name.constData();
        EXPECT_EQ(object->className(), name);
    }
    EXPECT_EQ(SkinClassRegistry::create("TSkinNothing"), nullptr);
    std::unique_ptr<SkinObject> sys = SkinClassRegistry::create("TSkinSystemButton");
    EXPECT_EQ(sys->kind, SkinKind::SystemButton);
}

TEST(SkinFilters, RegisteredInOrderAndChosenByExtension)
{
    const auto& filters = skinFilters();
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters[0]->extension(), "uskn");
    EXPECT_EQ(filters[1]->extension(), "tqkn");
    EXPECT_EQ(filters[2]->extension(), "xskn");
    EXPECT_EQ(filters[3]->extension(), "mskn");
    EXPECT_EQ(filters[3]->description(), "Maximum Compressed");
    EXPECT_EQ(skinFilterForFile("/x/a.MSKN"), filters[3]);
    EXPECT_EQ(skinFilterForFile("a.tqkn"), filters[1]);
    EXPECT_EQ(skinFilterForFile("a.skin"), nullptr);
    EXPECT_EQ(&defaultSkinFilter(), filters[1]);
}

TEST(SkinFilters, EveryFilterWritesAndReadsBackAnIdenticalSkin)
{
    SkinSource original;
    buildSampleSkin(original);
    for (const SkinFilter* filter : skinFilters()) {
        SCOPED_TRACE(filter->className().constData());
        const QByteArray written = writeSkin(*filter, original);
        SkinSource loaded;
        readSkin(*filter, written.constData(), written.size(), loaded);
        EXPECT_TRUE(sameSkin(original, loaded));
        EXPECT_EQ(writeSkin(*filter, loaded), written);
    }
}

TEST(SkinFilters, CompressedFiltersUseTheirZlibLevels)
{
    SkinSource source;
    buildSampleSkin(source);
    const QByteArray body = writePlainBody(source);
    EXPECT_EQ(writeSkin(*skinFilters()[1], source), "TQLZ" + deflateBytes(body, 1));
    EXPECT_EQ(writeSkin(*skinFilters()[2], source), "TQLZ" + deflateBytes(body, 9));
    EXPECT_EQ(writeSkin(*skinFilters()[0], source), body);
    // zlib header of level 1 and level 9 streams.
    EXPECT_EQ(writeSkin(*skinFilters()[1], source).mid(4, 2), QByteArray("\x78\x01", 2));
    EXPECT_EQ(writeSkin(*skinFilters()[2], source).mid(4, 2), QByteArray("\x78\xDA", 2));
}

TEST(SkinStream, PresenceByteAndAnyMagic)
{
    SkinSource sample;
    buildSampleSkin(sample);
    QByteArray stream = writeSkinStream(&sample);
    EXPECT_EQ(stream.left(5), QByteArray("\x02TQLZ"));
    EXPECT_EQ(writeSkinStream(nullptr), QByteArray(1, '\0'));

    SkinEngine engine;
    engine.readSkinStream(QByteArray(1, '\0') + stream.mid(1));
    EXPECT_EQ(engine.objectCount(), 0);

    stream[0] = 7;                // any non-zero value starts a skin
    stream.replace(1, 4, "ABCD"); // any four bytes as the magic
    engine.readSkinStream(stream);
    EXPECT_EQ(engine.objectCount(), 2);

    // A presence byte of 0 later keeps the skin that is there.
    engine.readSkinStream(QByteArray(1, '\0'));
    EXPECT_EQ(engine.objectCount(), 2);
    EXPECT_EQ(writeSkinStream(&engine.source()).left(5), QByteArray("\x02TQLZ"));
}

TEST(SkinDescription, AnObjectsFileWithoutObjectsIsRefused)
{
    // Compiled, it would be stored as "no skin".
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write("manifest.txt", "SkinName = 'Empty'\nObjects = objects.txt\n");
    for (const QByteArray& objects : {QByteArray(), QByteArray("\r\n\r\n")}) {
        write("objects.txt", objects);
        SkinSource source;
        try {
            compileSkinDescription(dir.filePath("manifest.txt"), source);
            ADD_FAILURE() << "compiled a skin without objects";
        } catch (const SkinError& e) {
            EXPECT_NE(std::string(e.what()).find("no skin objects"), std::string::npos) << e.what();
        }
    }
    write("objects.txt", "object Form: TSkinObject\r\nend\r\n");
    SkinSource source;
    compileSkinDescription(dir.filePath("manifest.txt"), source);
    EXPECT_EQ(source.objectCount(), 1);
}

TEST(SkinStream, BytesAfterTheBodyAreIgnored)
{
    SkinSource sample;
    buildSampleSkin(sample);
    SkinEngine engine;
    engine.readSkinStream(writeSkinStream(&sample) + QByteArray(100, '\x55'));
    EXPECT_EQ(engine.objectCount(), 2);
}

TEST(SkinLinks, LastBitmapOfANameWinsCaseInsensitively)
{
    SkinSource source;
    buildSampleSkin(source);
    const QByteArray stream = writeSkinStream(&source);
    SkinEngine engine;
    engine.readSkinStream(stream);
    auto* close = dynamic_cast<SkinSystemButton*>(engine.findObject("form")->findObject("closebutton"));
    ASSERT_TRUE(close);
    EXPECT_EQ(close->bitmapHot.bitmap, engine.source().bitmaps()[2]);
    auto* caption = dynamic_cast<SkinActiveBitmap*>(engine.formObject()->findObject("Caption"));
    EXPECT_EQ(caption->activeBitmap.bitmap, engine.source().bitmaps()[0]);
    auto* face = dynamic_cast<SkinButtonObject*>(engine.findObject("BUTTON")->findObject("face"));
    EXPECT_TRUE(face->bitmapFocused.isEmpty()); // no bitmap of that name
    EXPECT_EQ(face->bitmapFocused.name, "nothing");
}

TEST(SkinLookups, CaseInsensitiveAndNothingWhileChanging)
{
    SkinSource source;
    buildSampleSkin(source);
    EXPECT_EQ(source.findObject("form"), source.object(0));
    EXPECT_EQ(source.findObject("FORM"), source.object(0));
    EXPECT_EQ(source.findObject("Missing"), nullptr);
    EXPECT_EQ(source.formObject(), source.object(0));
    EXPECT_EQ(source.object(0)->findKind(SkinKind::Client)->name, "Client");
    EXPECT_EQ(source.object(0)->findObject("deep")->name, "Deep");
    source.setChanging(true);
    EXPECT_EQ(source.findObject("Form"), nullptr);
    EXPECT_EQ(source.formObject(), nullptr);
    source.setChanging(false);
    // Without an object named "Form" the first of Kind SkinKind::Form is the form.
    source.object(0)->name = "Window";
    EXPECT_EQ(source.formObject(), source.object(0));
}

TEST(SkinLoading, FontsGetTheDefaultCharset)
{
    SkinSource source;
    buildSampleSkin(source);
    source.object(0)->font.charset = 134;
    source.object(0)->child(0)->font.charset = 0;
    const QByteArray plain = writePlainBody(source);
    EXPECT_TRUE(plain.contains("Font.Charset = GB2312_CHARSET"));
    SkinSource loaded;
    SkinMemoryInput in(plain.constData(), plain.size());
    loaded.readPlainBody(in);
    EXPECT_EQ(loaded.object(0)->font.charset, 1);
    EXPECT_EQ(loaded.object(0)->child(0)->font.charset, 1);
}

TEST(SkinBitmaps, NearMagentaSnapsToKeyAndStoredKeyStays)
{
    SkinSource source;
    auto bitmap = solidBitmap("b", 4, 1, 0xFFFF00FFu);
    bitmap->scanLine(0)[1] = 0xFFFA05FAu;  // within 5 of magenta
    bitmap->scanLine(0)[2] = 0xFFF900FFu;  // red differs by 6
    bitmap->scanLine(0)[3] = SkinKeyPixel; // the key as stored, alpha 0
    source.addBitmap(std::move(bitmap));
    source.addObject(std::make_unique<SkinObject>());
    const QByteArray plain = writePlainBody(source);
    SkinSource loaded;
    SkinMemoryInput in(plain.constData(), plain.size());
    loaded.readPlainBody(in);
    const std::uint32_t* line = loaded.bitmaps()[0]->constScanLine(0);
    EXPECT_EQ(line[0], SkinKeyPixel);
    EXPECT_EQ(line[1], SkinKeyPixel);
    EXPECT_EQ(line[2], 0xFFF900FFu);
    EXPECT_EQ(line[3], SkinKeyPixel);
}

TEST(SkinBitmaps, RowSnappingMatchesThePerPixelRuleAtEveryWidth)
{
    // Rows of every width up to a few vector steps, so that every mix of
    // wide, narrow and leftover pixels is met, copied and in place.
    const std::uint32_t samples[] = {0xFFFF00FFu, 0x80FA05FAu, 0xFFF900FFu, SkinKeyPixel, 0xFF123456u, 0x00FB00FEu,
                                     0xFFFF06FFu, 0xFFFFFFFFu, 0x7FFF00FAu, 0xFF000000u,  0xFFFF00F9u};
    const auto expected = [](std::uint32_t p) {
        const auto near = [](std::uint32_t v, std::uint32_t want) { return (v > want ? v - want : want - v) <= 5; };
        return near((p >> 16) & 0xFF, 0xFF) && near((p >> 8) & 0xFF, 0) && near(p & 0xFF, 0xFF) ? SkinKeyPixel : p;
    };
    for (int width = 1; width <= 27; ++width) {
        std::vector<std::uint32_t> row(static_cast<size_t>(width)), copied(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x)
            row[size_t(x)] = samples[size_t(x * 7 + width) % std::size(samples)];
        SkinBitmap::copyRowSnapped(row.data(), copied.data(), width, 0xFF, 0x00, 0xFF, 5);
        std::vector<std::uint32_t> inPlace = row;
        SkinBitmap::snapRowToKey(inPlace.data(), width, 0xFF, 0x00, 0xFF, 5);
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(copied[size_t(x)], expected(row[size_t(x)])) << "width " << width << ", pixel " << x;
            EXPECT_EQ(inPlace[size_t(x)], expected(row[size_t(x)])) << "width " << width << ", pixel " << x;
        }
    }
}

TEST(SkinBitmaps, PackedBodyKeepsTheKeyAndMakesPixelsOpaque)
{
    SkinSource source;
    auto bitmap = solidBitmap("b", 3, 2, 0x00000000u | widened(9) << 16);
    bitmap->scanLine(1)[2] = SkinKeyPixel;
    source.addBitmap(std::move(bitmap));
    source.addObject(std::make_unique<SkinObject>());
    const QByteArray written = writeSkin(*skinFilters()[3], source);
    SkinSource loaded;
    readSkin(*skinFilters()[3], written.constData(), written.size(), loaded);
    const SkinBitmap* b = loaded.bitmaps()[0];
    EXPECT_EQ(b->constScanLine(0)[0], 0xFF000000u | widened(9) << 16);
    EXPECT_EQ(b->constScanLine(1)[2], SkinKeyPixel);
}

TEST(SkinBitmaps, SizingRules)
{
    SkinBitmap b;
    b.setSize(-3, 2);
    EXPECT_EQ(b.width(), 3);
    EXPECT_EQ(b.height(), 2);
    b.scanLine(0)[0] = 0x12345678u;
    b.setSize(3, -2); // the same size: pixels stay
    EXPECT_EQ(b.constScanLine(0)[0], 0x12345678u);
    b.setSize(0, 5);
    EXPECT_TRUE(b.isEmpty());
}

TEST(SkinHue, ExactArithmeticOnPixels)
{
    // Pure red has hue 0: +85 gives hue 85/255 = 1/3, pure green.
    EXPECT_EQ(shiftPixelHue(0xFFFF0000u, 85), 0xFF00FF00u);
    // -1 wraps to 254 (raised by 255, not 256).
    EXPECT_EQ(shiftPixelHue(0xFFFF0000u, -1), 0xFFFF0006u);
    // 0 + 260 is reduced by 255 to 5, and 256 to 1 (not 0).
    EXPECT_EQ(shiftPixelHue(0xFFFF0000u, 260), shiftPixelHue(0xFFFF0000u, 5));
    EXPECT_EQ(shiftPixelHue(0xFFFF0000u, 256), shiftPixelHue(0xFFFF0000u, 1));
    EXPECT_NE(shiftPixelHue(0xFFFF0000u, 1), 0xFFFF0000u);
    // Alpha comes back as 255; grey has no hue to shift.
    EXPECT_EQ(shiftPixelHue(0x00808080u, 40), 0xFF808080u);
}

TEST(SkinHue, ShiftsBitmapsAndColoursButNotKeyPixels)
{
    SkinSource source;
    auto bitmap = solidBitmap("b", 2, 1, 0xFFFF0000u);
    bitmap->scanLine(0)[1] = SkinKeyPixel;
    source.addBitmap(std::move(bitmap));
    auto object = std::make_unique<SkinObject>();
    object->color = 0x0000FF; // red in 0x00BBGGRR
    object->font.color = clNone;
    (new SkinObject(object.get()))->color = 0x0000FF;
    source.addObject(std::move(object));
    source.setRequestedHue(85);
    source.applyHue();
    EXPECT_EQ(source.bitmaps()[0]->constScanLine(0)[0], 0xFF00FF00u);
    EXPECT_EQ(source.bitmaps()[0]->constScanLine(0)[1], SkinKeyPixel);
    EXPECT_EQ(source.object(0)->color, 0x00FF00);
    EXPECT_EQ(source.object(0)->font.color, clNone);
    EXPECT_EQ(source.object(0)->child(0)->color, 0x00FF00);
    // Applying again without a new request changes nothing.
    source.applyHue();
    EXPECT_EQ(source.object(0)->color, 0x00FF00);
}

TEST(SkinObjectForm, LongBinaryValuesDecodeInAnyCaseAndLineBreaking)
{
    QByteArray bytes;
    for (int i = 0; i < 300; ++i)
        bytes.append(char((i * 37 + 11) & 0xFF));
    QByteArray hex = bytes.toHex(); // lower case
    hex.insert(33, "\r\n    ");     // a break inside a pair of digits
    hex.insert(100, " ");
    const QByteArray text = "object X: TSkinObject\r\n  Blob = {" + hex + "}\r\nend\r\n";
    EXPECT_EQ(readTextObject(text).find("Blob")->text, bytes);
    // A character that is no digit, deep inside a run of digits, is an error.
    QByteArray bad = bytes.toHex().toUpper();
    bad[70] = 'G';
    EXPECT_THROW(readTextObject("object X: TSkinObject\r\n  Blob = {" + bad + "}\r\nend\r\n"), SkinError);
    bad[70] = '\xC1';
    EXPECT_THROW(readTextObject("object X: TSkinObject\r\n  Blob = {" + bad + "}\r\nend\r\n"), SkinError);
}
