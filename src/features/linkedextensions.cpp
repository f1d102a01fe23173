#include "linkedextensions.h"

#include "analysis/analysismenu.h"
#include "analysis/freqform.h"
#include "documents/documents.h"
#include "documents/sheet.h"
#include "plots/plots.h"
#include "tables/tables.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace features {

namespace {

class LinkedExtensions final : public ui::Extensions {
public:
    LinkedExtensions()
    {
        // The calculation sheet shows the plot of the window when one is open.
        documents::setSheetImageSource([](const ui::CalculatorWindow &w) { return plots::plotImage(&w); });
    }

    void attach(ui::CalculatorWindow *window) override
    {
        documents::attach(window);
        plots::attach(window);
        analysis::attachSensitivity(window);
    }

    ui::CalculatorWindow *openCase(const QString &path, QWidget *parent) override
    {
        return documents::openCase(path, parent);
    }

    QWidget *openFrequencyAnalysis(QWidget *parent, const QString &dataFile) override
    {
        return ::openFrequencyAnalysis(parent, dataFile);
    }

    bool print(QWidget *parent, const QTextDocument &document) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(documents::isLandscape(document) ? QPageLayout::Landscape : QPageLayout::Portrait);
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("打印计算书"));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        document.print(&printer);
        return true;
    }

    QWidget *newZoneTable() override { return tables::newZoneTable(); }

    QWidget *openZoneTable(const QString &path, QWidget *parent) override
    {
        return tables::openZoneTable(path, parent);
    }
};

} // namespace

ui::Extensions &linkedExtensions()
{
    static LinkedExtensions extensions;
    return extensions;
}

} // namespace features
