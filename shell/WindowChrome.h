#pragma once
// The skinned chrome of the main window: its menu bar, send button and window
// frame. Each is made by one function here, keeping the object names,
// captions, positions and slots in one place.

class QWidget;

namespace corvane::skin {
class SkinButton;
class SkinForm;
}

namespace corvane::shell {

class MainWindow;

// The skinned menu bar across the top of the client area with the one menu
// "游 戏" and its entries "重新开始", "设置...", "关于...", "帮助", a separator
// and "退出" (skin items owned by the window), each wired to the window's slot.
QWidget* createMenuBar(MainWindow& window, QWidget* client);

// The skinned send button "发  送", wired to MainWindow::sendChatLine and
// drawn by the window's skin engine (made here with the stored skin when the
// window has none yet).
skin::SkinButton* createSendButton(MainWindow& window, QWidget* client);

// The skinned window frame drawn by the window's skin engine in place of the
// platform's caption and border; the window's controls stay in `client`, which
// the frame places inside it (a plain frame when the skin did not load). Alt +
// a letter and shortcut keys pressed in the window go to `menuBar`.
skin::SkinForm* createWindowFrame(MainWindow& window, QWidget* client, QWidget* menuBar);

} // namespace corvane::shell
