#include "shell/TForm3.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "net/play/ConnectionSettings.h"
#include "shell/DialogPlacement.h"
#include "shell/DialogStyle.h"
#include "shell/PlainTitleBar.h"
#include "shell/PortKeyFilter.h"

namespace corvane::shell {

namespace {

QLineEdit* addEdit(QWidget* parent, const QString& name, const QString& text, int top)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(136, top, 145, 18);
    edit->setFrame(false);
    edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid blue; background: palette(button); }"));
    return edit;
}

void addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
}

} // namespace

TForm3::TForm3(QWidget* owner, TUdpEndpoint* endpoint) : QDialog(owner), endpoint_(endpoint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("设置对方计算机名或IP地址"));
    // No platform frame: the title bar below is the only caption.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(315, 203);
    setFont(dialogFont());
    useButtonFace(this);

    (new PlainTitleBar(windowTitle(), this))->setGeometry(0, 0, 315, 25);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(0, 26, 314, 176);

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("对方IP地址或计算机名："), 8, 51);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("对方端口号："), 40, 92);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("本机端口号："), 40, 131);

    flatEdit1_ = addEdit(this, QStringLiteral("FlatEdit1"), QString(), 48);
    flatEdit2_ = addEdit(this, QStringLiteral("FlatEdit2"), QStringLiteral("1234"), 88);
    flatEdit3_ = addEdit(this, QStringLiteral("FlatEdit3"), QStringLiteral("1234"), 128);
    keyFilter_ = new PortKeyFilter(this);
    flatEdit2_->installEventFilter(keyFilter_);
    flatEdit3_->installEventFilter(keyFilter_);

    auto* button = new QPushButton(QStringLiteral("连 接"), this);
    button->setObjectName(QStringLiteral("FlatButton1"));
    button->setGeometry(208, 160, 73, 25);
    button->setAutoDefault(false);
    flatButton1_ = button;
    connect(button, &QPushButton::clicked, this, &TForm3::FlatButton1Click);

    setTabOrder(flatEdit1_, flatEdit2_);
    setTabOrder(flatEdit2_, flatEdit3_);
    setTabOrder(flatEdit3_, flatButton1_);
}

void TForm3::FlatButton1Click()
{
    if (play::applyConnectionSettings(this, *endpoint_, flatEdit1_->text(), flatEdit2_->text(),
                                      flatEdit3_->text()) == play::ApplyResult::Applied)
        accept();
}

void TForm3::showEvent(QShowEvent* event)
{
    centreOver(this, parentWidget());
    QDialog::showEvent(event);
}

} // namespace corvane::shell
