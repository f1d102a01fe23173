#include "form1.h"

#include "mainform.h"

#include "core/marquee.h"
#include "ui/look.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using ui::tw;

namespace {

// Controls are made without their fonts: the faces are looked up, and the
// labels sized to their text, only once the window shows (see dress()).
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QColor &fg, const QColor &bg)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->hide();
    ui::paint(label, bg, fg);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &rect)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->hide();
    ui::paint(button, ui::colour::shellButton, Qt::black);
    return button;
}

} // namespace

Form1::Form1()
{
    setObjectName("Form1");
    setWindowTitle("Varnolek");
    ui::paint(this, ui::colour::shell);

    Label1 = makeLabel(this, "Label1", "欢迎使用Varnolek", QColor(255, 0, 255), QColor(128, 128, 255));
    Label1->move(Label1->x(), ui::px(1320));
    Label3 = makeLabel(this, "Label3", "河流、湖泊与水库的水质模型和纳污能力计算", QColor(128, 0, 0),
                       QColor(192, 192, 255));
    Label3->move(ui::px(2760), ui::px(4440));
    Label2 = makeLabel(this, "Label2", "水资源保护规划计算工具", QColor(128, 0, 0), QColor(192, 192, 255));
    Label2->move(ui::px(2760), ui::px(5400));

    myenter = makeButton(this, "myenter", "进入", tw(3000, 6600, 1812, 732));
    myexit = makeButton(this, "myexit", "退出", tw(6960, 6600, 1812, 732));
    setTabOrder(myenter, myexit);
    connect(myenter, &QPushButton::clicked, this, &Form1::enter);
    connect(myexit, &QPushButton::clicked, this, &Form1::exitProgram);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(varnolek::marqueeIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &Form1::tick);
    Timer1->start();

    // Opens maximized; the explicit geometry also holds where no window
    // manager maximizes it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

void Form1::dress()
{
    if (m_dressed)
        return;
    m_dressed = true;
    Label1->setFont(ui::font(ui::faceYou, 96, true));
    Label3->setFont(ui::font(ui::faceSong, 25.8));
    Label2->setFont(ui::font(ui::faceSong, 25.8, true));
    myenter->setFont(ui::font(ui::faceLi, 24, true));
    myexit->setFont(ui::font(ui::faceLi, 22.2, true));
    for (QLabel *label : {Label1, Label2, Label3}) {
        label->adjustSize(); // sized to its text
        label->show();
    }
    myenter->show();
    myexit->show();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The window shows first; the faces are loaded right after its first paint,
    // so that start-up costs no more than an empty window.
    if (!m_dressed)
        QTimer::singleShot(0, this, &Form1::dress);
}

Form1::~Form1()
{
    delete m_menu.data();
}

void Form1::setGreetingLeft(double twips)
{
    m_greetingLeft = twips;
    Label1->move(ui::px(twips), Label1->y());
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The greeting starts just beyond the right edge: the window's outer width
    // plus its own screen position.
    if (!m_placed) {
        m_placed = true;
        setGreetingLeft(ui::twips(frameGeometry().width()) + ui::twips(frameGeometry().x()));
    }
}

void Form1::tick()
{
    const double formLeft = ui::twips(frameGeometry().x());
    setGreetingLeft(varnolek::marqueeTick(formLeft, ui::twips(width()), m_greetingLeft, ui::twips(Label1->width())));
}

void Form1::enter()
{
    Timer1->stop();
    hide();
    if (!m_menu) {
        m_menu = new mainform(m_calculators);
        connect(m_menu, &mainform::returned, this, &Form1::showFarewell);
    }
    m_menu->show();
    m_menu->raise();
    setGreetingLeft(1700);
    Label1->setText("谢谢使用");
    if (m_dressed)
        Label1->adjustSize();
}

void Form1::showFarewell()
{
    if (m_exiting)
        return;
    setWindowState(Qt::WindowMaximized);
    show();
    Timer1->stop();
    setGreetingLeft(1900);
}

void Form1::exitProgram()
{
    if (shutDown())
        close();
}

bool Form1::shutDown()
{
    if (!m_calculators.closeAll())
        return false;
    m_exiting = true;
    if (m_menu)
        m_menu->close();
    QCoreApplication::quit();
    return true;
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The close box of the welcome window does what Exit does.
    if (!m_exiting && !shutDown()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
