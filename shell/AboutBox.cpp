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

// The box's fixed size and where its parts stand: the picture on the left,
// the texts in one column beside it.
constexpr QSize DialogSize(310, 209);
constexpr QRect PictureGeometry(16, 32, 41, 43); // sized to the picture once it is read
constexpr int TextLeft = 80;
constexpr int NameTop = 16;
constexpr int VersionTop = 40;
constexpr QRect BlankTextGeometry(TextLeft, 72, 193, 41);
constexpr int QuestionsTop = 136;
constexpr int FirstAddressTop = 160;
constexpr int SecondAddressTop = 184;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(TextLeft, top);
    label->adjustSize();
    return label;
}

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
    picture->setGeometry(PictureGeometry);
    if (!general.isNull()) {
        picture->setPixmap(QPixmap::fromImage(general.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
        picture->resize(general.size());
    }

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("游戏名称： Corvane"), NameTop);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("版    本： V1.0"), VersionTop);
    auto* blankText = addLabel(this, QStringLiteral("Label3"), QString(), BlankTextGeometry.top());
    blankText->setWordWrap(true);
    blankText->resize(BlankTextGeometry.size());
    addLabel(this, QStringLiteral("Label4"), QStringLiteral("用户若有任何疑问和问题，请给作者联系！"), QuestionsTop);

    (new LinkLabel(QStringLiteral("Label5"), FirstContactAddress, this))->move(TextLeft, FirstAddressTop);
    (new LinkLabel(QStringLiteral("Label6"), SecondContactAddress, this))->move(TextLeft, SecondAddressTop);
}

void AboutBox::showEvent(QShowEvent* event)
{
    centreOver(this, parentWidget());
    QDialog::showEvent(event);
}

} // namespace corvane::shell
