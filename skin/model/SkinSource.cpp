#include "skin/model/SkinSource.h"

#include "skin/stream/SkinBmp.h"
#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"

#include <cmath>

namespace corvane::skin {

namespace {

const char DefaultSkinName[] = "Default Skin";
const char DefaultSkinVersion[] = "3.2.0";
const char DefaultAuthor[] = "Corvane";
const char DefaultAuthorEMail[] = "";
const char DefaultAuthorURL[] = "";

constexpr int MaxHeaderString = 64 * 1024;
constexpr int MaxClassName = 255;

// A stored bitmap is either empty (0 x 0) or has a positive width and
// height; its pixels are charged to the load's budget before they exist.
void checkBitmapSize(std::int32_t width, std::int32_t height, SkinReadBudget& budget)
{
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 0 || height < 0 || (width == 0) != (height == 0))
        throw SkinError("Invalid bitmap size " + size);
    if (width > SkinLimits::MaxBitmapSide || height > SkinLimits::MaxBitmapSide ||
        qint64(width) * height > SkinLimits::MaxBitmapPixels)
        throw SkinError("Bitmap too large: " + size);
    budget.chargeBytes(qint64(width) * height * 4);
}

std::int32_t readCount(SkinInput& in, int limit, const char* what)
{
    const std::int32_t count = in.readInt32();
    if (count < 0 || count > limit)
        throw SkinError(std::string("Invalid number of ") + what + ": " + std::to_string(count));
    return count;
}

// Hue, saturation and lightness helpers, all on 0..1.
double hueToChannel(double p, double q, double t)
{
    t -= std::floor(t);
    if (t < 1.0 / 6.0)
        return p + (q - p) * 6.0 * t;
    if (t < 0.5)
        return q;
    if (t < 2.0 / 3.0)
        return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    return p;
}

} // namespace

std::uint32_t shiftPixelHue(std::uint32_t argb, int delta)
{
    const double r = ((argb >> 16) & 0xFF) / 255.0, g = ((argb >> 8) & 0xFF) / 255.0, b = (argb & 0xFF) / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    const double l = (max + min) / 2.0;
    double h = 0.0, s = 0.0;
    if (max != min) {
        const double d = max - min;
        s = l > 0.5 ? d / (2.0 - max - min) : d / (max + min);
        if (max == r)
            h = (g - b) / d + (g < b ? 6.0 : 0.0);
        else if (max == g)
            h = (b - r) / d + 2.0;
        else
            h = (r - g) / d + 4.0;
        h /= 6.0;
    }
    // The hue on 0..255, rounded, shifted; one wrap each way.
    int hue = int(std::lround(h * 255.0)) + delta;
    if (hue >= 256)
        hue -= 255;
    else if (hue < 0)
        hue += 255;
    const double hh = hue / 255.0;
    double rr, gg, bb;
    if (s == 0.0) {
        rr = gg = bb = l;
    } else {
        const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
        const double p = 2.0 * l - q;
        rr = hueToChannel(p, q, hh + 1.0 / 3.0);
        gg = hueToChannel(p, q, hh);
        bb = hueToChannel(p, q, hh - 1.0 / 3.0);
    }
    auto channel = [](double v) { return std::uint32_t(std::clamp(int(std::lround(v * 255.0)), 0, 255)); };
    return 0xFF000000u | channel(rr) << 16 | channel(gg) << 8 | channel(bb);
}

SkinSource::SkinSource()
{
    clear();
}

SkinSource::~SkinSource()
{
    // Objects may reference bitmaps: free them first.
    m_objects.clear();
}

void SkinSource::clear()
{
    m_objects.clear();
    m_bitmapView.clear();
    m_bitmaps.clear();
    skinName = QString::fromLatin1(DefaultSkinName);
    skinVersion = QString::fromLatin1(DefaultSkinVersion);
    author = QString::fromLatin1(DefaultAuthor);
    authorEmail = QString::fromLatin1(DefaultAuthorEMail);
    authorUrl = QString::fromLatin1(DefaultAuthorURL);
}

void SkinSource::swap(SkinSource& other)
{
    std::swap(skinName, other.skinName);
    std::swap(skinVersion, other.skinVersion);
    std::swap(author, other.author);
    std::swap(authorEmail, other.authorEmail);
    std::swap(authorUrl, other.authorUrl);
    m_bitmaps.swap(other.m_bitmaps);
    m_bitmapView.swap(other.m_bitmapView);
    m_objects.swap(other.m_objects);
    std::swap(m_appliedHue, other.m_appliedHue);
    // The objects refer to their source's bitmap list by address.
    for (auto& object : m_objects)
        object->setBitmaps(&m_bitmapView);
    for (auto& object : other.m_objects)
        object->setBitmaps(&other.m_bitmapView);
}

void SkinSource::applyHue()
{
    if (m_requestedHue == m_appliedHue)
        return;
    const int delta = m_requestedHue - m_appliedHue;
    for (auto& bitmap : m_bitmaps) {
        for (int y = 0; y < bitmap->height(); ++y) {
            std::uint32_t* line = bitmap->scanLine(y);
            for (int x = 0; x < bitmap->width(); ++x)
                if ((line[x] >> 24) != 0)
                    line[x] = shiftPixelHue(line[x], delta);
        }
    }
    for (auto& object : m_objects)
        object->changeHue(delta);
    m_appliedHue = m_requestedHue;
}

SkinObject* SkinSource::findObject(const QString& name) const
{
    if (m_changing)
        return nullptr;
    for (const auto& object : m_objects)
        if (object->name.compare(name, Qt::CaseInsensitive) == 0)
            return object.get();
    return nullptr;
}

SkinObject* SkinSource::formObject() const
{
    if (m_changing)
        return nullptr;
    if (SkinObject* form = findObject(QStringLiteral("Form")))
        return form;
    for (const auto& object : m_objects)
        if (object->kind == SkinKind::Form)
            return object.get();
    return nullptr;
}

SkinBitmap* SkinSource::addBitmap(std::unique_ptr<SkinBitmap> bitmap)
{
    SkinBitmap* raw = bitmap.get();
    m_bitmaps.push_back(std::move(bitmap));
    m_bitmapView.append(raw);
    return raw;
}

SkinObject* SkinSource::addObject(std::unique_ptr<SkinObject> object)
{
    SkinObject* raw = object.get();
    installObject(std::move(object));
    return raw;
}

void SkinSource::installObject(std::unique_ptr<SkinObject> object)
{
    object->setBitmaps(&m_bitmapView);
    object->linkBitmaps();
    m_objects.push_back(std::move(object));
}

void SkinSource::readHeader(SkinInput& in)
{
    skinName = QString::fromLatin1(in.readString(MaxHeaderString));
    skinVersion = QString::fromLatin1(in.readString(MaxHeaderString));
    author = QString::fromLatin1(in.readString(MaxHeaderString));
    authorEmail = QString::fromLatin1(in.readString(MaxHeaderString));
    authorUrl = QString::fromLatin1(in.readString(MaxHeaderString));
}

namespace {

// ---- Plain body: bitmaps as raw 32-bit pixels, objects in the text form.

void readPlainPixels(SkinInput& in, SkinBitmap& bitmap)
{
    const std::int32_t width = in.readInt32();
    const std::int32_t height = in.readInt32();
    checkBitmapSize(width, height, in.budget());
    if (width == 0)
        return;
    // Left uncleared: every pixel is read next. Near magenta becomes the key
    // colour, row by row while the row is fresh in the cache.
    bitmap.setSize(width, height, false);
    const qint64 rowBytes = qint64(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* line = bitmap.scanLine(y);
        if (const char* row = in.peek(rowBytes)) {
            SkinBitmap::copyRowSnapped(reinterpret_cast<const std::uint32_t*>(row), line, width, 0xFF, 0x00, 0xFF, 5);
            in.consume(rowBytes);
        } else {
            in.readExact(reinterpret_cast<char*>(line), rowBytes);
            SkinBitmap::snapRowToKey(line, width, 0xFF, 0x00, 0xFF, 5);
        }
    }
}

// An object's text is parsed where the input holds it when it can (most
// objects fit in the inflater's buffer), as the pixels are: no copy first.
// The record keeps nothing of the text, so the bytes may go once it is read.
SkinObjectRecord readTextRecord(SkinInput& in)
{
    const std::int32_t size = in.readStringSize(SkinLimits::MaxStringBytes);
    const char* text = in.peek(size);
    if (!text)
        return readTextObject(in.readBytes(size));
    SkinObjectRecord record = readTextObject(QByteArray::fromRawData(text, size));
    in.consume(size);
    return record;
}

std::unique_ptr<SkinObject> readPlainObject(SkinInput& in, const QByteArray& className, SkinReadBudget& budget)
{
    SkinObjectRecord record = readTextRecord(in);
    record.className = className;
    return objectFromRecord(record, budget);
}

// ---- Packed body: bitmaps as counted BMP files, objects as counted binary forms.

void readPackedPixels(SkinInput& in, SkinBitmap& bitmap)
{
    const std::int32_t size = in.readInt32();
    if (size < 0 || size > SkinLimits::MaxBinaryBytes)
        throw SkinError("Invalid bitmap size in packed skin");
    if (size == 0)
        return;
    // The decoded picture becomes the bitmap's buffer: no second copy.
    bitmap.image() = decodeBmp(in.readBytes(size), in.budget());
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint32_t* line = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    bitmap.snapToKey(0x7F, 0x00, 0x7F, 5);
}

std::unique_ptr<SkinObject> readPackedObject(SkinInput& in, const QByteArray& className, SkinReadBudget& budget)
{
    const std::int32_t size = in.readInt32();
    if (size < 0 || size > SkinLimits::MaxBinaryBytes)
        throw SkinError("Invalid object size in packed skin");
    const QByteArray binary = in.readBytes(size);
    return objectFromBinary(className, binary.constData(), binary.size(), budget);
}

} // namespace

void SkinSource::readPlainBody(SkinInput& in)
{
    readBody(in, readPlainPixels, readPlainObject);
}

void SkinSource::readPackedBody(SkinInput& in)
{
    readBody(in, readPackedPixels, readPackedObject);
}

void SkinSource::readBody(SkinInput& in, PixelReader readPixels, ObjectReader readObject)
{
    clear();
    readHeader(in);
    const std::int32_t bitmapCount = readCount(in, SkinLimits::MaxBitmaps, "bitmaps");
    for (std::int32_t i = 0; i < bitmapCount; ++i) {
        auto bitmap = std::make_unique<SkinBitmap>();
        bitmap->name = QString::fromLatin1(in.readString(MaxHeaderString));
        readPixels(in, *bitmap);
        addBitmap(std::move(bitmap));
    }
    const std::int32_t objectCount = readCount(in, SkinLimits::MaxObjects, "objects");
    for (std::int32_t i = 0; i < objectCount; ++i) {
        const QByteArray className = in.readString(MaxClassName);
        std::unique_ptr<SkinObject> object = readObject(in, className, in.budget());
        object->setCharset(1);
        installObject(std::move(object));
    }
}

void readSkin(const SkinFilter& filter, const char* data, std::int64_t size, SkinSource& source)
{
    const std::unique_ptr<SkinInput> in = filter.openBody(data, size);
    if (filter.packedBody())
        source.readPackedBody(*in);
    else
        source.readPlainBody(*in);
    in->finish();
}

bool readSkinStream(const QByteArray& stream, SkinSource& source)
{
    if (stream.isEmpty() || stream[0] == '\0')
        return false;
    readSkin(defaultSkinFilter(), stream.constData() + 1, stream.size() - 1, source);
    return true;
}

} // namespace corvane::skin
