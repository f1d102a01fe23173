#include "language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace ui {

QTranslator *installQtTranslations()
{
    static QTranslator *const installed = [] {
        auto *translator = new QTranslator(QCoreApplication::instance());
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        // Chinese whatever the system's locale: the windows speak nothing else.
        if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                              folder) ||
            !QCoreApplication::installTranslator(translator)) {
            std::fprintf(stderr,
                         "varnolek: Qt's Chinese translation qtbase_zh_CN.qm is not in %s: "
                         "Qt's own dialogs speak English\n",
                         qPrintable(folder));
            delete translator;
            return static_cast<QTranslator *>(nullptr);
        }
        return translator;
    }();
    return installed;
}

} // namespace ui
