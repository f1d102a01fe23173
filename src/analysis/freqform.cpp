#include "freqform.h"

#include "probabilityaxis.h"

#include "core/arithmetic.h"
#include "core/numbers.h"
#include "plots/chartlook.h"
#include "ui/look.h"
#include "ui/prompts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <optional>

namespace hydrology = varnolek::hydrology;

namespace analysis {

// The texts of one row of the design table.
struct DesignRowTexts {
    QString percent, momentPhi, momentValue, fitPhi, fitValue, year, value;
};

// Everything a recalculation shows, worked out off the interface thread.
struct Outcome {
    hydrology::FrequencyAnalysis analysis;
    std::vector<DesignRowTexts> rows;             // the fixed rates, then the typed rate
    QString message;                              // the rate's guard, or empty
    std::optional<QPointF> momentPoint, fitPoint; // the design points at the typed rate
    QList<QPointF> momentCurve, fitCurve;
};

} // namespace analysis

using analysis::DesignRowTexts;
using analysis::Outcome;

namespace {

const QString promptTitle = QStringLiteral("提示");
// The span of the probability axis, in percent.
constexpr double plotFrom = 0.3, plotTo = 99.7;
constexpr int curvePoints = 120;

QString text(double value)
{
    return QString::fromStdString(hydrology::frequencyText(value));
}

// A rate as typed: a number (leading-number rule), or one beyond a double,
// which the level-year window would fail on.
struct RateInput {
    QString text;
    std::optional<double> percent; // nothing when the number is beyond a double
};

// Whether a field's text is a number here. The calculator windows read any
// text with the leading-number rule ("abc" and "" read as 0); in a field that
// recalculates while it is typed that would turn a half-typed "-" or a cleared
// field into a rate or ratio of 0 and replace good results. So a text with no
// leading number at all, the empty text included, is not a number: the last
// results stay and the field turns red. A text that starts with a number
// ("2.5x") reads as that number, as everywhere in the program.
bool isNumber(const QString &text)
{
    return varnolek::hasLeadingNumber(text.toStdString());
}

DesignRowTexts designRow(const hydrology::FrequencyAnalysis &a, const QString &percentText,
                         std::optional<double> percent, QString *message)
{
    DesignRowTexts row;
    row.percent = percentText;
    if (!percent) // the level-year window fails on this rate: every cell blank
        return row;
    // The empirical value exactly as the level-year window picks and writes it.
    const hydrology::LevelYear level = hydrology::designLevel(a.records, *percent);
    row.year = QString::number(level.record.year) + QStringLiteral("年");
    row.value = QString::fromStdString(varnolek::generalText(level.record.value, varnolek::Precision::Single));
    try {
        const hydrology::DesignValue d = hydrology::designValue(a, *percent);
        row.momentPhi = text(d.momentFactor);
        row.momentValue = text(d.momentValue);
        row.fitPhi = text(d.fitFactor);
        row.fitValue = text(d.fitValue);
    } catch (const hydrology::AnalysisError &e) {
        if (message)
            *message = QString::fromUtf8(e.what());
    } catch (const varnolek::CalcError &e) {
        if (message)
            *message = QString::fromStdString(varnolek::describe(e.kind()));
    }
    return row;
}

QList<QPointF> curve(const hydrology::Pearson3Curve &c)
{
    QList<QPointF> points;
    const double from = hydrology::probabilityPaperX(plotFrom), to = hydrology::probabilityPaperX(plotTo);
    for (int i = 0; i <= curvePoints; ++i) {
        const double x = from + (to - from) * i / curvePoints;
        points.append({x, c.value(hydrology::probabilityPaperPercent(x) / 100)});
    }
    return points;
}

// The whole of a recalculation; runs on a worker thread and touches no widget.
// The fit is done again only when the ratio has changed.
Outcome compute(hydrology::FrequencyAnalysis previous, double ratio, RateInput rate)
{
    Outcome out;
    if (ratio == previous.ratio)
        out.analysis = std::move(previous);
    else
        out.analysis = hydrology::analyseFrequency(previous.records, ratio);
    const hydrology::FrequencyAnalysis &a = out.analysis;
    for (double p : hydrology::designRates)
        out.rows.push_back(designRow(a, QString::number(p), p, nullptr));
    out.rows.push_back(designRow(a, rate.text, rate.percent, &out.message));
    if (!rate.percent)
        out.message = QString::fromUtf8(hydrology::rateRangeMessage); // beyond a double: not below 100
    if (out.message.isEmpty() && rate.percent) {
        const double x = hydrology::probabilityPaperX(*rate.percent);
        out.momentPoint = QPointF(x, a.moments.value(*rate.percent / 100));
        out.fitPoint = QPointF(x, a.fitted.value(*rate.percent / 100));
    }
    try {
        out.momentCurve = curve(a.moments);
        out.fitCurve = curve(a.fitted);
    } catch (const hydrology::AnalysisError &) {
        // A curve the special function cannot draw is left out of the plot.
    }
    return out;
}

QLineEdit *resultField(QWidget *parent, const char *name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    ui::lookOfResult(field);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(80);
    return field;
}

QLineEdit *inputField(QWidget *parent, const char *name, const QString &defaultText)
{
    auto *field = new QLineEdit(defaultText, parent);
    field->setObjectName(QString::fromLatin1(name));
    ui::lookOfInput(field);
    field->setAlignment(Qt::AlignRight);
    field->setMinimumWidth(80);
    field->setProperty("invalid", false);
    return field;
}

// A field whose text is not a number is marked red until it is one again.
void markInvalid(QLineEdit *field, bool invalid)
{
    field->setProperty("invalid", invalid);
    field->setStyleSheet(invalid ? QStringLiteral("QLineEdit { background: rgb(255,160,160); }") : QString());
}

QTableWidget *table(QWidget *parent, const char *name, const QStringList &headers)
{
    auto *t = new QTableWidget(0, int(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->setAlternatingRowColors(true);
    // Tables are read like a printed table: black on white, not on the window's teal.
    ui::paint(t, Qt::white, Qt::black);
    QPalette pal = t->palette();
    pal.setColor(QPalette::AlternateBase, QColor(240, 248, 248));
    t->setPalette(pal);
    return t;
}

void setCell(QTableWidget *t, int row, int column, const QString &text, bool bold = false)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont f = t->font();
        f.setBold(true);
        item->setFont(f);
    }
    t->setItem(row, column, item);
}

} // namespace

freqform::freqform(QWidget *parent, const QString &dataFile, hydrology::FrequencyAnalysis analysis)
    : QWidget(parent, Qt::Window), m_dataFile(dataFile), m_analysis(std::move(analysis))
{
    setObjectName(QStringLiteral("freqform"));
    setWindowTitle(QStringLiteral("频率分析"));
    // The series file, for the level-year window that opened this one.
    setWindowFilePath(dataFile);
    setAttribute(Qt::WA_DeleteOnClose);
    ui::paint(this, ui::colour::calculator);

    auto *statistics = new QGroupBox(QStringLiteral("统计参数"), this);
    statistics->setObjectName(QStringLiteral("statisticsFrame"));
    ui::paint(statistics, ui::colour::option, Qt::black);
    auto *grid = new QGridLayout(statistics);
    n = resultField(statistics, "n");
    mean = resultField(statistics, "mean");
    cv = resultField(statistics, "cv");
    cs = resultField(statistics, "cs");
    fitcv = resultField(statistics, "fitcv");
    fitcs = resultField(statistics, "fitcs");
    ratio = inputField(statistics, "ratio", QStringLiteral("2"));
    rate = inputField(statistics, "rate", QStringLiteral("90"));
    const struct {
        const char *caption;
        QLineEdit *field;
        int row, column;
    } cells[] = {
        {"资料年数 n", n, 0, 0},
        {"均值 x̄", mean, 0, 1},
        {"变差系数 Cv(矩法)", cv, 0, 2},
        {"偏态系数 Cs(矩法)", cs, 0, 3},
        {"倍比 Cs/Cv", ratio, 1, 0},
        {"变差系数 Cv(适线)", fitcv, 1, 1},
        {"偏态系数 Cs(适线)", fitcs, 1, 2},
        {"设计保证率 P(%)", rate, 1, 3},
    };
    for (const auto &cell : cells) {
        auto *label = new QLabel(QString::fromUtf8(cell.caption), statistics);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(cell.field);
        grid->addWidget(label, cell.row, cell.column * 2);
        grid->addWidget(cell.field, cell.row, cell.column * 2 + 1);
    }
    message = new QLabel(statistics);
    message->setObjectName(QStringLiteral("message"));
    ui::paint(message, ui::colour::option, Qt::red);
    grid->addWidget(message, 2, 0, 1, 8);

    seriesTable = table(this, "seriesTable",
                        {QStringLiteral("序号 m"), QStringLiteral("年份"), QStringLiteral("水位或流量"),
                         QStringLiteral("经验频率 P(%)")});
    designTable = table(this, "designTable",
                        {QStringLiteral("保证率 P(%)"), QStringLiteral("矩法 Φ"), QStringLiteral("矩法 x_P"),
                         QStringLiteral("适线 Φ"), QStringLiteral("适线 x_P"), QStringLiteral("经验水平年"),
                         QStringLiteral("经验值")});
    designTable->setRowCount(int(std::size(hydrology::designRates)) + 1);
    designTable->setMinimumHeight(designTable->horizontalHeader()->sizeHint().height() +
                                  designTable->rowCount() * designTable->verticalHeader()->defaultSectionSize() + 4);

    buildPlot();

    auto *middle = new QHBoxLayout;
    middle->addWidget(seriesTable, 2);
    middle->addWidget(plot, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(statistics);
    layout->addLayout(middle, 1);
    layout->addWidget(designTable);
    resize(1180, 860);

    // The series does not change while the window is open.
    seriesTable->setRowCount(int(m_analysis.series.size()));
    for (const hydrology::EmpiricalPoint &p : m_analysis.series) {
        const int row = p.rank - 1;
        setCell(seriesTable, row, 0, QString::number(p.rank));
        setCell(seriesTable, row, 1, QString::number(p.record.year));
        setCell(seriesTable, row, 2,
                QString::fromStdString(varnolek::generalText(p.record.value, varnolek::Precision::Single)));
        setCell(seriesTable, row, 3, text(p.exceedance * 100));
        m_points->append(hydrology::probabilityPaperX(p.exceedance * 100), p.record.value);
    }

    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    m_delay->setInterval(300);
    connect(m_delay, &QTimer::timeout, this, &freqform::recalculate);
    connect(ratio, &QLineEdit::textChanged, this, &freqform::scheduleRecalculation);
    connect(rate, &QLineEdit::textChanged, this, &freqform::scheduleRecalculation);

    m_watcher = new QFutureWatcher<Outcome>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, [this] {
        const int finished = m_running;
        m_running = 0;
        if (finished == m_requested)
            display(m_watcher->result());
        else if (m_requested > finished && !m_delay->isActive())
            recalculate(); // a newer request waited for this one
    });

    // The first results are those of the analysis already made.
    display(compute(m_analysis, m_analysis.ratio, {rate->text(), 90.0}));
}

freqform::~freqform()
{
    // A fit still running finishes on its own; its result is dropped with the watcher.
    m_watcher->disconnect(this);
}

bool freqform::busy() const
{
    return m_delay->isActive() || m_running != 0;
}

void freqform::buildPlot()
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("皮尔逊III型频率曲线"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_points = new QScatterSeries;
    m_points->setName(QStringLiteral("经验频率点"));
    m_points->setMarkerSize(7);
    m_momentCurve = new QLineSeries;
    m_momentCurve->setName(QStringLiteral("矩法"));
    m_fitCurve = new QLineSeries;
    m_fitCurve->setName(QStringLiteral("适线法"));
    m_design = new QScatterSeries;
    m_design->setName(QStringLiteral("设计值"));
    m_design->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_design->setMarkerSize(10);
    // Each in its quantity's colour, as in every chart of the program.
    for (QXYSeries *s : {static_cast<QXYSeries *>(m_points), static_cast<QXYSeries *>(m_momentCurve),
                         static_cast<QXYSeries *>(m_fitCurve), static_cast<QXYSeries *>(m_design)}) {
        const QColor colour = plots::quantityColour(s->name());
        if (auto *line = qobject_cast<QLineSeries *>(s)) {
            QPen pen(colour);
            pen.setWidthF(2);
            line->setPen(pen);
        } else {
            s->setColor(colour);
        }
    }
    const QList<QAbstractSeries *> all = {m_points, m_momentCurve, m_fitCurve, m_design};
    for (QAbstractSeries *s : all)
        chart->addSeries(s);
    analysis::addProbabilityAxis(chart, all, plotFrom, plotTo);
    m_valueAxis = new QValueAxis;
    m_valueAxis->setTitleText(QStringLiteral("水位或流量"));
    chart->addAxis(m_valueAxis, Qt::AlignLeft);
    for (QAbstractSeries *s : all)
        s->attachAxis(m_valueAxis);
    plots::applyLook(chart);
    plot = new QChartView(chart, this);
    plot->setObjectName(QStringLiteral("plot"));
    plot->setRenderHint(QPainter::Antialiasing);
    plot->setMinimumSize(480, 360);
}

void freqform::scheduleRecalculation()
{
    m_delay->start();
}

void freqform::recalculate()
{
    // Both fields must be numbers; one that is not keeps the last results.
    const bool ratioOk = isNumber(ratio->text());
    const bool rateOk = isNumber(rate->text());
    markInvalid(ratio, !ratioOk);
    markInvalid(rate, !rateOk);
    if (!ratioOk || !rateOk)
        return;
    double r = 0;
    try {
        r = varnolek::readNumber(ratio->text().toStdString());
    } catch (const varnolek::CalcError &) { // beyond a double: not a usable ratio
        markInvalid(ratio, true);
        return;
    }
    RateInput typed{rate->text(), std::nullopt};
    try {
        typed.percent = varnolek::readNumber(rate->text().toStdString());
    } catch (const varnolek::CalcError &) {
    }

    ++m_requested;
    if (m_running != 0)
        return; // one fit at a time: the one running is dropped when it ends, then the latest starts
    m_running = m_requested;
    m_watcher->setFuture(QtConcurrent::run(compute, m_analysis, r, typed));
}

void freqform::display(const Outcome &outcome)
{
    m_analysis = outcome.analysis;
    const hydrology::FrequencyAnalysis &a = m_analysis;
    n->setText(QString::number(a.statistics.n));
    mean->setText(text(a.statistics.mean));
    cv->setText(text(a.moments.cv));
    cs->setText(text(a.moments.cs));
    fitcv->setText(text(a.fitted.cv));
    fitcs->setText(text(a.fitted.cs));
    message->setText(outcome.message);

    for (int row = 0; row < int(outcome.rows.size()); ++row) {
        const DesignRowTexts &r = outcome.rows[std::size_t(row)];
        const QString cells[] = {r.percent, r.momentPhi, r.momentValue, r.fitPhi, r.fitValue, r.year, r.value};
        // The row of the typed rate stands out from the fixed rates.
        const bool typed = row + 1 == int(outcome.rows.size());
        for (int column = 0; column < 7; ++column)
            setCell(designTable, row, column, cells[column], typed);
    }

    m_momentCurve->replace(outcome.momentCurve);
    m_fitCurve->replace(outcome.fitCurve);
    m_design->clear();
    if (outcome.momentPoint)
        m_design->append(*outcome.momentPoint);
    if (outcome.fitPoint)
        m_design->append(*outcome.fitPoint);

    // The value axis holds the points and the curves' part inside the record's span.
    double low = a.series.back().record.value, high = a.series.front().record.value;
    for (const QList<QPointF> *c : {&outcome.momentCurve, &outcome.fitCurve})
        for (const QPointF &p : *c) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    const double margin = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.05, 1.0);
    m_valueAxis->setRange(low - margin, high + margin);
    m_valueAxis->applyNiceNumbers();
    emit recalculated();
}

freqform *openFrequencyAnalysis(QWidget *parent, const QString &dataFile)
{
    ui::Prompts &prompts = ui::Prompts::current();
    QString path = dataFile;
    if (path.isEmpty())
        path = prompts.openFile(parent, QStringLiteral("打开水文资料文件"), QString());
    if (path.isEmpty())
        return nullptr; // cancelled: nothing happens

    // Read as the level-year window reads it, with the same message for a bad file.
    hydrology::DataFile file = hydrology::readDataFile(QFile::encodeName(path).toStdString());
    if (file.status != hydrology::FileStatus::Ok) {
        prompts.message(parent, QString::fromUtf8(hydrology::checkFileMessage), promptTitle);
        return nullptr;
    }
    try {
        auto *window = new freqform(parent, path, hydrology::analyseFrequency(file.records, hydrology::defaultRatio));
        window->show();
        return window;
    } catch (const hydrology::AnalysisError &e) {
        prompts.message(parent, QString::fromUtf8(e.what()), promptTitle);
        return nullptr;
    }
}
