#include "plots.h"

#include "plotwindow.h"

#include "ui/calculatorwindow.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

namespace plots {

namespace {

// The plot of the view last calculated, for the window's texts.
Plot plotOf(ui::CalculatorWindow *window, const catalogue::Entry &entry)
{
    return makePlot(entry, window->windowCase());
}

void show(ui::CalculatorWindow *window)
{
    if (!window->resultsCurrent())
        return;
    PlotWindow *plot = openPlot(window);
    if (!plot)
        plot = new PlotWindow(window);
    plot->draw(plotOf(window, window->currentEntry()));
    plot->show();
    plot->raise();
    plot->activateWindow();
}

} // namespace

void attach(ui::CalculatorWindow *window)
{
    QMenu *menu = window->menu(QStringLiteral("menuPlot"), QStringLiteral("图形(&G)"));
    QAction *action = menu->addAction(QStringLiteral("显示图形"));
    action->setObjectName("actionPlot");
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    window->enableWithResults(action);
    QObject::connect(action, &QAction::triggered, window, [window] { show(window); });
    QObject::connect(window, &ui::CalculatorWindow::calculated, window, [window](const catalogue::Entry *entry) {
        if (PlotWindow *plot = openPlot(window))
            plot->draw(plotOf(window, *entry));
    });
    QObject::connect(window, &ui::CalculatorWindow::resultsDiscarded, window, [window] {
        if (PlotWindow *plot = openPlot(window))
            plot->close();
    });
}

PlotWindow *openPlot(const ui::CalculatorWindow *window)
{
    for (PlotWindow *plot :
         window->findChildren<PlotWindow *>(QStringLiteral("plotwindow"), Qt::FindDirectChildrenOnly))
        if (plot->isVisible())
            return plot;
    return nullptr;
}

QImage plotImage(const ui::CalculatorWindow *window)
{
    PlotWindow *plot = openPlot(window);
    if (!plot || !plot->content())
        return QImage();
    return plot->content()->grab().toImage();
}

bool renderPlot(const ui::CalculatorWindow *window, QPainter *painter, const QRectF &target)
{
    PlotWindow *plot = openPlot(window);
    if (!plot)
        return false;
    plot->render(painter, target);
    return true;
}

} // namespace plots
