// corvane-ivory: draws the Ivory skin's bitmaps, describes its object trees
// and writes both as the skin source that the skin compiler turns into the
// stored skin stream.
//
//   corvane-ivory [--dark] [--out FOLDER] [--preview FOLDER [--board PICTURE]]
//
// --dark writes the dark variant "Ebony" instead (see DarkVariant.h).
// --out defaults to resources/skin/ivory (resources/skin/ebony with --dark)
// below the current folder; --preview
// also writes enlarged bitmaps and window mock-ups as PNG files, showing the
// board PICTURE (e.g. resources/art/board.bmp) in the mock-ups' client area.

#include "DarkVariant.h"
#include "IvoryObjects.h"
#include "IvorySkin.h"
#include "Preview.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Text in the previews needs fonts, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString out;
    QString preview, board;
    bool dark = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dark"))
            dark = true;
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == QLatin1String("--preview") && i + 1 < args.size())
            preview = args[++i];
        else if (args[i] == QLatin1String("--board") && i + 1 < args.size())
            board = args[++i];
        else {
            std::fprintf(stderr, "usage: corvane-ivory [--dark] [--out FOLDER] [--preview FOLDER [--board PICTURE]]\n");
            return 2;
        }
    }

    if (out.isEmpty())
        out = dark ? QStringLiteral("resources/skin/ebony") : QStringLiteral("resources/skin/ivory");
    ivory::BitmapList bitmaps = ivory::ivoryBitmaps();
    ivory::ObjectList objects = ivory::ivoryObjects();
    const ivory::SkinHeader header = dark ? ivory::ebonyHeader() : ivory::ivoryHeader();
    if (dark)
        ivory::makeDark(bitmaps, objects);
    const QStringList problems = ivory::checkLinks(objects, bitmaps);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    if (!problems.isEmpty())
        return 1;

    QString error;
    if (!ivory::writeSkinSource(out, header, bitmaps, objects, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QImage boardPicture = board.isEmpty() ? QImage() : QImage(board);
    if (!board.isEmpty() && boardPicture.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(board));
        return 1;
    }
    if (!preview.isEmpty() && !ivory::writePreviews(preview, bitmaps, objects, boardPicture, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s: %zu bitmaps, %zu objects written to %s\n", qPrintable(header.skinName), bitmaps.size(),
                objects.size(), qPrintable(out));
    return 0;
}
