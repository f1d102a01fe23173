#include "caseopening.h"

#include "form1.h"
#include "windowcatalog.h"

#include "catalogue/casefile.h"
#include "ui/calculatorwindow.h"
#include "ui/extensions.h"
#include "ui/windowregistry.h"

#include <QPushButton>
#include <QStringList>
#include <QTimer>

void installCaseOpener(ui::WindowRegistry &calculators)
{
    ui::setCalculatorOpener([&calculators](const QString &window) -> ui::CalculatorWindow * {
        const CalculatorEntry *entry = findCalculator(window);
        if (!entry)
            return nullptr;
        return qobject_cast<ui::CalculatorWindow *>(calculators.showOrRaise(entry->button, entry->make));
    });
}

void openCaseAtStart(Form1 &welcome, const QString &path)
{
    welcome.myenter->click();
    // Once the menu stands on the screen, the case window opens beside it.
    QTimer::singleShot(0, &welcome, [&welcome, path] {
        if (ui::Extensions *extensions = ui::extensions())
            extensions->openCase(path, welcome.menu());
    });
}

QString caseArgument(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i].endsWith(QString::fromUtf8(catalogue::caseExtension), Qt::CaseInsensitive))
            return arguments[i];
    return QString();
}
