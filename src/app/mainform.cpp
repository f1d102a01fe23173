#include "mainform.h"

#include "windowcatalog.h"

#include "ui/look.h"
#include "ui/twips.h"
#include "ui/windowregistry.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

using ui::tw;

namespace {
constexpr int columnLeft[] = {960, 4920, 9000};
constexpr int rowTop[] = {720, 2400, 3960, 5640};
constexpr int buttonWidth = 2412;
constexpr int buttonHeight = 972;

std::function<QWidget *()> factoryFor(const QString &button)
{
    const CalculatorEntry *entry = findCalculator(button);
    return entry ? entry->make : nullptr;
}
} // namespace

mainform::mainform(ui::WindowRegistry &calculators) : QWidget(nullptr), m_calculators(calculators)
{
    setObjectName("mainform");
    setWindowTitle("Varnolek");
    setAttribute(Qt::WA_DeleteOnClose);
    ui::paint(this, ui::colour::shell);

    auto button = [this](const char *name, const char *caption, int column, int row) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(tw(columnLeft[column - 1], rowTop[row - 1], buttonWidth, buttonHeight));
        b->setFont(ui::font(ui::faceLi, 16.2, true));
        ui::paint(b, ui::colour::shellButton, Qt::black);
        const QString key = name;
        if (factoryFor(key))
            connect(b, &QPushButton::clicked, this, [this, key] { openCalculator(key); });
        else
            b->setEnabled(false); // its window is not part of this build yet
        return b;
    };
    myyear = button("myyear", "确定水平年", 1, 1);
    myk = button("myk", "确定水质降解系数", 1, 2);
    my0d = button("my0d", "零维水质模型", 1, 3);
    my1d = button("my1d", "一维水质模型", 1, 4);
    my2d = button("my2d", "二维水质模型", 2, 1);
    myvol = button("myvol", "水环境容量计算模型", 2, 2);
    myrevol = button("myrevol", "排污削减量或剩余环境容量计算模型", 2, 3);
    Command5 = button("Command5", "水污染总量控制计算模型", 2, 4);
    Command2 = button("Command2", "一维水体纳污能力计算模型", 3, 1);
    Command1 = button("Command1", "二维水体纳污能力计算模型", 3, 2);
    Command4 = button("Command4", "湖泊水库纳污能力计算模型", 3, 3);
    Command3 = button("Command3", "过渡带长度计算模型", 3, 4);
    for (QPushButton *b : findChildren<QPushButton *>())
        ui::fitCaption(b); // the long captions wrap inside their button

    myexit = new QPushButton("返 回", this);
    myexit->setObjectName("myexit");
    myexit->setGeometry(tw(4920, 7320, buttonWidth, buttonHeight));
    myexit->setFont(ui::font(ui::faceLi, 22.2, true));
    ui::paint(myexit, ui::colour::shellButton, Qt::black);
    connect(myexit, &QPushButton::clicked, this, &mainform::goBack);

    // Keyboard focus order of the menu.
    const QList<QWidget *> order = {my0d, my1d, my2d, myvol, myexit, Command1, Command2,
                                    Command3, Command4, Command5, myrevol, myk, myyear};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

void mainform::openCalculator(const QString &button)
{
    m_calculators.showOrRaise(button, factoryFor(button));
}

void mainform::goBack() { close(); }

void mainform::closeEvent(QCloseEvent *event)
{
    // Return, and also the close box, which would otherwise leave the program
    // running with no window to be seen. Calculator windows stay open.
    QWidget::closeEvent(event);
    emit returned();
}
