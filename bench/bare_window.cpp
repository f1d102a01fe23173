// The toolkit's floor: an empty maximized window and nothing else.
#include "ui/startupprobe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    ui::watchFirstPaint(&window);
    window.showMaximized();
    return app.exec();
}
