#include "calculatorwindow.h"

#include "core/rejection.h"
#include "look.h"
#include "prompts.h"
#include "twips.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QThread>

#include <exception>
#include <memory>

namespace ui {

const QString CalculatorWindow::incompleteText = QStringLiteral("请输入全部的参数");
const QString CalculatorWindow::incompleteTitle = QStringLiteral("提示");
const QString CalculatorWindow::savedPrefix = QStringLiteral("已保存：");
const QString CalculatorWindow::busyText = QStringLiteral("正在计算…");

namespace {

// Labels keep the size the layout gives them; a caption too long for that box
// is set in a smaller size so that it wraps inside it instead of being cut.
void fitLabelText(QLabel *label)
{
    QFont f = label->font();
    const QRect box(0, 0, label->width(), label->height());
    while (f.pointSizeF() > 7.0) {
        const QRect needed = QFontMetrics(f).boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft, label->text());
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
        f.setPointSizeF(f.pointSizeF() - 0.5);
    }
    label->setFont(f);
}

} // namespace

CalculatorWindow::CalculatorWindow(const QString &name, ButtonFace face)
    : QWidget(nullptr), m_views(catalogue::entriesOf(name.toStdString())), m_face(face)
{
    setObjectName(name);
    setWindowTitle(QString::fromStdString(m_views.at(0)->title));
    setAttribute(Qt::WA_DeleteOnClose);
    paint(this, colour::calculator);
    setFont(ui::font(faceSong, 9));

    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("menuBar");
    m_menuBar->setNativeMenuBar(false);
    m_menuBar->setAutoFillBackground(true);
    m_form = new QWidget(this);
    m_form->setObjectName("form");
    m_form->move(0, m_menuBar->sizeHint().height());
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("statusBar");
    m_statusBar->setSizeGripEnabled(false); // the window keeps its size
    m_statusBar->setAutoFillBackground(true);
    QPalette bar = m_statusBar->palette();
    bar.setColor(QPalette::Window, m_menuBar->palette().color(QPalette::Button));
    m_statusBar->setPalette(bar);
}

CalculatorWindow::~CalculatorWindow()
{
    // The run reads the case and the catalogue, not the window; it is waited
    // for so that none outlives the program.
    if (m_worker) {
        m_worker->disconnect(this);
        m_worker->wait();
    }
}

int CalculatorWindow::barsHeight() const
{
    return m_menuBar->sizeHint().height() + m_statusBar->sizeHint().height();
}

namespace {

// The place of a menu in the bar: its rank in the one order of every window.
int menuRank(const QString &name)
{
    static const QStringList order = {QStringLiteral("menuFile"), QStringLiteral("menuEdit"),
                                      QStringLiteral("menuPlot"), QStringLiteral("menuAnalysis")};
    if (name == QLatin1String("menuHelp"))
        return int(order.size()) + 1;
    const qsizetype rank = order.indexOf(name);
    return rank < 0 ? int(order.size()) : int(rank);
}

} // namespace

QMenu *CalculatorWindow::menu(const QString &name, const QString &title)
{
    if (auto *existing = m_menuBar->findChild<QMenu *>(name, Qt::FindDirectChildrenOnly))
        return existing;
    auto *made = new QMenu(title, m_menuBar);
    made->setObjectName(name);
    // Before the first menu that comes later in the order; at the end if none does.
    QAction *before = nullptr;
    for (QAction *action : m_menuBar->actions()) {
        if (action->menu() && menuRank(action->menu()->objectName()) > menuRank(name)) {
            before = action;
            break;
        }
    }
    m_menuBar->insertMenu(before, made);
    placeMenuBar();
    return made;
}

void CalculatorWindow::placeBars(const QSize &size)
{
    const int bar = m_menuBar->sizeHint().height();
    const int status = m_statusBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, size.width(), bar);
    m_form->setGeometry(0, bar, size.width(), size.height() - bar - status);
    m_statusBar->setGeometry(0, size.height() - status, size.width(), status);
}

// The window grows or shrinks by the bar's height; the form keeps its size.
void CalculatorWindow::placeMenuBar()
{
    const int bar = m_menuBar->sizeHint().height();
    const int change = bar - m_form->y();
    if (change == 0)
        return;
    if (minimumHeight() == maximumHeight()) // a window of fixed size
        setFixedHeight(height() + change);
    placeBars(size());
}

void CalculatorWindow::showSaved(const QString &path)
{
    const QFontMetrics metrics(m_statusBar->font());
    // The status bar draws its message with a few pixels of margin each side.
    const int room = m_statusBar->width() - metrics.horizontalAdvance(savedPrefix) - 16;
    m_statusBar->showMessage(
        savedPrefix + metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, std::max(room, 0)), 5000);
}

QString CalculatorWindow::calculateFirstText() const
{
    QString caption = QStringLiteral("确定");
    if (const auto *ok = findChild<QPushButton *>(QString::fromStdString(currentEntry().okButton)))
        caption = ok->text().remove(u' ').remove(u'\n');
    return QStringLiteral("请先按“%1”完成计算").arg(caption);
}

void CalculatorWindow::enableWithResults(QAction *action)
{
    auto follow = [this, action](bool current) {
        action->setEnabled(current);
        const QString why = current ? QString() : calculateFirstText();
        action->setStatusTip(why);
        action->setToolTip(why);
    };
    follow(m_resultsCurrent);
    connect(this, &CalculatorWindow::resultsCurrentChanged, action, follow);
    // Another view may have an OK button of another caption.
    connect(this, &CalculatorWindow::resultsDiscarded, action, [this, follow] { follow(m_resultsCurrent); });
    for (QObject *shownIn : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(shownIn)) {
            menu->setToolTipsVisible(true);
            menu->installEventFilter(this);
        }
    }
}

// A menu makes no greyed item current, so it sends no status tip for one: the
// tip of the item under the pointer is shown here instead.
bool CalculatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *menu = qobject_cast<QMenu *>(watched);
    if (menu && (event->type() == QEvent::MouseMove || event->type() == QEvent::Hide)) {
        const QAction *action = event->type() == QEvent::MouseMove
                                    ? menu->actionAt(static_cast<QMouseEvent *>(event)->position().toPoint())
                                    : nullptr;
        if (action && !action->isEnabled() && !action->statusTip().isEmpty()) {
            m_statusBar->showMessage(action->statusTip());
            m_greyedTipShown = true;
        } else if (m_greyedTipShown) {
            m_statusBar->clearMessage();
            m_greyedTipShown = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The status tips of the menus' items show in the status bar, as in a main window.
bool CalculatorWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void CalculatorWindow::setResultsCurrent(bool current)
{
    if (current == m_resultsCurrent)
        return;
    m_resultsCurrent = current;
    emit resultsCurrentChanged(current);
}

void CalculatorWindow::setResultsStale()
{
    ++m_inputsChanged;
    setResultsCurrent(false);
}

QGroupBox *CalculatorWindow::addFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *frame = new QGroupBox(caption, parentFor(parent));
    frame->setObjectName(name);
    frame->setGeometry(rect);
    frame->setFont(ui::font(faceSong, 10.5));
    paint(frame, colour::calculator, Qt::white);
    return frame;
}

QLabel *CalculatorWindow::addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &rect)
{
    auto *label = new QLabel(text, parentFor(parent));
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    paint(label, colour::label, Qt::black);
    setLabelFont(label, label->font());
    return label;
}

void CalculatorWindow::setLabelFont(QLabel *label, const QFont &font)
{
    label->setFont(font);
    label->setProperty("designPointSize", font.pointSizeF());
    fitLabelText(label);
}

void CalculatorWindow::setCaption(QLabel *label, const QString &text)
{
    QFont f = label->font();
    const QVariant design = label->property("designPointSize");
    if (design.isValid())
        f.setPointSizeF(design.toDouble());
    label->setFont(f);
    label->setText(text);
    fitLabelText(label);
}

QLineEdit *CalculatorWindow::addField(QWidget *parent, const QString &name, const QString &defaultText,
                                      const QRect &rect)
{
    auto *field = new QLineEdit(defaultText, parentFor(parent));
    field->setObjectName(name);
    field->setGeometry(rect);
    paint(field, colour::field, Qt::black);
    connect(field, &QLineEdit::textEdited, this, &CalculatorWindow::setResultsStale);
    return field;
}

QLineEdit *CalculatorWindow::addField(QWidget *parent, const catalogue::Field &field, const QRect &rect)
{
    return addField(parent, QString::fromStdString(field.name), QString::fromStdString(field.defaultText), rect);
}

QLabel *CalculatorWindow::addLabel(QWidget *parent, const QString &name, const catalogue::Field &field,
                                   const QRect &rect)
{
    return addLabel(parent, name, QString::fromStdString(field.label), rect);
}

CalculatorWindow::FieldGrid CalculatorWindow::twoColumns(QWidget *frame, int rows)
{
    FieldGrid grid{frame, {240, 4800}, {2880, 2880}, {3240, 7800}, {1320, 1320}, 420, {}};
    for (int row = 0; row < rows; ++row)
        grid.rowTop.push_back(480 + 600 * row);
    return grid;
}

QLineEdit *CalculatorWindow::addGridField(const FieldGrid &grid, int row, int column, const QString &labelName,
                                          const catalogue::Field &field)
{
    const int top = grid.rowTop.at(row);
    addLabel(grid.frame, labelName, field, tw(grid.labelLeft[column], top, grid.labelWidth[column], grid.height));
    return addField(grid.frame, field, tw(grid.fieldLeft[column], top, grid.fieldWidth[column], grid.height));
}

QLineEdit *CalculatorWindow::addResult(QWidget *parent, const QString &name, const QRect &rect)
{
    QLineEdit *field = addField(parent, name, QString(), rect);
    QFont f = field->font();
    f.setBold(true);
    field->setFont(f);
    return field;
}

const catalogue::Output &CalculatorWindow::output(std::string_view name) const
{
    for (const catalogue::Entry *view : m_views)
        if (const catalogue::Output *o = view->output(name))
            return *o;
    throw std::logic_error("no output " + std::string(name) + " in " + objectName().toStdString());
}

QLineEdit *CalculatorWindow::addGridResult(const FieldGrid &grid, int row, int column, const char *name)
{
    const catalogue::Output &o = output(name);
    const int top = grid.rowTop.at(row);
    addLabel(grid.frame, QStringLiteral("Label_") + QString::fromUtf8(name), QString::fromStdString(o.label),
             tw(grid.labelLeft[column], top, grid.labelWidth[column], grid.height));
    QLineEdit *result = addResult(grid.frame, QString::fromUtf8(name),
                                  tw(grid.fieldLeft[column], top, grid.fieldWidth[column], grid.height));
    result->setReadOnly(true);
    return result;
}

QFont CalculatorWindow::buttonFont() const
{
    return m_face == ButtonFace::Li ? ui::font(faceLi, 16.2, true) : ui::font(faceSong, 13.8);
}

QPushButton *CalculatorWindow::addButton(QWidget *parent, const QString &name, const QString &caption,
                                         const QRect &rect, std::function<void()> onClick)
{
    auto *button = new QPushButton(caption, parentFor(parent));
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(buttonFont());
    paint(button, colour::button, Qt::black);
    connect(button, &QPushButton::clicked, this, [onClick = std::move(onClick)] { onClick(); });
    return button;
}

QRadioButton *CalculatorWindow::addOption(QWidget *parent, const QString &name, const QString &caption,
                                          const QRect &rect, std::function<void()> onClick)
{
    auto *option = new QRadioButton(caption, parentFor(parent));
    option->setObjectName(name);
    option->setGeometry(rect);
    paint(option, colour::option, Qt::black);
    connect(option, &QRadioButton::clicked, this, [this, onClick = std::move(onClick)] {
        setResultsStale(); // another view, or the same one shown afresh
        onClick();
        emit resultsDiscarded();
    });
    return option;
}

void CalculatorWindow::fitToContents(int marginTwips)
{
    const QRect used = m_form->childrenRect();
    setClientSize(int(twips(used.right() + 1)) + marginTwips, int(twips(used.bottom() + 1)) + marginTwips);
}

void CalculatorWindow::setClientSize(int widthTwips, int heightTwips)
{
    // The form keeps the size it is given; the window grows by the bars.
    QSize size(px(widthTwips), px(heightTwips) + barsHeight());
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        size = size.boundedTo(available.size());
        setFixedSize(size);
        move(available.center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
        setFixedSize(size);
    }
    placeBars(size);
}

bool CalculatorWindow::complete(std::initializer_list<const QLineEdit *> fields)
{
    for (const QLineEdit *field : fields) {
        if (field->text().isEmpty()) {
            Prompts::current().message(this, incompleteText, incompleteTitle);
            return false;
        }
    }
    return true;
}

double CalculatorWindow::read(const QLineEdit *field)
{
    return varnolek::readNumber(field->text().toStdString());
}

bool CalculatorWindow::calculate(const std::function<void()> &calculation)
{
    try {
        calculation();
        return true;
    } catch (const catalogue::Incomplete &) {
        Prompts::current().message(this, incompleteText, incompleteTitle);
        return false;
    } catch (const varnolek::CalcError &error) {
        reportFailure(error);
        return false;
    }
}

void CalculatorWindow::reportFailure(const varnolek::CalcError &error)
{
    Prompts::current().message(this, QString::fromStdString(varnolek::describe(error.kind())),
                               QString::fromUtf8(varnolek::programTitle));
}

// The view whose option buttons are all checked; a window without options has one view.
const catalogue::Entry &CalculatorWindow::currentEntry() const
{
    for (const catalogue::Entry *view : m_views) {
        bool selected = true;
        for (const std::string &option : view->options) {
            const auto *button = findChild<QRadioButton *>(QString::fromStdString(option));
            selected = selected && button && button->isChecked();
        }
        if (selected)
            return *view;
    }
    return *m_views.front();
}

const catalogue::Field &CalculatorWindow::field(std::string_view name) const
{
    for (const catalogue::Entry *view : m_views)
        if (const catalogue::Field *f = view->field(name))
            return *f;
    throw std::logic_error("no field " + std::string(name) + " in " + objectName().toStdString());
}

QLineEdit *CalculatorWindow::plainField(const QString &name) const
{
    for (QLineEdit *edit : findChildren<QLineEdit *>(name))
        if (!edit->property("index").isValid())
            return edit;
    return nullptr;
}

std::vector<QLineEdit *> CalculatorWindow::rowFields(const std::string &group) const
{
    std::vector<QLineEdit *> rows;
    for (QLineEdit *edit : findChildren<QLineEdit *>(QString::fromStdString(group))) {
        const QVariant index = edit->property("index");
        if (!index.isValid() || index.toInt() < 0)
            continue;
        const auto i = std::size_t(index.toInt());
        if (rows.size() <= i)
            rows.resize(i + 1, nullptr);
        rows[i] = edit;
    }
    return rows;
}

std::optional<QString> CalculatorWindow::fieldText(std::string_view name) const
{
    if (std::optional<QString> kept = dataText(name))
        return kept;
    if (const QLineEdit *edit = plainField(QString::fromUtf8(name.data(), qsizetype(name.size()))))
        return edit->text();
    return std::nullopt;
}

catalogue::Case CalculatorWindow::windowCase() const
{
    catalogue::Case c;
    for (const catalogue::Entry *view : m_views) {
        for (const catalogue::Field &field : view->fields) {
            if (c.has(field.name))
                continue;
            const std::optional<QString> text = fieldText(field.name);
            // A text asked for in a dialog counts once it has been given.
            if (text && !(field.dialog && text->isEmpty()))
                c.setOwned(field.name, text->toStdString());
        }
        for (const catalogue::Group &group : view->groups) {
            if (c.has(group.name + ".0"))
                continue;
            const std::vector<QLineEdit *> rows = rowFields(group.name);
            for (std::size_t i = 0; i < rows.size(); ++i)
                if (rows[i])
                    c.setOwned(group.name + "." + std::to_string(i), rows[i]->text().toStdString());
        }
    }
    return c;
}

std::vector<const catalogue::Entry *> CalculatorWindow::viewsShown() const
{
    if (catalogue::sideBySide(objectName().toStdString()))
        return m_views;
    return {&currentEntry()};
}

catalogue::CaseFile CalculatorWindow::savedCase() const
{
    catalogue::CaseFile c;
    const std::vector<const catalogue::Entry *> views = viewsShown();
    c.calculation = catalogue::sideBySide(objectName().toStdString()) ? objectName().toStdString() : currentEntry().id;
    for (const catalogue::Entry *view : views) {
        for (const catalogue::Field &field : view->fields) {
            const std::optional<QString> text = fieldText(field.name);
            if (!text)
                continue;
            if (field.dialog) {
                c.hasData = true;
                c.data.emplace_back(field.name, text->toStdString());
            } else {
                c.fields.emplace_back(field.name, text->toStdString());
            }
        }
        for (const catalogue::Group &group : view->groups) {
            std::vector<std::string> texts;
            for (const QLineEdit *edit : rowFields(group.name))
                texts.push_back(edit ? edit->text().toStdString() : std::string());
            c.rows.emplace_back(group.name, std::move(texts));
        }
    }
    // Only the results of the view last calculated belong to the texts.
    if (resultsCurrent()) {
        for (const catalogue::Output &output : currentEntry().outputs) {
            const QString name = QString::fromStdString(output.name);
            if (const QLineEdit *edit = plainField(name))
                c.results.emplace_back(output.name, edit->text().toStdString());
            else if (const auto *label = findChild<QLabel *>(name))
                c.results.emplace_back(output.name, label->text().toStdString());
        }
    }
    return c;
}

void CalculatorWindow::applyCase(const catalogue::CaseFile &c, const QString &folder)
{
    const std::vector<const catalogue::Entry *> views = c.entries();
    int rows = 0;
    for (const auto &group : c.rows)
        rows = std::max(rows, int(group.second.size()));
    if (rows == 0)
        rows = views.front()->defaultRows;
    if (!catalogue::sideBySide(c.calculation))
        showView(*views.front(), rows);

    for (const auto &[name, text] : c.fields)
        if (QLineEdit *edit = plainField(QString::fromStdString(name)))
            edit->setText(QString::fromStdString(text));
    for (const auto &[group, texts] : c.rows) {
        const std::vector<QLineEdit *> edits = rowFields(group);
        for (std::size_t i = 0; i < texts.size() && i < edits.size(); ++i)
            if (edits[i])
                edits[i]->setText(QString::fromStdString(texts[i]));
    }
    if (c.hasData) {
        for (const auto &[name, text] : c.data) {
            QString kept = QString::fromStdString(text);
            const catalogue::Field *f = views.front()->field(name);
            // A data file is found beside the case when its path is relative.
            if (f && f->kind == catalogue::FieldKind::DataFile && !kept.isEmpty() && QDir::isRelativePath(kept) &&
                !folder.isEmpty())
                kept = QDir(folder).filePath(kept);
            setDataText(name, kept);
        }
    }
    // The results of other texts go; the next OK computes them.
    for (const catalogue::Entry *view : m_views) {
        for (const catalogue::Output &output : view->outputs) {
            const QString name = QString::fromStdString(output.name);
            if (QLineEdit *edit = plainField(name))
                edit->clear();
            else if (auto *label = findChild<QLabel *>(name))
                label->clear();
        }
    }
    setResultsStale();
}

bool CalculatorWindow::run(const catalogue::Entry &entry)
{
    return run(entry, windowCase());
}

bool CalculatorWindow::run(const catalogue::Entry &entry, const catalogue::Case &c)
{
    return run(entry, c, entry.run);
}

bool CalculatorWindow::run(const catalogue::Entry &entry, const catalogue::Case &c, catalogue::RunFunction step)
{
    catalogue::Result result;
    auto writeAll = [&] {
        for (const catalogue::Text &text : result.texts)
            writeText(text.name, text.text);
    };
    try {
        step(entry, c, result);
    } catch (const catalogue::Incomplete &) {
        Prompts::current().message(this, incompleteText, incompleteTitle);
        return false;
    } catch (const varnolek::CalcError &error) {
        writeAll();
        reportFailure(error);
        return false;
    } catch (const catalogue::Rejected &rejection) {
        writeAll();
        rejected(rejection);
        return false;
    } catch (const varnolek::InputRejected &rejection) {
        writeAll();
        rejected(catalogue::Rejected(rejection.what()));
        return false;
    }
    writeAll();
    setResultsCurrent(true);
    emit calculated(&entry);
    return true;
}

void CalculatorWindow::runInBackground(const catalogue::Entry &entry)
{
    if (m_worker)
        return;
    // What the worker hands back: the texts written, and what stopped the run.
    struct Outcome {
        catalogue::Result result;
        std::exception_ptr failure;
    };
    auto outcome = std::make_shared<Outcome>();
    const catalogue::Case c = windowCase();
    m_worker = QThread::create([&entry, c, outcome] {
        try {
            entry.run(entry, c, outcome->result);
        } catch (...) {
            outcome->failure = std::current_exception();
        }
    });
    auto *ok = findChild<QPushButton *>(QString::fromStdString(entry.okButton));
    if (ok)
        ok->setEnabled(false);
    m_statusBar->showMessage(busyText);
    const quint64 inputs = m_inputsChanged;
    connect(m_worker, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &QThread::finished, this, [this, &entry, c, outcome, ok, inputs] {
        m_worker = nullptr;
        if (ok)
            ok->setEnabled(true);
        if (m_statusBar->currentMessage() == busyText)
            m_statusBar->clearMessage();
        emit busyChanged(false);
        if (inputs != m_inputsChanged)
            return; // the inputs changed meanwhile: these results are not theirs
        // The texts written and the failure told as if the run had been made here.
        run(entry, c, [outcome](const catalogue::Entry &, const catalogue::Case &, catalogue::Result &r) {
            r = std::move(outcome->result);
            if (outcome->failure)
                std::rethrow_exception(outcome->failure);
        });
    });
    m_worker->start();
    emit busyChanged(true);
}

void CalculatorWindow::rejected(const catalogue::Rejected &rejection)
{
    Prompts::current().message(this, QString::fromUtf8(rejection.what()), incompleteTitle);
}

void CalculatorWindow::writeText(std::string_view name, const std::string &text)
{
    const QString objectName = QString::fromUtf8(name.data(), qsizetype(name.size()));
    const QString shown = QString::fromStdString(text);
    if (auto *field = findChild<QLineEdit *>(objectName)) {
        field->setText(shown);
        // A result wider than its field shows its leading digits and sign, not
        // a tail of zeros that could be read as a small number.
        field->setCursorPosition(0);
    } else if (auto *label = findChild<QLabel *>(objectName)) {
        setCaption(label, shown);
    }
}

void CalculatorWindow::clear(std::initializer_list<QLineEdit *> fields)
{
    for (QLineEdit *field : fields)
        field->clear();
    setResultsStale();
    emit resultsDiscarded();
}

void CalculatorWindow::returnToMenu()
{
    close();
}

void CalculatorWindow::showView(const catalogue::Entry &view, int)
{
    for (const std::string &option : view.options)
        if (auto *button = findChild<QAbstractButton *>(QString::fromStdString(option)))
            button->click();
}

std::optional<QString> CalculatorWindow::dataText(std::string_view) const
{
    return std::nullopt;
}

void CalculatorWindow::setDataText(std::string_view, const QString &) {}

} // namespace ui
