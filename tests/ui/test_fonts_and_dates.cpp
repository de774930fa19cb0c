// Font substitutions made at start-up, and the date and time texts.
#include "ui/DateTimeText.h"
#include "ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QTimeZone>

#include <algorithm>

#include <gtest/gtest.h>

using namespace corvane;

namespace {

// Family of the font that draws each run of the text, in order.
QStringList familiesDrawing(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns())
        families << run.rawFont().familyName().toLower();
    return families;
}

} // namespace

TEST(FontSubstitutions, SongTiIsDrawnWithNotoSerifCjkSc)
{
    // Qt keeps substitute names in lower case.
    EXPECT_EQ(QFont::substitutes(QStringLiteral("宋体")), QStringList({"noto serif cjk sc"}));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("宋体"), 9)).family(), QStringLiteral("Noto Serif CJK SC"));
}

TEST(FontSubstitutions, WindowsSansFamiliesDrawChineseWithNotoSansCjkSc)
{
    for (const QString family : {QStringLiteral("MS Sans Serif"), QStringLiteral("Verdana")}) {
        EXPECT_EQ(QFont::substitutes(family).constLast(), QStringLiteral("noto sans cjk sc"));
        const QStringList drawing = familiesDrawing(QStringLiteral("接收信息"), QFont(family, 8));
        EXPECT_EQ(drawing, QStringList({"noto sans cjk sc"})) << family.toStdString();
        const QStringList latin = familiesDrawing(QStringLiteral("Corvane"), QFont(family, 8));
        ASSERT_EQ(latin.size(), 1);
        EXPECT_FALSE(latin[0].contains(QLatin1String("serif"))) << latin[0].toStdString();
    }
}

// ctest gives every test the suite's own fonts: the machine's and the user's
// other fonts must not be seen, and each family must come as one copy, so
// that the substitutions resolve to the same files on every machine.
TEST(FontSubstitutions, TestsSeeOnlyTheSuitesFonts)
{
    if (!qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        GTEST_SKIP() << "run through ctest for the suite's fonts";
    const QStringList pinned = {"DejaVu Sans",   "DejaVu Serif",   "Nimbus Sans",
                                "Noto Sans CJK", "Noto Serif CJK", "Noto Sans Mono CJK"};
    const QStringList qtGenericNames = {"Sans Serif", "Serif", "Monospace"};
    for (const QString& family : QFontDatabase::families()) {
        if (qtGenericNames.contains(family))
            continue;
        const bool known =
            std::any_of(pinned.begin(), pinned.end(), [&](const QString& name) { return family.startsWith(name); });
        EXPECT_TRUE(known && !family.contains('[')) << family.toStdString();
    }
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("MS Sans Serif"), 8)).family(), QStringLiteral("Nimbus Sans"));
}

TEST(DateTimeText, TheTimeZoneFieldIsDroppedFromTimeFormats)
{
    EXPECT_EQ(withoutTimeZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(withoutTimeZone("t HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(withoutTimeZone("HH:mm:ss t"), "HH:mm:ss");
    EXPECT_EQ(withoutTimeZone("HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(withoutTimeZone("H.mm.ss ttt"), "H.mm.ss");
    EXPECT_EQ(withoutTimeZone("HH:mm:ss 'at' t"), "HH:mm:ss 'at'");
}

TEST(DateTimeText, TimeHasSecondsAndNoZone)
{
    const QTime time(9, 5, 37);
    const QString timeText = longTimeText(time);
    EXPECT_TRUE(timeText.contains(QLatin1String("37"))) << timeText.toStdString();
    EXPECT_TRUE(timeText.contains(QLatin1String("05"))) << timeText.toStdString();
    EXPECT_EQ(timeText, timeText.trimmed());
    const QString zone = QTimeZone::systemTimeZone().abbreviation(QDateTime::currentDateTime());
    if (!zone.isEmpty())
        EXPECT_FALSE(timeText.contains(zone)) << timeText.toStdString();
    EXPECT_TRUE(shortDateText(QDate(2026, 12, 7)).contains(QLatin1String("7")));
}
