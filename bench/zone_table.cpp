// The zone table with 10,000 zones: varnolek-calc --table opening and
// computing it; the window opening it to its first paint; one cell edit
// computed again and painted; the totals tab shown; the resident memory.
//
//   zone_table [--zones N] [--runs R] [--calc PATH] [--keep FILE]
//
// The table is the example plan's 21 rows repeated, each zone numbered, so
// that every method and both water bodies are in it. --calc is the
// varnolek-calc to time (default: beside the bench folder); --keep writes the
// table to FILE and leaves it there.
#include "catalogue/tablefile.h"
#include "tables/tables.h"
#include "tables/totalsview.h"
#include "tables/zonetable.h"
#include "tables/zonetablemodel.h"
#include "ui/prompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class Silent : public ui::Prompts {
public:
    void message(QWidget *, const QString &text, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> input(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(QWidget *, const QString &, const QString &) override { return {}; }
    bool launch(const QString &, const QStringList &) override { return false; }
    SaveChoice askToSave(QWidget *, const QString &, const QString &) override { return SaveChoice::Discard; }
};

// Resident and peak resident memory of this process, MB.
std::pair<double, double> memory()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    double rss = 0, peak = 0;
    while (std::getline(status, line)) {
        std::istringstream in(line.substr(line.find(':') + 1));
        double kb = 0;
        in >> kb;
        if (line.rfind("VmRSS:", 0) == 0)
            rss = kb / 1024;
        if (line.rfind("VmHWM:", 0) == 0)
            peak = kb / 1024;
    }
    return {rss, peak};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Counts the paints of a widget.
class Paints : public QObject {
public:
    explicit Paints(QWidget *w) { w->installEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Runs the events until the widget has painted again (at most 1 s).
void untilPainted(const Paints &paints, int before)
{
    QElapsedTimer cap;
    cap.start();
    while (paints.count == before && cap.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    int zones = 10000, runs = 5;
    QString calc = QDir(QCoreApplication::applicationDirPath()).filePath("../varnolek-calc"), keep;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--zones")
            zones = args[i + 1].toInt();
        else if (args[i] == "--runs")
            runs = std::max(1, args[i + 1].toInt());
        else if (args[i] == "--calc")
            calc = args[i + 1];
        else if (args[i] == "--keep")
            keep = args[i + 1];
    }
    Silent silent;
    ui::Prompts::install(&silent);

    // The table: the example's rows over and over, each zone numbered.
    const catalogue::ZoneTable example = catalogue::readTableFile(
        QDir(QCoreApplication::applicationDirPath()).filePath("../../examples/qingshui_plan.vtable").toStdString());
    std::vector<catalogue::ZoneRow> rows;
    rows.reserve(std::size_t(zones));
    for (int i = 0; i < zones; ++i) {
        catalogue::ZoneRow row = example.row(std::size_t(i) % example.size());
        row.zone += "-" + std::to_string(i / int(example.size()) + 1);
        rows.push_back(std::move(row));
    }
    QTemporaryDir dir;
    const QString path = keep.isEmpty() ? dir.filePath("zones.vtable") : keep;
    {
        const std::string text = catalogue::tableFileText(catalogue::ZoneTable(std::move(rows), example.project));
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << text;
        std::printf("zones:                                %d (%.1f MB file)\n", zones, text.size() / 1048576.0);
    }

    // varnolek-calc --table, the whole process: start, read, compute, print.
    std::vector<double> cli;
    for (int r = 0; r < runs; ++r) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer t;
        t.start();
        p.start(calc, {"--table", path});
        p.waitForFinished(-1);
        cli.push_back(double(t.nsecsElapsed()) / 1e6);
        if (p.exitCode() != 0)
            std::fprintf(stderr, "varnolek-calc --table exited %d\n", p.exitCode());
    }
    std::printf("varnolek-calc --table (target <= 500): %.0f ms median of %d\n", median(cli), runs);

    // The window, from the open to its first paint.
    QElapsedTimer t;
    t.start();
    QWidget *window = tables::openZoneTable(path, nullptr);
    auto *table = qobject_cast<zonetable *>(window);
    if (!table)
        return 1;
    Paints paints(table->tableZones->viewport());
    table->show();
    untilPainted(paints, 0);
    const double open = double(t.nsecsElapsed()) / 1e6;
    std::printf("window opens and paints (target <= 1000): %.0f ms\n", open);

    // One cell edit: the load of a row on the screen, computed again and the
    // view painted where it changed, the counts of the status bar brought up to date.
    tables::ZoneTableModel *model = table->model();
    const int loadColumn = model->columnOf(catalogue::ColumnKind::Load);
    std::vector<double> edits;
    for (int r = 0; r < 41; ++r) {
        const QModelIndex cell = model->index(5 + r % 10, loadColumn);
        const int before = paints.count;
        t.restart();
        model->setData(cell, QString::number(100 + r * 37));
        untilPainted(paints, before);
        QCoreApplication::processEvents();
        edits.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    // The whole screen of cells painted again, for comparison.
    std::vector<double> full;
    for (int r = 0; r < 11; ++r) {
        t.restart();
        table->tableZones->viewport()->repaint();
        full.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    // The first edit also brings the undo button's text into the tool bar.
    const double first = edits.front();
    edits.erase(edits.begin());
    std::sort(edits.begin(), edits.end());
    std::printf("one cell edit, computed and repainted (target <= 10): %.2f ms median, %.2f ms 9th decile, "
                "%.2f ms at most of %zu; the first %.2f ms\n",
                median(edits), edits[edits.size() * 9 / 10], edits.back(), edits.size(), first);
    std::printf("the whole screen of cells repainted:  %.2f ms median\n", median(full));

    // A method changed on the screen: columns come and go.
    const int methodColumn = model->columnOf(catalogue::ColumnKind::Method);
    int before = paints.count;
    t.restart();
    model->setData(model->index(2, methodColumn), QStringLiteral("my0dw"));
    untilPainted(paints, before);
    QCoreApplication::processEvents();
    std::printf("a method changed (columns brought):    %.2f ms\n", double(t.nsecsElapsed()) / 1e6);

    const auto [rss, peak] = memory();
    std::printf("resident memory (target <= 150):      %.0f MB now, %.0f MB at most\n", rss, peak);

    // The totals of every zone, their tables and chart made when shown.
    t.restart();
    table->findChild<QTabWidget *>("tabs")->setCurrentWidget(table->tabTotals);
    QCoreApplication::processEvents();
    std::printf("totals tab shown:                     %.0f ms\n", double(t.nsecsElapsed()) / 1e6);

    // Undo of deleting every row.
    QList<int> all;
    for (int r = 0; r < model->rowCount(); ++r)
        all << r;
    t.restart();
    model->removeZoneRows(all);
    QCoreApplication::processEvents();
    const double removed = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    model->undoStack()->undo();
    QCoreApplication::processEvents();
    std::printf("every row deleted / the deletion undone: %.0f ms / %.0f ms\n", removed,
                double(t.nsecsElapsed()) / 1e6);
    const auto [rss2, peak2] = memory();
    std::printf("resident memory at the end:           %.0f MB now, %.0f MB at most\n", rss2, peak2);
    delete table;
    return 0;
}
