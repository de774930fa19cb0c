#pragma once
// The skinned chrome of the main window: its menu bar, send button and window
// frame. Each is made by one function here, keeping the component names,
// captions, positions and handlers in one place.

class QWidget;

namespace corvane::skin {
class SkinButton;
class SkinForm;
}

namespace corvane::shell {

class MainWindow;

// SkinMenuBar1 at 0,0, 632 x 20: the skinned menu bar with the one menu
// CustomItem5 "游 戏" and its entries CustomItem1 "重新开始", CustomItem2
// "设置...", CustomItem3 "关于...", CustomItem4 "帮助", CustomItem6 "-" and
// CustomItem7 "退出" (SkinMenuItem components of the form), wired to the form's
// CustomItemNClick handlers.
QWidget* createMenuBar(MainWindow& form, QWidget* client);

// SkinButton1 "发  送" at 528,128, 81 x 25, wired to SkinButton1Click: the
// skinned button, drawn by the window's SkinEngine1 (made here with the stored
// skin when the window has none yet).
skin::SkinButton* createSendButton(MainWindow& form, QWidget* client);

// SkinForm1: the skinned window frame drawn by SkinEngine1 in place of the
// platform's caption and border; the form's controls stay in `client`, which
// the frame places inside it (a plain frame when the skin did not load).
skin::SkinForm* createWindowFrame(MainWindow& form, QWidget* client);

} // namespace corvane::shell
