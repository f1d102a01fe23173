// Varnolek: water-quality models and pollutant-receiving capacity calculator.
//
//   varnolek                  starts on the welcome window
//   varnolek --window NAME    opens one calculator window straight away
//                             (NAME: its own name or its menu button's), for
//                             demonstrations and screenshots
//   varnolek FILE.vcase       the main menu, with the saved case's window open
//   varnolek FILE.vtable      the main menu, with the zone table open
//   varnolek --version        prints "Varnolek 0.2.0"
//   varnolek --help           prints the usage
// --version and --help are answered before the window system is touched, so
// they work over ssh and in a package check with no display at all.

#include "caseopening.h"
#include "form1.h"
#include "tableopening.h"
#include "windowcatalog.h"

#include "ui/language.h"
#include "ui/look.h"
#include "ui/startupprobe.h"

#include "varnolek/version.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <string_view>

namespace {

constexpr const char *helpText = R"(varnolek: water-quality models and pollutant-receiving capacity of rivers,
lakes and reservoirs (a desktop calculator with a Simplified-Chinese interface).

Usage:
  varnolek                  starts on the welcome window; its Enter leads to the main menu
  varnolek --window NAME    opens one calculator window straight away; NAME is the
                            window's name (e.g. my1dform) or its menu button's (e.g. my1d)
  varnolek FILE.vcase       the main menu, with the window of the saved case open and
                            the case loaded
  varnolek FILE.vtable      the main menu, with the zone table (水功能区纳污能力计算表)
                            of the file open beside it
  varnolek --version        prints the version
  varnolek --help           prints this text

The same calculations without a screen: varnolek-calc --help.
)";

} // namespace

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") {
            std::printf("%s\n", varnolek::versionLine);
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (arg == "--window")
            ++i; // the window's name is no option, whatever it reads
    }

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(varnolek::versionText);
    // Ties the windows to the installed desktop entry (its icon and name in
    // the task bar on Wayland).
    QGuiApplication::setDesktopFileName("io.github.varnolek.Varnolek");
    QApplication::setStyle("Fusion");
    ui::installFontSubstitutions();
    ui::installQtTranslations();

    const QStringList args = QApplication::arguments();
    const qsizetype windowArg = args.indexOf("--window");
    if (windowArg > 0) {
        const CalculatorEntry *entry = findCalculator(args.value(windowArg + 1));
        if (!entry) {
            std::fprintf(stderr, "varnolek: no calculator window named '%s'\n",
                         qPrintable(args.value(windowArg + 1)));
            return 1;
        }
        QWidget *window = entry->make();
        ui::watchFirstPaint(window);
        window->show();
        return app.exec();
    }

    // Nothing else is set up before the welcome window shows; every
    // calculator window is built only when its menu button is pressed.
    Form1 welcome;
    ui::watchFirstPaint(&welcome);
    welcome.show();
    installCaseOpener(welcome.calculators());
    if (const QString caseFile = caseArgument(args); !caseFile.isEmpty())
        openCaseAtStart(welcome, caseFile);
    else if (const QString tableFile = tableArgument(args); !tableFile.isEmpty())
        openTableAtStart(welcome, tableFile);
    return app.exec();
}
