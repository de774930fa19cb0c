#include "shell/ConnectionDialog.h"

#include <QFrame>
#include <QLabel>

#include "flat/FlatColors.h"
#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"
#include "flat/FlatTitlebar.h"
#include "net/play/ConnectionSettings.h"
#include "shell/DialogPlacement.h"
#include "shell/DialogStyle.h"
#include "shell/PortKeyFilter.h"
#include "ui/MessageBox.h"

namespace corvane::shell {

namespace {

const QColor borderBlue(Qt::blue);

void addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(left, top);
    label->adjustSize();
}

} // namespace

ConnectionDialog::ConnectionDialog(QWidget* owner, endpoint::UdpEndpoint* endpoint) : QDialog(owner), m_endpoint(endpoint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("设置对方计算机名或IP地址"));
    // No platform frame: the flat title bar is the only caption.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(315, 203);
    setFont(dialogFont());
    // Before the controls: the boxes and the button take this colour as theirs.
    useButtonFace(this);

    createTitlebar();
    createBody();

    // Tab goes through the three boxes; the button is in the order after
    // them but, as a flat button without TabStop, is skipped by the tab key.
    setTabOrder(m_flatEdit1, m_flatEdit2);
    setTabOrder(m_flatEdit2, m_flatEdit3);
    setTabOrder(m_flatEdit3, m_flatButton1);
}

void ConnectionDialog::createTitlebar()
{
    m_flatTitlebar1 = new flat::FlatTitlebar(this);
    m_flatTitlebar1->setObjectName(QStringLiteral("FlatTitlebar1"));
    m_flatTitlebar1->setCaption(windowTitle());
    m_flatTitlebar1->setTitlebarColor(Qt::blue);
    // White while active and 162,154,130 while inactive are the bar's own defaults.
    m_flatTitlebar1->setGeometry(0, 0, 315, 25);
    m_flatTitlebar1->setAlign(flat::FlatTitlebar::Align::Top);
}

void ConnectionDialog::createBody()
{
    // A lowered box: shadow on the top and left, highlight on the bottom and right.
    m_bevel1 = new QFrame(this);
    m_bevel1->setObjectName(QStringLiteral("Bevel1"));
    m_bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bevel1->setLineWidth(1);
    m_bevel1->setGeometry(0, 26, 314, 176);

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("对方IP地址或计算机名："), 8, 51);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("对方端口号："), 40, 92);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("本机端口号："), 40, 131);

    m_flatEdit1 = createEdit(QStringLiteral("FlatEdit1"), QString(), 48);
    m_flatEdit2 = createEdit(QStringLiteral("FlatEdit2"), QStringLiteral("1234"), 88);
    m_flatEdit3 = createEdit(QStringLiteral("FlatEdit3"), QStringLiteral("1234"), 128);
    // FlatEdit2KeyPress: the port boxes take digits and backspace only.
    m_keyFilter = new PortKeyFilter(this);
    m_flatEdit2->installEventFilter(m_keyFilter);
    m_flatEdit3->installEventFilter(m_keyFilter);

    m_flatButton1 = new flat::FlatButton(this);
    m_flatButton1->setObjectName(QStringLiteral("FlatButton1"));
    m_flatButton1->setGeometry(208, 160, 73, 25);
    m_flatButton1->setCaption(QStringLiteral("连 接"));
    m_flatButton1->setAccessibleName(QStringLiteral("连接"));
    m_flatButton1->setColorBorder(borderBlue);
    connect(m_flatButton1, &flat::FlatButton::clicked, this, &ConnectionDialog::FlatButton1Click);
}

flat::FlatEdit* ConnectionDialog::createEdit(const QString& name, const QString& text, int top)
{
    auto* edit = new flat::FlatEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(136, top, 145, 18);
    edit->setText(text);
    edit->setColorBorder(borderBlue);
    // ColorFlat first: writing it switches ParentColor off, which the next
    // line turns on again so the box follows the dialog's colour.
    edit->setColorFlat(flat::buttonFaceColor(this));
    edit->setParentColor(true);
    // The stored height gives way to the font's at once, not only at the
    // first showing.
    edit->fitHeight();
    return edit;
}

void ConnectionDialog::FlatButton1Click()
{
    const play::ApplyOutcome outcome =
        play::applyConnectionSettings(*m_endpoint, m_flatEdit1->text(), m_flatEdit2->text(), m_flatEdit3->text());
    switch (outcome.result) {
    case play::ApplyResult::MissingEntry:
        showMessageBox(this, play::missingEntryText(), play::missingEntryCaption());
        break;
    case play::ApplyResult::Failed:
        // A port text that is no number, or a socket that cannot be opened:
        // the error box says so and the dialog stays open.
        showErrorBox(outcome.errorText);
        break;
    case play::ApplyResult::Applied: accept(); break;
    }
}

void ConnectionDialog::showEvent(QShowEvent* event)
{
    centreOver(this, parentWidget());
    QDialog::showEvent(event);
}

} // namespace corvane::shell
