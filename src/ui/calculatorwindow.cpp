#include "calculatorwindow.h"

#include "look.h"
#include "prompts.h"
#include "twips.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace ui {

const QString CalculatorWindow::incompleteText = QStringLiteral("请输入全部的参数");
const QString CalculatorWindow::incompleteTitle = QStringLiteral("提示");

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
}

QMenu *CalculatorWindow::menu(const QString &name, const QString &title)
{
    if (auto *existing = m_menuBar->findChild<QMenu *>(name, Qt::FindDirectChildrenOnly))
        return existing;
    auto *made = new QMenu(title, m_menuBar);
    made->setObjectName(name);
    QAction *help = nullptr;
    if (auto *helpMenu = m_menuBar->findChild<QMenu *>("menuHelp", Qt::FindDirectChildrenOnly))
        help = helpMenu->menuAction();
    m_menuBar->insertMenu(name == "menuHelp" ? nullptr : help, made);
    placeMenuBar();
    return made;
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
    m_menuBar->setGeometry(0, 0, width(), bar);
    m_form->setGeometry(0, bar, width(), height() - bar);
}

void CalculatorWindow::setResultsCurrent(bool current)
{
    if (current == m_resultsCurrent)
        return;
    m_resultsCurrent = current;
    emit resultsCurrentChanged(current);
}

void CalculatorWindow::setResultsStale() { setResultsCurrent(false); }

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
    // The form keeps the size it is given; the window grows by the menu bar.
    const int bar = m_menuBar->sizeHint().height();
    QSize size(px(widthTwips), px(heightTwips) + bar);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        size = size.boundedTo(available.size());
        setFixedSize(size);
        move(available.center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
        setFixedSize(size);
    }
    m_menuBar->setGeometry(0, 0, size.width(), bar);
    m_form->setGeometry(0, bar, size.width(), size.height() - bar);
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

catalogue::Case CalculatorWindow::windowCase() const
{
    const std::vector<const catalogue::Entry *> &views = m_views;
    catalogue::Case c;
    for (const QLineEdit *edit : findChildren<QLineEdit *>()) {
        std::string name = edit->objectName().toStdString();
        const QVariant index = edit->property("index");
        if (index.isValid())
            name += "." + std::to_string(index.toInt());
        for (const catalogue::Entry *view : views) {
            if (view->accepts(name)) {
                c.setOwned(name, edit->text().toStdString());
                break;
            }
        }
    }
    return c;
}

bool CalculatorWindow::run(const catalogue::Entry &entry) { return run(entry, windowCase()); }

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
    }
    writeAll();
    setResultsCurrent(true);
    emit calculated(&entry);
    return true;
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

void CalculatorWindow::returnToMenu() { close(); }

void CalculatorWindow::showView(const catalogue::Entry &view, int)
{
    for (const std::string &option : view.options)
        if (auto *button = findChild<QAbstractButton *>(QString::fromStdString(option)))
            button->click();
}

std::optional<QString> CalculatorWindow::dataText(std::string_view) const { return std::nullopt; }

void CalculatorWindow::setDataText(std::string_view, const QString &) {}

} // namespace ui
