#include "IvorySkin.h"

#include "ControlArt.h"
#include "FrameArt.h"
#include "MenuArt.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/writer/SkinObjectWriter.h"

#include <QDir>
#include <QFile>

namespace ivory {

SkinHeader ivoryHeader()
{
    return {QStringLiteral("Ivory"), QStringLiteral("3.1.0"), QStringLiteral("Corvane"),
            QStringLiteral("skins@corvane.invalid"), QString()};
}

BitmapList ivoryBitmaps()
{
    return {
        {"Top", drawTop()},
        {"Bottom", drawBottom()},
        {"Left", drawLeft()},
        {"Right", drawRight()},
        {"Dialog", drawDialog()},
        {"roll", drawRollButtons()},
        {"min", drawMinButtons()},
        {"max", drawMaxButtons()},
        {"close", drawCloseButtons()},
        {"help", drawHelpButtons()},
        {"menu", drawMenu()},
        {"menuborders", drawMenuBorders()},
        {"check", drawCheckBoxes()},
        {"radio", drawRadioButtons()},
        {"arrows", drawArrows(false)}, // superseded by the second "arrows"
        {"hscroll", drawScrollThumbs(true)},
        {"vscroll", drawScrollThumbs(false)},
        {"hscroll2", drawScrollTracks(true)},
        {"vscroll2", drawScrollTracks(false)},
        {"Buttons", drawButtonFaces()},
        {"Taborder", drawPanelBorder()},
        {"tabs", drawTabs()},
        {"arrows", drawArrows(true)},
        {"Pbars", drawProgressBars()},
        {"tools", drawToolButtons()},
    };
}

const NamedBitmap* resolveBitmap(const BitmapList& bitmaps, const QString& name)
{
    const NamedBitmap* found = nullptr;
    for (const NamedBitmap& bitmap : bitmaps)
        if (bitmap.name.compare(name, Qt::CaseInsensitive) == 0)
            found = &bitmap;
    return found;
}

namespace {

using namespace corvane::skin;

// Every link of the object with its property name, in stream order.
std::vector<std::pair<QString, const SkinBitmapLink*>> linksOf(const SkinObject& object)
{
    std::vector<std::pair<QString, const SkinBitmapLink*>> links;
    if (auto* bitmap = dynamic_cast<const SkinBitmapObject*>(&object))
        links.emplace_back("Bitmap", &bitmap->bitmap);
    if (auto* active = dynamic_cast<const SkinActiveBitmap*>(&object))
        links.emplace_back("ActiveBitmap", &active->activeBitmap);
    if (auto* button = dynamic_cast<const SkinSystemButton*>(&object)) {
        links.emplace_back("BitmapHot", &button->bitmapHot);
        links.emplace_back("BitmapPressed", &button->bitmapPressed);
    }
    if (auto* button = dynamic_cast<const SkinButtonObject*>(&object)) {
        links.emplace_back("BitmapHot", &button->bitmapHot);
        links.emplace_back("BitmapPressed", &button->bitmapPressed);
        links.emplace_back("BitmapFocused", &button->bitmapFocused);
        links.emplace_back("BitmapDisabled", &button->bitmapDisabled);
    }
    return links;
}

void checkObject(const SkinObject& object, const QString& path, const BitmapList& bitmaps, QStringList& problems)
{
    const QString here = path.isEmpty() ? object.name : path + '.' + object.name;
    for (const auto& [property, link] : linksOf(object)) {
        if (link->name.isEmpty())
            continue; // an unused link
        const NamedBitmap* bitmap = resolveBitmap(bitmaps, link->name);
        if (!bitmap) {
            problems << QStringLiteral("%1.%2: no bitmap named '%3'").arg(here, property, link->name);
        } else if (link->rect().isEmpty() || !bitmap->image.rect().contains(link->rect())) {
            problems << QStringLiteral("%1.%2: rectangle %3,%4,%5,%6 not inside '%7' (%8 x %9)")
                            .arg(here, property)
                            .arg(link->left)
                            .arg(link->top)
                            .arg(link->right)
                            .arg(link->bottom)
                            .arg(link->name)
                            .arg(bitmap->image.width())
                            .arg(bitmap->image.height());
        }
    }
    for (const auto& child : object.children())
        checkObject(*child, here, bitmaps, problems);
}

QByteArray quoted(const QString& text)
{
    QString doubled = text;
    doubled.replace('\'', QStringLiteral("''"));
    return '\'' + doubled.toUtf8() + '\'';
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

QStringList checkLinks(const ObjectList& objects, const BitmapList& bitmaps)
{
    QStringList problems;
    for (const ObjectTree& object : objects)
        checkObject(*object, QString(), bitmaps, problems);
    return problems;
}

QString bitmapFileName(int index, const QString& name)
{
    return QStringLiteral("bitmaps/%1-%2.bmp").arg(index, 2, 10, QLatin1Char('0')).arg(name);
}

QByteArray manifestText(const SkinHeader& header, const BitmapList& bitmaps)
{
    QByteArray text;
    text += "# " + header.skinName.toUtf8() + " skin source, generated by corvane-ivory. Do not edit by hand.\n";
    text += "SkinName = " + quoted(header.skinName) + '\n';
    text += "SkinVersion = " + quoted(header.skinVersion) + '\n';
    text += "Author = " + quoted(header.author) + '\n';
    text += "AuthorEMail = " + quoted(header.authorEMail) + '\n';
    text += "AuthorURL = " + quoted(header.authorUrl) + '\n';
    for (size_t i = 0; i < bitmaps.size(); ++i)
        text += "Bitmap = " + quoted(bitmaps[i].name) + ' ' +
                bitmapFileName(static_cast<int>(i), bitmaps[i].name).toUtf8() + '\n';
    text += QByteArray("Objects = ") + kObjectsFile + '\n';
    return text;
}

QByteArray objectsText(const ObjectList& objects)
{
    QByteArray text;
    for (const ObjectTree& object : objects)
        text += corvane::skin::writeTextObject(corvane::skin::recordFromObject(*object));
    return text;
}

bool writeSkinSource(const QString& folder, const SkinHeader& header, const BitmapList& bitmaps,
                     const ObjectList& objects, QString* error)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("bitmaps"))) {
        if (error)
            *error = QStringLiteral("cannot create %1/bitmaps").arg(folder);
        return false;
    }
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const QString path = dir.filePath(bitmapFileName(static_cast<int>(i), bitmaps[i].name));
        if (!bitmaps[i].image.convertToFormat(QImage::Format_RGB32).save(path, "BMP")) {
            if (error)
                *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return writeFile(dir.filePath(kManifestFile), manifestText(header, bitmaps), error) &&
           writeFile(dir.filePath(kObjectsFile), objectsText(objects), error);
}

} // namespace ivory
