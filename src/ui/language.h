#pragma once
// Qt's own texts in Simplified Chinese, as the rest of the program speaks:
// the buttons of message and input boxes (确定, 取消), the file dialog's 打开,
// 查看, 文件名 and 文件类型, the print dialog. They come from Qt's translation
// of its base module (qtbase_zh_CN.qm, Debian's qt6-translations-l10n).

class QTranslator;

namespace ui {

// Installs the translation into the application, once; the program calls it
// at start and the tests the same way. nullptr, said once on stderr, when the
// translation is not installed: Qt's dialogs then speak English.
QTranslator *installQtTranslations();

} // namespace ui
