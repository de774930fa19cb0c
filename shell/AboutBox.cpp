#include "shell/AboutBox.h"

#include <QImage>
#include <QLabel>

#include "shell/ArtImage.h"
#include "shell/DialogPlacement.h"
#include "shell/DialogStyle.h"
#include "shell/LinkLabel.h"

namespace corvane::shell {

const QString AboutBox::FirstContactAddress = QStringLiteral("corvane@example.org");
const QString AboutBox::SecondContactAddress = QStringLiteral("xiangqi.corvane@example.org");

namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

constexpr QSize DialogSize(310, 209);

} // namespace

AboutBox::AboutBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("关于Corvane"));
    applyDialogFrame(this, DialogSize);

    // The black general's picture, at its own size and with its background left out.
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    const QImage general = keyOutBottomLeftColour(readArtImage(QStringLiteral(":/art/pieces/black_general.bmp")));
    picture->move(16, 32);
    picture->resize(41, 43);
    if (!general.isNull()) {
        picture->setPixmap(QPixmap::fromImage(general.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
        picture->resize(general.size());
    }

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("游戏名称： Corvane"), 80, 16);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("版    本： V1.0"), 80, 40);
    auto* label3 = addLabel(this, QStringLiteral("Label3"), QString(), 80, 72);
    label3->setWordWrap(true);
    label3->resize(193, 41);
    addLabel(this, QStringLiteral("Label4"), QStringLiteral("用户若有任何疑问和问题，请给作者联系！"), 80, 136);

    (new LinkLabel(QStringLiteral("Label5"), FirstContactAddress, this))->move(80, 160);
    (new LinkLabel(QStringLiteral("Label6"), SecondContactAddress, this))->move(80, 184);
}

void AboutBox::showEvent(QShowEvent* event)
{
    centreOver(this, parentWidget());
    QDialog::showEvent(event);
}

} // namespace corvane::shell
