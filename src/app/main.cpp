// Varnolek: water-quality models and pollutant-receiving capacity calculator.

#include "form1.h"

#include "ui/look.h"
#include "ui/startupprobe.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    ui::installFontSubstitutions();

    // Nothing else is set up before the welcome window shows; every
    // calculator window is built only when its menu button is pressed.
    Form1 welcome;
    ui::watchFirstPaint(&welcome);
    welcome.show();
    return app.exec();
}
