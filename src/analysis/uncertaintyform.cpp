#include "uncertaintyform.h"

#include "runbar.h"
#include "sensitivityform.h"
#include "tablecells.h"

#include "catalogue/grid.h"
#include "catalogue/parallel.h"
#include "catalogue/sweep.h"
#include "core/numbers.h"
#include "plots/chartlook.h"
#include "ui/calculatorwindow.h"
#include "ui/prompts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

const QString title = QStringLiteral("不确定性分析");

// Columns of the table of fields.
enum Column { Name, Kind, First, Second, Third };
// The choices of the distribution column; 0 is a fixed value, k the
// distribution of kind k − 1.
const QStringList kinds{QStringLiteral("固定值"), QStringLiteral("均匀分布"), QStringLiteral("正态分布"),
                        QStringLiteral("三角分布"), QStringLiteral("对数正态分布")};

catalogue::Distribution::Kind kindOf(int choice)
{
    return catalogue::Distribution::Kind(choice - 1);
}

QTableWidgetItem *cell(const QString &text, bool editable = false)
{
    auto *item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString number(double v)
{
    return QString::fromStdString(catalogue::valueText(v));
}

} // namespace

uncertaintyform::uncertaintyform(ui::CalculatorWindow *window)
    : QWidget(window, Qt::Window), m_entry(window->currentEntry()), m_base(window->windowCase())
{
    setObjectName(QStringLiteral("uncertaintyform"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title + QStringLiteral(" — ") + QString::fromStdString(catalogue::titleOf(m_entry)));

    m_fields = new QTableWidget(int(m_entry.fields.size()), 5);
    m_fields->setObjectName(QStringLiteral("tableFields"));
    // Each parameter cell names its parameter for the row's distribution.
    m_fields->setHorizontalHeaderLabels({QStringLiteral("参数(勾选者随机抽样)"), QStringLiteral("分布"),
                                         QStringLiteral("取值或分布参数"), QString(), QString()});
    m_fields->verticalHeader()->setVisible(false);
    showShownTexts(m_fields);
    for (int r = 0; r < int(m_entry.fields.size()); ++r) {
        const catalogue::Field &f = m_entry.fields[std::size_t(r)];
        double value = 0;
        try {
            value = m_base.number(f.name);
        } catch (const varnolek::CalcError &) {
        }
        m_values.push_back(value);
        auto *name = cell(QString::fromStdString(f.label));
        name->setFlags((name->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
        name->setCheckState(Qt::Unchecked);
        name->setData(Qt::UserRole, QString::fromStdString(f.name));
        m_fields->setItem(r, Name, name);
        auto *kind = new QComboBox;
        kind->setObjectName(QStringLiteral("comboKind.%1").arg(r));
        kind->addItems(kinds);
        m_fields->setCellWidget(r, Kind, kind);
        m_fields->setItem(r, First,
                          cell(QString::fromUtf8(m_base.text(f.name).data(), int(m_base.text(f.name).size())), true));
        m_fields->setItem(r, Second, cell(QString(), true));
        m_fields->setItem(r, Third, cell(QString(), true));
        distributionChosen(r);
        connect(kind, &QComboBox::currentIndexChanged, this, [this, r] { distributionChosen(r); });
    }
    connect(m_fields, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (item->column() == Name) {
            fieldTicked(item->row(), item->checkState() == Qt::Checked);
            return;
        }
        if (item->column() == First && choiceOf(item->row()) == 0)
            valueTyped(item->row());
        m_fields->resizeColumnToContents(item->column()); // a longer number is not cut
    });
    m_fields->resizeColumnsToContents();

    m_cases = new QSpinBox;
    m_cases->setObjectName(QStringLiteral("spinCases"));
    m_cases->setRange(1, 100000000);
    m_cases->setValue(10000);
    m_seed = new QLineEdit(QStringLiteral("1"));
    m_seed->setObjectName(QStringLiteral("editSeed"));
    m_seed->setMaximumWidth(120);
    m_runBar = new RunBar(QStringLiteral("buttonRun"));
    auto *controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("抽样次数 N:")));
    controls->addWidget(m_cases);
    controls->addWidget(new QLabel(QStringLiteral("随机种子:")));
    controls->addWidget(m_seed);
    controls->addWidget(m_runBar, 1);

    m_statistics = new QTableWidget;
    m_statistics->setObjectName(QStringLiteral("tableStatistics"));
    m_statistics->verticalHeader()->setVisible(false);
    showShownTexts(m_statistics);
    m_histogram = new QChartView;
    m_histogram->setObjectName(QStringLiteral("chartHistogram"));
    m_histogram->setRenderHint(QPainter::Antialiasing);
    m_histogram->setMinimumHeight(280);
    m_reduction = new QLabel;
    m_reduction->setObjectName(QStringLiteral("labelReduction"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fields, 2);
    layout->addLayout(controls);
    layout->addWidget(m_statistics, 1);
    layout->addWidget(m_reduction);
    layout->addWidget(m_histogram, 3);
    resize(1000, 800);

    connect(m_runBar, &RunBar::runRequested, this, &uncertaintyform::run);
    connect(m_runBar, &RunBar::finished, this, [this](bool cancelled) {
        // A failed run shows nothing partial either; the run bar says why.
        const bool failed = !m_runBar->failure().isEmpty();
        m_shown.reset();
        if (!cancelled && !failed && m_running)
            m_shown = std::move(m_running);
        m_running.reset();
        if (!failed)
            m_runBar->setStatus(cancelled ? QStringLiteral("已取消") : QStringLiteral("完成") + negativeNote());
        showResult();
        emit finished(cancelled || failed);
    });
}

uncertaintyform::~uncertaintyform()
{
    m_runBar->stop();
}

int uncertaintyform::choiceOf(int row) const
{
    return static_cast<QComboBox *>(m_fields->cellWidget(row, Kind))->currentIndex();
}

void uncertaintyform::fieldTicked(int row, bool ticked)
{
    auto *kind = static_cast<QComboBox *>(m_fields->cellWidget(row, Kind));
    if (!ticked)
        kind->setCurrentIndex(0);
    else if (kind->currentIndex() == 0)
        kind->setCurrentIndex(1); // uniform, its bounds made from the value
}

void uncertaintyform::valueTyped(int row)
{
    // The value a switch of distribution starts from, read as the
    // calculation reads it.
    try {
        m_values[std::size_t(row)] = varnolek::readNumber(m_fields->item(row, First)->text().toStdString());
    } catch (const varnolek::CalcError &) {
    }
}

void uncertaintyform::distributionChosen(int row)
{
    auto *kind = static_cast<QComboBox *>(m_fields->cellWidget(row, Kind));
    const int k = kind->currentIndex();
    QTableWidgetItem *name = m_fields->item(row, Name);
    if (name && (k != 0) != (name->checkState() == Qt::Checked)) {
        const QSignalBlocker blocker(m_fields);
        name->setCheckState(k != 0 ? Qt::Checked : Qt::Unchecked);
    }
    const catalogue::Field &field = m_entry.fields[std::size_t(row)];
    QStringList texts, captions;
    if (k == 0) {
        // The window's text while the value is the window's, else the value
        // last typed into the table.
        const std::string_view typed = m_base.text(field.name);
        double windowValue = 0;
        try {
            windowValue = m_base.number(field.name);
        } catch (const varnolek::CalcError &) {
        }
        texts << (m_values[std::size_t(row)] == windowValue ? QString::fromUtf8(typed.data(), int(typed.size()))
                                                            : number(m_values[std::size_t(row)]));
        captions << QString();
    } else {
        std::string why;
        const std::optional<catalogue::Distribution> d =
            catalogue::distributionFrom(field, m_values[std::size_t(row)], kindOf(k), why);
        if (!d) {
            // The switch is refused: the row goes back to uniform, and the
            // status line says why.
            m_runBar->setStatus(QString::fromStdString(why));
            kind->setCurrentIndex(1);
            return;
        }
        // Seven significant digits: the log mean of 2 m/s is 0.688172, not
        // 0.688172015133361.
        const double parameters[] = {d->p1, d->p2, d->p3};
        for (const std::string &n : catalogue::parameterNames(d->kind)) {
            texts << QString::fromStdString(catalogue::statisticText(parameters[texts.size()]));
            captions << QString::fromStdString(n);
        }
    }
    const QSignalBlocker blocker(m_fields);
    for (int p = 0; p < 3; ++p) {
        QTableWidgetItem *item = m_fields->item(row, First + p);
        if (!item)
            continue;
        const bool used = p < texts.size();
        item->setText(used ? texts[p] : QString());
        item->setData(captionRole, used ? captions[p] : QString());
        item->setToolTip(used ? captions[p] : QString());
        item->setFlags(used ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable);
    }
    m_fields->resizeColumnsToContents();
}

std::vector<catalogue::Varied> uncertaintyform::varied(QString &error) const
{
    static const char *names[] = {"", "uniform", "normal", "triangular", "lognormal"};
    std::vector<catalogue::Varied> drawn;
    for (int r = 0; r < m_fields->rowCount(); ++r) {
        const int k = static_cast<QComboBox *>(m_fields->cellWidget(r, Kind))->currentIndex();
        if (k == 0)
            continue;
        std::string text = names[k];
        const int parameters = k == 3 ? 3 : 2;
        for (int p = 0; p < parameters; ++p)
            text += ":" + m_fields->item(r, First + p)->text().trimmed().toStdString();
        std::string problem;
        const auto d = catalogue::parseDistribution(text, problem);
        if (!d) {
            error =
                QStringLiteral("%1 的分布参数有误:%2")
                    .arg(QString::fromStdString(m_entry.fields[std::size_t(r)].label), QString::fromStdString(problem));
            return {};
        }
        drawn.push_back({m_entry.fields[std::size_t(r)].name, *d});
    }
    if (drawn.empty())
        error = QStringLiteral("请至少勾选一个随机抽样的参数");
    return drawn;
}

void uncertaintyform::run()
{
    if (m_runBar->running())
        return;
    QString error;
    const std::vector<catalogue::Varied> drawn = varied(error);
    bool seedOk = false;
    const qulonglong seed = m_seed->text().trimmed().toULongLong(&seedOk);
    if (error.isEmpty() && !seedOk)
        error = QStringLiteral("随机种子须为非负整数");
    if (!error.isEmpty()) {
        ui::Prompts::current().message(this, error, title);
        return;
    }
    // The fixed fields at the texts of the table.
    catalogue::Case base = m_base;
    for (int r = 0; r < m_fields->rowCount(); ++r)
        if (static_cast<QComboBox *>(m_fields->cellWidget(r, Kind))->currentIndex() == 0)
            base.setOwned(m_entry.fields[std::size_t(r)].name, m_fields->item(r, First)->text().toStdString());
    catalogue::MonteCarloSettings settings;
    settings.cases = std::size_t(m_cases->value());
    settings.seed = seed;
    settings.threads = catalogue::defaultThreads();
    m_running.reset();
    m_runFields.clear();
    for (const catalogue::Varied &v : drawn)
        m_runFields.push_back(v.field);
    const catalogue::Entry &entry = m_entry;
    m_runBar->start(m_cases->value(),
                    [this, &entry, base, drawn, settings](const std::atomic<bool> &cancel, const auto &progress) {
                        catalogue::MonteCarloSettings s = settings;
                        s.cancel = &cancel;
                        s.progress = progress;
                        m_running = catalogue::monteCarlo(entry, base, drawn, s);
                    });
}

void uncertaintyform::cancel()
{
    m_runBar->cancel();
}

QString uncertaintyform::negativeNote() const
{
    if (!m_shown)
        return QString();
    QStringList counts;
    for (std::size_t k = 0; k < m_runFields.size() && k < m_shown->negativeDraws.size(); ++k) {
        const catalogue::Field *f = m_entry.field(m_runFields[k]);
        if (f && !catalogue::mayBeNegative(*f) && m_shown->negativeDraws[k] > 0)
            counts << QStringLiteral("%1 %2 个")
                          .arg(QString::fromStdString(catalogue::quantityName(f->label)))
                          .arg(m_shown->negativeDraws[k]);
    }
    if (counts.isEmpty())
        return QString();
    return QStringLiteral("；抽样值出现负值（其标注无负值范围）：") + counts.join(QStringLiteral("，"));
}

void uncertaintyform::showResult()
{
    m_statistics->clear();
    m_statistics->setRowCount(0);
    m_reduction->clear();
    auto *chart = new QChart;
    chart->legend()->hide();
    replaceChart(m_histogram, chart);
    if (!m_shown)
        return;
    const catalogue::MonteCarloResult &r = *m_shown;
    const QStringList header{QStringLiteral("输出"),   QStringLiteral("均值"),      QStringLiteral("标准差"),
                             QStringLiteral("最小值"), QStringLiteral("P5"),        QStringLiteral("P25"),
                             QStringLiteral("P50"),    QStringLiteral("P75"),       QStringLiteral("P95"),
                             QStringLiteral("最大值"), QStringLiteral("失败算例数")};
    m_statistics->setColumnCount(header.size());
    m_statistics->setHorizontalHeaderLabels(header);
    m_statistics->setRowCount(int(r.outputs.size()));
    for (int i = 0; i < int(r.outputs.size()); ++i) {
        const catalogue::OutputStatistics &s = r.outputs[std::size_t(i)];
        const QString name = s.name == "balance" ? mainCaption(m_entry) : fieldCaption(m_entry, s.name);
        auto *first = cell(name);
        first->setData(Qt::UserRole, QString::fromStdString(s.name));
        m_statistics->setItem(i, 0, first);
        // Every statistic as its output writes its results; the cell holds
        // the seven digits of the statistic itself.
        const catalogue::Output &output = s.name == "balance" ? m_entry.main() : *m_entry.output(s.name);
        const std::vector<std::string> texts = catalogue::summaryTexts(s.summary, s.failed);
        std::vector<double> values;
        if (s.summary)
            values = {s.summary->mean, s.summary->sd,  s.summary->min, s.summary->p5, s.summary->p25,
                      s.summary->p50,  s.summary->p75, s.summary->p95, s.summary->max};
        for (int c = 0; c < int(texts.size()); ++c) {
            const QString held = QString::fromStdString(texts[std::size_t(c)]);
            const bool statistic = c < int(values.size()) && !held.isEmpty();
            m_statistics->setItem(i, c + 1,
                                  numberCell(held, statistic ? QString::fromStdString(catalogue::outputText(
                                                                   output, values[std::size_t(c)]))
                                                             : held));
        }
    }
    m_statistics->resizeColumnsToContents();

    const std::vector<double> &values = r.mainValues;
    if (m_entry.balance && !values.empty()) {
        const auto need = std::count_if(values.begin(), values.end(), [](double v) { return v < 0; });
        m_reduction->setText(QStringLiteral("需要削减的算例占 %1%(%2 / %3 个有效算例)")
                                 .arg(QString::number(100.0 * double(need) / double(values.size()), 'f', 1))
                                 .arg(need)
                                 .arg(values.size()));
    }
    if (values.empty())
        return;
    // Bins of a round width with edges at its multiples, about 30 of them.
    const auto [lowIt, highIt] = std::minmax_element(values.begin(), values.end());
    const plots::Histogram h = plots::histogramOf(values, *lowIt, *highIt, 30);
    auto *set = new QBarSet(mainCaption(m_entry));
    set->setColor(plots::quantityColour(mainCaption(m_entry)));
    set->setBorderColor(set->color().darker(130));
    std::size_t most = 0;
    for (std::size_t count : h.counts) {
        *set << double(count);
        most = std::max(most, count);
    }
    auto *series = new QBarSeries;
    series->setBarWidth(1.0);
    series->append(set);
    chart->addSeries(series);
    // The bars stand at 0, 1, 2 …: the value axis is laid over them, bin b
    // spanning b − ½ to b + ½, so that its ticks fall on the bins' edges.
    plots::Span span;
    plots::include(span, h.first);
    plots::include(span, h.first + h.width * double(h.counts.size()));
    plots::ScaleRules edges;
    edges.margin = 0;
    edges.keepSign = false;
    plots::Scale scale = plots::scaleOf(span, edges);
    const auto toBin = [&h](double v) { return (v - h.first) / h.width - 0.5; };
    plots::Scale binScale = scale;
    binScale.low = toBin(span.low);
    binScale.high = toBin(span.high);
    auto *xAxis = new QCategoryAxis;
    xAxis->setRange(binScale.low, binScale.high);
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const std::vector<double> ticks = scale.ticks();
    xAxis->setStartValue(ticks.empty() ? binScale.low : toBin(ticks.front()));
    for (double t : ticks)
        xAxis->append(QString::fromStdString(plots::tickText(t, scale.step)), toBin(t));
    plots::setAxisTitle(xAxis, mainCaption(m_entry));
    chart->addAxis(xAxis, Qt::AlignBottom);
    series->attachAxis(xAxis);
    plots::Span counts;
    plots::include(counts, 0);
    plots::include(counts, double(most));
    plots::ScaleRules whole;
    whole.leastStep = 1; // whole cases
    QCategoryAxis *yAxis = plots::scaleAxis(counts, whole, Qt::Vertical);
    plots::setAxisTitle(yAxis, QStringLiteral("算例数"));
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(yAxis);
    chart->setTitle(QStringLiteral("%1的频数分布(%2 个有效算例)").arg(mainCaption(m_entry)).arg(values.size()));
    plots::applyLook(chart);
}

} // namespace analysis
