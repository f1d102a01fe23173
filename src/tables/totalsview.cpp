#include "totalsview.h"

#include "plots/plotwindow.h"

#include "core/numbers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tables {

namespace {

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

QString tonnes(double value)
{
    return qs(varnolek::formatPattern(value, varnolek::Precision::Double, catalogue::loadPattern));
}

QTableWidget *newTable(QWidget *parent, const char *name, const QStringList &keys)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setColumnCount(int(keys.size() + totalsCaptions().size()));
    table->setHorizontalHeaderLabels(keys + totalsCaptions());
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void fill(QTableWidget *table, const std::vector<catalogue::TotalLine> &lines, bool byWater)
{
    table->setRowCount(int(lines.size()));
    for (int r = 0; r < int(lines.size()); ++r) {
        const catalogue::TotalLine &line = lines[std::size_t(r)];
        QStringList texts;
        if (byWater)
            texts << qs(line.water);
        texts << qs(line.item) << QString::number(line.zones) << tonnes(line.capacity) << tonnes(line.limit)
              << tonnes(line.load) << tonnes(line.reduction) << tonnes(line.remaining);
        for (int c = 0; c < texts.size(); ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            if (c >= (byWater ? 2 : 1))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
}

} // namespace

QStringList totalsCaptions()
{
    return {QStringLiteral("水功能区数"),      QStringLiteral("纳污能力W(t/a)"), QStringLiteral("限排量(t/a)"),
            QStringLiteral("现状入河量(t/a)"), QStringLiteral("需削减量(t/a)"),  QStringLiteral("剩余纳污能力(t/a)")};
}

TotalsView::TotalsView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    labelTotals = new QLabel(this);
    labelTotals->setObjectName("labelTotals");
    layout->addWidget(labelTotals);

    auto *split = new QSplitter(Qt::Vertical, this);
    auto *sums = new QWidget(split);
    auto *sumsLayout = new QHBoxLayout(sums);
    sumsLayout->setContentsMargins(0, 0, 0, 0);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("按污染物汇总"), sums));
    tableByItem = newTable(sums, "tableByItem", {QStringLiteral("污染物")});
    left->addWidget(tableByItem);
    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("按水体汇总"), sums));
    tableByWater = newTable(sums, "tableByWater", {QStringLiteral("所在水体"), QStringLiteral("污染物")});
    right->addWidget(tableByWater);
    sumsLayout->addLayout(left, 1);
    sumsLayout->addLayout(right, 1);

    auto *chartPane = new QWidget(split);
    auto *chartColumn = new QVBoxLayout(chartPane);
    chartColumn->setContentsMargins(0, 0, 0, 0);
    auto *pick = new QHBoxLayout;
    pick->addWidget(new QLabel(QStringLiteral("各水功能区纳污能力与现状入河量，污染物："), chartPane));
    comboChartItem = new QComboBox(chartPane);
    comboChartItem->setObjectName("comboChartItem");
    pick->addWidget(comboChartItem);
    pick->addStretch(1);
    chartColumn->addLayout(pick);
    // A bar pair per zone: the chart grows with the zones and scrolls.
    m_scroll = new QScrollArea(chartPane);
    m_scroll->setObjectName("scrollChart");
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    chartColumn->addWidget(m_scroll, 1);
    split->addWidget(sums);
    split->addWidget(chartPane);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({280, 520});
    layout->addWidget(split, 1);
    connect(comboChartItem, &QComboBox::currentIndexChanged, this, &TotalsView::drawChart);
}

void TotalsView::showTotals(const catalogue::ZoneTable &table)
{
    const catalogue::Totals totals = table.totals();
    labelTotals->setText(totals.notCounted == 0
                             ? QStringLiteral("计入 %1 个水功能区计算行。").arg(totals.counted)
                             : QStringLiteral("计入 %1 个水功能区计算行；另有 %2 行未计算完成，不计入汇总。")
                                   .arg(totals.counted)
                                   .arg(totals.notCounted));
    fill(tableByItem, totals.byItem, false);
    fill(tableByWater, totals.byWater, true);

    m_bars.clear();
    for (const catalogue::TotalLine &line : totals.byItem)
        m_bars.emplace_back(line.item, std::vector<Bar>());
    for (std::size_t r = 0; r < table.size(); ++r) {
        const catalogue::ZoneOutcome &o = table.outcome(r);
        if (o.state != catalogue::ZoneState::Done)
            continue;
        const catalogue::ZoneRow &row = table.row(r);
        const std::string item = row.item.empty() ? std::string(catalogue::unnamedItem) : row.item;
        for (auto &[key, bars] : m_bars)
            if (key == item && bars.size() < std::size_t(chartZones) + 1)
                // Numbered, so that two zones of one name stay two bars.
                bars.push_back({std::to_string(r + 1) + " " + row.zone, *o.capacity, *o.load});
    }
    const QString chosen = comboChartItem->currentText();
    const QSignalBlocker quiet(comboChartItem);
    comboChartItem->clear();
    for (const auto &entry : m_bars)
        comboChartItem->addItem(qs(entry.first));
    comboChartItem->setCurrentIndex(std::max(0, comboChartItem->findText(chosen)));
    drawChart();
}

void TotalsView::drawChart()
{
    const int at = comboChartItem->currentIndex();
    plots::Plot plot;
    plot.kind = plots::Kind::Bars;
    plot.grouped = true;
    plot.horizontal = true;
    plot.yTitle = "t/a";
    if (at < 0 || std::size_t(at) >= m_bars.size()) {
        plot.failure = "没有计算完成的水功能区";
    } else {
        const auto &[item, bars] = m_bars[std::size_t(at)];
        plot.title = item + " 纳污能力与现状入河量";
        plots::BarSet capacity{"纳污能力W", {}}, load{"现状入河量", {}};
        for (std::size_t i = 0; i < bars.size() && i < std::size_t(chartZones); ++i) {
            plot.categories.push_back(bars[i].zone);
            capacity.values.push_back(bars[i].capacity);
            load.values.push_back(bars[i].load);
        }
        plot.bars = {capacity, load};
        if (bars.size() > std::size_t(chartZones))
            plot.note = "图中为前 " + std::to_string(chartZones) + " 个水功能区";
    }
    auto *chart = new QWidget;
    chart->setObjectName("chartZones");
    auto *box = new QVBoxLayout(chart);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(plots::chartWidget(plot, chart), 1);
    if (!plot.note.empty()) {
        auto *note = new QLabel(qs(plot.note), chart);
        note->setAlignment(Qt::AlignCenter);
        box->addWidget(note);
    }
    chart->setMinimumHeight(150 + 26 * int(plot.categories.size()));
    m_scroll->setWidget(chart); // the chart drawn before is deleted
}

} // namespace tables
