#include "tests/skin/SkinTestSkins.h"

#include "skin/model/SkinObjectForm.h"
#include "skin/model/SkinObjectIO.h"
#include "skin/writer/SkinObjectWriter.h"

namespace corvane::skin::test {

std::unique_ptr<SkinBitmap> solidBitmap(const QString& name, int width, int height, std::uint32_t argb)
{
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->Name = name;
    bitmap->setSize(width, height);
    bitmap->image().fill(argb);
    return bitmap;
}

void buildSampleSkin(SkinSource& source)
{
    source.clear();
    source.SkinName = "Sample";
    source.SkinVersion = "1.0";
    source.Author = "Tester";
    source.AuthorEMail = "tester@example.org";
    source.AuthorURL = "";

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
    form->Name = "Form";
    form->Kind = SkinKind::Form;
    form->setBounds(0, 0, 120, 80);
    auto* caption = new SkinActiveBitmap(form.get());
    caption->Name = "Caption";
    caption->Align = SkinAlign::MostTop;
    caption->setBounds(0, 0, 120, 20);
    caption->Bitmap = {"frame", 0, 0, 12, 10};
    caption->ActiveBitmap = {"FRAME", 0, 0, 6, 10};
    caption->Font.Style = fontStyleBit(FontStyleFlag::Bold);
    caption->Font.Name = "Verdana";
    caption->TextAlign = SkinTextAlign::Center;
    caption->TextEffect = SkinTextEffect::Shadow;
    auto* close = new SkinSystemButton(form.get());
    close->Name = "CloseButton";
    close->Align = SkinAlign::TopRight;
    close->setBounds(100, 2, 16, 16);
    close->Action = SkinAction::Close;
    close->BitmapHot = {"arrows", 0, 0, 4, 4};
    close->BitmapPressed = {"arrows", 4, 0, 8, 4};
    auto* item = new SkinActiveObject(form.get());
    item->Name = "Item";
    item->Kind = SkinKind::PopupMenuItem;
    item->Color = 14148072;
    item->ActiveColor = 5729399;
    item->TextMarginLeft = 20;
    item->TextMarginRight = 10;
    auto* client = new SkinBitmapObject(form.get());
    client->Name = "Client";
    client->Align = SkinAlign::Client;
    client->Kind = SkinKind::Client;
    client->Bitmap = {"frame", 0, 0, 12, 10};
    client->Masked = false;
    client->MarginLeft = 2;
    client->MarginTop = 3;
    client->MarginRight = 4;
    client->MarginBottom = 1;
    client->TileStyle = SkinTileStyle::Stretch;
    client->BorderTileStyle = SkinTileStyle::Stretch;
    auto* nested = new SkinObject(client);
    nested->Name = "Deep";
    nested->Color = clNone;
    nested->Font.Color = clWhite;
    source.addObject(std::move(form));

    auto button = std::make_unique<SkinObject>();
    button->Name = "Button";
    auto* face = new SkinButtonObject(button.get());
    face->Name = "Face";
    face->setBounds(0, 0, 30, 20);
    face->MarginLeft = face->MarginTop = face->MarginRight = face->MarginBottom = 4;
    face->TileStyle = face->BorderTileStyle = SkinTileStyle::Stretch;
    face->Bitmap = {"frame", 0, 0, 12, 10};
    face->BitmapHot = {"arrows", 0, 0, 8, 4};
    face->BitmapPressed = {"frame", 6, 0, 12, 10};
    face->BitmapFocused = {"nothing", 0, 0, 8, 4};
    auto* text = new SkinTextObject(button.get());
    text->Name = "Text";
    text->TextMarginLeft = 20;
    text->TextMarginRight = 10;
    text->FontHot.Color = 0x0000FF;
    text->FontDisabled.Color = clGray;
    source.addObject(std::move(button));
}

::testing::AssertionResult sameSkin(const SkinSource& a, const SkinSource& b)
{
    if (a.SkinName != b.SkinName || a.SkinVersion != b.SkinVersion || a.Author != b.Author ||
        a.AuthorEMail != b.AuthorEMail || a.AuthorURL != b.AuthorURL)
        return ::testing::AssertionFailure() << "header differs";
    if (a.bitmaps().size() != b.bitmaps().size())
        return ::testing::AssertionFailure() << "bitmap count differs";
    for (int i = 0; i < a.bitmaps().size(); ++i) {
        const SkinBitmap* x = a.bitmaps()[i];
        const SkinBitmap* y = b.bitmaps()[i];
        if (x->Name != y->Name || x->image() != y->image())
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
