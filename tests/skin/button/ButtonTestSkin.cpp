#include "ButtonTestSkin.h"

#include "skin/model/SkinObjects.h"

#include <QFile>
#include <QPainter>

namespace corvane::skin::test {

namespace {

std::unique_ptr<SkinBitmap> buttonsBitmap()
{
    auto bitmap = std::make_unique<SkinBitmap>();
    bitmap->name = QStringLiteral("Buttons");
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
    bitmap->name = QStringLiteral("Dialog");
    bitmap->setSize(64, 45);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 64; ++x)
            bitmap->scanLine(y)[x] = ((x / 8 + y / 8) % 2) ? ClientLight : ClientDark;
    return bitmap;
}

void setLink(SkinBitmapLink& link, int left, int right)
{
    link.name = QStringLiteral("Buttons");
    link.left = left;
    link.top = 0;
    link.right = right;
    link.bottom = 20;
}

} // namespace

void buildButtonSkin(SkinEngine& engine, bool maskedFace)
{
    SkinSource& source = engine.source();
    source.clear();
    source.skinName = QStringLiteral("ButtonTest");
    source.addBitmap(buttonsBitmap());
    source.addBitmap(dialogBitmap());

    auto form = std::make_unique<SkinObject>();
    form->name = QStringLiteral("Form");
    form->kind = SkinKind::Form;
    auto* client = new SkinBitmapObject(form.get());
    client->name = QStringLiteral("Client");
    client->kind = SkinKind::Client;
    client->align = SkinAlign::Client;
    client->masked = false;
    client->bitmap.name = QStringLiteral("Dialog");
    client->bitmap.right = 64;
    client->bitmap.bottom = 45;
    form->setBounds(0, 0, 300, 250);
    source.addObject(std::move(form));

    auto button = std::make_unique<SkinObject>();
    button->name = QStringLiteral("Button");
    auto* face = new SkinButtonObject(button.get());
    face->name = QStringLiteral("Face");
    face->marginLeft = face->marginTop = face->marginRight = face->marginBottom = 4;
    face->tileStyle = face->borderTileStyle = SkinTileStyle::Stretch;
    face->masked = face->maskedBorder = face->maskedAngles = maskedFace;
    setLink(face->bitmap, 0, 45);
    setLink(face->bitmapPressed, 45, 90);
    setLink(face->bitmapDisabled, 90, 135);
    setLink(face->bitmapHot, 135, 180);
    setLink(face->bitmapFocused, 180, 225);
    face->setBounds(0, 0, 131, 53);
    auto* text = new SkinObject(button.get());
    text->name = QStringLiteral("Text");
    text->textMarginLeft = 20;
    text->textMarginRight = 10;
    text->font.color = SkinColor(0xFFFFFF);
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
