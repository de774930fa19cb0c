// The flat edit: its frame band, the idle and focused looks under focus and
// hover, the height fitted to the font and the colour writers.
#include "FlatTestSupport.h"

#include "flat/FlatColors.h"
#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace corvane::flat { }
namespace flat = corvane::flat;
using namespace corvane::flat;

using namespace flattest;

namespace {

constexpr quint32 kDialogFace = 0xC8D0D4;
constexpr quint32 kBlue = 0xFF0000;
constexpr quint32 kWhite = 0xFFFFFF;

class FlatEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = dialogForm(kDialogFace);
        edit1 = addEdit(QRect(20, 20, 145, 18));
        edit2 = addEdit(QRect(20, 60, 145, 18));
        button = new FlatButton(form.get());
        button->setGeometry(20, 120, 73, 25);
        showActive(form.get());
        // Showing the window gives the first box the focus; start with none.
        form->setFocus();
        parkPointer();
    }

    void TearDown() override { parkPointer(); }

    FlatEdit* addEdit(const QRect& geometry)
    {
        auto* edit = new FlatEdit(form.get());
        edit->setGeometry(geometry);
        edit->setColorBorder(Qt::blue);
        return edit;
    }

    // The ring and background colour a box shows, read from its pixels.
    static quint32 innerRing(FlatEdit* edit) { return colorRefAt(edit, 1, 1); }
    static quint32 secondRing(FlatEdit* edit) { return colorRefAt(edit, 2, edit->height() - 3); }
    static quint32 outerRing(FlatEdit* edit) { return colorRefAt(edit, edit->width() - 1, edit->height() - 1); }

    std::unique_ptr<QWidget> form;
    FlatEdit* edit1 = nullptr;
    FlatEdit* edit2 = nullptr;
    FlatButton* button = nullptr;
};

} // namespace

TEST(FlatEditDefaults, ConstructionSettings)
{
    FlatEdit edit;
    EXPECT_EQ(toColorRef(edit.colorFocused()), 0xFFFFFFu);
    EXPECT_EQ(toColorRef(edit.colorBorder()), 0x8396A0u);
    EXPECT_EQ(toColorRef(edit.colorFlat()), 0xE1EAEBu);
    EXPECT_TRUE(edit.parentColor());
    EXPECT_EQ(edit.advColorFocused(), 10);
    EXPECT_EQ(edit.advColorBorder(), 50);
    EXPECT_FALSE(edit.useAdvColors());
    EXPECT_EQ(edit.size(), QSize(121, 19));
    EXPECT_FALSE(edit.hasFrame());
    EXPECT_EQ(edit.textMargins(), QMargins(3, 3, 3, 3));
    EXPECT_EQ(edit.property("ColorFlat").value<QColor>(), edit.colorFlat());
}

TEST_F(FlatEditTest, HeightIsFittedToTheFontWhenShown)
{
    const int expected = QFontMetrics(edit1->font()).height() + 6;
    EXPECT_EQ(edit1->height(), expected);
    EXPECT_EQ(edit1->width(), 145);
    QFont bigger = edit1->font();
    bigger.setPixelSize(24);
    edit1->setFont(bigger);
    EXPECT_EQ(edit1->height(), QFontMetrics(bigger).height() + 6);
}

TEST_F(FlatEditTest, IdleBoxTakesTheDialogColour)
{
    EXPECT_EQ(toColorRef(edit1->colorFlat()), kDialogFace);
    EXPECT_EQ(colorRefAt(edit1, 0, 0), kBlue);
    EXPECT_EQ(outerRing(edit1), kBlue);
    EXPECT_EQ(innerRing(edit1), kDialogFace);
    EXPECT_EQ(secondRing(edit1), kDialogFace);
}

TEST_F(FlatEditTest, TabbingMovesTheFocusedLook)
{
    edit1->setFocus();
    settle();
    EXPECT_TRUE(edit1->hasFocusedLook());
    EXPECT_EQ(innerRing(edit1), kWhite);
    EXPECT_EQ(secondRing(edit1), kWhite);
    EXPECT_EQ(outerRing(edit1), kBlue);
    EXPECT_EQ(innerRing(edit2), kDialogFace);

    QTest::keyClick(edit1, Qt::Key_Tab);
    settle();
    ASSERT_TRUE(edit2->hasFocus());
    EXPECT_EQ(innerRing(edit1), kDialogFace);
    EXPECT_EQ(innerRing(edit2), kWhite);
    EXPECT_EQ(outerRing(edit2), kBlue);
}

TEST_F(FlatEditTest, HoverLightsABoxOnlyWhileNoFlatEditHasTheFocus)
{
    edit1->setFocus();
    settle();
    movePointer(edit2, QPoint(20, 8));
    ASSERT_TRUE(edit2->underMouse());
    EXPECT_FALSE(edit2->hasFocusedLook());
    EXPECT_EQ(innerRing(edit2), kDialogFace);

    // With the focus on the button, hovering lights the box.
    button->setFocus();
    settle();
    EXPECT_TRUE(edit2->hasFocusedLook());
    EXPECT_EQ(innerRing(edit2), kWhite);
    EXPECT_EQ(innerRing(edit1), kDialogFace);

    movePointer(form.get(), QPoint(250, 180));
    EXPECT_FALSE(edit2->underMouse());
    EXPECT_EQ(innerRing(edit2), kDialogFace);
}

TEST_F(FlatEditTest, TextStaysInsideTheFrameBand)
{
    edit1->setText(QString(60, QLatin1Char('W')));
    edit1->setFocus();
    edit1->setCursorPosition(30);
    settle();
    const QImage image = edit1->grab().toImage();
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool inBand = x < 3 || y < 3 || x >= w - 3 || y >= h - 3;
            if (!inBand)
                continue;
            const quint32 c = toColorRef(QColor::fromRgb(image.pixel(x, y)));
            const bool outer = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            EXPECT_EQ(c, outer ? kBlue : kWhite) << "pixel " << x << "," << y;
        }
    }
}

TEST_F(FlatEditTest, WritingColorFlatStopsFollowingTheDialog)
{
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    form->setPalette(palette);
    settle();
    EXPECT_EQ(edit1->colorFlat(), QColor(10, 20, 30));

    edit1->setColorFlat(QColor(200, 100, 50));
    EXPECT_FALSE(edit1->parentColor());
    palette.setColor(QPalette::Window, QColor(40, 50, 60));
    form->setPalette(palette);
    settle();
    EXPECT_EQ(edit1->colorFlat(), QColor(200, 100, 50));
    EXPECT_EQ(innerRing(edit1), toColorRef(QColor(200, 100, 50)));
    EXPECT_EQ(edit2->colorFlat(), QColor(40, 50, 60));

    edit1->setParentColor(true);
    EXPECT_EQ(edit1->colorFlat(), QColor(40, 50, 60));
}

TEST_F(FlatEditTest, AdvancedColoursDeriveFromTheFlatColour)
{
    edit1->setColorFlat(QColor(0, 0, 128));
    edit1->setAdvColorFocused(20); // stored only while UseAdvColors is off
    EXPECT_EQ(toColorRef(edit1->colorFocused()), kWhite);
    edit1->setUseAdvColors(true);
    EXPECT_TRUE(edit1->parentColor());
    // Switching it on follows the dialog's colour at the next colour change;
    // derive from a known flat colour instead.
    edit1->setColorFlat(QColor(0, 0, 128));
    edit1->setAdvColorFocused(20);
    EXPECT_EQ(edit1->colorFocused(), QColor(0, 2, 191)); // worked out in the colour tests
    edit1->setAdvColorBorder(50);
    EXPECT_EQ(edit1->colorBorder(), flat::adjustLightness(QColor(0, 0, 128), Qt::black, 50, flat::Lightness::Darker));
}
