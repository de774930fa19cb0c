// libFuzzer target for the skin loader. The first byte picks the entry point:
//   0 the "SkinStream" content (presence byte, magic, zlib, plain body)
//   1 an uncompressed skin file (plain body, no zlib in the way)
//   2 a maximum-compressed skin file (zlib, packed body: BMP files and binary objects)
//   3 one object in the text object form, then the same bytes as the binary
//     form, read as the packed body reads its objects
// A skin that loads is also laid out, drawn and turned into a window region,
// so that hostile sizes, margins and links reach the drawing code.
#include "skin/stream/SkinFilter.h"
#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/writer/SkinFileWriter.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

using namespace corvane::skin;

namespace {

void exercise(SkinObject& object)
{
    std::unique_ptr<SkinObject> copy = object.copyTree();
    copy->setBounds(0, 0, 64, 48);
    copy->setState(SkinState::Hot);
    copy->setActive(true);
    QImage canvas(64, 48, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(0u);
    {
        QPainter painter(&canvas);
        copy->draw(painter);
    }
    (void)copy->createRegion();
    (void)copy->objectAt(QPoint(10, 10));
}

void exerciseSource(const SkinSource& source)
{
    for (const auto& object : source.objects())
        exercise(*object);
    (void)writePlainBody(source);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > (4u << 20))
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data) + 1;
    const auto length = static_cast<std::int64_t>(size - 1);
    try {
        SkinSource source;
        switch (data[0] % 4) {
        case 0:
            if (readSkinStream(QByteArray(bytes, qsizetype(length)), source))
                exerciseSource(source);
            break;
        case 1:
            readSkin(*skinFilters()[0], bytes, length, source);
            exerciseSource(source);
            break;
        case 2:
            readSkin(*skinFilters()[3], bytes, length, source);
            exerciseSource(source);
            break;
        default: {
            const QByteArray text(bytes, qsizetype(length));
            try {
                SkinReadBudget budget;
                std::unique_ptr<SkinObject> object = objectFromRecord(readTextObject(text), budget);
                exercise(*object);
            } catch (const SkinError&) { }
            // The binary form goes through the reader that loads packed skins.
            SkinReadBudget budget;
            std::unique_ptr<SkinObject> object =
                objectFromBinary(QByteArrayLiteral("TSkinObject"), bytes, length, budget);
            exercise(*object);
            break;
        }
        }
    } catch (const SkinError&) {
        // Rejected input: the expected outcome for almost everything.
    }
    return 0;
}
