#include "uncertaintyform.h"

#include "runbar.h"
#include "sensitivityform.h"

#include "catalogue/grid.h"
#include "catalogue/parallel.h"
#include "catalogue/sweep.h"
#include "ui/calculatorwindow.h"
#include "ui/prompts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
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
#include <tuple>

namespace analysis {

namespace {

const QString title = QStringLiteral("不确定性分析");

// Columns of the table of fields.
enum Column { Name, Kind, First, Second, Third };
// The choices of the distribution column; 0 is a fixed value.
const QStringList kinds{QStringLiteral("固定值"), QStringLiteral("均匀分布"), QStringLiteral("正态分布"),
                        QStringLiteral("三角分布"), QStringLiteral("对数正态分布")};
// What the parameters of each choice are.
const QStringList parameterHints[] = {
    {QStringLiteral("取值"), QString(), QString()},
    {QStringLiteral("下限 a"), QStringLiteral("上限 b"), QString()},
    {QStringLiteral("均值"), QStringLiteral("标准差"), QString()},
    {QStringLiteral("下限 a"), QStringLiteral("众数"), QStringLiteral("上限 b")},
    {QStringLiteral("ln x 的均值 μ"), QStringLiteral("ln x 的标准差 σ"), QString()},
};

QTableWidgetItem *cell(const QString &text, bool editable = false)
{
    auto *item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString number(double v) { return QString::fromStdString(catalogue::valueText(v)); }

} // namespace

uncertaintyform::uncertaintyform(ui::CalculatorWindow *window)
    : QWidget(window, Qt::Window), m_entry(window->currentEntry()), m_base(window->windowCase())
{
    setObjectName(QStringLiteral("uncertaintyform"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title + QStringLiteral(" — ") + QString::fromStdString(catalogue::titleOf(m_entry)));

    m_fields = new QTableWidget(int(m_entry.fields.size()), 5);
    m_fields->setObjectName(QStringLiteral("tableFields"));
    m_fields->setHorizontalHeaderLabels({QStringLiteral("参数(勾选者随机抽样)"), QStringLiteral("分布"),
                                         QStringLiteral("参数1"), QStringLiteral("参数2"),
                                         QStringLiteral("参数3")});
    m_fields->verticalHeader()->setVisible(false);
    for (int r = 0; r < int(m_entry.fields.size()); ++r) {
        const catalogue::Field &f = m_entry.fields[std::size_t(r)];
        auto *name = cell(QString::fromStdString(f.label));
        name->setFlags((name->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
        name->setCheckState(Qt::Unchecked);
        name->setData(Qt::UserRole, QString::fromStdString(f.name));
        m_fields->setItem(r, Name, name);
        auto *kind = new QComboBox;
        kind->setObjectName(QStringLiteral("comboKind.%1").arg(r));
        kind->addItems(kinds);
        m_fields->setCellWidget(r, Kind, kind);
        m_fields->setItem(r, First, cell(QString::fromUtf8(m_base.text(f.name).data(),
                                                           int(m_base.text(f.name).size())),
                                         true));
        m_fields->setItem(r, Second, cell(QString(), true));
        m_fields->setItem(r, Third, cell(QString(), true));
        distributionChosen(r);
        connect(kind, &QComboBox::currentIndexChanged, this, [this, r] { distributionChosen(r); });
    }
    connect(m_fields, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (item->column() == Name)
            fieldTicked(item->row(), item->checkState() == Qt::Checked);
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
            m_runBar->setStatus(cancelled ? QStringLiteral("已取消") : QStringLiteral("完成"));
        showResult();
        emit finished(cancelled || failed);
    });
}

uncertaintyform::~uncertaintyform()
{
    m_runBar->stop();
}

void uncertaintyform::fieldTicked(int row, bool ticked)
{
    auto *kind = static_cast<QComboBox *>(m_fields->cellWidget(row, Kind));
    const catalogue::Field &f = m_entry.fields[std::size_t(row)];
    if (!ticked) {
        kind->setCurrentIndex(0);
        return;
    }
    if (kind->currentIndex() != 0)
        return;
    double low = 0, high = 0;
    if (f.range) {
        low = f.range->low;
        high = f.range->high;
    } else {
        double value = 0;
        try {
            value = m_base.number(f.name);
        } catch (const varnolek::CalcError &) {
        }
        std::tie(low, high) = catalogue::defaultSpan(value);
    }
    kind->setCurrentIndex(1);
    m_fields->item(row, First)->setText(number(low));
    m_fields->item(row, Second)->setText(number(high));
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
    if (k == 0) {
        const std::string_view text = m_base.text(m_entry.fields[std::size_t(row)].name);
        if (QTableWidgetItem *first = m_fields->item(row, First))
            first->setText(QString::fromUtf8(text.data(), int(text.size())));
    }
    for (int p = 0; p < 3; ++p) {
        QTableWidgetItem *item = m_fields->item(row, First + p);
        if (!item)
            continue;
        const QString hint = parameterHints[k][p];
        item->setToolTip(hint);
        if (hint.isEmpty())
            item->setText(QString());
        item->setFlags(hint.isEmpty() ? item->flags() & ~Qt::ItemIsEditable : item->flags() | Qt::ItemIsEditable);
    }
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
            error = QStringLiteral("%1 的分布参数有误:%2")
                        .arg(QString::fromStdString(m_entry.fields[std::size_t(r)].label),
                             QString::fromStdString(problem));
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
    const catalogue::Entry &entry = m_entry;
    m_runBar->start(m_cases->value(), [this, &entry, base, drawn, settings](const std::atomic<bool> &cancel, const auto &progress) {
        catalogue::MonteCarloSettings s = settings;
        s.cancel = &cancel;
        s.progress = progress;
        m_running = catalogue::monteCarlo(entry, base, drawn, s);
    });
}

void uncertaintyform::cancel() { m_runBar->cancel(); }

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
    const QStringList header{QStringLiteral("输出"),  QStringLiteral("均值"), QStringLiteral("标准差"),
                             QStringLiteral("最小值"), QStringLiteral("P5"),   QStringLiteral("P25"),
                             QStringLiteral("P50"),   QStringLiteral("P75"),  QStringLiteral("P95"),
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
        const std::vector<std::string> texts = catalogue::summaryTexts(s.summary, s.failed);
        for (int c = 0; c < int(texts.size()); ++c)
            m_statistics->setItem(i, c + 1, cell(QString::fromStdString(texts[std::size_t(c)])));
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
    const auto [lowIt, highIt] = std::minmax_element(values.begin(), values.end());
    const double low = *lowIt, high = *highIt;
    const int bins = low == high ? 1 : 30;
    const double width = low == high ? 1 : (high - low) / bins;
    std::vector<int> counts(std::size_t(bins), 0);
    for (double v : values)
        ++counts[std::size_t(std::min(bins - 1, int((v - low) / width)))];
    auto *set = new QBarSet(mainCaption(m_entry));
    QStringList categories;
    int most = 0;
    for (int b = 0; b < bins; ++b) {
        *set << counts[std::size_t(b)];
        most = std::max(most, counts[std::size_t(b)]);
        // Four significant digits, but whole tonnes and cubic metres written
        // out in full rather than as 1.007e+04.
        const double centre = low + (b + 0.5) * width;
        categories << (std::abs(centre) >= 1e4 && std::abs(centre) < 1e9 ? QString::number(centre, 'f', 0)
                                                                         : QString::number(centre, 'g', 4));
    }
    auto *series = new QBarSeries;
    series->setBarWidth(1.0);
    series->append(set);
    chart->addSeries(series);
    auto *xAxis = new QBarCategoryAxis;
    xAxis->append(categories);
    xAxis->setLabelsAngle(-90);
    xAxis->setTitleText(mainCaption(m_entry));
    chart->addAxis(xAxis, Qt::AlignBottom);
    series->attachAxis(xAxis);
    auto *yAxis = new QValueAxis;
    yAxis->setRange(0, most * 1.05);
    yAxis->setLabelFormat(QStringLiteral("%d"));
    yAxis->setTitleText(QStringLiteral("算例数"));
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(yAxis);
    chart->setTitle(QStringLiteral("%1的频数分布(%2 个有效算例)").arg(mainCaption(m_entry)).arg(values.size()));
}

} // namespace analysis
