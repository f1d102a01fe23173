// Time from the press of 显示图形 until the plot window of a calculator window
// has painted, offscreen; with --screenshot, the plot window on a real
// display saved as an image instead.
//
//   plot_window [--runs N] [--option NAME]... [--answer TEXT]... [--file PATH]
//               [--screenshot PNG] [WINDOW]
//
// WINDOW defaults to my2dform, whose map has 400 × 201 nodes. The options are
// clicked in order before OK is pressed; --answer queues the answers of input
// boxes (the number of monitoring points, the guarantee rate), --file the data
// file a file dialog is answered with, or that a window keeping its file is given.
#include "app/windowcatalog.h"
#include "features/linkedextensions.h"
#include "plots/plotdata.h"
#include "ui/calculatorwindow.h"
#include "ui/look.h"
#include "ui/prompts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QQueue>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {
class Answers : public ui::Prompts {
public:
    QQueue<QString> inputs;
    QString file;
    void message(QWidget *, const QString &text, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> input(QWidget *, const QString &, const QString &, const QString &defaultText) override
    {
        return inputs.isEmpty() ? defaultText : inputs.dequeue();
    }
    QString openFile(QWidget *, const QString &, const QString &) override { return file; }
    bool launch(const QString &, const QStringList &) override { return false; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return QString(); }
    bool print(QWidget *, const QTextDocument &) override { return false; }
};

struct Options {
    QString window = QStringLiteral("my2dform");
    QStringList options;
    QStringList answers;
    QString file, screenshot;
    int runs = 9;
};

// Builds the window, selects its view and runs its calculation.
ui::CalculatorWindow *calculated(const Options &o, Answers &answers)
{
    answers.inputs = QQueue<QString>();
    for (const QString &a : o.answers)
        answers.inputs.enqueue(a);
    answers.file = o.file;
    auto *w = static_cast<ui::CalculatorWindow *>(findCalculator(o.window)->make());
    w->show();
    QCoreApplication::processEvents();
    for (const QString &option : o.options)
        w->findChild<QAbstractButton *>(option)->click();
    const catalogue::Entry &entry = w->currentEntry();
    // A window that keeps its data file itself gets it as a chosen file.
    if (const catalogue::Field *file = catalogue::dataFileField(entry); file && !o.file.isEmpty())
        w->setDataText(file->name, o.file);
    for (int i = 0; i < entry.okPresses; ++i)
        w->findChild<QAbstractButton *>(QString::fromStdString(entry.okButton))->click();
    QCoreApplication::processEvents();
    while (w->busy()) // a calculation on a worker thread
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!w->resultsCurrent())
        std::fprintf(stderr, "the calculation did not run to its end\n");
    return w;
}
} // namespace

int main(int argc, char *argv[])
{
    Options o;
    const QStringList args = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == "--runs")
            o.runs = args.value(++i).toInt();
        else if (a == "--option")
            o.options << args.value(++i);
        else if (a == "--answer")
            o.answers << args.value(++i);
        else if (a == "--file")
            o.file = args.value(++i);
        else if (a == "--screenshot")
            o.screenshot = args.value(++i);
        else
            o.window = a;
    }
    if (o.screenshot.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    ui::installFontSubstitutions();
    // The plots linked in: the figure is the plot's, not the module's loading.
    ui::installExtensions(&features::linkedExtensions());
    if (!findCalculator(o.window)) {
        std::fprintf(stderr, "no calculator window named %s\n", qPrintable(o.window));
        return 1;
    }
    Answers answers;
    ui::Prompts::install(&answers);

    if (!o.screenshot.isEmpty()) {
        ui::CalculatorWindow *w = calculated(o, answers);
        w->move(0, 0);
        w->findChild<QAction *>("actionPlot")->trigger();
        QWidget *plot = w->findChild<QWidget *>("plotwindow");
        if (!plot)
            return 1;
        plot->move(std::max(0, 1280 - plot->width()), 1024 - plot->height() - 40);
        QTimer::singleShot(1500, [&] {
            const QRect g = plot->frameGeometry();
            QGuiApplication::primaryScreen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).save(o.screenshot);
            app.quit();
        });
        return app.exec();
    }

    // The map's data alone: 80,400 evaluations through the catalogue.
    {
        const catalogue::Entry &entry = catalogue::entry("my2dform");
        const catalogue::Case c = catalogue::defaultCase(entry);
        std::vector<double> data;
        for (int run = 0; run < o.runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            const plots::Plot plot = plots::makePlot(entry, c);
            data.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(data.begin(), data.end());
        std::printf("my2dform map data alone, median of %d: %.1f ms\n", o.runs, data[data.size() / 2]);
    }

    std::vector<double> times;
    for (int run = 0; run < o.runs; ++run) {
        ui::CalculatorWindow *w = calculated(o, answers);
        QAction *action = w->findChild<QAction *>("actionPlot");
        QElapsedTimer timer;
        timer.start();
        action->trigger();
        QCoreApplication::processEvents();
        if (QWidget *plot = w->findChild<QWidget *>("plotwindow"))
            plot->repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
        w->close();
        QCoreApplication::processEvents();
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("%s: plot window shown and painted, %d runs (ms):", qPrintable(o.window), o.runs);
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf("\nmedian: %.1f ms\n", sorted[sorted.size() / 2]);
    ui::Prompts::install(nullptr);
    return 0;
}
