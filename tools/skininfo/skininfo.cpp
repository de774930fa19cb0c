// corvane-skininfo: prints a skin's header, bitmaps and object trees.
//
//   corvane-skininfo FILE [--text]
//
// FILE is a skin file (.uskn, .tqkn, .xskn, .mskn) or "SkinStream" content
// (.skin, starting with the presence byte). --text also prints every
// top-level object in the text object form.
#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/writer/SkinFileWriter.h"
#include "skin/writer/SkinObjectWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <new>

using namespace corvane::skin;

namespace {

void printLink(const char* label, const SkinBitmapLink& link)
{
    if (link.name.isEmpty() && link.right == 0 && link.bottom == 0)
        return;
    std::printf(" %s=\"%s\" %d,%d,%d,%d%s", label, qPrintable(link.name), link.left, link.top, link.right, link.bottom,
                link.bitmap ? "" : " (unresolved)");
}

void printTree(const SkinObject& o, int depth)
{
    std::printf("%*s%s: %s  %s %s  %d,%d %dx%d", depth * 2, "", qPrintable(o.name), o.className().constData(),
                kindIdent(int(o.kind)).constData(), alignIdent(int(o.align)).constData(), o.left(), o.top(), o.width(),
                o.height());
    if (o.marginLeft || o.marginTop || o.marginRight || o.marginBottom)
        std::printf("  margins %d,%d,%d,%d", o.marginLeft, o.marginTop, o.marginRight, o.marginBottom);
    if (auto* b = dynamic_cast<const SkinBitmapObject*>(&o)) {
        printLink("bitmap", b->bitmap);
        std::printf(" tile=%s border=%s%s", tileStyleIdent(int(b->tileStyle)).constData(),
                    tileStyleIdent(int(b->borderTileStyle)).constData(), o.masked ? " masked" : "");
    }
    if (auto* a = dynamic_cast<const SkinActiveBitmap*>(&o))
        printLink("active", a->activeBitmap);
    if (auto* s = dynamic_cast<const SkinSystemButton*>(&o)) {
        std::printf(" action=%s", actionIdent(int(s->action)).constData());
        printLink("hot", s->bitmapHot);
        printLink("pressed", s->bitmapPressed);
    }
    if (auto* b = dynamic_cast<const SkinButtonObject*>(&o)) {
        printLink("hot", b->bitmapHot);
        printLink("focused", b->bitmapFocused);
        printLink("pressed", b->bitmapPressed);
        printLink("disabled", b->bitmapDisabled);
    }
    if (auto* a = dynamic_cast<const SkinActiveObject*>(&o))
        std::printf(" activeColor=%d", a->activeColor);
    std::printf("\n");
    for (const auto& child : o.children())
        printTree(*child, depth + 1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: corvane-skininfo FILE [--text]\n");
        return 2;
    }
    const QString path = args.at(0);
    const bool withText = args.contains(QStringLiteral("--text"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "corvane-skininfo: can't read %s\n", qPrintable(path));
        return 1;
    }
    SkinSource source;
    try {
        const QByteArray bytes = file.readAll();
        if (QFileInfo(path).suffix().compare(QLatin1String("skin"), Qt::CaseInsensitive) == 0) {
            std::printf("container: SkinStream, presence byte %d, magic \"%s\"\n",
                        bytes.isEmpty() ? -1 : int(quint8(bytes[0])), bytes.mid(1, 4).constData());
            if (!readSkinStream(bytes, source)) {
                std::printf("no skin\n");
                return 0;
            }
        } else {
            const SkinFilter* filter = skinFilterForFile(path);
            if (!filter) {
                std::fprintf(stderr, "corvane-skininfo: no filter for %s\n", qPrintable(path));
                return 1;
            }
            std::printf("container: %s (%s)\n", filter->className().constData(), qPrintable(filter->description()));
            readSkin(*filter, bytes.constData(), bytes.size(), source);
        }
    } catch (const SkinError& e) {
        std::fprintf(stderr, "corvane-skininfo: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "corvane-skininfo: out of memory\n");
        return 1;
    }
    std::printf("SkinName: %s\nSkinVersion: %s\nAuthor: %s\nAuthorEMail: %s\nAuthorURL: %s\n",
                qPrintable(source.skinName), qPrintable(source.skinVersion), qPrintable(source.author),
                qPrintable(source.authorEmail), qPrintable(source.authorUrl));
    std::printf("\n%d bitmaps, %lld bytes of body\n", int(source.bitmaps().size()),
                static_cast<long long>(writePlainBody(source).size()));
    for (int i = 0; i < source.bitmaps().size(); ++i) {
        const SkinBitmap* b = source.bitmaps()[i];
        int keys = 0;
        for (int y = 0; y < b->height(); ++y)
            for (int x = 0; x < b->width(); ++x)
                keys += isKeyPixel(b->constScanLine(y)[x]);
        std::printf("  %2d %-12s %4d x %-4d %6d key pixels\n", i, qPrintable(b->name), b->width(), b->height(), keys);
    }
    std::printf("\n%d top-level objects\n", source.objectCount());
    for (const auto& object : source.objects())
        printTree(*object, 1);
    if (withText) {
        for (const auto& object : source.objects())
            std::printf("\n%s", writeTextObject(recordFromObject(*object)).replace("\r\n", "\n").constData());
    }
    return 0;
}
