#pragma once
// The flat button tests' common ground: a dialog-coloured form with one
// captioned button on it, shown and active, and the clicks each button got.
#include "FlatTestSupport.h"

#include "flat/FlatColors.h"
#include "flat/FlatButton.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace flattest {

constexpr quint32 kDialogFace = 0xC8D0D4; // the dialog's background in these tests
constexpr quint32 kBlue = 0xFF0000;
constexpr quint32 kHovered = 0xE1EAEB;
constexpr quint32 kPressed = 0xC5D6D9;

class FlatButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = dialogForm(kDialogFace);
        button = addButton(QRect(20, 20, 73, 25));
        button->setCaption(QStringLiteral("连 接"));
        showActive(form.get());
        parkPointer();
    }

    void TearDown() override { parkPointer(); }

    FlatButton* addButton(const QRect& geometry)
    {
        auto* b = new FlatButton(form.get());
        b->setGeometry(geometry);
        b->setColorBorder(Qt::blue);
        QObject::connect(b, &FlatButton::clicked, [this, b] { clicked.push_back(b); });
        b->show();
        return b;
    }

    int clicksOf(FlatButton* b) const { return int(std::count(clicked.begin(), clicked.end(), b)); }

    std::vector<FlatButton*> clicked; // declared first: outlives the buttons
    std::unique_ptr<QWidget> form;
    FlatButton* button = nullptr;
};

} // namespace flattest
