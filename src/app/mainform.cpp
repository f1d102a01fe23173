#include "mainform.h"

#include "windowcatalog.h"

#include "ui/look.h"
#include "ui/twips.h"
#include "ui/windowregistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <map>

using ui::tw;

namespace {
constexpr int columnLeft[] = {960, 4920, 9000};
constexpr int rowTop[] = {720, 2400, 3960, 5640};
constexpr int buttonWidth = 2412;
constexpr int buttonHeight = 972;
constexpr int exitTabOrder = 5; // Return, between the grid's second column and its third
} // namespace

mainform::mainform(ui::WindowRegistry &calculators) : QWidget(nullptr), m_calculators(calculators)
{
    setObjectName("mainform");
    setWindowTitle("Varnolek");
    setAttribute(Qt::WA_DeleteOnClose);
    ui::paint(this, ui::colour::shell);

    // The menu bar above the form; the form keeps its twips below it.
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName("menuBar");
    m_menuBar->setNativeMenuBar(false);
    m_form = new QWidget(this);
    m_form->setObjectName("form");
    for (const MainMenu &listed : mainMenus()) {
        QMenu *menu = m_menuBar->addMenu(QString::fromUtf8(listed.title));
        menu->setObjectName(listed.name);
        menu->setToolTipsVisible(true);
    }

    std::map<int, QWidget *> order;
    for (const CalculatorEntry &calculator : calculatorCatalog()) {
        const QString key = calculator.button;
        if (!calculator.isButton()) {
            QMenu *menu = m_menuBar->findChild<QMenu *>(QString::fromUtf8(calculator.menu));
            QAction *action = menu->addAction(calculator.caption);
            action->setObjectName(key);
            connect(action, &QAction::triggered, this, [this, key] { openCalculator(key); });
            continue;
        }
        auto *b = new QPushButton(calculator.caption, m_form);
        b->setObjectName(key);
        b->setGeometry(tw(columnLeft[calculator.column - 1], rowTop[calculator.row - 1], buttonWidth, buttonHeight));
        b->setFont(ui::font(ui::faceLi, 16.2, true));
        ui::paint(b, ui::colour::shellButton, Qt::black);
        ui::fitCaption(b); // the long captions wrap inside their button
        connect(b, &QPushButton::clicked, this, [this, key] { openCalculator(key); });
        order[calculator.tabOrder] = b;
    }
    // The other windows the menus open (zone tables), after the calculators.
    for (const MenuAction &listed : menuActions()) {
        QMenu *menu = m_menuBar->findChild<QMenu *>(QString::fromUtf8(listed.menu));
        QAction *action = menu->addAction(QString::fromUtf8(listed.text));
        action->setObjectName(QString::fromUtf8(listed.name));
        action->setShortcut(listed.shortcut);
        action->setStatusTip(QString::fromUtf8(listed.statusTip));
        action->setToolTip(QString::fromUtf8(listed.statusTip));
        const MenuAction *opened = &listed;
        connect(action, &QAction::triggered, this, [this, opened] { opened->open(m_calculators, this); });
    }
    // A menu with nothing in it yet is not shown.
    for (QMenu *menu : m_menuBar->findChildren<QMenu *>())
        menu->menuAction()->setVisible(!menu->isEmpty());
    const QList<QAction *> menus = m_menuBar->actions();
    m_menuBar->setVisible(std::any_of(menus.begin(), menus.end(), [](QAction *a) { return a->isVisible(); }));

    myexit = new QPushButton("返 回", m_form);
    myexit->setObjectName("myexit");
    myexit->setGeometry(tw(4920, 7320, buttonWidth, buttonHeight));
    myexit->setFont(ui::font(ui::faceLi, 22.2, true));
    ui::paint(myexit, ui::colour::shellButton, Qt::black);
    connect(myexit, &QPushButton::clicked, this, &mainform::goBack);
    order[exitTabOrder] = myexit;

    // Keyboard focus order of the menu.
    QWidget *previous = nullptr;
    for (const auto &[place, widget] : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    myyear = m_form->findChild<QPushButton *>("myyear");
    myk = m_form->findChild<QPushButton *>("myk");
    my0d = m_form->findChild<QPushButton *>("my0d");
    my1d = m_form->findChild<QPushButton *>("my1d");
    my2d = m_form->findChild<QPushButton *>("my2d");
    myvol = m_form->findChild<QPushButton *>("myvol");
    myrevol = m_form->findChild<QPushButton *>("myrevol");
    Command5 = m_form->findChild<QPushButton *>("Command5");
    Command2 = m_form->findChild<QPushButton *>("Command2");
    Command1 = m_form->findChild<QPushButton *>("Command1");
    Command4 = m_form->findChild<QPushButton *>("Command4");
    Command3 = m_form->findChild<QPushButton *>("Command3");

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

void mainform::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Whether the bar is shown once the menu is: before, no widget of it is visible.
    const int barHeight = !m_menuBar->isHidden() ? m_menuBar->sizeHint().height() : 0;
    m_menuBar->setGeometry(0, 0, width(), barHeight);
    m_form->setGeometry(0, barHeight, width(), height() - barHeight);
}

void mainform::openCalculator(const QString &button)
{
    const CalculatorEntry *entry = findCalculator(button);
    if (entry)
        m_calculators.showOrRaise(entry->button, entry->make);
}

void mainform::goBack()
{
    close();
}

void mainform::closeEvent(QCloseEvent *event)
{
    // Return, and also the close box, which would otherwise leave the program
    // running with no window to be seen. Calculator windows stay open.
    QWidget::closeEvent(event);
    emit returned();
}
