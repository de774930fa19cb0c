// corvane-skinshape: works out a window's shape under a skin, for storing it
// beside the skin (see skin/SkinStoredShape.h).
//
//   corvane-skinshape SKIN WIDTHxHEIGHT OUTPUT
//
// SKIN is a "SkinStream" file (.skin) or a skin file; the shape is the one
// the skinned frame gives a window of that size in the normal state.
#include "skin/SkinEngine.h"
#include "skin/model/SkinObject.h"
#include "skin/SkinStoredShape.h"
#include "skin/writer/SkinStoredShapeWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <cstdio>

using namespace corvane::skin;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QStringList size = args.size() == 3 ? args.at(1).split(QLatin1Char('x')) : QStringList();
    const QSize windowSize = size.size() == 2 ? QSize(size.at(0).toInt(), size.at(1).toInt()) : QSize();
    if (windowSize.isEmpty()) {
        std::fprintf(stderr, "usage: corvane-skinshape SKIN WIDTHxHEIGHT OUTPUT\n");
        return 2;
    }
    try {
        SkinEngine engine;
        if (QFileInfo(args.at(0)).suffix() == QLatin1String("skin")) {
            QFile stream(args.at(0));
            if (!stream.open(QIODevice::ReadOnly))
                throw SkinError("can't read " + args.at(0).toStdString());
            engine.readSkinStream(stream.readAll());
        } else {
            engine.loadSkinFile(args.at(0));
        }
        SkinObject* form = engine.formObject();
        if (!form)
            throw SkinError("the skin has no form object");
        const std::unique_ptr<SkinObject> tree = form->copyTree();
        tree->setBitmaps(&engine.source().bitmaps());
        const StoredWindowShape stored{windowSize, formShapeAt(*tree, windowSize)};
        const QByteArray text = writeStoredWindowShape(stored);
        QFile file(args.at(2));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
            std::fprintf(stderr, "corvane-skinshape: can't write %s\n", qPrintable(args.at(2)));
            return 1;
        }
        std::printf("%s: %dx%d, %d rectangles\n", qPrintable(args.at(2)), windowSize.width(), windowSize.height(),
                    int(stored.shape.rectCount()));
    } catch (const SkinError& e) {
        std::fprintf(stderr, "corvane-skinshape: %s\n", e.what());
        return 1;
    }
    return 0;
}
