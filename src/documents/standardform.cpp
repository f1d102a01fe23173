#include "standardform.h"

#include "core/numbers.h"
#include "core/standards.h"

#include "ui/calculatorwindow.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>

namespace documents {

namespace {

namespace standards = varnolek::standards;
using ui::tw;

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

constexpr const char *classCaptions[standards::classCount] = {"Ⅰ类", "Ⅱ类", "Ⅲ类", "Ⅳ类", "Ⅴ类"};

// The item offered first: the oxygen demand most plans are written for.
constexpr std::string_view firstItem = "化学需氧量";
constexpr int firstClass = 2; // III

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(rect);
    box->setFont(ui::font(ui::faceSong, 10.5));
    ui::paint(box, ui::colour::calculator, Qt::white);
    return box;
}

QRadioButton *option(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(ui::font(ui::faceSong, 10.5)); // Ⅰ to Ⅴ are small glyphs in 宋体
    ui::paint(button, ui::colour::option, Qt::black);
    return button;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    b->setFont(ui::font(ui::faceSong, 12));
    ui::paint(b, ui::colour::button, Qt::black);
    return b;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &rect)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    l->setWordWrap(true);
    l->setFont(ui::font(ui::faceSong, 9));
    ui::paint(l, ui::colour::label, Qt::black);
    return l;
}

} // namespace

standardform::standardform(ui::CalculatorWindow *window) : QWidget(window, Qt::Window), m_window(window)
{
    setObjectName("standardform");
    setWindowTitle(QStringLiteral("水质标准限值"));
    ui::paint(this, ui::colour::calculator);
    setFont(ui::font(ui::faceSong, 9));

    QGroupBox *water = frame(this, "Frame1", QStringLiteral("水体类型"), tw(240, 120, 5040, 780));
    Option1 = option(water, "Option1", QStringLiteral("河流"), tw(480, 330, 1560, 330));
    Option2 = option(water, "Option2", QStringLiteral("湖库"), tw(2760, 330, 1560, 330));
    Option1->setChecked(true);

    QGroupBox *items = frame(this, "Frame2", QStringLiteral("项目（GB 3838-2002 表1）"), tw(240, 1020, 3120, 3480));
    listItems = new QListWidget(items);
    listItems->setObjectName("listItems");
    listItems->setGeometry(tw(120, 330, 2880, 3030));
    listItems->setSpacing(2); // CJK glyphs fill their line: rows apart
    ui::paint(listItems, ui::colour::field, Qt::black);
    for (std::string_view name : standards::pickerItems()) {
        auto *item = new QListWidgetItem(qs(name), listItems);
        const standards::Row *row = standards::rowFor(name, standards::WaterBody::Lake);
        if (row && !row->code.empty())
            item->setToolTip(qs(row->code));
        if (name == firstItem)
            listItems->setCurrentItem(item);
    }

    QGroupBox *classes = frame(this, "Frame3", QStringLiteral("水质类别"), tw(3480, 1020, 1800, 3480));
    for (int k = 0; k < standards::classCount; ++k)
        OptionClass[std::size_t(k)] = option(classes, QStringLiteral("OptionClass%1").arg(k + 1),
                                             QString::fromUtf8(classCaptions[k]), tw(360, 420 + k * 600, 1080, 330));
    OptionClass[firstClass]->setChecked(true);

    label(this, "Label1", QStringLiteral("标准限值"), tw(240, 4680, 1080, 420));
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setGeometry(tw(1440, 4680, 3840, 420));
    Text1->setReadOnly(true);
    QFont bold = Text1->font();
    bold.setBold(true);
    Text1->setFont(bold);
    ui::paint(Text1, ui::colour::field, Qt::black);

    labelTarget = label(this, "labelTarget", QString(), tw(240, 5220, 5040, 540));

    Command1 = button(this, "Command1", QStringLiteral("填  入"), tw(840, 5940, 1680, 492));
    Command2 = button(this, "Command2", QStringLiteral("关  闭"), tw(3000, 5940, 1680, 492));
    connect(Command1, &QPushButton::clicked, this, [this] { fill(); });
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);

    for (QRadioButton *choice : {Option1, Option2})
        connect(choice, &QRadioButton::toggled, this, &standardform::refresh);
    for (QRadioButton *choice : OptionClass)
        connect(choice, &QRadioButton::toggled, this, &standardform::refresh);
    connect(listItems, &QListWidget::currentRowChanged, this, &standardform::refresh);
    // 填入 follows the view the calculator's option buttons choose.
    for (const catalogue::Entry *view : window->views())
        for (const std::string &name : view->options)
            if (auto *choice = window->findChild<QAbstractButton *>(QString::fromStdString(name)))
                connect(choice, &QAbstractButton::toggled, this, &standardform::refresh);

    setFixedSize(ui::px(5520), ui::px(6660));
    refresh();
}

namespace {

// The water body, item and class the picker shows.
struct Choice {
    std::string item;
    standards::WaterBody body = standards::WaterBody::River;
    int classIndex = -1;
};

Choice choiceOf(const standardform &form)
{
    Choice c;
    if (const QListWidgetItem *item = form.listItems->currentItem())
        c.item = item->text().toStdString();
    c.body = form.Option2->isChecked() ? standards::WaterBody::Lake : standards::WaterBody::River;
    for (int k = 0; k < standards::classCount; ++k)
        if (form.OptionClass[std::size_t(k)]->isChecked())
            c.classIndex = k;
    return c;
}

} // namespace

std::optional<double> standardform::limit() const
{
    const Choice c = choiceOf(*this);
    return standards::limit(c.item, c.body, c.classIndex).value;
}

void standardform::refresh()
{
    const Choice c = choiceOf(*this);
    const standards::Limit found = standards::limit(c.item, c.body, c.classIndex);
    const standards::Row *row = standards::rowFor(c.item, c.body);

    QString unit;
    if (found.value && row) {
        unit = qs(row->unit);
        Text1->setText(qs(standards::senseText(row->sense)) + u' ' +
                       QString::fromStdString(varnolek::generalText(*found.value)) + u' ' + unit);
    } else {
        Text1->setText(qs(found.message));
    }
    Text1->setCursorPosition(0);

    // Where 填入 writes: the target the view declares, read from the catalogue.
    const catalogue::Entry &view = m_window->currentEntry();
    const catalogue::Field *target = view.target.empty() ? nullptr : view.field(view.target);
    QString why;
    if (!target || !m_window->plainField(QString::fromStdString(target->name)))
        why = QStringLiteral("本计算没有水质目标浓度，不能填入");
    else if (!found.value)
        why = QStringLiteral("没有可填入的限值");
    else if (unit.toStdString() != target->unit)
        why = QStringLiteral("该项目的单位为%1，与“%2”的单位不同，不能填入")
                  .arg(unit, QString::fromStdString(target->label));
    Command1->setEnabled(why.isEmpty());
    labelTarget->setText(why.isEmpty() ? QStringLiteral("填入：%1").arg(QString::fromStdString(target->label)) : why);
}

void standardform::fill()
{
    refresh(); // the calculator may have changed its view since
    const std::optional<double> value = limit();
    const catalogue::Entry &view = m_window->currentEntry();
    QLineEdit *edit = view.target.empty() ? nullptr : m_window->plainField(QString::fromStdString(view.target));
    if (!Command1->isEnabled() || !value || !edit)
        return;
    const QString text = QString::fromStdString(varnolek::generalText(*value));
    edit->setText(text);
    // The results shown were computed with the old target.
    m_window->setResultsStale();
    m_window->statusBar()->showMessage(
        QStringLiteral("已填入 %1 = %2")
            .arg(QString::fromStdString(catalogue::quantityName(view.field(view.target)->label)), text),
        5000);
}

standardform *showStandardLimit(ui::CalculatorWindow *window)
{
    auto *form = window->findChild<standardform *>(QStringLiteral("standardform"), Qt::FindDirectChildrenOnly);
    if (!form) {
        form = new standardform(window);
        // Beside the calculator, whose target field stays in sight; on its
        // left where the screen has no room on its right.
        const QRect calculator = window->frameGeometry();
        QPoint at(calculator.right() + 8, calculator.top());
        if (const QScreen *screen = window->screen()) {
            const QRect room = screen->availableGeometry();
            if (at.x() + form->width() > room.right())
                at.setX(calculator.left() - 8 - form->width());
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - form->width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - form->height())));
        }
        form->move(at);
    }
    form->refresh();
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

} // namespace documents
