// Qt's own texts are Chinese (Qt's translation writes 撤消 for Undo) under the program's application object, whatever
// the locale: the OK of a shown message box and the edit boxes' context menu.
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace corvane;

namespace {

bool translationInstalled()
{
    return QApplication::translate("QPlatformTheme", "OK") != QLatin1String("OK");
}

} // namespace

TEST(QtTranslation, ShownMessageBoxSaysQueDing)
{
    ASSERT_TRUE(translationInstalled()) << "qtbase_zh_CN.qm is missing (package qt6-translations-l10n)";
    QString okText;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        okText = box->button(QMessageBox::Ok)->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    QTimer::singleShot(10000, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->reject();
    });
    showMessageBox(nullptr, QStringLiteral("对方已退出游戏！！！"), QStringLiteral("信息"));
    EXPECT_EQ(okText, QStringLiteral("确定"));
}

TEST(QtTranslation, EditContextMenuIsChinese)
{
    ASSERT_TRUE(translationInstalled()) << "qtbase_zh_CN.qm is missing (package qt6-translations-l10n)";
    QLineEdit edit(QStringLiteral("对方"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0).section(QLatin1Char('('), 0, 0);
    EXPECT_EQ(texts, QStringList({"撤消", "重做", "剪切", "复制", "粘贴", "删除", "全选"}));
}
