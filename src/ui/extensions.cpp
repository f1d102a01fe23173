#include "extensions.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <cstdio>

namespace ui {

namespace {

Extensions *installed = nullptr;

CalculatorOpener &calculatorOpener()
{
    static CalculatorOpener opener;
    return opener;
}

// The module lies beside the program in the build tree, and under the
// library folder once installed (VARNOLEK_MODULE_DIR, relative to the
// program's folder).
Extensions *loadModule()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        programDir.filePath(QStringLiteral("varnolek-features")),
        programDir.filePath(QStringLiteral(VARNOLEK_MODULE_DIR "/varnolek-features")),
    };
    QString reasons;
    for (const QString &candidate : candidates) {
        QLibrary module(candidate);
        // Every symbol resolved at once: a module that does not match the
        // program fails here, not at some later menu click.
        module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!module.load()) {
            reasons += QStringLiteral("\n  ") + module.errorString();
            continue;
        }
        using Entry = Extensions *(*)();
        if (auto entry = reinterpret_cast<Entry>(module.resolve("varnolek_extensions")))
            return entry(); // stays loaded: QLibrary never unloads unless asked
        reasons += QStringLiteral("\n  ") + module.errorString();
    }
    std::fprintf(stderr, "varnolek: the menus of the calculator windows cannot be loaded:%s\n",
                 qPrintable(reasons));
    return nullptr;
}

} // namespace

Extensions *extensions()
{
    if (installed)
        return installed;
    static Extensions *const module = loadModule();
    return module;
}

void installExtensions(Extensions *extensions) { installed = extensions; }

void setCalculatorOpener(CalculatorOpener opener) { calculatorOpener() = std::move(opener); }

CalculatorWindow *openCalculator(const QString &window)
{
    return calculatorOpener() ? calculatorOpener()(window) : nullptr;
}

} // namespace ui
