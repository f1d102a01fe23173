#include "designflowform.h"

#include "catalogue/datafile.h"
#include "core/frequency.h"
#include "core/monthlyflow.h"
#include "core/numbers.h"
#include "ui/look.h"
#include "ui/prompts.h"
#include "ui/twips.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>

using ui::tw;
namespace hydrology = varnolek::hydrology;

namespace {

const QString promptTitle = QStringLiteral("提示");

// The results frame: a caption and its box on each row (twips).
constexpr int resultLabelLeft = 120, resultLabelWidth = 3840, resultFieldLeft = 4080, resultFieldWidth = 1320;
constexpr int resultHeight = 432;
constexpr int resultRow[] = {360, 888, 1368, 1968, 2568, 3168, 3768, 4368};

enum Column { Year, Value, Month, Rank, Frequency, Mark, Columns };

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

designflowform::designflowform() : CalculatorWindow("designflowform")
{
    // The whole window fits a screen of 800 × 600 with its bars.
    Frame1 = addFrame(this, "Frame1", "月平均资料", tw(240, 120, 11280, 1320));
    Label1 = addLabel(Frame1, "Label1", field("file"), tw(240, 360, 1800, 372));
    Text1 = addField(Frame1, "Text1", QString(), tw(2160, 360, 6840, 372));
    // The path is chosen with 选择文件…, never typed.
    Text1->setReadOnly(true);
    Command4 = addButton(Frame1, "Command4", "选择文件…", tw(9240, 276, 1800, 540), [this] { chooseFile(); });
    Label10 = addLabel(Frame1, "Label10", QStringLiteral("资料类型"), tw(240, 831, 1800, 372));
    Option1 = addOption(Frame1, "Option1", "流量", tw(2160, 852, 1200, 330), [this] { showWords(); });
    Option2 = addOption(Frame1, "Option2", "水位", tw(3600, 852, 1200, 330), [this] { showWords(); });
    Option1->setChecked(true);
    Label2 = addLabel(Frame1, "Label2", field("rate"), tw(5640, 831, 2040, 372));
    myrate = addField(Frame1, "myrate", QString::fromStdString(field("rate").defaultText), tw(7800, 831, 1200, 372));

    Frame3 = addFrame(this, "Frame3", "各年最枯月", tw(240, 1560, 5640, 5280));
    tableYears = new QTableWidget(0, Columns, Frame3);
    tableYears->setObjectName("tableYears");
    tableYears->setGeometry(tw(120, 300, 5400, 4860));
    tableYears->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableYears->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableYears->verticalHeader()->hide();
    tableYears->setFont(ui::font(ui::faceSong, 9));
    // Each column as wide as its texts; the remarks take the rest.
    tableYears->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tableYears->horizontalHeader()->setStretchLastSection(true);
    tableYears->setAlternatingRowColors(true);
    // Rows as tall as their text, so that a screenful shows twenty years.
    tableYears->verticalHeader()->setDefaultSectionSize(tableYears->fontMetrics().height() + 6);
    // A table is read like a printed one: black on white, not on the window's teal.
    ui::paint(tableYears, Qt::white, Qt::black);
    QPalette rows = tableYears->palette();
    rows.setColor(QPalette::AlternateBase, QColor(240, 248, 248));
    tableYears->setPalette(rows);

    QGroupBox *results = addFrame(this, "Frame4", "计算结果", tw(6000, 1560, 5520, 5280));
    auto result = [&](int row, const char *labelName, QLabel *&label, const char *name) {
        label = addLabel(results, labelName, qs(currentEntry().output(name)->label),
                         tw(resultLabelLeft, resultRow[row], resultLabelWidth, resultHeight));
        return addResult(results, name, tw(resultFieldLeft, resultRow[row], resultFieldWidth, resultHeight));
    };
    myq10 = result(0, "Label3", Label3, "myq10");
    // The note of a series shorter than ten years, under the mean it qualifies.
    Label_q10 = addLabel(results, "Label_q10", QString(), tw(resultLabelLeft, 816, 5280, 312));
    ui::paint(Label_q10, ui::colour::calculator, Qt::yellow);
    myq10min = result(2, "Label4", Label4, "myq10min");
    myq10year = result(3, "Label5", Label5, "myq10year");
    mydesign = result(4, "Label6", Label6, "mydesign");
    mydesignyear = result(5, "Label7", Label7, "mydesignyear");
    myinterp = result(6, "Label8", Label8, "myinterp");
    myp3 = result(7, "Label9", Label9, "myp3");

    Command1 =
        addButton(this, "Command1", "确  定", tw(1920, 7020, 1812, 612), [this] { runInBackground(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(5040, 7020, 1812, 612), [this] { cancel(); });
    Command3 = addButton(this, "Command3", "返  回", tw(8160, 7020, 1812, 612), [this] { returnToMenu(); });

    connect(this, &CalculatorWindow::calculated, this, [this] { fillTable(); });
    showWords();
    fitToContents(240);
}

std::optional<QString> designflowform::dataText(std::string_view name) const
{
    if (name == "file")
        return Text1->text();
    if (name == "rate")
        return myrate->text();
    return std::nullopt;
}

void designflowform::setDataText(std::string_view name, const QString &text)
{
    if (name == "file") {
        // The results and the years shown were of the file shown.
        if (text != Text1->text())
            clearResults();
        Text1->setText(text);
        Text1->setCursorPosition(0);
    } else if (name == "rate") {
        myrate->setText(text);
    }
}

void designflowform::chooseFile()
{
    const QString chosen = ui::Prompts::current().openFile(this, QStringLiteral("选择月平均资料文件"), Text1->text());
    if (chosen.isEmpty())
        return; // cancelled: the file shown stays
    // A file that cannot be used is told at once and not taken.
    catalogue::Case c;
    c.setOwned("file", chosen.toStdString());
    const hydrology::MonthlyFile file = catalogue::monthlySeries(currentEntry(), c);
    if (file.status != hydrology::FileStatus::Ok) {
        ui::Prompts::current().message(this, QString::fromUtf8(hydrology::checkMonthlyFileMessage), promptTitle);
        return;
    }
    setDataText("file", chosen);
    setResultsStale();
}

void designflowform::clearResults()
{
    for (QLineEdit *result : {myq10, myq10min, myq10year, mydesign, mydesignyear, myinterp, myp3})
        result->clear();
    Label_q10->clear();
    tableYears->setRowCount(0);
}

void designflowform::cancel()
{
    clearResults();
    clear({Text1, myq10, myq10min, myq10year, mydesign, mydesignyear, myinterp, myp3});
}

void designflowform::showWords()
{
    const catalogue::Entry &view = currentEntry();
    const std::pair<QLabel *, const char *> captions[] = {
        {Label3, "myq10"},        {Label4, "myq10min"}, {Label5, "myq10year"}, {Label6, "mydesign"},
        {Label7, "mydesignyear"}, {Label8, "myinterp"}, {Label9, "myp3"}};
    for (const auto &[label, output] : captions)
        setCaption(label, qs(view.output(output)->label));
    tableYears->setHorizontalHeaderLabels(
        {QStringLiteral("年份"), QStringLiteral("最枯月%1\n(%2)").arg(qs(view.view), qs(view.main().unit)),
         QStringLiteral("月份"), QStringLiteral("排位k"), QStringLiteral("P_k(%)"), QStringLiteral("备注")});
}

void designflowform::fillTable()
{
    tableYears->setRowCount(0);
    const catalogue::Entry &view = currentEntry();
    const hydrology::MonthlyFile file = catalogue::monthlySeries(view, windowCase());
    if (file.status != hydrology::FileStatus::Ok)
        return;
    std::shared_ptr<const hydrology::DesignFlowAnalysis> analysis;
    try {
        analysis = catalogue::designFlowAnalysis(file.years); // the one the calculation made
    } catch (const hydrology::AnalysisError &) {
        return;
    }
    // The years of the series and those not observed at all, by year.
    struct Row {
        int year;
        const hydrology::DriestMonth *driest;
    };
    std::vector<Row> rows;
    for (const hydrology::DriestMonth &d : analysis->years)
        rows.push_back({d.record.year, &d});
    for (std::int16_t year : file.unobservedYears)
        rows.push_back({year, nullptr});
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.year < b.year; });

    tableYears->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const hydrology::DriestMonth *d = rows[std::size_t(i)].driest;
        QString cells[Columns];
        cells[Year] = QString::number(rows[std::size_t(i)].year);
        if (d) {
            cells[Value] = qs(varnolek::generalText(d->record.value, varnolek::Precision::Single));
            cells[Month] = QString::number(d->month);
            cells[Rank] = QString::number(d->rank);
            cells[Frequency] = qs(hydrology::frequencyText(d->exceedance * 100));
            cells[Mark] = d->incomplete ? QString::fromUtf8(hydrology::missingMonthsMark) : QString();
        } else {
            cells[Mark] = QStringLiteral("全年缺测"); // listed, not counted: no value, rank or frequency
        }
        for (int column = 0; column < Columns; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment((column == Mark ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            tableYears->setItem(i, column, item);
        }
    }
}
