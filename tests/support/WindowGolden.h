#pragma once
// Golden pictures of whole windows: the window as the screen shows it (its
// picture inside its shape, pixels outside transparent), compared pixel for
// pixel with a PNG under the source tree. CORVANE_UPDATE_GOLDEN=1 rewrites the
// PNG; a mismatch writes the picture it got next to the test binary.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <gtest/gtest.h>

namespace corvane::test_support {

inline QImage windowPicture(QWidget& window)
{
    QImage picture = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion shape = window.mask().isEmpty() ? QRegion(window.rect()) : window.mask();
    QImage shaped(picture.size(), QImage::Format_ARGB32);
    shaped.fill(Qt::transparent);
    QPainter painter(&shaped);
    painter.setClipRegion(shape);
    painter.drawImage(0, 0, picture);
    painter.end();
    return shaped;
}

// `folder` is relative to the source tree, e.g. "tests/shell/golden".
inline void expectGoldenPicture(const QImage& actual, const QString& folder, const QString& name)
{
    const QString path =
        qEnvironmentVariable("CORVANE_SOURCE_DIR") + QLatin1Char('/') + folder + QLatin1Char('/') + name;
    if (qEnvironmentVariableIntValue("CORVANE_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(actual.save(path)) << path.toStdString();
        return;
    }
    const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(expected.isNull()) << "missing golden picture " << path.toStdString();
    if (actual != expected) {
        const QString got = QDir::currentPath() + QStringLiteral("/actual-") + name;
        actual.save(got);
        ADD_FAILURE() << name.toStdString() << " differs from the golden picture; got " << got.toStdString();
    }
}

inline void expectWindowGolden(QWidget& window, const QString& folder, const QString& name)
{
    expectGoldenPicture(windowPicture(window), folder, name);
}

} // namespace corvane::test_support
