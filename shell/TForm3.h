#pragma once
// The connection settings dialog: the peer's host name or address, the peer's
// port and the local port. It has no platform frame; the title bar at its top
// is its caption and moves it. The controls are plain Qt stand-ins for the
// flat-style ones; the apply logic lives in net/play/ConnectionSettings and
// takes only the three texts.

#include <QDialog>

class QLineEdit;
class QAbstractButton;
class TUdpEndpoint;

namespace corvane::shell {

class PortKeyFilter;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(QWidget* owner, TUdpEndpoint* endpoint);

    QLineEdit* hostEdit() const { return flatEdit1_; }        // FlatEdit1
    QLineEdit* remotePortEdit() const { return flatEdit2_; }  // FlatEdit2
    QLineEdit* localPortEdit() const { return flatEdit3_; }   // FlatEdit3
    QAbstractButton* connectButton() const { return flatButton1_; }
    PortKeyFilter* portKeyFilter() const { return keyFilter_; }

public slots:
    void FlatButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TUdpEndpoint* endpoint_;
    QLineEdit* flatEdit1_ = nullptr;
    QLineEdit* flatEdit2_ = nullptr;
    QLineEdit* flatEdit3_ = nullptr;
    QAbstractButton* flatButton1_ = nullptr;
    PortKeyFilter* keyFilter_ = nullptr;
};

} // namespace corvane::shell
