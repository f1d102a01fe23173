// Time to build the table of monitoring points of the degradation-coefficient
// window, from the answer to the count prompt until the window has painted.
#include "parameters/mykform.h"
#include "ui/prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <cstdio>

namespace {
// Answers the count prompt with a fixed number; nothing else is asked.
class CountAnswer : public ui::Prompts {
public:
    QString count;
    void message(QWidget *, const QString &text, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> input(QWidget *, const QString &, const QString &, const QString &) override
    {
        return count;
    }
    QString openFile(QWidget *, const QString &, const QString &) override { return QString(); }
    bool launch(const QString &, const QStringList &) override { return false; }
};

double buildMilliseconds(myKform &w, CountAnswer &answer, int count)
{
    answer.count = QString::number(count);
    QElapsedTimer timer;
    timer.start();
    w.Option2->click();
    w.repaint();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CountAnswer answer;
    ui::Prompts::install(&answer);

    std::printf("points  first build (ms)  rebuild (ms)\n");
    // One count from the command line, or the usual set.
    QList<int> counts{4, 40, 1000, 10922};
    if (argc > 1)
        counts = {QString::fromLocal8Bit(argv[1]).toInt()};
    for (int count : counts) {
        myKform w;
        w.show();
        QCoreApplication::processEvents();
        const double first = buildMilliseconds(w, answer, count);
        w.Option1->click();
        const double again = buildMilliseconds(w, answer, count);
        std::printf("%6d  %16.1f  %12.1f\n", count, first, again);
    }
    ui::Prompts::install(nullptr);
    return 0;
}
