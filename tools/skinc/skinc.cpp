// corvane-skinc: the skin compiler.
//
//   corvane-skinc MANIFEST OUTPUT [--filter uskn|tqkn|xskn|mskn|stream]
//
// Without --filter the output's extension picks the filter; ".skin" (or
// --filter stream) writes the "SkinStream" content stored with the main
// window: presence byte 2, "TQLZ", zlib level 1.
#include "skin/writer/SkinDescription.h"
#include "skin/stream/SkinFilter.h"
#include "skin/writer/SkinFileWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <new>

using namespace corvane::skin;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString filterName;
    const int filterAt = args.indexOf(QStringLiteral("--filter"));
    if (filterAt >= 0 && filterAt + 1 < args.size()) {
        filterName = args.at(filterAt + 1);
        args.remove(filterAt, 2);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: corvane-skinc MANIFEST OUTPUT [--filter uskn|tqkn|xskn|mskn|stream]\n");
        return 2;
    }
    const QString manifest = args.at(0);
    const QString output = args.at(1);
    if (filterName.isEmpty()) {
        const QString suffix = QFileInfo(output).suffix().toLower();
        filterName = suffix == QLatin1String("skin") ? QStringLiteral("stream") : suffix;
    }
    try {
        SkinSource source;
        compileSkinDescription(manifest, source);
        QByteArray bytes;
        if (filterName == QLatin1String("stream")) {
            bytes = writeSkinStream(&source);
        } else {
            const SkinFilter* filter = skinFilterForFile(QStringLiteral("x.") + filterName);
            if (!filter) {
                std::fprintf(stderr, "corvane-skinc: unknown filter '%s'\n", qPrintable(filterName));
                return 2;
            }
            bytes = writeSkin(*filter, source);
        }
        QFile file(output);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "corvane-skinc: can't write %s\n", qPrintable(output));
            return 1;
        }
        std::printf("%s: %d bitmaps, %d objects, %lld bytes\n", qPrintable(output), int(source.bitmaps().size()),
                    source.objectCount(), static_cast<long long>(bytes.size()));
    } catch (const SkinError& e) {
        std::fprintf(stderr, "corvane-skinc: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "corvane-skinc: out of memory\n");
        return 1;
    }
    return 0;
}
