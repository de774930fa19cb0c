// Golden images: the program's send button (81 x 25, "发  送") drawn by the
// stored skin in its five pictures, over the skinned client background at its
// place in the main window, compared pixel for pixel with the references in
// golden/. Set CORVANE_UPDATE_GOLDEN=1 to rewrite the references (then look
// at them before committing).
#include "ButtonTestSkin.h"
#include "ButtonTestSupport.h"
#include "skin/button/SkinButton.h"
#include "ui/Fonts.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace corvane::skin;
using namespace corvane::skin::test;

namespace {

QString goldenPath(const QString& name)
{
    return qEnvironmentVariable("CORVANE_SOURCE_DIR") + QStringLiteral("/tests/skin/button/golden/") + name +
           QStringLiteral(".png");
}

::testing::AssertionResult matchesGolden(const QImage& actual, const QString& name)
{
    const QImage image = actual.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("CORVANE_UPDATE_GOLDEN")) {
        QDir().mkpath(QFileInfo(goldenPath(name)).path());
        image.save(goldenPath(name));
    }
    const QImage golden = QImage(goldenPath(name)).convertToFormat(QImage::Format_RGB32);
    if (golden.isNull())
        return ::testing::AssertionFailure() << "no reference " << goldenPath(name).toStdString();
    if (golden.size() != image.size())
        return ::testing::AssertionFailure() << name.toStdString() << ": size differs from the reference";
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            differing += image.pixel(x, y) != golden.pixel(x, y);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    const QString saved = QDir::temp().filePath(QStringLiteral("button-actual-") + name + QStringLiteral(".png"));
    image.save(saved);
    return ::testing::AssertionFailure() << name.toStdString() << ": " << differing
                                         << " pixels differ; actual picture saved to " << saved.toStdString();
}

class SkinButtonGolden : public ::testing::Test {
protected:
    static void SetUpTestSuite() { corvane::installFontSubstitutions(); }

    void SetUp() override
    {
        ASSERT_TRUE(loadIvory(engine));
        client.resize(632, 450);
        button->setGeometry(528, 128, 81, 25);
        button->setCaption(QStringLiteral("发  送"));
        button->setPerformance(SkinPerformance::DoubleBuffer);
        // The focus would add the focused picture to the others.
        button->setFocusPolicy(Qt::NoFocus);
        button->setSkinEngine(&engine);
        client.show();
        ASSERT_FALSE(button->testAttribute(Qt::WA_OpaquePaintEvent)); // transparent over the background
    }

    void enter()
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(button, &event);
    }

    SkinEngine engine;
    SkinnedBackground client{&engine};
    SkinButton* button = new SkinButton(&client);
};

} // namespace

TEST_F(SkinButtonGolden, Normal)
{
    EXPECT_TRUE(matchesGolden(faceOf(button), QStringLiteral("normal")));
}

TEST_F(SkinButtonGolden, Hot)
{
    enter();
    ASSERT_EQ(button->skinState(), SkinState::Hot);
    EXPECT_TRUE(matchesGolden(faceOf(button), QStringLiteral("hot")));
}

TEST_F(SkinButtonGolden, Pressed)
{
    enter();
    sendMouse(button, QEvent::MouseButtonPress, {5, 5});
    ASSERT_EQ(button->skinState(), SkinState::Pressed);
    EXPECT_TRUE(matchesGolden(faceOf(button), QStringLiteral("pressed")));
}

TEST_F(SkinButtonGolden, Disabled)
{
    button->setEnabled(false);
    ASSERT_EQ(button->skinState(), SkinState::Disabled);
    EXPECT_TRUE(matchesGolden(faceOf(button), QStringLiteral("disabled")));
}

TEST_F(SkinButtonGolden, Focused)
{
    button->setDefault(true); // acts as the default button: the focused picture
    ASSERT_EQ(button->skinState(), SkinState::Focused);
    EXPECT_TRUE(matchesGolden(faceOf(button), QStringLiteral("focused")));
}

TEST_F(SkinButtonGolden, WindowShowsTheSameFace)
{
    const QImage onScreen = client.grab(QRect(528, 128, 81, 25)).toImage();
    EXPECT_TRUE(matchesGolden(onScreen, QStringLiteral("normal")));
}
