#pragma once
// The connection settings dialog: the peer's host name or address, the peer's
// port and the local port. It has no platform frame; the flat title bar at its
// top is its caption and moves it. The boxes and the button are the flat-style
// controls; the apply logic lives in net/play/ConnectionSettings and takes only
// the three texts.
//
// The dialog is created once with the main window and only hidden between
// uses, so the boxes keep what the user last typed.

#include <QDialog>

#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"
#include "flat/FlatTitlebar.h"

class QFrame;
namespace corvane::endpoint {
class UdpEndpoint;
}

namespace corvane::shell {

class PortKeyFilter;

class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    ConnectionDialog(QWidget* owner, endpoint::UdpEndpoint* endpoint);

    flat::FlatTitlebar* titlebar() const { return m_flatTitlebar1; }  // FlatTitlebar1
    QFrame* bevel() const { return m_bevel1; }                         // Bevel1
    flat::FlatEdit* hostEdit() const { return m_flatEdit1; }          // FlatEdit1
    flat::FlatEdit* remotePortEdit() const { return m_flatEdit2; }    // FlatEdit2
    flat::FlatEdit* localPortEdit() const { return m_flatEdit3; }     // FlatEdit3
    flat::FlatButton* connectButton() const { return m_flatButton1; } // FlatButton1
    PortKeyFilter* portKeyFilter() const { return m_keyFilter; }

public slots:
    void FlatButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createTitlebar();
    void createBody();
    flat::FlatEdit* createEdit(const QString& name, const QString& text, int top);

    endpoint::UdpEndpoint* m_endpoint;
    flat::FlatTitlebar* m_flatTitlebar1 = nullptr;
    QFrame* m_bevel1 = nullptr;
    flat::FlatEdit* m_flatEdit1 = nullptr;
    flat::FlatEdit* m_flatEdit2 = nullptr;
    flat::FlatEdit* m_flatEdit3 = nullptr;
    flat::FlatButton* m_flatButton1 = nullptr;
    PortKeyFilter* m_keyFilter = nullptr;
};

} // namespace corvane::shell
