#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace corvane {

namespace {

// The first of `families` this desktop has; the last when it has none (Qt
// then falls back for it as for any missing family).
QString firstInstalled(const QStringList& families)
{
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return families.back();
}

// A designed family this desktop lacks stands for `families`. One it has is
// left alone.
void substitute(const QString& designed, const QStringList& families)
{
    if (!QFontDatabase::hasFamily(designed))
        QFont::insertSubstitutions(designed, families);
}

} // namespace

void installFontSubstitutions()
{
    // Qt takes the first installed family of a list and falls back to the
    // rest, in order, for characters it lacks. Without the explicit Chinese
    // family last, fontconfig's fallback for Han depends on the locale and
    // is often the Japanese variant.
    //
    // Each list names families that are installed, the Chinese one second:
    // a font asked for by installed families is found at once, while one
    // asked for by a missing name makes Qt sort every installed face for a
    // fallback first.
    const QString sansChinese = QStringLiteral("Noto Sans CJK SC");

    substitute(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC")});

    // MS Sans Serif is narrow, close to Helvetica's widths: the layouts
    // designed for it need a font of similar metrics to keep their labels
    // inside their boxes.
    substitute(QStringLiteral("MS Sans Serif"),
               {firstInstalled({QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("DejaVu Sans")}),
                sansChinese});
    // DejaVu Sans descends from the same wide humanist design as Verdana.
    substitute(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), sansChinese});
}

QFont designedFont(const QString& family)
{
    const QStringList installed = QFont::substitutes(family);
    return installed.isEmpty() ? QFont(family) : QFont(installed);
}

} // namespace corvane
