#include "skin/writer/SkinDescription.h"

#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace corvane::skin {

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SkinError("Can't read " + path.toStdString());
    return file.readAll();
}

// A quoted string ('' for a quote) at the start of `text`; the rest is
// returned in `rest`.
QByteArray quoted(const QByteArray& text, QByteArray* rest, const std::string& where)
{
    if (!text.startsWith('\''))
        throw SkinError(where + ": quoted string expected");
    QByteArray out;
    int i = 1;
    for (;;) {
        if (i >= text.size())
            throw SkinError(where + ": unterminated string");
        if (text[i] == '\'') {
            if (i + 1 < text.size() && text[i + 1] == '\'') {
                out.append('\'');
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        out.append(text[i++]);
    }
    *rest = text.mid(i).trimmed();
    return out;
}

std::unique_ptr<SkinBitmap> loadBitmap(const QString& name, const QString& path)
{
    QImage image;
    if (!image.load(path))
        throw SkinError("Can't read the bitmap " + path.toStdString());
    image = image.convertToFormat(QImage::Format_ARGB32);
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->name = name;
    bitmap->setSize(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::uint32_t* out = bitmap->scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            out[x] = in[x] | 0xFF000000u;
    }
    bitmap->snapToKey(0xFF, 0x00, 0xFF, 5);
    return bitmap;
}

} // namespace

void compileSkinDescription(const QString& manifestPath, SkinSource& source)
{
    source.clear();
    const QDir folder = QFileInfo(manifestPath).absoluteDir();
    const QList<QByteArray> lines = readFile(manifestPath).split('\n');
    bool sawObjects = false;
    for (int n = 0; n < lines.size(); ++n) {
        const QByteArray line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const std::string where = manifestPath.toStdString() + ":" + std::to_string(n + 1);
        const int eq = line.indexOf('=');
        if (eq < 0)
            throw SkinError(where + ": 'Key = value' expected");
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        QByteArray rest;
        if (key == "SkinName" || key == "SkinVersion" || key == "Author" || key == "AuthorEMail" ||
            key == "AuthorURL") {
            const QString text = QString::fromLatin1(quoted(value, &rest, where));
            if (key == "SkinName")
                source.skinName = text;
            else if (key == "SkinVersion")
                source.skinVersion = text;
            else if (key == "Author")
                source.author = text;
            else if (key == "AuthorEMail")
                source.authorEmail = text;
            else
                source.authorUrl = text;
        } else if (key == "Bitmap") {
            const QString name = QString::fromLatin1(quoted(value, &rest, where));
            if (rest.isEmpty())
                throw SkinError(where + ": bitmap file expected");
            source.addBitmap(loadBitmap(name, folder.filePath(QString::fromUtf8(rest))));
        } else if (key == "Objects") {
            const QByteArray text = readFile(folder.filePath(QString::fromUtf8(value)));
            SkinReadBudget budget;
            for (const SkinObjectRecord& record : readTextObjects(text)) {
                std::unique_ptr<SkinObject> object = objectFromRecord(record, budget);
                object->setCharset(1);
                source.addObject(std::move(object));
            }
            sawObjects = true;
        } else {
            throw SkinError(where + ": unknown key " + key.toStdString());
        }
    }
    if (!sawObjects)
        throw SkinError(manifestPath.toStdString() + ": no Objects line");
    // A skin without objects would be stored as "no skin" (a lone 0 byte).
    if (source.objectCount() == 0)
        throw SkinError(manifestPath.toStdString() + ": the Objects file holds no skin objects");
    // Objects read before a bitmap line resolve their links only now.
    for (const auto& object : source.objects())
        object->linkBitmaps();
}

} // namespace corvane::skin
