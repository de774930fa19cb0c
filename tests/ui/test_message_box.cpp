// The message box every window routes through, and its recorder.
#include "support/MessageBoxRecorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

#include <gtest/gtest.h>

using namespace corvane;

TEST(MessageBoxRecorder, RecordsInsteadOfShowingAndRunsOnShowInPlaceOfTheWait)
{
    QWidget owner;
    MessageBoxRecorder recorder;
    QStringList whileOpen;
    recorder.onShow = [&](const RecordedBox& box) { whileOpen << box.text; };

    showMessageBox(&owner, QStringLiteral("此局你输了，继续努力！"), QStringLiteral("信息"));
    showMessageBox(nullptr, QStringLiteral("对方已退出游戏！！！"), QStringLiteral("信息"));

    ASSERT_EQ(recorder.boxes().size(), 2);
    const RecordedBox& first = recorder.boxes()[0];
    EXPECT_EQ(first.icon, BoxIcon::Information);
    EXPECT_EQ(first.caption, QStringLiteral("信息"));
    EXPECT_EQ(first.text, QStringLiteral("此局你输了，继续努力！"));
    EXPECT_EQ(first.owner, &owner);
    EXPECT_EQ(recorder.boxes()[1].owner, nullptr);
    EXPECT_EQ(whileOpen, QStringList({"此局你输了，继续努力！", "对方已退出游戏！！！"}));

    recorder.clear();
    EXPECT_TRUE(recorder.boxes().isEmpty());
}

TEST(MessageBoxRecorder, BoxesOpenedWhileABoxIsOpenAreRecordedInOrder)
{
    MessageBoxRecorder recorder;
    recorder.onShow = [](const RecordedBox& box) {
        if (box.text == QLatin1String("outer"))
            showMessageBox(nullptr, QStringLiteral("inner"), QStringLiteral("信息"));
    };
    showMessageBox(nullptr, QStringLiteral("outer"), QStringLiteral("信息"));
    ASSERT_EQ(recorder.boxes().size(), 2);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("outer"));
    EXPECT_EQ(recorder.boxes()[1].text, QStringLiteral("inner"));
}

TEST(MessageBoxRecorder, TheInnermostRecorderRecordsAndTheOuterOneResumes)
{
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        showMessageBox(nullptr, QStringLiteral("a"), QStringLiteral("c"));
        EXPECT_EQ(inner.boxes().size(), 1);
    }
    EXPECT_TRUE(outer.boxes().isEmpty());
    showMessageBox(nullptr, QStringLiteral("b"), QStringLiteral("c"));
    EXPECT_EQ(outer.boxes().size(), 1);
}

TEST(MessageBox, WithoutRecorderAModalInformationBoxWithOneOkButtonIsShown)
{
    QWidget owner;
    owner.show();
    bool inspected = false;
    QMessageBox* seen = nullptr;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || inspected)
            return;
        inspected = true;
        seen = box;
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("信息"));
        EXPECT_EQ(box->text(), QStringLiteral("<b>not markup</b>"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->parentWidget(), &owner);
        EXPECT_TRUE(box->isModal());
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    // Gives up rather than hanging the test run if the box never appears.
    QTimer::singleShot(10000, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->reject();
    });
    showMessageBox(&owner, QStringLiteral("<b>not markup</b>"), QStringLiteral("信息"));
    EXPECT_TRUE(inspected);
    EXPECT_NE(seen, nullptr);
}

// An event that repeats while a box waits (a datagram, a timer) must not
// stack boxes without end: a box the same as one open is not shown again,
// a different one is.
TEST(MessageBox, TheSameBoxIsNeverStackedOnItself)
{
    MessageBoxRecorder recorder;
    QStringList open; // texts of the boxes open, outermost first
    bool stackedOnItself = false;
    int deepest = 0;
    recorder.onShow = [&](const RecordedBox& box) {
        stackedOnItself |= open.contains(box.text);
        open << box.text;
        deepest = std::max(deepest, int(open.size()));
        if (open.size() <= 3) { // bounded, should boxes stack after all
            for (int i = 0; i < 100; ++i) {
                showErrorBox(QStringLiteral("Host Lookup Canceled"));
                showMessageBox(nullptr, QStringLiteral("对方已退出游戏！！！"), QStringLiteral("信息"));
            }
        }
        open.removeLast();
    };
    showErrorBox(QStringLiteral("Host Lookup Canceled"));
    EXPECT_FALSE(stackedOnItself);
    EXPECT_EQ(deepest, 2);
}

// The window system shows a window's caption followed by " — " and the
// application's display name whenever one has been set. None may be: every
// caption reads exactly as its window has it. (Unset, the display name
// follows the application name.)
TEST(ApplicationTitle, IsCorvaneWithNoDisplayNameForTheWindowSystemToAppend)
{
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane"));
}

// Docks find the window's icon and name through the desktop entry the
// window names (its file, installed from packaging/).
TEST(ApplicationTitle, NamesTheInstalledDesktopEntry)
{
    const QString entry = QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
    QFile file(qEnvironmentVariable("CORVANE_SOURCE_DIR") + QStringLiteral("/packaging/") + entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << entry.toStdString();
    EXPECT_TRUE(file.readAll().contains("\nStartupWMClass=" + QCoreApplication::applicationName().toUtf8() + "\n"));
}
