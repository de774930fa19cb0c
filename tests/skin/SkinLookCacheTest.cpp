// The kept-look cache the skinned controls and the chat boxes share: a look
// is found only under an equal key, a full cache drops the least recently
// used look (a hit counts as a use), and a found look stays where it is
// while others are found and kept.
#include "skin/draw/SkinLookCache.h"

#include <QColor>
#include <gtest/gtest.h>

using namespace corvane::skin;

namespace {

SkinLookKey keyOf(qint64 number, const QString& text = QString())
{
    SkinLookKey key;
    key << number;
    key.text = text;
    return key;
}

QImage filled(Qt::GlobalColor colour)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QColor colourOf(const QImage* picture)
{
    return picture ? picture->pixelColor(0, 0) : QColor();
}

TEST(SkinLookCache, KeepsTheMostRecentlyUsedLooks)
{
    SkinLookCache cache(2);
    cache.insert(keyOf(1), filled(Qt::red));
    cache.insert(keyOf(2), filled(Qt::green));
    const QImage* red = cache.find(keyOf(1)); // now the most recent
    ASSERT_NE(red, nullptr);
    cache.insert(keyOf(3), filled(Qt::blue)); // drops 2, the least recent
    EXPECT_EQ(cache.find(keyOf(2)), nullptr);
    EXPECT_EQ(colourOf(cache.find(keyOf(3))), QColor(Qt::blue));
    EXPECT_EQ(colourOf(red), QColor(Qt::red)) << "a kept look moved while others were found and kept";
    EXPECT_EQ(cache.size(), 2);
    EXPECT_EQ(cache.bytes(), 2 * filled(Qt::red).sizeInBytes());
}

TEST(SkinLookCache, FindsALookOnlyUnderAnEqualKey)
{
    SkinLookCache cache(4);
    cache.insertLook(keyOf(1, QStringLiteral("象棋")), SkinLook{filled(Qt::red), {QRect(0, 0, 3, 1)}});
    EXPECT_EQ(cache.findLook(keyOf(1)), nullptr);
    EXPECT_EQ(cache.findLook(keyOf(1, QStringLiteral("象"))), nullptr);
    SkinLookKey withFont = keyOf(1, QStringLiteral("象棋"));
    withFont << QFont();
    EXPECT_EQ(cache.findLook(withFont), nullptr);
    const SkinLook* look = cache.findLook(keyOf(1, QStringLiteral("象棋")));
    ASSERT_NE(look, nullptr);
    EXPECT_EQ(look->parts, std::vector<QRect>{QRect(0, 0, 3, 1)});
    cache.clear();
    EXPECT_EQ(cache.findLook(keyOf(1, QStringLiteral("象棋"))), nullptr);
}

} // namespace
