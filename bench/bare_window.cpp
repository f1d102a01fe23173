// The toolkit's floor: an empty maximized window and nothing else.
#include "ui/startupprobe.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    ui::watchFirstPaint(&window);
    // Where no window manager runs (the benchmark's Xvfb), showMaximized()
    // alone leaves the default 640 × 480: the screen's geometry makes the floor
    // as large as the welcome window, which is maximized the same way.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
