#include "skin/SkinStoredShape.h"

#include <QList>
#include <QRect>

#include <cstdio>
#include <vector>

namespace corvane::skin {

std::optional<StoredWindowShape> readStoredWindowShape(const QByteArray& text)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 2 || !lines[0].startsWith("# Corvane window shape"))
        return std::nullopt;
    StoredWindowShape stored;
    int width = 0, height = 0;
    char end = 0;
    if (std::sscanf(lines[1].constData(), "%d %d%c", &width, &height, &end) != 2 || width <= 0 || height <= 0)
        return std::nullopt;
    stored.windowSize = QSize(width, height);
    std::vector<QRect> rects;
    for (qsizetype index = 2; index < lines.size(); ++index) {
        if (lines[index].isEmpty())
            continue;
        int x = 0, y = 0, w = 0, h = 0;
        if (std::sscanf(lines[index].constData(), "%d %d %d %d%c", &x, &y, &w, &h, &end) != 4 || w <= 0 || h <= 0)
            return std::nullopt;
        rects.emplace_back(x, y, w, h);
    }
    // Rectangles as QRegion gives them are already banded and sorted; added
    // one by one they make the same region whatever their order.
    for (const QRect& rect : rects)
        stored.shape += rect;
    return stored;
}

} // namespace corvane::skin
