#include "sensitivityform.h"

#include "runbar.h"
#include "tablecells.h"

#include "catalogue/parallel.h"
#include "catalogue/sweep.h"
#include "plots/chartlook.h"
#include "ui/calculatorwindow.h"
#include "ui/prompts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace analysis {

QString fieldCaption(const catalogue::Entry &entry, const std::string &name)
{
    if (const catalogue::Field *f = entry.field(name))
        return QString::fromStdString(f->label);
    if (const catalogue::Output *o = entry.output(name))
        if (!o->label.empty())
            return QString::fromStdString(o->label);
    return QString::fromStdString(name);
}

QString mainCaption(const catalogue::Entry &entry)
{
    if (entry.balance)
        return QStringLiteral("剩余容量(+)/需削减量(−)(t/a)");
    return fieldCaption(entry, entry.main().name);
}

void replaceChart(QChartView *view, QChart *chart)
{
    QChart *shown = view->chart();
    view->setChart(chart);
    delete shown;
}

namespace {

const QString title = QStringLiteral("敏感性分析");

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), int(s.size()));
}

} // namespace

sensitivityform::sensitivityform(ui::CalculatorWindow *window)
    : QWidget(window, Qt::Window), m_entry(window->currentEntry()), m_base(window->windowCase())
{
    setObjectName(QStringLiteral("sensitivityform"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title + QStringLiteral(" — ") + QString::fromStdString(catalogue::titleOf(m_entry)));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(buildSweepTab(), QStringLiteral("单参数扫描"));
    m_tabs->addTab(buildTornadoTab(), QStringLiteral("龙卷风图"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    resize(960, 720);

    connect(m_runBar, &RunBar::finished, this, [this](bool cancelled) {
        // A failed run shows nothing partial either; the run bar says why.
        const bool failed = !m_runBar->failure().isEmpty();
        if (cancelled || failed) {
            m_running.clear();
            m_rows.clear();
            if (!failed)
                m_runBar->setStatus(QStringLiteral("已取消"));
        } else {
            m_rows = std::move(m_running);
            m_running.clear();
            m_runBar->setStatus(QStringLiteral("共 %1 个算例").arg(m_rows.size()));
        }
        showSweep();
        emit sweepFinished(cancelled || failed);
    });
    fieldChosen();
    runTornado();
}

sensitivityform::~sensitivityform()
{
    m_runBar->stop();
}

QWidget *sensitivityform::buildSweepTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("tabSweep"));
    m_field = new QComboBox;
    m_field->setObjectName(QStringLiteral("comboField"));
    for (const catalogue::Field &f : m_entry.fields)
        m_field->addItem(QString::fromStdString(f.label), QString::fromStdString(f.name));
    m_from = new QLineEdit;
    m_from->setObjectName(QStringLiteral("editFrom"));
    m_to = new QLineEdit;
    m_to->setObjectName(QStringLiteral("editTo"));
    m_steps = new QSpinBox;
    m_steps->setObjectName(QStringLiteral("spinSteps"));
    m_steps->setRange(1, 1000000);
    m_steps->setValue(50);
    m_log = new QCheckBox(QStringLiteral("对数间隔"));
    m_log->setObjectName(QStringLiteral("checkLog"));
    m_runBar = new RunBar(QStringLiteral("buttonSweep"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("扫描参数:"), m_field);
    auto *range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("起始值:")));
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("终止值:")));
    range->addWidget(m_to);
    range->addWidget(new QLabel(QStringLiteral("步数:")));
    range->addWidget(m_steps);
    range->addWidget(m_log);
    form->addRow(range);
    form->addRow(m_runBar);

    m_table = new QTableWidget;
    m_table->setObjectName(QStringLiteral("tableSweep"));
    m_table->verticalHeader()->setVisible(false);
    showShownTexts(m_table);
    m_chart = new QChartView;
    m_chart->setObjectName(QStringLiteral("chartSweep"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(300);

    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addWidget(m_table, 2);
    layout->addWidget(m_chart, 3);

    connect(m_field, &QComboBox::currentIndexChanged, this, [this] { fieldChosen(); });
    connect(m_runBar, &RunBar::runRequested, this, &sensitivityform::runSweep);
    return tab;
}

QWidget *sensitivityform::buildTornadoTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("tabTornado"));
    m_share = new QLineEdit(QStringLiteral("10"));
    m_share->setObjectName(QStringLiteral("editShare"));
    m_share->setMaximumWidth(80);
    auto *run = new QPushButton(QStringLiteral("计算"));
    run->setObjectName(QStringLiteral("buttonTornado"));
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("每个参数变化 ±")));
    row->addWidget(m_share);
    row->addWidget(
        new QLabel(QStringLiteral("%,其余参数保持不变;条形为") + mainCaption(m_entry) + QStringLiteral("的变化量")));
    row->addStretch(1);
    row->addWidget(run);

    m_tornadoTable = new QTableWidget;
    m_tornadoTable->setObjectName(QStringLiteral("tableTornado"));
    m_tornadoTable->verticalHeader()->setVisible(false);
    showShownTexts(m_tornadoTable);
    m_tornadoChart = new QChartView;
    m_tornadoChart->setObjectName(QStringLiteral("chartTornado"));
    m_tornadoChart->setRenderHint(QPainter::Antialiasing);
    m_tornadoChart->setMinimumHeight(320);
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(m_tornadoChart, 3);
    layout->addWidget(m_tornadoTable, 2);
    connect(run, &QPushButton::clicked, this, [this] { runTornado(); });
    return tab;
}

void sensitivityform::fieldChosen()
{
    const catalogue::Field *f = m_entry.field(m_field->currentData().toString().toStdString());
    if (!f)
        return;
    double low = 0, high = 0;
    if (f->range) {
        low = f->range->low;
        high = f->range->high;
    } else {
        double value = 0;
        try {
            value = m_base.number(f->name);
        } catch (const varnolek::CalcError &) {
        }
        std::tie(low, high) = catalogue::defaultSpan(value);
    }
    m_from->setText(QString::fromStdString(catalogue::valueText(low)));
    m_to->setText(QString::fromStdString(catalogue::valueText(high)));
}

void sensitivityform::runSweep()
{
    if (m_runBar->running())
        return;
    catalogue::Axis axis;
    axis.field = m_field->currentData().toString().toStdString();
    axis.n = m_steps->value();
    axis.spacing = m_log->isChecked() ? catalogue::Spacing::Log : catalogue::Spacing::Linear;
    if (!catalogue::parseNumber(m_from->text().trimmed().toStdString(), axis.from) ||
        !catalogue::parseNumber(m_to->text().trimmed().toStdString(), axis.to)) {
        ui::Prompts::current().message(this, QStringLiteral("起始值和终止值须为数值"), title);
        return;
    }
    if (axis.n > 1 && axis.from == axis.to) {
        ui::Prompts::current().message(this, QStringLiteral("起始值与终止值相同,无法扫描"), title);
        return;
    }
    if (axis.spacing == catalogue::Spacing::Log && (axis.from <= 0 || axis.to <= 0)) {
        ui::Prompts::current().message(this, QStringLiteral("对数间隔的起始值和终止值须大于零"), title);
        return;
    }
    if (!catalogue::finiteSpacing(axis.from, axis.to, axis.n, axis.spacing)) {
        ui::Prompts::current().message(this, QStringLiteral("起始值与终止值相差过大，扫描的取值超出数值范围"), title);
        return;
    }
    m_axis = axis;
    m_running.clear();
    m_running.reserve(std::size_t(axis.n));
    const catalogue::Entry &entry = m_entry;
    const catalogue::Case base = m_base;
    m_runBar->start(axis.n, [this, &entry, base, axis](const std::atomic<bool> &cancel, const auto &progress) {
        std::size_t done = 0;
        catalogue::sweepGrid(
            entry, base, {axis}, catalogue::defaultThreads(),
            [&](const std::vector<catalogue::GridRow> &rows) {
                done += rows.size();
                progress(done);
                m_running.insert(m_running.end(), rows.begin(), rows.end());
                return true;
            },
            &cancel);
    });
}

void sensitivityform::cancelSweep()
{
    m_runBar->cancel();
}

void sensitivityform::showSweep()
{
    m_table->clear();
    m_table->setRowCount(0);
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    replaceChart(m_chart, chart);
    if (m_rows.empty())
        return;
    std::vector<const catalogue::Output *> outputs;
    for (const catalogue::Output &o : m_entry.outputs)
        outputs.push_back(&o);
    QStringList header{fieldCaption(m_entry, m_axis.field)};
    for (const catalogue::Output *o : outputs)
        header << (o->label.empty() ? QStringLiteral("结果说明") : QString::fromStdString(o->label));
    if (m_entry.balance)
        header << mainCaption(m_entry);
    header << QStringLiteral("错误");
    m_table->setColumnCount(header.size());
    m_table->setHorizontalHeaderLabels(header);
    m_table->setRowCount(int(m_rows.size()));

    std::vector<QLineSeries *> series;
    QStringList names;
    for (const catalogue::Output *o : outputs) {
        if (!o->numeric())
            continue;
        auto *s = new QLineSeries;
        s->setName(o->label.empty() ? QString::fromStdString(o->name) : QString::fromStdString(o->label));
        series.push_back(s);
        names << s->name();
    }
    QLineSeries *balance = nullptr;
    if (m_entry.balance) {
        balance = new QLineSeries;
        balance->setName(mainCaption(m_entry));
        names << balance->name();
    }
    // The swept values as read, for the spacing each is shown to.
    std::vector<double> xs;
    for (const catalogue::GridRow &row : m_rows)
        xs.push_back(varnolek::readNumber(row.texts[0]));
    const auto spacingAt = [&xs](std::size_t r) {
        double d = INFINITY;
        if (r > 0)
            d = std::abs(xs[r] - xs[r - 1]);
        if (r + 1 < xs.size())
            d = std::min(d, std::abs(xs[r + 1] - xs[r]));
        return d;
    };
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const catalogue::GridRow &row = m_rows[r];
        const bool done = row.outcome.status == catalogue::Status::Done;
        int column = 0;
        // The text each case was calculated with, shown to the digits its
        // spacing needs (2602.04081632653 in steps of 102 shows 2602).
        m_table->setItem(
            int(r), column++,
            numberCell(text(row.texts[0]), QString::fromStdString(plots::sweptValueText(xs[r], spacingAt(r)))));
        const double x = xs[r];
        std::size_t numeric = 0;
        for (const catalogue::Output *o : outputs) {
            const std::string *t = done ? row.outcome.result.text(o->name) : nullptr;
            const QString shown = t ? QString::fromStdString(*t) : QString();
            m_table->setItem(int(r), column++, o->numeric() ? numberCell(shown, shown) : cell(shown));
            if (o->numeric()) {
                if (const auto y = catalogue::outputNumber(m_entry, row.outcome.result, o->name); y && done)
                    series[numeric]->append(x, *y);
                ++numeric;
            }
        }
        if (balance) {
            const auto b = done ? row.outcome.result.balance : std::nullopt;
            m_table->setItem(int(r), column++,
                             b ? numberCell(QString::fromStdString(catalogue::statisticText(*b)),
                                            QString::fromStdString(catalogue::outputText(m_entry.main(), *b)))
                               : cell(QString()));
            if (b)
                balance->append(x, *b);
        }
        m_table->setItem(int(r), column, cell(QString::fromStdString(row.outcome.message)));
    }
    m_table->resizeColumnsToContents();
    if (balance)
        series.push_back(balance);
    const std::vector<QColor> colours = plots::quantityColours(names);
    plots::Span values;
    for (std::size_t i = 0; i < series.size(); ++i) {
        QPen pen(colours[i]);
        pen.setWidthF(2);
        series[i]->setPen(pen);
        chart->addSeries(series[i]);
        for (const QPointF &p : series[i]->points())
            plots::include(values, p.y());
    }
    // The swept range from end to end, ticks at round numbers within it.
    plots::Span range;
    plots::include(range, m_axis.from);
    plots::include(range, m_axis.to);
    plots::ScaleRules edges;
    edges.margin = 0;
    edges.keepSign = false;
    QCategoryAxis *xAxis = plots::scaleAxis(range, edges, Qt::Horizontal);
    plots::setAxisTitle(xAxis, fieldCaption(m_entry, m_axis.field));
    plots::ScaleRules room;
    room.keepSign = false;
    QCategoryAxis *yAxis = plots::scaleAxis(values, room, Qt::Vertical);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QLineSeries *s : series) {
        s->attachAxis(xAxis);
        s->attachAxis(yAxis);
    }
    chart->setTitle(QStringLiteral("%1 对计算结果的影响").arg(fieldCaption(m_entry, m_axis.field)));
    plots::applyLook(chart);
}

void sensitivityform::runTornado()
{
    double share = 0;
    if (!catalogue::parseNumber(m_share->text().trimmed().toStdString(), share) || share <= 0 || share >= 100) {
        ui::Prompts::current().message(this, QStringLiteral("变化幅度须为 0 到 100 之间的百分数"), title);
        return;
    }
    m_tornado = catalogue::tornado(m_entry, m_base, share / 100);
    showTornado();
}

void sensitivityform::showTornado()
{
    const QString share = m_share->text().trimmed();
    QStringList header{QStringLiteral("参数"),
                       QStringLiteral("−%1% 时取值").arg(share),
                       QStringLiteral("+%1% 时取值").arg(share),
                       QStringLiteral("−%1% 时结果").arg(share),
                       QStringLiteral("+%1% 时结果").arg(share),
                       QStringLiteral("最大变化量")};
    m_tornadoTable->clear();
    m_tornadoTable->setColumnCount(header.size());
    m_tornadoTable->setHorizontalHeaderLabels(header);
    m_tornadoTable->setRowCount(int(m_tornado.bars.size()));
    // The results as the main output writes them; the cells hold seven digits.
    const catalogue::Output &main = m_entry.main();
    auto result = [&main](const std::optional<double> &v) {
        if (!v)
            return cell(QStringLiteral("—"));
        return numberCell(QString::fromStdString(catalogue::statisticText(*v)),
                          QString::fromStdString(catalogue::outputText(main, *v)));
    };
    auto *low = new QBarSet(QStringLiteral("−%1%").arg(share));
    auto *high = new QBarSet(QStringLiteral("+%1%").arg(share));
    low->setColor(plots::quantityColour(QStringLiteral("参数减小")));
    high->setColor(plots::quantityColour(QStringLiteral("参数增大")));
    QStringList categories;
    // The bar chart draws its first category at the bottom: largest last.
    for (std::size_t i = m_tornado.bars.size(); i-- > 0;) {
        const catalogue::TornadoBar &bar = m_tornado.bars[i];
        const catalogue::Field *f = m_entry.field(bar.field);
        QString name = f ? QString::fromStdString(f->label) : QString::fromStdString(bar.field);
        categories << name;
        const double base = m_tornado.base.value_or(0);
        *low << (bar.low && m_tornado.base ? *bar.low - base : 0.0);
        *high << (bar.high && m_tornado.base ? *bar.high - base : 0.0);
    }
    for (std::size_t i = 0; i < m_tornado.bars.size(); ++i) {
        const catalogue::TornadoBar &bar = m_tornado.bars[i];
        const int r = int(i);
        m_tornadoTable->setItem(r, 0, cell(fieldCaption(m_entry, bar.field)));
        m_tornadoTable->setItem(r, 1,
                                numberCell(QString::fromStdString(bar.lowText), QString::fromStdString(bar.lowText)));
        m_tornadoTable->setItem(r, 2,
                                numberCell(QString::fromStdString(bar.highText), QString::fromStdString(bar.highText)));
        m_tornadoTable->setItem(r, 3, result(bar.low));
        m_tornadoTable->setItem(r, 4, result(bar.high));
        m_tornadoTable->setItem(r, 5, result(bar.swing));
    }
    m_tornadoTable->resizeColumnsToContents();

    auto *series = new QHorizontalBarSeries;
    series->append(low);
    series->append(high);
    auto *chart = new QChart;
    chart->addSeries(series);
    auto *categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    chart->addAxis(categoryAxis, Qt::AlignLeft);
    series->attachAxis(categoryAxis);
    // Symmetric about no change, ticks at round numbers.
    double extent = 0;
    for (const catalogue::TornadoBar &bar : m_tornado.bars)
        extent = std::max(extent, bar.swing);
    plots::Span span;
    plots::include(span, extent > 0 ? -extent : -1);
    plots::include(span, extent > 0 ? extent : 1);
    plots::ScaleRules room;
    room.keepSign = false;
    room.margin = 0.1;
    QCategoryAxis *valueAxis = plots::scaleAxis(span, room, Qt::Horizontal);
    const QString base =
        m_tornado.base ? QString::fromStdString(catalogue::outputText(main, *m_tornado.base)) : QStringLiteral("—");
    plots::setAxisTitle(valueAxis, QStringLiteral("%1的变化量(基准值 %2)").arg(mainCaption(m_entry), base));
    chart->addAxis(valueAxis, Qt::AlignBottom);
    series->attachAxis(valueAxis);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setTitle(QStringLiteral("各参数 ±%1% 时%2的变化").arg(share, mainCaption(m_entry)));
    plots::applyLook(chart);
    replaceChart(m_tornadoChart, chart);
}

} // namespace analysis
