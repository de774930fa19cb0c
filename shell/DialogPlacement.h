#pragma once
// The dialogs are created once at start-up and only hidden between uses;
// each showing puts them at the centre of the main window again.

class QWidget;

namespace corvane::shell {

void centreOver(QWidget* dialog, const QWidget* owner);

} // namespace corvane::shell
