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

namespace corvane::flat {
class FlatButton;
class FlatEdit;
}


namespace corvane::endpoint {
class UdpEndpoint;
}

namespace corvane::shell {

class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    ConnectionDialog(QWidget* owner, endpoint::UdpEndpoint* endpoint);

    // Fills the three boxes with what the endpoint is set to now.
    void showEndpointSettings();

public slots:
    // "连 接": applies the three boxes to the endpoint; closes the dialog when
    // they were applied, else says why in a box and stays open.
    void connectToPeer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createTitlebar();
    void createBody();
    flat::FlatEdit* createEdit(const QString& name, const QString& text, int top);

    endpoint::UdpEndpoint* m_endpoint;
    flat::FlatEdit* m_hostEdit = nullptr;
    flat::FlatEdit* m_remotePortEdit = nullptr;
    flat::FlatEdit* m_localPortEdit = nullptr;
    flat::FlatButton* m_connectButton = nullptr;
};

} // namespace corvane::shell
