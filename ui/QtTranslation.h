#pragma once
// Qt's own texts (the OK of a message box, the edit boxes' context menu, the
// command-line help) in Simplified Chinese, like every other text of the
// program, whatever the user's locale: Qt's qtbase_zh_CN translation, from
// the folder where Qt keeps its translations (Debian: qt6-translations-l10n).

class QCoreApplication;

namespace corvane {

// Installs the translation on `application`, which owns it from then on.
// False when the translation file is missing; Qt then speaks English.
bool installQtTranslation(QCoreApplication& application);

} // namespace corvane
