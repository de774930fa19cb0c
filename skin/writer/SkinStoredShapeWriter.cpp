#include "skin/writer/SkinStoredShapeWriter.h"

#include "skin/SkinFormTypes.h"
#include "skin/model/SkinObject.h"

namespace corvane::skin {

QRegion formShapeAt(SkinObject& form, const QSize& windowSize, int shadowSize)
{
    form.setBounds(0, 0, windowSize.width(), windowSize.height());
    form.setState(skinStateOf(SkinWindowState::Normal));
    QRegion region = form.createRegion();
    if (shadowSize > 0)
        region |= region.translated(shadowSize, shadowSize);
    return region;
}

QByteArray writeStoredWindowShape(const StoredWindowShape& stored)
{
    QByteArray text = "# Corvane window shape: window width and height, then x y width height a line\n";
    text += QByteArray::number(stored.windowSize.width()) + ' ' + QByteArray::number(stored.windowSize.height()) + '\n';
    for (const QRect& rect : stored.shape)
        text += QByteArray::number(rect.x()) + ' ' + QByteArray::number(rect.y()) + ' ' +
                QByteArray::number(rect.width()) + ' ' + QByteArray::number(rect.height()) + '\n';
    return text;
}

} // namespace corvane::skin
