#include "documents.h"

#include "casestore.h"
#include "formulaform.h"
#include "sheet.h"
#include "standardform.h"

#include "catalogue/inputcheck.h"

#include "ui/calculatorwindow.h"
#include "ui/extensions.h"
#include "ui/prompts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTextDocument>

namespace documents {

namespace {

const QString promptTitle = QStringLiteral("提示");
const QString caseFilter = QStringLiteral("Varnolek 算例 (*.vcase)");
const QString sheetFilters = QStringLiteral("PDF 文件 (*.pdf);;ODF 文本 (*.odt);;网页 (*.html)");


QSettings settings() { return QSettings(QStringLiteral("Varnolek"), QStringLiteral("Varnolek")); }

// The window's own project name, given by a case opened in it or typed in it.
constexpr const char *projectProperty = "projectName";

QString suggestedName(const ui::CalculatorWindow &window, const QString &extension)
{
    return QDir(lastFolder()).filePath(window.windowTitle() + extension);
}

void openCaseFromDialog(ui::CalculatorWindow *window)
{
    const QString path = ui::Prompts::current().openFile(window, QStringLiteral("打开算例"), lastFolder());
    if (path.isEmpty())
        return;
    if (openCase(path, window, window))
        rememberFolder(path);
}

void saveCaseFromDialog(ui::CalculatorWindow *window)
{
    QString path = ui::Prompts::current().saveFile(window, QStringLiteral("保存算例"),
                                                   suggestedName(*window, QString::fromUtf8(catalogue::caseExtension)),
                                                   caseFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QString::fromUtf8(catalogue::caseExtension);
    catalogue::CaseFile c = caseOf(*window);
    c.project = projectNameOf(*window).toStdString();
    QString error;
    if (!saveCase(c, path, &error)) {
        ui::Prompts::current().message(window, QStringLiteral("算例文件无法保存：") + error, promptTitle);
        return;
    }
    rememberFolder(path);
    window->showSaved(path);
}

// The name typed is the window's and the one later windows start with.
bool askProjectName(ui::CalculatorWindow *window)
{
    const std::optional<QString> name = ui::Prompts::current().input(
        window, QStringLiteral("请输入项目名称："), QStringLiteral("项目名称"), projectNameOf(*window));
    if (!name)
        return false;
    setProjectName(*name);
    window->setProperty(projectProperty, *name);
    return true;
}

void exportSheet(ui::CalculatorWindow *window)
{
    if (!window->resultsCurrent())
        return;
    QString path = ui::Prompts::current().saveFile(window, QStringLiteral("导出计算书"),
                                                   suggestedName(*window, QStringLiteral(".pdf")), sheetFilters);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    const std::optional<SheetFormat> format = sheetFormat(path);
    if (!format) {
        ui::Prompts::current().message(window, QStringLiteral("计算书只能导出为 .pdf、.odt 或 .html 文件"),
                                       promptTitle);
        return;
    }
    // The project name is asked for at the first export, once, unless the
    // window has one from its case.
    if (!window->property(projectProperty).isValid() && !settings().contains(QStringLiteral("documents/projectName")))
        askProjectName(window);
    const std::unique_ptr<QTextDocument> document = sheetDocument(*window, projectNameOf(*window));
    QString error;
    if (!writeSheet(*document, path, *format, &error)) {
        ui::Prompts::current().message(window, QStringLiteral("计算书无法保存：") + error, promptTitle);
        return;
    }
    rememberFolder(path);
    window->showSaved(path);
}

void printSheet(ui::CalculatorWindow *window)
{
    if (!window->resultsCurrent())
        return;
    const std::unique_ptr<QTextDocument> document = sheetDocument(*window, projectNameOf(*window));
    ui::Prompts::current().print(window, *document);
}

void copyResults(ui::CalculatorWindow *window)
{
    if (window->resultsCurrent())
        QApplication::clipboard()->setMimeData(resultsMimeData(*window));
}

// 检查输入: the findings for the view shown (every view of a window that shows
// them side by side), over the texts as they stand; nothing is calculated.
void checkInput(ui::CalculatorWindow *window)
{
    const catalogue::Case texts = window->windowCase();
    QStringList lines;
    for (const catalogue::Entry *view : viewsShown(*window)) {
        for (const catalogue::Finding &finding : catalogue::checkInput(*view, texts)) {
            const QString line = QString::fromStdString(finding.text);
            if (!lines.contains(line)) // a field two views share is told of once
                lines << line;
        }
    }
    // A box taller than the screen would hide its own OK button: an emptied
    // table of many rows lists the first findings and counts the rest.
    constexpr qsizetype listed = 20;
    if (lines.size() > listed) {
        const qsizetype rest = lines.size() - (listed - 1);
        lines.resize(listed - 1);
        lines << QStringLiteral("……另有 %1 项").arg(rest);
    }
    ui::Prompts::current().message(window,
                                   lines.isEmpty() ? QString::fromUtf8(catalogue::nothingFound) : lines.join(u'\n'),
                                   QString::fromUtf8(catalogue::checkInputTitle));
}

void showFormulas(ui::CalculatorWindow *window)
{
    auto *form = window->findChild<FormulaForm *>(QStringLiteral("formulaform"), Qt::FindDirectChildrenOnly);
    if (!form)
        form = new FormulaForm(window);
    form->refresh();
    form->show();
    form->raise();
    form->activateWindow();
}

QAction *addAction(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut,
                   std::function<void()> handler)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, menu, [handler = std::move(handler)] { handler(); });
    return action;
}

} // namespace

QString lastFolder()
{
    return settings().value(QStringLiteral("documents/folder"), QDir::homePath()).toString();
}

void rememberFolder(const QString &path)
{
    settings().setValue(QStringLiteral("documents/folder"), QFileInfo(path).absolutePath());
}

QString projectName() { return settings().value(QStringLiteral("documents/projectName")).toString(); }

QString projectNameOf(const ui::CalculatorWindow &window)
{
    const QVariant own = window.property(projectProperty);
    return own.isValid() ? own.toString() : projectName();
}

void setProjectName(const QString &name) { settings().setValue(QStringLiteral("documents/projectName"), name); }

ui::CalculatorWindow *openCase(const QString &path, QWidget *parent, ui::CalculatorWindow *current)
{
    catalogue::CaseFile c;
    try {
        c = catalogue::readCaseFile(path.toStdString());
    } catch (const catalogue::BadCaseFile &bad) {
        ui::Prompts::current().message(parent, QStringLiteral("算例文件无法读取：") + QString::fromUtf8(bad.what()),
                                       promptTitle);
        return nullptr;
    }
    const QString window = QString::fromStdString(c.window());
    ui::CalculatorWindow *target = nullptr;
    if (current && current->objectName() == window)
        target = current;
    else
        target = ui::openCalculator(window);
    if (!target)
        return nullptr;
    loadCase(*target, c, QFileInfo(path).absolutePath());
    if (!c.project.empty())
        target->setProperty(projectProperty, QString::fromStdString(c.project));
    return target;
}

void attach(ui::CalculatorWindow *window)
{
    QMenu *file = window->menu(QStringLiteral("menuFile"), QStringLiteral("文件(&F)"));
    addAction(file, "actionOpenCase", QStringLiteral("打开算例…"), QKeySequence(Qt::CTRL | Qt::Key_O),
              [window] { openCaseFromDialog(window); });
    addAction(file, "actionSaveCase", QStringLiteral("保存算例…"), QKeySequence(Qt::CTRL | Qt::Key_S),
              [window] { saveCaseFromDialog(window); });
    file->addSeparator();
    QAction *exportAction = addAction(file, "actionExportSheet", QStringLiteral("导出计算书…"),
                                      QKeySequence(Qt::CTRL | Qt::Key_E), [window] { exportSheet(window); });
    QAction *printAction = addAction(file, "actionPrintSheet", QStringLiteral("打印计算书…"),
                                     QKeySequence(Qt::CTRL | Qt::Key_P), [window] { printSheet(window); });
    addAction(file, "actionProjectName", QStringLiteral("项目名称…"), QKeySequence(),
              [window] { askProjectName(window); });
    file->addSeparator();
    addAction(file, "actionReturn", QStringLiteral("返回"), QKeySequence(), [window] { window->returnToMenu(); });

    QMenu *edit = window->menu(QStringLiteral("menuEdit"), QStringLiteral("编辑(&E)"));
    QAction *copyAction = addAction(edit, "actionCopyResults", QStringLiteral("复制结果"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [window] { copyResults(window); });
    addAction(edit, "actionCheckInput", QStringLiteral("检查输入"), QKeySequence(Qt::CTRL | Qt::Key_I),
              [window] { checkInput(window); });
    // The class limit of GB 3838-2002 into the view's target concentration.
    addAction(edit, "actionStandardLimit", QStringLiteral("水质标准限值…"), QKeySequence(Qt::CTRL | Qt::Key_L),
              [window] { showStandardLimit(window); });

    QMenu *help = window->menu(QStringLiteral("menuHelp"), QStringLiteral("帮助(&H)"));
    addAction(help, "actionFormula", QStringLiteral("计算公式"), QKeySequence(Qt::Key_F1),
              [window] { showFormulas(window); });

    // Sheets and copies only of results that belong to the inputs shown.
    for (QAction *action : {exportAction, printAction, copyAction})
        window->enableWithResults(action);
    // The formula window follows the view the option buttons choose.
    auto follow = [window] {
        if (auto *form = window->findChild<FormulaForm *>(QStringLiteral("formulaform"), Qt::FindDirectChildrenOnly))
            form->refresh();
    };
    for (const catalogue::Entry *view : window->views())
        for (const std::string &option : view->options)
            if (auto *button = window->findChild<QAbstractButton *>(QString::fromStdString(option)))
                QObject::connect(button, &QAbstractButton::toggled, window, follow);
}

} // namespace documents
