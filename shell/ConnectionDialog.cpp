#include "shell/ConnectionDialog.h"

#include <QFrame>
#include <QLabel>

#include "flat/FlatColors.h"
#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"
#include "flat/FlatTitlebar.h"
#include "net/endpoint/UdpEndpoint.h"
#include "net/play/ConnectionSettings.h"
#include "shell/DialogPlacement.h"
#include "shell/DialogStyle.h"
#include "shell/PortKeyFilter.h"
#include "ui/MessageBox.h"

namespace corvane::shell {

namespace {

const QColor borderBlue(Qt::blue);

// The dialog's fixed size and where its parts stand.
constexpr QSize DialogSize(315, 203);
constexpr int TitlebarHeight = 25;
constexpr QRect BevelGeometry(0, 26, 314, 176);
constexpr int EditLeft = 136;
constexpr QSize EditSize(145, 18);
constexpr int HostTop = 48;
constexpr int RemotePortTop = 88;
constexpr int LocalPortTop = 128;
constexpr QRect ConnectButtonGeometry(208, 160, 73, 25);
constexpr QPoint HostLabelPlace(8, 51);
constexpr QPoint RemotePortLabelPlace(40, 92);
constexpr QPoint LocalPortLabelPlace(40, 131);

void addLabel(QWidget* parent, const QString& name, const QString& text, QPoint place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(place);
    label->adjustSize();
}

} // namespace

ConnectionDialog::ConnectionDialog(QWidget* owner, endpoint::UdpEndpoint* endpoint) : QDialog(owner), m_endpoint(endpoint)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("设置对方计算机名或IP地址"));
    // No platform frame: the flat title bar is the only caption.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(DialogSize);
    setFont(dialogFont());
    // Before the controls: the boxes and the button take this colour as theirs.
    useButtonFace(this);

    createTitlebar();
    createBody();

    // Tab goes through the three boxes; the button is in the order after
    // them but, as a flat button without TabStop, is skipped by the tab key.
    setTabOrder(m_hostEdit, m_remotePortEdit);
    setTabOrder(m_remotePortEdit, m_localPortEdit);
    setTabOrder(m_localPortEdit, m_connectButton);
}

void ConnectionDialog::createTitlebar()
{
    auto* titlebar = new flat::FlatTitlebar(this);
    titlebar->setObjectName(QStringLiteral("FlatTitlebar1"));
    titlebar->setCaption(windowTitle());
    titlebar->setTitlebarColor(Qt::blue);
    // White while active and 162,154,130 while inactive are the bar's own defaults.
    titlebar->setGeometry(0, 0, DialogSize.width(), TitlebarHeight);
    titlebar->setAlign(flat::FlatTitlebar::Align::Top);
}

void ConnectionDialog::createBody()
{
    // A lowered box: shadow on the top and left, highlight on the bottom and right.
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setLineWidth(1);
    bevel->setGeometry(BevelGeometry);

    addLabel(this, QStringLiteral("Label1"), QStringLiteral("对方IP地址或计算机名："), HostLabelPlace);
    addLabel(this, QStringLiteral("Label2"), QStringLiteral("对方端口号："), RemotePortLabelPlace);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("本机端口号："), LocalPortLabelPlace);

    // The object names are those of the stored form, which the tests and the
    // accessibility tree find the boxes by.
    m_hostEdit = createEdit(QStringLiteral("FlatEdit1"), QString(), HostTop);
    m_remotePortEdit = createEdit(QStringLiteral("FlatEdit2"), QStringLiteral("1234"), RemotePortTop);
    m_localPortEdit = createEdit(QStringLiteral("FlatEdit3"), QStringLiteral("1234"), LocalPortTop);
    // The port boxes take digits and backspace only.
    auto* portKeys = new PortKeyFilter(this);
    m_remotePortEdit->installEventFilter(portKeys);
    m_localPortEdit->installEventFilter(portKeys);

    m_connectButton = new flat::FlatButton(this);
    m_connectButton->setObjectName(QStringLiteral("FlatButton1"));
    m_connectButton->setGeometry(ConnectButtonGeometry);
    m_connectButton->setCaption(QStringLiteral("连 接"));
    m_connectButton->setAccessibleName(QStringLiteral("连接"));
    m_connectButton->setColorBorder(borderBlue);
    connect(m_connectButton, &flat::FlatButton::clicked, this, &ConnectionDialog::connectToPeer);
}

flat::FlatEdit* ConnectionDialog::createEdit(const QString& name, const QString& text, int top)
{
    auto* edit = new flat::FlatEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(QRect(QPoint(EditLeft, top), EditSize));
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

void ConnectionDialog::showEndpointSettings()
{
    m_hostEdit->setText(m_endpoint->remoteHost());
    m_remotePortEdit->setText(QString::number(m_endpoint->remotePort()));
    m_localPortEdit->setText(QString::number(m_endpoint->localPort()));
}

void ConnectionDialog::connectToPeer()
{
    const play::ApplyOutcome outcome = play::applyConnectionSettings(*m_endpoint, m_hostEdit->text(),
                                                                     m_remotePortEdit->text(), m_localPortEdit->text());
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
