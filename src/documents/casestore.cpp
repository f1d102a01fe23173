#include "casestore.h"

#include "windowfields.h"
#include "ui/calculatorwindow.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>

namespace documents {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

std::vector<const catalogue::Entry *> viewsShown(const ui::CalculatorWindow &window)
{
    if (catalogue::sideBySide(window.objectName().toStdString()))
        return window.views();
    return {&window.currentEntry()};
}

QString localTimeText()
{
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QChar('0')).arg(minutes % 60, 2, 10, QChar('0'));
}

catalogue::CaseFile caseOf(const ui::CalculatorWindow &window)
{
    catalogue::CaseFile c;
    const std::string name = window.objectName().toStdString();
    const std::vector<const catalogue::Entry *> views = viewsShown(window);
    c.calculation = catalogue::sideBySide(name) ? name : window.currentEntry().id;
    c.saved = localTimeText().toStdString();
    for (const catalogue::Entry *view : views) {
        for (const catalogue::Field &field : view->fields) {
            if (const std::optional<QString> data = window.dataText(field.name)) {
                c.hasData = true;
                (field.name == "file" ? c.dataFile : c.dataRate) = data->toStdString();
            } else if (const QLineEdit *edit = plainField(window, QString::fromStdString(field.name))) {
                c.fields.emplace_back(field.name, edit->text().toStdString());
            }
        }
        for (const catalogue::Group &group : view->groups) {
            std::vector<std::string> texts;
            for (const QLineEdit *edit : rowFields(window, group.name))
                texts.push_back(edit ? edit->text().toStdString() : std::string());
            c.rows.emplace_back(group.name, std::move(texts));
        }
    }
    // Only the results of the view last calculated belong to the texts.
    if (window.resultsCurrent()) {
        for (const catalogue::Output &output : window.currentEntry().outputs) {
            const QString objectName = QString::fromStdString(output.name);
            if (const QLineEdit *edit = plainField(window, objectName))
                c.results.emplace_back(output.name, edit->text().toStdString());
            else if (const auto *label = window.findChild<QLabel *>(objectName))
                c.results.emplace_back(output.name, label->text().toStdString());
        }
    }
    return c;
}

void loadCase(ui::CalculatorWindow &window, const catalogue::CaseFile &c, const QString &folder)
{
    const std::vector<const catalogue::Entry *> views = c.entries();
    int rows = 0;
    for (const auto &group : c.rows)
        rows = std::max(rows, int(group.second.size()));
    if (rows == 0)
        rows = views.front()->defaultRows;
    if (!catalogue::sideBySide(c.calculation))
        window.showView(*views.front(), rows);

    for (const auto &field : c.fields)
        if (QLineEdit *edit = plainField(window, qs(field.first)))
            edit->setText(qs(field.second));
    for (const auto &group : c.rows) {
        const std::vector<QLineEdit *> edits = rowFields(window, group.first);
        for (std::size_t i = 0; i < group.second.size() && i < edits.size(); ++i)
            if (edits[i])
                edits[i]->setText(qs(group.second[i]));
    }
    if (c.hasData) {
        QString file = qs(c.dataFile);
        if (!file.isEmpty() && QDir::isRelativePath(file) && !folder.isEmpty())
            file = QDir(folder).filePath(file);
        window.setDataText("file", file);
        window.setDataText("rate", qs(c.dataRate));
    }
    // The results of other texts go; the next OK computes them.
    for (const catalogue::Entry *view : window.views()) {
        for (const catalogue::Output &output : view->outputs) {
            const QString objectName = QString::fromStdString(output.name);
            if (QLineEdit *edit = plainField(window, objectName))
                edit->clear();
            else if (auto *label = window.findChild<QLabel *>(objectName))
                label->clear();
        }
    }
    window.setResultsStale();
}

bool saveCase(const catalogue::CaseFile &c, const QString &path, QString *error)
{
    QSaveFile file(path);
    const std::string text = catalogue::caseFileText(c);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace documents
