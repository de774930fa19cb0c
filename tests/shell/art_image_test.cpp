// The stored pictures are read with Qt's built-in BMP and PNG decoders alone:
// the same pixels as Qt's general reader gives, without loading any image
// format plugin at start-up.
#include <gtest/gtest.h>

#include <QFile>
#include <QPixmap>

#include "shell/ArtImage.h"

using corvane::shell::readArtIcon;
using corvane::shell::readArtImage;

namespace {

bool anyImagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

const QStringList storedPictures = {
    QStringLiteral(":/art/board.bmp"),
    QStringLiteral(":/art/pieces/black_general.bmp"),
    QStringLiteral(":/art/pieces/red_soldier.bmp"),
    QStringLiteral(":/art/icon48.png"),
    QStringLiteral(":/art/icon32.png"),
};

} // namespace

// One test, in this order: once a plugin is loaded it stays.
TEST(ArtImage, ReadsTheStoredPicturesWithoutImagePluginsAndAsQtDoes)
{
    QList<QImage> read;
    for (const QString& path : storedPictures)
        read << readArtImage(path);
    const QIcon icon = readArtIcon({QStringLiteral(":/art/icon48.png"), QStringLiteral(":/art/icon32.png")});
    EXPECT_FALSE(anyImagePluginLoaded());

    EXPECT_EQ(read[0].size(), QSize(632, 434));
    EXPECT_EQ(read[1].size(), QSize(41, 43));
    for (int i = 0; i < storedPictures.size(); ++i) {
        const QImage general(storedPictures[i]); // Qt's reader, plugins and all
        ASSERT_FALSE(general.isNull()) << qPrintable(storedPictures[i]);
        EXPECT_EQ(read[i], general) << qPrintable(storedPictures[i]);
    }
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(48, 48), QSize(32, 32)}));
}

TEST(ArtImage, AMissingPictureReadsAsNull)
{
    EXPECT_TRUE(readArtImage(QStringLiteral(":/art/none.bmp")).isNull());
    EXPECT_TRUE(readArtIcon({QStringLiteral(":/art/none.png")}).isNull());
}
