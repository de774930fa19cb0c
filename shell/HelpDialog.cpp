#include "shell/HelpDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "shell/DialogPlacement.h"
#include "shell/DialogStyle.h"

namespace corvane::shell {

namespace {

constexpr QSize DialogSize(342, 308);
constexpr QRect HelpTextGeometry(24, 16, 297, 225);
constexpr QRect CloseButtonGeometry(88, 256, 145, 33);

} // namespace

QString HelpDialog::helpText()
{
    static const QStringList lines = {
        QStringLiteral("CorvaneV1.0 可双人联网和双人单机"),
        QStringLiteral("进行的游戏。若用户需双人联网游戏就必须先今进"),
        QStringLiteral("行一些必须的设置，在默认的请况下为双人单机游"),
        QStringLiteral("戏。"),
        QStringLiteral("联网游戏可按以下步骤进行："),
        QStringLiteral("1.单击“游戏”菜单中的“设置...”选项，在弹出"),
        QStringLiteral("的对话框中的“对方IP或计算机名称”中输入对方"),
        QStringLiteral("正确的计算机名称或IP地址，否则将不能联网游戏"),
        QStringLiteral("。以下两个端口号可使用默认值，若发生端口冲突"),
        QStringLiteral("，请用户自己设置另外两个相同的端口号，设置完"),
        QStringLiteral("毕后即可游戏。"),
        QStringLiteral("若用户要在单机上完，不需设置即可。"),
    };
    return lines.join(QLatin1Char('\n'));
}

HelpDialog::HelpDialog(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("帮助"));
    applyDialogFrame(this, DialogSize);

    m_helpText = new QPlainTextEdit(this);
    m_helpText->setObjectName(QStringLiteral("Memo1"));
    m_helpText->setGeometry(HelpTextGeometry);
    m_helpText->setPlainText(helpText());
    // Read-only, but the text can still be selected and copied.
    m_helpText->setReadOnly(true);
    m_helpText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_helpText->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    m_closeButton = new QPushButton(QStringLiteral("关     闭"), this);
    m_closeButton->setObjectName(QStringLiteral("Button1"));
    m_closeButton->setGeometry(CloseButtonGeometry);
    connect(m_closeButton, &QPushButton::clicked, this, &HelpDialog::close);

    setTabOrder(m_helpText, m_closeButton);
}

void HelpDialog::showEvent(QShowEvent* event)
{
    centreOver(this, parentWidget());
    m_helpText->setFocus();
    QDialog::showEvent(event);
}

} // namespace corvane::shell
