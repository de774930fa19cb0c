#include "shell/HelpDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "shell/DialogPlacement.h"
#include "shell/DialogStyle.h"

namespace corvane::shell {

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
    applyDialogFrame(this, 342, 308);

    m_memo1 = new QPlainTextEdit(this);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setGeometry(24, 16, 297, 225);
    m_memo1->setPlainText(helpText());
    // Read-only, but the text can still be selected and copied.
    m_memo1->setReadOnly(true);
    m_memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    m_button1 = new QPushButton(QStringLiteral("关     闭"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(88, 256, 145, 33);
    connect(m_button1, &QPushButton::clicked, this, &HelpDialog::close); // Button1Click

    setTabOrder(m_memo1, m_button1);
}

void HelpDialog::showEvent(QShowEvent* event)
{
    centreOver(this, parentWidget());
    m_memo1->setFocus();
    QDialog::showEvent(event);
}

} // namespace corvane::shell
