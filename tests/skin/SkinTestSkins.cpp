#include "tests/skin/SkinTestSkins.h"

#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/writer/SkinObjectWriter.h"

namespace corvane::skin::test {

std::unique_ptr<SkinBitmap> solidBitmap(const QString& name, int width, int height, std::uint32_t argb)
{
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->name = name;
    bitmap->setSize(width, height);
    bitmap->image().fill(argb);
    return bitmap;
}

void buildSampleSkin(SkinSource& source)
{
    source.clear();
    source.skinName = "Sample";
    source.skinVersion = "1.0";
    source.author = "Tester";
    source.authorEmail = "tester@example.org";
    source.authorUrl = "";

    const std::uint32_t opaque = 0xFF000000u;
    auto frame = solidBitmap("frame", 12, 10, opaque | widened(20) << 16 | widened(8) << 8 | widened(3));
    // A key-colour corner pixel and a second colour stripe.
    frame->scanLine(0)[0] = SkinKeyPixel;
    for (int y = 0; y < 10; ++y)
        frame->scanLine(y)[5] = opaque | widened(31) << 8;
    source.addBitmap(std::move(frame));
    source.addBitmap(solidBitmap("arrows", 8, 4, opaque | widened(1) << 16));
    source.addBitmap(solidBitmap("Arrows", 8, 4, opaque | widened(2)));

    auto form = std::make_unique<SkinObject>();
    form->name = "Form";
    form->kind = SkinKind::Form;
    form->setBounds(0, 0, 120, 80);
    auto* caption = new SkinActiveBitmap(form.get());
    caption->name = "Caption";
    caption->align = SkinAlign::MostTop;
    caption->setBounds(0, 0, 120, 20);
    caption->bitmap = {"frame", 0, 0, 12, 10};
    caption->activeBitmap = {"FRAME", 0, 0, 6, 10};
    caption->font.style = fontStyleBit(FontStyleFlag::Bold);
    caption->font.name = "Verdana";
    caption->textAlign = SkinTextAlign::Center;
    caption->textEffect = SkinTextEffect::Shadow;
    auto* close = new SkinSystemButton(form.get());
    close->name = "CloseButton";
    close->align = SkinAlign::TopRight;
    close->setBounds(100, 2, 16, 16);
    close->action = SkinAction::Close;
    close->bitmapHot = {"arrows", 0, 0, 4, 4};
    close->bitmapPressed = {"arrows", 4, 0, 8, 4};
    auto* item = new SkinActiveObject(form.get());
    item->name = "Item";
    item->kind = SkinKind::PopupMenuItem;
    item->color = 14148072;
    item->activeColor = 5729399;
    item->textMarginLeft = 20;
    item->textMarginRight = 10;
    auto* client = new SkinBitmapObject(form.get());
    client->name = "Client";
    client->align = SkinAlign::Client;
    client->kind = SkinKind::Client;
    client->bitmap = {"frame", 0, 0, 12, 10};
    client->masked = false;
    client->marginLeft = 2;
    client->marginTop = 3;
    client->marginRight = 4;
    client->marginBottom = 1;
    client->tileStyle = SkinTileStyle::Stretch;
    client->borderTileStyle = SkinTileStyle::Stretch;
    auto* nested = new SkinObject(client);
    nested->name = "Deep";
    nested->color = clNone;
    nested->font.color = clWhite;
    source.addObject(std::move(form));

    auto button = std::make_unique<SkinObject>();
    button->name = "Button";
    auto* face = new SkinButtonObject(button.get());
    face->name = "Face";
    face->setBounds(0, 0, 30, 20);
    face->marginLeft = face->marginTop = face->marginRight = face->marginBottom = 4;
    face->tileStyle = face->borderTileStyle = SkinTileStyle::Stretch;
    face->bitmap = {"frame", 0, 0, 12, 10};
    face->bitmapHot = {"arrows", 0, 0, 8, 4};
    face->bitmapPressed = {"frame", 6, 0, 12, 10};
    face->bitmapFocused = {"nothing", 0, 0, 8, 4};
    auto* text = new SkinTextObject(button.get());
    text->name = "Text";
    text->textMarginLeft = 20;
    text->textMarginRight = 10;
    text->fontHot.color = 0x0000FF;
    text->fontDisabled.color = clGray;
    source.addObject(std::move(button));
}

::testing::AssertionResult sameSkin(const SkinSource& a, const SkinSource& b)
{
    if (a.skinName != b.skinName || a.skinVersion != b.skinVersion || a.author != b.author ||
        a.authorEmail != b.authorEmail || a.authorUrl != b.authorUrl)
        return ::testing::AssertionFailure() << "header differs";
    if (a.bitmaps().size() != b.bitmaps().size())
        return ::testing::AssertionFailure() << "bitmap count differs";
    for (int i = 0; i < a.bitmaps().size(); ++i) {
        const SkinBitmap* x = a.bitmaps()[i];
        const SkinBitmap* y = b.bitmaps()[i];
        if (x->name != y->name || x->image() != y->image())
            return ::testing::AssertionFailure() << "bitmap " << i << " differs";
    }
    if (a.objectCount() != b.objectCount())
        return ::testing::AssertionFailure() << "object count differs";
    for (int i = 0; i < a.objectCount(); ++i) {
        const QByteArray x = writeTextObject(recordFromObject(*a.object(i)));
        const QByteArray y = writeTextObject(recordFromObject(*b.object(i)));
        if (x != y)
            return ::testing::AssertionFailure() << "object " << i << " differs:\n"
                                                 << x.constData() << "\n---\n"
                                                 << y.constData();
    }
    return ::testing::AssertionSuccess();
}

} // namespace corvane::skin::test
