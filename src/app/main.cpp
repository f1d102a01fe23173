// Varnolek: water-quality models and pollutant-receiving capacity calculator.
//
//   varnolek                  starts on the welcome window
//   varnolek --window NAME    opens one calculator window straight away
//                             (NAME: its own name or its menu button's), for
//                             demonstrations and screenshots

#include "form1.h"
#include "windowcatalog.h"

#include "ui/look.h"
#include "ui/startupprobe.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    ui::installFontSubstitutions();

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
        window->show();
        return app.exec();
    }

    // Nothing else is set up before the welcome window shows; every
    // calculator window is built only when its menu button is pressed.
    Form1 welcome;
    ui::watchFirstPaint(&welcome);
    welcome.show();
    return app.exec();
}
