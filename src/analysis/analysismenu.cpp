#include "analysismenu.h"

#include "sensitivityform.h"
#include "uncertaintyform.h"

#include "ui/calculatorwindow.h"

#include <QAction>
#include <QMenu>

namespace analysis {

void attachSensitivity(ui::CalculatorWindow *window)
{
    bool sweepable = false;
    for (const catalogue::Entry *view : window->views())
        sweepable = sweepable || view->sweepable;
    if (!sweepable)
        return;
    QMenu *menu = window->menu(QStringLiteral("menuAnalysis"), QStringLiteral("分析(&A)"));
    QAction *sensitivity = menu->addAction(QStringLiteral("敏感性分析…"));
    sensitivity->setObjectName(QStringLiteral("actionSensitivity"));
    QObject::connect(sensitivity, &QAction::triggered, window, [window] {
        auto *form = new sensitivityform(window);
        form->show();
    });
    QAction *uncertainty = menu->addAction(QStringLiteral("不确定性分析…"));
    uncertainty->setObjectName(QStringLiteral("actionUncertainty"));
    QObject::connect(uncertainty, &QAction::triggered, window, [window] {
        auto *form = new uncertaintyform(window);
        form->show();
    });
}

} // namespace analysis
