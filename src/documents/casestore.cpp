#include "casestore.h"

#include "ui/calculatorwindow.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>

namespace documents {


std::vector<const catalogue::Entry *> viewsShown(const ui::CalculatorWindow &window)
{
    return window.viewsShown();
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
    catalogue::CaseFile c = window.savedCase();
    c.saved = localTimeText().toStdString();
    return c;
}

void loadCase(ui::CalculatorWindow &window, const catalogue::CaseFile &c, const QString &folder)
{
    window.applyCase(c, folder);
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
