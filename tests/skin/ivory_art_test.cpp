// Checks of the Ivory skin source made by tools/ivory: the bitmaps the stored
// skin must have, object links that stay inside their bitmaps, frame pieces
// that fit back together, key colour only where something must show through,
// and committed files that match what the generator draws today.

#include "ArtKit.h"
#include "FrameArt.h"
#include "FrameGeometry.h"
#include "IvoryObjects.h"
#include "IvorySkin.h"
#include "Preview.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

using namespace ivory;
using namespace corvane::skin;

namespace {

const BitmapList& bitmaps()
{
    static const BitmapList list = ivoryBitmaps();
    return list;
}

const ObjectList& objects()
{
    static const ObjectList list = ivoryObjects();
    return list;
}

ObjectList copied(const ObjectList& list)
{
    ObjectList copy;
    for (const ObjectTree& object : list)
        copy.push_back(object->copyTree());
    return copy;
}

const QImage& bitmap(const QString& name)
{
    const QImage* found = nullptr;
    for (const NamedBitmap& b : bitmaps())
        if (b.name == name)
            found = &b.image; // the last of a name, as the loader resolves
    if (!found)
        throw std::runtime_error("no bitmap " + name.toStdString());
    return *found;
}

int keyPixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (isKey(image.pixel(x, y)))
                ++count;
    return count;
}

} // namespace

TEST(IvoryArt, BitmapsHaveTheStoredNamesAndSizesInStreamOrder)
{
    struct Expected {
        const char* name;
        int width, height;
    };
    const Expected expected[] = {
        {"Top", 136, 48},     {"Bottom", 196, 32},     {"Left", 48, 158},    {"Right", 48, 158},   {"Dialog", 64, 45},
        {"roll", 108, 20},    {"min", 96, 21},         {"max", 96, 21},      {"close", 114, 20},   {"help", 72, 10},
        {"menu", 136, 40},    {"menuborders", 12, 12}, {"check", 56, 14},    {"radio", 56, 14},    {"arrows", 368, 16},
        {"hscroll", 64, 16},  {"vscroll", 64, 16},     {"hscroll2", 48, 16}, {"vscroll2", 48, 16}, {"Buttons", 225, 20},
        {"Taborder", 12, 12}, {"tabs", 100, 16},       {"arrows", 368, 16},  {"Pbars", 64, 16},    {"tools", 60, 15}};
    ASSERT_EQ(bitmaps().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bitmaps()[i].name, QString::fromLatin1(expected[i].name));
        EXPECT_EQ(bitmaps()[i].image.size(), QSize(expected[i].width, expected[i].height));
    }
}

TEST(IvoryArt, EveryLinkNamesABitmapAndLiesInsideIt)
{
    EXPECT_EQ(checkLinks(objects(), bitmaps()), QStringList());

    // The check itself notices a rectangle one pixel too wide and a wrong name.
    ObjectList broken = copied(objects());
    static_cast<SkinBitmapObject*>(broken[0]->findObject("Client"))->bitmap.right = 65;
    static_cast<SkinActiveBitmap*>(broken[0]->findObject("CaptionLeft"))->activeBitmap.name = "Lefty";
    const QStringList problems = checkLinks(broken, bitmaps());
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems[0].contains("Form.Caption.CaptionLeft.ActiveBitmap")) << problems[0].toStdString();
    EXPECT_TRUE(problems[1].contains("Form.Client.Bitmap")) << problems[1].toStdString();
}

TEST(IvoryArt, TopLevelObjectsComeInLoadOrder)
{
    const QStringList expected = {"Form",       "MenuBar", "PopupMenu",   "CheckBox", "RadioButton", "ScrollBar",
                                  "Button",     "Tabs",    "ProgressBar", "Edit",     "SpeedButton", "ComboBox",
                                  "GroupBox",   "ListBox", "ScrollBox",   "Header",   "StatusBar",   "Grid",
                                  "ControlBar", "Toolbar", "CopyOfPanel"};
    QStringList names;
    for (const ObjectTree& o : objects()) {
        names << o->name;
        EXPECT_EQ(o->className(), "TSkinObject") << o->name.toStdString();
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(objects()[0]->kind, SkinKind::Form);
    EXPECT_EQ(objects()[1]->kind, SkinKind::MenuBar);
    EXPECT_EQ(objects()[2]->kind, SkinKind::PopupMenu);
}

TEST(IvoryArt, FormIsStoredLaidOutAtItsDesignSize)
{
    ObjectTree form = objects()[0]->copyTree();
    EXPECT_EQ(form->boundsRect(), QRect(0, 0, 300, 250));
    EXPECT_EQ(form->findObject("Client")->boundsRect(), QRect(24, 24, 252, 210));
    EXPECT_EQ(form->findObject("CaptionCenter")->boundsRect(), QRect(62, 0, 146, 24));
    EXPECT_EQ(form->findObject("CopyOfCloseButton")->boundsRect(), QRect(265, 3, 19, 20));

    // Grown to the main window's size, the right-anchored buttons follow the edge.
    form->setBounds(0, 0, 680, 490);
    EXPECT_EQ(form->findObject("CopyOfCloseButton")->left(), 645);
    EXPECT_EQ(form->findObject("CopyOfMinButton")->left(), 607);
    EXPECT_EQ(form->findObject("RollButton")->left(), 17);
    EXPECT_EQ(form->findObject("Client")->boundsRect(), QRect(24, 24, 632, 450));
}

TEST(IvoryArt, FramePiecesAssembleIntoTheFrameDrawnWhole)
{
    // The pieces are cut from one whole frame; put back by the "Form" tree at
    // the main window's size they must give that frame pixel for pixel.
    const LoadedBitmaps loaded(bitmaps());
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "inactive");
        ObjectTree form = objects()[0]->copyTree();
        for (const auto& child : form->children())
            if (child->className() == "TSkinSystemButton" || child->name == "Client")
                child->visible = false;
        const int width = 680, height = 490;
        form->setBounds(0, 0, width, height);
        QImage assembled(width, height, QImage::Format_RGB32);
        assembled.fill(kKey);
        drawObject(assembled, *form, loaded, active, SkinState::Normal);
        const QImage whole = drawWholeFrame(width, height, active);
        const QRect hole(24, 24, width - 48, height - 40);
        int differences = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!hole.contains(x, y) && (assembled.pixel(x, y) & 0xFFFFFF) != (whole.pixel(x, y) & 0xFFFFFF))
                    ++differences;
        EXPECT_EQ(differences, 0);
    }
}

TEST(IvoryArt, KeyColourOnlyWhereTheBackgroundShows)
{
    // Window corners are cut out; the borders themselves are solid.
    EXPECT_TRUE(isKey(bitmap("Left").pixel(0, 0)));
    EXPECT_TRUE(isKey(bitmap("Right").pixel(47, 0)));
    EXPECT_TRUE(isKey(bitmap("Left").pixel(0, 157)));
    EXPECT_EQ(keyPixels(bitmap("Left"), QRect(0, 24, 48, 118)), 0);
    EXPECT_EQ(keyPixels(bitmap("Bottom"), bitmap("Bottom").rect()), 0);
    // Parts drawn unmasked must hold no key colour, or it would show on screen.
    EXPECT_EQ(keyPixels(bitmap("Top"), QRect(38, 0, 30, 48)), 0);
    EXPECT_EQ(keyPixels(bitmap("menu"), bitmap("menu").rect()), 0);
    EXPECT_EQ(keyPixels(bitmap("menuborders"), bitmap("menuborders").rect()), 0);
    EXPECT_EQ(keyPixels(bitmap("Dialog"), bitmap("Dialog").rect()), 0);
    // Button faces: round corners within the 4-pixel margins, solid middle.
    const QImage& buttons = bitmap("Buttons");
    for (int cell = 0; cell < 5; ++cell) {
        SCOPED_TRACE(cell);
        EXPECT_TRUE(isKey(buttons.pixel(cell * 45, 0)));
        EXPECT_TRUE(isKey(buttons.pixel(cell * 45 + 44, 19)));
        EXPECT_EQ(keyPixels(buttons, QRect(cell * 45 + 4, 0, 37, 20)), 0);
        EXPECT_EQ(keyPixels(buttons, QRect(cell * 45, 4, 45, 12)), 0);
    }
    // Caption buttons: the caption shows around the face; the hot and pressed
    // faces (cells 1 and 2) are solid squares with rounded corners.
    const QImage& min = bitmap("min");
    EXPECT_EQ(keyPixels(min, QRect(0, 0, 96, 1)), 96);
    EXPECT_EQ(keyPixels(min, QRect(0, 17, 96, 4)), 96 * 4);
    for (const int cell : {1, 2})
        EXPECT_EQ(keyPixels(min, QRect(cell * 16 + 2, 2, 12, 14)), 0);
    // The normal and active pictures are bare glyphs on the caption.
    EXPECT_GT(keyPixels(min, QRect(0, 1, 16, 16)), 200);
    EXPECT_LT(keyPixels(min, QRect(0, 1, 16, 16)), 256);
}

TEST(IvoryArt, CommittedSourceMatchesTheGenerator)
{
    const QString root = qEnvironmentVariable("CORVANE_SOURCE_DIR");
    ASSERT_FALSE(root.isEmpty());
    const QDir dir(root + "/resources/skin/ivory");
    auto read = [&](const QString& name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Compared as booleans: a mismatch of these long files is better told in words.
    EXPECT_TRUE(read(kManifestFile) == manifestText(ivoryHeader(), bitmaps()))
        << "resources/skin/ivory/manifest.txt is stale: build the corvane-ivory-update target";
    EXPECT_TRUE(read(kObjectsFile) == objectsText(objects()))
        << "resources/skin/ivory/objects.txt is stale: build the corvane-ivory-update target";
    for (size_t i = 0; i < bitmaps().size(); ++i) {
        const QString file = bitmapFileName(static_cast<int>(i), bitmaps()[i].name);
        SCOPED_TRACE(file.toStdString());
        const QImage stored(dir.filePath(file));
        ASSERT_FALSE(stored.isNull());
        EXPECT_TRUE(stored.convertToFormat(QImage::Format_RGB32) ==
                    bitmaps()[i].image.convertToFormat(QImage::Format_RGB32))
            << "stale bitmap: build the corvane-ivory-update target";
    }
}
