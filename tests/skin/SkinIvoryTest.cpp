// The stored skin "Ivory": the committed stream is what the compiler makes of
// its source, it holds what the program's controls rely on, and its trees draw
// exactly as the committed golden images (tests/skin/golden/*.png).
//
// Set CORVANE_UPDATE_GOLDEN=1 to rewrite the golden images after a deliberate
// change of the artwork or the drawing code, then look at them.
#include "skin/writer/SkinDescription.h"
#include "skin/SkinEngine.h"
#include "skin/stream/SkinFilter.h"
#include "skin/writer/SkinFileWriter.h"
#include "tests/skin/SkinTestSkins.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace corvane::skin;

namespace {

QString sourceDir()
{
    return qEnvironmentVariable("CORVANE_SOURCE_DIR", QStringLiteral(CORVANE_SOURCE_DIR_FALLBACK));
}

QByteArray committedStream()
{
    QFile file(QStringLiteral(":/skin/ivory.skin"));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// The window frame as a host: answers the get-form request event with the program's
// border icons and the given activation.
class GoldenFrame : public QObject, public SkinFrameInterface {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == skinGetFormEvent()) {
            static_cast<SkinGetFormEvent*>(e)->setForm(this);
            return true;
        }
        return QObject::event(e);
    }
    bool isFrameActive() const override { return active; }
    SkinBorderIcons borderIcons() const override
    {
        return borderIconBit(SkinBorderIcon::Close) | borderIconBit(SkinBorderIcon::SystemMenu) |
               borderIconBit(SkinBorderIcon::Minimize) | borderIconBit(SkinBorderIcon::RollUp) |
               borderIconBit(SkinBorderIcon::Tray);
    }
    void performSkinAction(SkinAction, SkinSystemButton*) override { }
    QIcon frameIcon() const override { return QIcon(); }
    bool active = true;
};

constexpr std::uint32_t Desktop = 0xFF3A6EA5u; // shows through the masked parts

QImage canvas(int width, int height, std::uint32_t background = Desktop)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

void expectGolden(const QImage& rendered, const QString& name)
{
    const QString path = sourceDir() + QStringLiteral("/tests/skin/golden/") + name + QStringLiteral(".png");
    const QImage actual = rendered.convertToFormat(QImage::Format_ARGB32);
    if (qEnvironmentVariableIntValue("CORVANE_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(actual.save(path)) << qPrintable(path);
        return;
    }
    QImage expected(path);
    ASSERT_FALSE(expected.isNull()) << "missing golden image " << qPrintable(path);
    expected = expected.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(expected.size(), actual.size()) << qPrintable(name);
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            differing += actual.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0) << qPrintable(name) << ": pixels differ from the golden image";
    if (differing)
        actual.save(QDir::tempPath() + QStringLiteral("/") + name + QStringLiteral("-actual.png"));
}

class Ivory : public ::testing::Test {
protected:
    void SetUp() override
    {
        stream = committedStream();
        ASSERT_FALSE(stream.isEmpty()) << "the resource :/skin/ivory.skin is missing";
        engine.readSkinStream(stream);
        ASSERT_EQ(engine.objectCount(), 21);
    }
    QByteArray stream;
    SkinEngine engine;
};

} // namespace

TEST_F(Ivory, CommittedStreamIsWhatTheCompilerMakesOfTheSource)
{
    SkinSource compiled;
    compileSkinDescription(sourceDir() + QStringLiteral("/resources/skin/ivory/manifest.txt"), compiled);
    EXPECT_TRUE(writeSkinStream(&compiled) == stream)
        << "resources/skin/ivory.skin is out of date: build the target corvane-ivory-skin";
}

TEST_F(Ivory, NoSingleBitFlipLoadsAlteredPictures)
{
    // Every flipped bit is refused, or loads exactly the skin that was stored
    // (the magic is not checked, a presence byte of 0 means no skin, and zlib
    // ignores the bits that pad its last byte). Checked on the first and last
    // 64 bits and a spread of the bits in between.
    const QByteArray stored = writePlainBody(engine.source());
    const qint64 bits = stream.size() * 8;
    int refused = 0, loaded = 0;
    for (qint64 bit = 0; bit < bits; bit += (bit < 64 || bit >= bits - 64 ? 1 : 331)) {
        QByteArray flipped = stream;
        flipped[bit / 8] = char(flipped[bit / 8] ^ (1 << (bit % 8)));
        SkinSource source;
        try {
            if (!readSkinStream(flipped, source))
                continue;
        } catch (const SkinError&) {
            ++refused;
            continue;
        }
        ++loaded;
        EXPECT_TRUE(writePlainBody(source) == stored) << "bit " << bit << " of the stream loads an altered skin";
    }
    // About 950 flips: the 40 bits of presence byte and magic load, nearly all others are refused.
    EXPECT_GT(refused, 800);
    EXPECT_LT(loaded, 80);
}

TEST_F(Ivory, ContainerIsPresenceTwoMagicAndZlibLevelOne)
{
    EXPECT_EQ(stream.left(5), QByteArray("\x02TQLZ"));
    EXPECT_EQ(stream.mid(5, 2), QByteArray("\x78\x01", 2));
}

TEST_F(Ivory, HeaderBitmapsAndObjects)
{
    const SkinSource& s = engine.source();
    EXPECT_EQ(s.skinName, "Ivory");
    EXPECT_EQ(s.skinVersion, "3.1.0");
    EXPECT_EQ(s.authorUrl, "");
    const QList<std::tuple<const char*, int, int>> bitmaps = {
        {"Top", 136, 48},     {"Bottom", 196, 32},     {"Left", 48, 158},    {"Right", 48, 158},   {"Dialog", 64, 45},
        {"roll", 108, 20},    {"min", 96, 21},         {"max", 96, 21},      {"close", 114, 20},   {"help", 72, 10},
        {"menu", 136, 40},    {"menuborders", 12, 12}, {"check", 56, 14},    {"radio", 56, 14},    {"arrows", 368, 16},
        {"hscroll", 64, 16},  {"vscroll", 64, 16},     {"hscroll2", 48, 16}, {"vscroll2", 48, 16}, {"Buttons", 225, 20},
        {"Taborder", 12, 12}, {"tabs", 100, 16},       {"arrows", 368, 16},  {"Pbars", 64, 16},    {"tools", 60, 15}};
    ASSERT_EQ(s.bitmaps().size(), bitmaps.size());
    for (int i = 0; i < bitmaps.size(); ++i) {
        EXPECT_EQ(s.bitmaps()[i]->name, std::get<0>(bitmaps[i])) << i;
        EXPECT_EQ(s.bitmaps()[i]->width(), std::get<1>(bitmaps[i])) << i;
        EXPECT_EQ(s.bitmaps()[i]->height(), std::get<2>(bitmaps[i])) << i;
    }
    const QStringList names = {"Form",       "MenuBar", "PopupMenu",   "CheckBox", "RadioButton", "ScrollBar",
                               "Button",     "Tabs",    "ProgressBar", "Edit",     "SpeedButton", "ComboBox",
                               "GroupBox",   "ListBox", "ScrollBox",   "Header",   "StatusBar",   "Grid",
                               "ControlBar", "Toolbar", "CopyOfPanel"};
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(s.object(i)->name, names[i]);
        EXPECT_EQ(s.object(i)->className(), "TSkinObject");
    }
    EXPECT_EQ(engine.formObject(), s.object(0));
    EXPECT_EQ(s.object(1)->kind, SkinKind::MenuBar);
    EXPECT_EQ(s.object(2)->kind, SkinKind::PopupMenu);
}

TEST_F(Ivory, EveryLinkToArrowsResolvesToTheSecondOne)
{
    const SkinBitmap* second = engine.source().bitmaps()[22];
    int links = 0;
    std::function<void(SkinObject*)> visit = [&](SkinObject* o) {
        auto check = [&](const SkinBitmapLink& link) {
            if (link.name.compare("arrows", Qt::CaseInsensitive) == 0) {
                EXPECT_EQ(link.bitmap, second) << qPrintable(o->name);
                ++links;
            }
        };
        if (auto* b = dynamic_cast<SkinBitmapObject*>(o))
            check(b->bitmap);
        if (auto* b = dynamic_cast<SkinButtonObject*>(o)) {
            check(b->bitmapHot);
            check(b->bitmapPressed);
            check(b->bitmapDisabled);
            check(b->bitmapFocused);
        }
        for (const auto& c : o->children())
            visit(c.get());
    };
    for (const auto& o : engine.source().objects())
        visit(o.get());
    EXPECT_GT(links, 0);
}

TEST_F(Ivory, FormTreeHasThePartsTheFrameUses)
{
    SkinObject* form = engine.formObject();
    EXPECT_EQ(form->boundsRect(), QRect(0, 0, 300, 250));
    const QStringList children = {"Caption",         "Bottom",          "Left",
                                  "Right",           "Client",          "RollButton",
                                  "UnrollButton",    "SystemButton8",   "CopyOfMinButton",
                                  "CopyOfMaxButton", "CopyOfResButton", "CopyOfCloseButton"};
    ASSERT_EQ(form->childCount(), children.size());
    for (int i = 0; i < children.size(); ++i)
        EXPECT_EQ(form->child(i)->name, children[i]);
    EXPECT_EQ(form->findKind(SkinKind::Title)->name, "CaptionCenter");
    EXPECT_EQ(form->findKind(SkinKind::Client)->boundsRect(), QRect(24, 24, 252, 210));
    auto* close = dynamic_cast<SkinSystemButton*>(form->findObject("CopyOfCloseButton"));
    ASSERT_TRUE(close);
    EXPECT_EQ(close->action, SkinAction::Close);
    EXPECT_EQ(close->align, SkinAlign::TopRight);
    EXPECT_EQ(close->boundsRect(), QRect(265, 3, 19, 20));
    auto* item = dynamic_cast<SkinActiveObject*>(engine.findObject("PopupMenu")->findObject("Item"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->color, 14148072);
    EXPECT_EQ(item->activeColor, 5729399);
    auto* face = dynamic_cast<SkinButtonObject*>(engine.findObject("Button")->findObject("Face"));
    ASSERT_TRUE(face);
    EXPECT_EQ(face->bitmapDisabled.rect(), QRect(90, 0, 45, 20));
}

// The main window: client area 632 x 450 inside the frame's 24/24/24/16 borders.
TEST_F(Ivory, GoldenFormActiveInactiveAndRolledUp)
{
    GoldenFrame frame;
    struct Case {
        const char* name;
        bool active;
        SkinState state;
        int height;
    };
    for (const Case& c :
         {Case{"form-active", true, SkinState::Normal, 490}, Case{"form-inactive", false, SkinState::Normal, 490},
          Case{"form-rolledup", true, SkinState::RolledUp, 40}}) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<SkinObject> tree = engine.formObject()->copyTree();
        tree->setHost(&frame);
        frame.active = c.active;
        tree->setBounds(0, 0, 680, c.height);
        tree->setActive(c.active);
        tree->setState(c.state);
        EXPECT_EQ(tree->findObject("RollButton")->visible, c.state != SkinState::RolledUp);
        EXPECT_EQ(tree->findObject("UnrollButton")->visible, c.state == SkinState::RolledUp);
        EXPECT_FALSE(tree->findObject("CopyOfMaxButton")->visible);
        EXPECT_FALSE(tree->findObject("CopyOfResButton")->visible);
        QImage image = canvas(680, c.height);
        QPainter painter(&image);
        tree->draw(painter);
        painter.end();
        expectGolden(image, c.name);
        // The close button followed the right edge: 265 + (680 - 300).
        EXPECT_EQ(tree->findObject("CopyOfCloseButton")->left(), 645);
    }
}

TEST_F(Ivory, GoldenMenuBarWithAHotItem)
{
    std::unique_ptr<SkinObject> tree = engine.findObject("MenuBar")->copyTree();
    tree->setBounds(0, 0, 632, 20);
    tree->findObject("ToolbarFrame")->visible = false;
    tree->findObject("ToolbarItem")->visible = false;
    SkinObject* frameObject = tree->findObject("Frame");
    SkinObject* item = tree->findObject("Item");
    item->visible = false;
    QImage image = canvas(632, 20);
    QPainter painter(&image);
    tree->draw(painter);
    // Two items as a menu bar places them: a normal one, then a hot one.
    item->visible = true;
    item->setBounds(0, 0, 37, 20);
    item->draw(painter);
    item->setBounds(37, 0, 37, 20);
    item->setState(SkinState::Hot);
    item->draw(painter);
    painter.end();
    EXPECT_EQ(frameObject->boundsRect(), QRect(0, 0, 632, 20));
    expectGolden(image, "menubar-item-hot");
}

TEST_F(Ivory, GoldenButtonFaceInItsFiveStates)
{
    std::unique_ptr<SkinObject> tree = engine.findObject("Button")->copyTree();
    SkinObject* face = tree->findObject("Face");
    const SkinState states[5] = {SkinState::Normal, SkinState::Hot, SkinState::Pressed, SkinState::Focused,
                                 SkinState::Disabled};
    QImage image = canvas(5 * 85, 29, 0xFFD8E9ECu);
    QPainter painter(&image);
    for (int i = 0; i < 5; ++i) {
        face->setState(states[i]);
        face->setBounds(2 + 85 * i, 2, 81, 25);
        face->draw(painter);
    }
    painter.end();
    expectGolden(image, "button-face-states");
}

TEST_F(Ivory, FormRegionFollowsTheMaskedCorners)
{
    std::unique_ptr<SkinObject> tree = engine.formObject()->copyTree();
    tree->setBounds(0, 0, 680, 490);
    const QRegion region = tree->createRegion();
    // The client and the straight edges are inside; nothing lies outside the window.
    EXPECT_TRUE(region.contains(QPoint(340, 250)));
    EXPECT_TRUE(region.contains(QPoint(340, 2)));
    EXPECT_EQ(region.boundingRect() & QRect(0, 0, 680, 490), region.boundingRect());
    // The Left and Right bitmaps carry key pixels at the rounded corners.
    int outside = 0;
    for (int y = 0; y < 490; ++y)
        for (int x = 0; x < 680; ++x)
            outside += !region.contains(QPoint(x, y));
    EXPECT_GT(outside, 0);
}
