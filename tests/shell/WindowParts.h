#pragma once
// The parts of the main window and the connection dialog as the tests reach
// them: by type, or by their object names. And a notification
// sound that counts its plays instead of playing them.

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

#include "flat/FlatButton.h"
#include "flat/FlatEdit.h"
#include "flat/FlatTitlebar.h"
#include "shell/BoardView.h"
#include "shell/ConnectionDialog.h"
#include "shell/MainWindow.h"
#include "shell/SoundPlayer.h"
#include "skin/button/SkinButton.h"
#include "skin/frame/SkinForm.h"

namespace corvane::shell::testing {

inline QWidget* clientArea(const MainWindow& window)
{
    // The frame may hold it in a widget of its own.
    return window.findChild<QWidget*>(QStringLiteral("ClientArea"));
}

// The client area's child of type Part named `name`.
template <typename Part = QWidget>
Part* clientPart(const MainWindow& window, const char* name)
{
    return clientArea(window)->findChild<Part*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

inline BoardView* boardView(const MainWindow& window)
{
    return clientArea(window)->findChild<BoardView*>(QString(), Qt::FindDirectChildrenOnly);
}
inline QPlainTextEdit* chatInput(const MainWindow& window)
{
    return clientPart<QPlainTextEdit>(window, "Memo1");
}
inline QPlainTextEdit* receivedText(const MainWindow& window)
{
    return clientPart<QPlainTextEdit>(window, "Memo2");
}
inline QLabel* receivedLabel(const MainWindow& window)
{
    return clientPart<QLabel>(window, "Label1");
}
inline QWidget* menuBar(const MainWindow& window)
{
    return clientPart(window, "SkinMenuBar1");
}
inline skin::SkinButton* sendButton(const MainWindow& window)
{
    return clientPart<skin::SkinButton>(window, "SkinButton1");
}
inline skin::SkinForm* windowFrame(const MainWindow& window)
{
    return window.findChild<skin::SkinForm*>(QString(), Qt::FindDirectChildrenOnly);
}

// The connection dialog's boxes and button, by the stored form's names.
inline flat::FlatEdit* hostEdit(const ConnectionDialog& dialog)
{
    return dialog.findChild<flat::FlatEdit*>(QStringLiteral("FlatEdit1"));
}
inline flat::FlatEdit* remotePortEdit(const ConnectionDialog& dialog)
{
    return dialog.findChild<flat::FlatEdit*>(QStringLiteral("FlatEdit2"));
}
inline flat::FlatEdit* localPortEdit(const ConnectionDialog& dialog)
{
    return dialog.findChild<flat::FlatEdit*>(QStringLiteral("FlatEdit3"));
}
inline flat::FlatButton* connectButton(const ConnectionDialog& dialog)
{
    return dialog.findChild<flat::FlatButton*>(QStringLiteral("FlatButton1"));
}
inline flat::FlatTitlebar* titlebar(const ConnectionDialog& dialog)
{
    return dialog.findChild<flat::FlatTitlebar*>(QStringLiteral("FlatTitlebar1"));
}
inline QFrame* bevel(const ConnectionDialog& dialog)
{
    return dialog.findChild<QFrame*>(QStringLiteral("Bevel1"));
}

// A sound player that only counts how often it was started.
class CountingSoundPlayer : public SoundPlayer {
public:
    explicit CountingSoundPlayer(std::shared_ptr<int> plays) : m_plays(std::move(plays)) { }
    void playFromStart() override { ++*m_plays; }

private:
    std::shared_ptr<int> m_plays;
};

// A window's sound that stays silent; `plays` (when given) counts the plays.
inline NotificationSound::PlayerMaker silentSound(std::shared_ptr<int> plays = std::make_shared<int>())
{
    return [plays] { return std::make_unique<CountingSoundPlayer>(plays); };
}

} // namespace corvane::shell::testing
