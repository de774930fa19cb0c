#include "skin/writer/SkinFileWriter.h"

#include "skin/writer/SkinBmpWriter.h"
#include "skin/writer/SkinByteWriter.h"
#include "skin/writer/SkinObjectWriter.h"

#include <zlib.h>

namespace corvane::skin {

namespace {

using bytes::appendInt32;
using bytes::appendString;

using PixelWriter = void (*)(QByteArray& out, const SkinBitmap& bitmap);
using ObjectWriter = void (*)(QByteArray& out, const SkinObject& object);

// ---- Plain body: bitmaps as raw 32-bit pixels, objects in the text form.

void writePlainPixels(QByteArray& out, const SkinBitmap& bitmap)
{
    appendInt32(out, bitmap.width());
    appendInt32(out, bitmap.height());
    for (int y = 0; y < bitmap.height(); ++y)
        out.append(reinterpret_cast<const char*>(bitmap.constScanLine(y)), bitmap.width() * 4);
}

void writePlainObject(QByteArray& out, const SkinObject& object)
{
    appendString(out, writeTextObject(recordFromObject(object)));
}

// ---- Packed body: bitmaps as counted BMP files, objects as counted binary forms.

void writePackedPixels(QByteArray& out, const SkinBitmap& bitmap)
{
    appendString(out, bitmap.isEmpty() ? QByteArray() : encodeBmp16(bitmap.image()));
}

void writePackedObject(QByteArray& out, const SkinObject& object)
{
    appendString(out, writeBinaryObject(recordFromObject(object)));
}

// Both bodies: the header strings, the counted bitmaps (each its name, then
// its pixels) and the counted top-level objects (each its class name, then
// the object).
QByteArray writeBody(const SkinSource& source, PixelWriter writePixels, ObjectWriter writeObject)
{
    QByteArray out;
    for (const QString* s :
         {&source.skinName, &source.skinVersion, &source.author, &source.authorEmail, &source.authorUrl})
        appendString(out, s->toLatin1());
    appendInt32(out, std::int32_t(source.bitmaps().size()));
    for (const SkinBitmap* bitmap : source.bitmaps()) {
        appendString(out, bitmap->name.toLatin1());
        writePixels(out, *bitmap);
    }
    appendInt32(out, std::int32_t(source.objects().size()));
    for (const auto& object : source.objects()) {
        appendString(out, object->className());
        writeObject(out, *object);
    }
    return out;
}

} // namespace

QByteArray writePlainBody(const SkinSource& source)
{
    return writeBody(source, writePlainPixels, writePlainObject);
}

QByteArray writePackedBody(const SkinSource& source)
{
    return writeBody(source, writePackedPixels, writePackedObject);
}

QByteArray writeSkin(const SkinFilter& filter, const SkinSource& source)
{
    const QByteArray body = filter.packedBody() ? writePackedBody(source) : writePlainBody(source);
    if (filter.compressionLevel() == 0)
        return body;
    return QByteArray("TQLZ") + deflateBytes(body, filter.compressionLevel());
}

QByteArray writeSkinStream(const SkinSource* source)
{
    if (!source || source->objectCount() == 0)
        return QByteArray(1, '\0');
    return QByteArray(1, '\2') + writeSkin(defaultSkinFilter(), *source);
}

QByteArray deflateBytes(const QByteArray& data, int level)
{
    z_stream stream{};
    if (deflateInit(&stream, level) != Z_OK)
        throw SkinError("Can't start compression");
    QByteArray out;
    out.resize(qsizetype(deflateBound(&stream, uLong(data.size()))));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int rc = deflate(&stream, Z_FINISH);
    const auto produced = qsizetype(stream.total_out);
    deflateEnd(&stream);
    if (rc != Z_STREAM_END)
        throw SkinError("Compression failed");
    out.resize(produced);
    return out;
}

} // namespace corvane::skin
