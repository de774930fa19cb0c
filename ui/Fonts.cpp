#include "Fonts.h"

#include <QFont>
#include <QStringList>

namespace corvane {

void installFontSubstitutions()
{
    // Qt takes the first installed family of a list and falls back to the
    // rest, in order, for characters it lacks. Without the explicit Chinese
    // family last, fontconfig's fallback for Han depends on the locale and
    // is often the Japanese variant.
    const QString sansChinese = QStringLiteral("Noto Sans CJK SC");

    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"));

    // MS Sans Serif is narrow, close to Helvetica's widths: the layouts
    // designed for it need a font of similar metrics to keep their labels
    // inside their boxes.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), sansChinese});
    // DejaVu Sans descends from the same wide humanist design as Verdana.
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), sansChinese});
}

} // namespace corvane
