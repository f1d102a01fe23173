#include "windowcatalog.h"

#include "features.h"
#include "tableopening.h"

#include "capacity/lakenform.h"
#include "capacity/my0dw.h"
#include "capacity/my1dw.h"
#include "capacity/my2dw.h"
#include "models/MYLFORM.h"
#include "models/estuaryform.h"
#include "models/mixlenform.h"
#include "models/my0dform.h"
#include "models/my1dform.h"
#include "models/my2dcform.h"
#include "models/my2dform.h"
#include "models/pulseform.h"
#include "models/spform.h"
#include "parameters/designflowform.h"
#include "parameters/mykform.h"
#include "parameters/yearform.h"
#include "planning/mycontrolv.h"
#include "planning/myrevolform.h"
#include "planning/myvolform.h"

namespace {

template <class Window> std::function<QWidget *()> build()
{
    return [] { return withFeatures(new Window); };
}

} // namespace

const std::vector<CalculatorEntry> &calculatorCatalog()
{
    // In the order of the menu: its grid's three columns, top to bottom, then
    // the menus of its bar.
    static const std::vector<CalculatorEntry> catalog = {
        {"myyear", "yearform", build<yearform>(), "确定水平年", 1, 1, 13},
        {"myk", "myKform", build<myKform>(), "确定水质降解系数", 1, 2, 12},
        {"my0d", "my0dform", build<my0dform>(), "零维水质模型", 1, 3, 1},
        {"my1d", "my1dform", build<my1dform>(), "一维水质模型", 1, 4, 2},
        {"my2d", "my2dform", build<my2dform>(), "二维水质模型", 2, 1, 3},
        {"myvol", "myvolform", build<myvolform>(), "水环境容量计算模型", 2, 2, 4},
        {"myrevol", "myRevolform", build<myRevolform>(), "排污削减量或剩余环境容量计算模型", 2, 3, 11},
        {"Command5", "mycontrolV", build<mycontrolV>(), "水污染总量控制计算模型", 2, 4, 10},
        {"Command2", "my1dw", build<my1dw>(), "一维水体纳污能力计算模型", 3, 1, 7},
        {"Command1", "my2dw", build<my2dw>(), "二维水体纳污能力计算模型", 3, 2, 6},
        {"Command4", "my0dw", build<my0dw>(), "湖泊水库纳污能力计算模型", 3, 3, 9},
        {"Command3", "MYLFORM", build<MYLFORM>(), "过渡带长度计算模型", 3, 4, 8},
        // The river models of the guidelines, as actions of the models menu.
        {"actionMixingLength", "mixlenform", build<mixlenform>(), "混合过程段长度", 0, 0, 0, "menuModels"},
        {"actionOffBank2D", "my2dcform", build<my2dcform>(), "二维水质（非岸边排放）", 0, 0, 0, "menuModels"},
        {"actionPulse", "pulseform", build<pulseform>(), "一维瞬时排放", 0, 0, 0, "menuModels"},
        {"actionEstuary", "estuaryform", build<estuaryform>(), "感潮河段水质", 0, 0, 0, "menuModels"},
        {"actionStreeterPhelps", "spform", build<spform>(), "河流溶解氧（S-P模型）", 0, 0, 0, "menuModels"},
        {"actionLakeNutrient", "lakenform", build<lakenform>(), "湖库营养盐…", 0, 0, 0, "menuModels"},
        {"actionDesignFlow", "designflowform", build<designflowform>(), "设计流量…", 0, 0, 0, "menuModels"},
    };
    return catalog;
}

const std::vector<MainMenu> &mainMenus()
{
    static const std::vector<MainMenu> menus = {
        {"menuModels", "模型(&M)"},
        {"menuTables", "计算表(&T)"},
    };
    return menus;
}

const std::vector<MenuAction> &menuActions()
{
    // Ctrl+O opens a saved case in the calculator windows: a table opens with Ctrl+Shift+O.
    static const std::vector<MenuAction> actions = {
        {"actionNewTable", "新建计算表", QKeySequence(Qt::CTRL | Qt::Key_N), "menuTables", "新建水功能区纳污能力计算表",
         [](ui::WindowRegistry &windows, QWidget *) { return openNewTable(windows); }},
        {"actionOpenTable", "打开计算表…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), "menuTables",
         "打开已保存的计算表文件（.vtable）",
         [](ui::WindowRegistry &windows, QWidget *menu) { return openTableFile(windows, menu, QString()); }},
    };
    return actions;
}

const CalculatorEntry *findCalculator(const QString &name)
{
    for (const CalculatorEntry &entry : calculatorCatalog())
        if (entry.button == name || entry.window == name)
            return &entry;
    return nullptr;
}
