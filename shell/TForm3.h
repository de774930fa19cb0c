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

#include "flat/TFlatButton.h"
#include "flat/TFlatEdit.h"
#include "flat/TFlatTitlebar.h"

class QFrame;
namespace corvane::endpoint { class TUdpEndpoint; }

namespace corvane::shell {

class PortKeyFilter;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(QWidget* owner, endpoint::TUdpEndpoint* endpoint);

    flat::TFlatTitlebar* titlebar() const { return flatTitlebar1_; }  // FlatTitlebar1
    QFrame* bevel() const { return bevel1_; }                   // Bevel1
    flat::TFlatEdit* hostEdit() const { return flatEdit1_; }          // FlatEdit1
    flat::TFlatEdit* remotePortEdit() const { return flatEdit2_; }    // FlatEdit2
    flat::TFlatEdit* localPortEdit() const { return flatEdit3_; }     // FlatEdit3
    flat::TFlatButton* connectButton() const { return flatButton1_; } // FlatButton1
    PortKeyFilter* portKeyFilter() const { return keyFilter_; }

public slots:
    void FlatButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createTitlebar();
    void createBody();
    flat::TFlatEdit* createEdit(const QString& name, const QString& text, int top);

    endpoint::TUdpEndpoint* endpoint_;
    flat::TFlatTitlebar* flatTitlebar1_ = nullptr;
    QFrame* bevel1_ = nullptr;
    flat::TFlatEdit* flatEdit1_ = nullptr;
    flat::TFlatEdit* flatEdit2_ = nullptr;
    flat::TFlatEdit* flatEdit3_ = nullptr;
    flat::TFlatButton* flatButton1_ = nullptr;
    PortKeyFilter* keyFilter_ = nullptr;
};

} // namespace corvane::shell
