#include "ButtonTestSkin.h"

#include "skin/model/SkinObjects.h"

#include <QFile>
#include <QPainter>

namespace corvane::skin::test {

namespace {

std::unique_ptr<SkinBitmap> buttonsBitmap()
{
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->Name = QStringLiteral("Buttons");
    bitmap->setSize(225, 20);
    const QRgb faces[5] = {FaceNormal, FacePressed, FaceDisabled, FaceHot, FaceFocused};
    for (int y = 0; y < 20; ++y) {
        std::uint32_t* line = bitmap->scanLine(y);
        for (int x = 0; x < 225; ++x) {
            const int lx = x % 45;
            const bool corner = (lx < 2 || lx >= 43) && (y < 2 || y >= 18);
            const bool border = lx == 0 || lx == 44 || y == 0 || y == 19;
            if (corner)
                line[x] = SkinKeyPixel;
            else if (border)
                line[x] = 0xFF000000u;
            else
                line[x] = faces[x / 45];
        }
    }
    return bitmap;
}

std::unique_ptr<SkinBitmap> dialogBitmap()
{
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->Name = QStringLiteral("Dialog");
    bitmap->setSize(64, 45);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 64; ++x)
            bitmap->scanLine(y)[x] = ((x / 8 + y / 8) % 2) ? ClientLight : ClientDark;
    return bitmap;
}

void setLink(SkinBitmapLink& link, int left, int right)
{
    link.Name = QStringLiteral("Buttons");
    link.Left = left;
    link.Top = 0;
    link.Right = right;
    link.Bottom = 20;
}

} // namespace

void buildButtonSkin(SkinEngine& engine, bool maskedFace)
{
    SkinSource& source = engine.source();
    source.clear();
    source.SkinName = QStringLiteral("ButtonTest");
    source.addBitmap(buttonsBitmap());
    source.addBitmap(dialogBitmap());

    auto form = std::make_unique<SkinObject>();
    form->Name = QStringLiteral("Form");
    form->Kind = SkinKind::Form;
    auto* client = new SkinBitmapObject(form.get());
    client->Name = QStringLiteral("Client");
    client->Kind = SkinKind::Client;
    client->Align = SkinAlign::Client;
    client->Masked = false;
    client->Bitmap.Name = QStringLiteral("Dialog");
    client->Bitmap.Right = 64;
    client->Bitmap.Bottom = 45;
    form->setBounds(0, 0, 300, 250);
    source.addObject(std::move(form));

    auto button = std::make_unique<SkinObject>();
    button->Name = QStringLiteral("Button");
    auto* face = new SkinButtonObject(button.get());
    face->Name = QStringLiteral("Face");
    face->MarginLeft = face->MarginTop = face->MarginRight = face->MarginBottom = 4;
    face->TileStyle = face->BorderTileStyle = SkinTileStyle::Stretch;
    face->Masked = face->MaskedBorder = face->MaskedAngles = maskedFace;
    setLink(face->Bitmap, 0, 45);
    setLink(face->BitmapPressed, 45, 90);
    setLink(face->BitmapDisabled, 90, 135);
    setLink(face->BitmapHot, 135, 180);
    setLink(face->BitmapFocused, 180, 225);
    face->setBounds(0, 0, 131, 53);
    auto* text = new SkinObject(button.get());
    text->Name = QStringLiteral("Text");
    text->TextMarginLeft = 20;
    text->TextMarginRight = 10;
    text->Font.Color = SkinColor(0xFFFFFF);
    source.addObject(std::move(button));
}

bool loadIvory(SkinEngine& engine)
{
    QFile file(qEnvironmentVariable("CORVANE_SOURCE_DIR") + QStringLiteral("/resources/skin/ivory.skin"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    engine.readSkinStream(file.readAll());
    return engine.hasSkin();
}

SkinnedBackground::SkinnedBackground(SkinEngine* engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{ }

void SkinnedBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkGray);
    SkinObject* form = m_engine ? m_engine->formObject() : nullptr;
    if (!form)
        return;
    std::unique_ptr<SkinObject> copy = form->copyTree();
    SkinObject* client = copy->findKind(SkinKind::Client);
    if (!client)
        return;
    // The client object is drawn with its top-left corner at the origin.
    client->setBounds(0, 0, width(), height());
    client->draw(painter);
}

} // namespace corvane::skin::test
