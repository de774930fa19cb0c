// The dark skin "Ebony" shipped for --skin: its committed source and skin file
// are what the tools make today, and it is Ivory turned dark, with the key
// colour exactly where Ivory has it.
#include "ArtKit.h"
#include "DarkVariant.h"
#include "IvoryObjects.h"
#include "IvorySkin.h"
#include "skin/writer/SkinDescription.h"
#include "skin/stream/SkinFilter.h"
#include "skin/writer/SkinFileWriter.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace ivory;

namespace {

struct Skins {
    BitmapList ivory = ivoryBitmaps(), ebony = ivoryBitmaps();
    ObjectList ivoryTrees = ivoryObjects(), ebonyTrees = ivoryObjects();
    Skins() { makeDark(ebony, ebonyTrees); }
};

const Skins& skins()
{
    static const Skins made;
    return made;
}

QByteArray readSource(const QString& name)
{
    QFile file(qEnvironmentVariable("CORVANE_SOURCE_DIR") + "/resources/skin/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double meanLightness(const QImage& image)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!isKey(image.pixel(x, y))) {
                sum += QColor(image.pixel(x, y)).lightnessF();
                ++count;
            }
    return count ? sum / count : 0;
}

} // namespace

TEST(EbonySkin, CommittedSourceAndFileMatchTheTools)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("CORVANE_SOURCE_DIR"));
    EXPECT_TRUE(readSource("ebony/" + QString(kManifestFile)) == manifestText(ebonyHeader(), skins().ebony))
        << "resources/skin/ebony is stale: build the corvane-ebony-update target";
    EXPECT_TRUE(readSource("ebony/" + QString(kObjectsFile)) == objectsText(skins().ebonyTrees))
        << "resources/skin/ebony is stale: build the corvane-ebony-update target";
    for (size_t i = 0; i < skins().ebony.size(); ++i) {
        const QString file = bitmapFileName(static_cast<int>(i), skins().ebony[i].name);
        const QImage stored(qEnvironmentVariable("CORVANE_SOURCE_DIR") + "/resources/skin/ebony/" + file);
        EXPECT_TRUE(stored.convertToFormat(QImage::Format_RGB32) == skins().ebony[i].image)
            << file.toStdString() << " is stale: build the corvane-ebony-update target";
    }
    corvane::skin::SkinSource compiled;
    compileSkinDescription(qEnvironmentVariable("CORVANE_SOURCE_DIR") + "/resources/skin/ebony/manifest.txt", compiled);
    EXPECT_EQ(compiled.skinName, QStringLiteral("Ebony"));
    EXPECT_TRUE(corvane::skin::writeSkin(*corvane::skin::skinFilterForFile("ebony.tqkn"), compiled) == readSource("ebony.tqkn"))
        << "resources/skin/ebony.tqkn is stale: build the corvane-ebony-skin target";
}

TEST(EbonySkin, DarkWhereIvoryIsLightWithTheKeyColourInTheSamePlaces)
{
    for (size_t i = 0; i < skins().ivory.size(); ++i) {
        const QImage& light = skins().ivory[i].image;
        const QImage& dark = skins().ebony[i].image;
        SCOPED_TRACE(skins().ivory[i].name.toStdString());
        ASSERT_EQ(light.size(), dark.size());
        for (int y = 0; y < light.height(); ++y)
            for (int x = 0; x < light.width(); ++x)
                ASSERT_EQ(isKey(light.pixel(x, y)), isKey(dark.pixel(x, y))) << x << "," << y;
        if (meanLightness(light) > 0.7)
            EXPECT_LT(meanLightness(dark), 0.35);
    }
    // Text is light on the dark surfaces, also where Ivory uses the system's
    // window-text colour.
    const int text = skins().ebonyTrees.front()->font.color;
    EXPECT_EQ(text & 0x80000000, 0);
    EXPECT_GT(QColor(text & 0xFF, (text >> 8) & 0xFF, (text >> 16) & 0xFF).lightnessF(), 0.7);
}
