#include "mykform.h"

#include "core/parameters.h"
#include "ui/look.h"
#include "ui/prompts.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <new>

using ui::tw;
namespace parameters = varnolek::parameters;

namespace {
constexpr int clientWidth = 7848; // twips
constexpr int clientHeight = 6888;
constexpr int frame3Left = 120;
constexpr int frame3Top = 1800;
constexpr int frame3Width = 7572;
constexpr int margin = 120;       // below the table frame
constexpr int firstRowTop = 1080; // rows of the table, relative to its frame
constexpr int rowPitch = 740;
constexpr int rowHeight = 372;
constexpr int rowsPerBlock = 50;

const QString rebuildText = QStringLiteral("请按'返回'后重新进入");
const QString promptTitle = QStringLiteral("提示");

int rowTop(int i)
{
    return firstRowTop + rowPitch * i;
}

void setIndex(QWidget *element, int i)
{
    element->setProperty("index", i);
}

const catalogue::Entry &multiPoint()
{
    return catalogue::entry("myKform/multi-point");
}
QString rowCaption(const char *group, int i)
{
    return QString::fromStdString(multiPoint().group(group)->rowLabel(i));
}
QString rowText(const char *group, int i)
{
    return QString::fromStdString(catalogue::rowDefault(multiPoint(), *multiPoint().group(group), i));
}
QString concentrationCaption(int i)
{
    return rowCaption("Text4", i);
}
QString distanceCaption(int i)
{
    return rowCaption("Text2", i);
}
} // namespace

myKform::myKform() : CalculatorWindow("myKform")
{
    Frame1 = addFrame(this, "Frame1", "请选择求解方法：", tw(1320, 120, 2892, 1572));
    Option1 = addOption(this, "Option1", "两点法", tw(1800, 360, 1692, 432), [this] { showTwoPoint(); });
    Option2 = addOption(this, "Option2", "多点法", tw(1800, 960, 1692, 432), [this] { askForTable(); });
    Command3 = addButton(this, "Command3", "返  回", tw(5160, 480, 1932, 732), [this] { returnToMenu(); });

    Frame2 = addFrame(this, "Frame2", "请输入以下参数：", tw(600, 2880, 6612, 3372));
    auto row = [this](int top, const char *name) {
        addLabel(Frame2, QString(), field(name), tw(120, top, 1680, 372));
        return addField(Frame2, field(name), tw(1920, top, 1452, 372));
    };
    myu = row(240, "myu");
    myc0 = row(1080, "myc0");
    myc1 = row(1920, "myc1");
    myx = row(2760, "myx");
    Command1 = addButton(Frame2, "Command1", "确  定", tw(4320, 240, 1692, 612), [this] { calculateTwoPoint(); });
    Command2 = addButton(Frame2, "Command2", " 取  消 ", tw(4320, 1080, 1692, 612), [this] {
        clear({myu, myx, myc0, myc1, myk});
    });
    addLabel(Frame2, QString(), QString::fromStdString(views().front()->main().label), tw(4320, 1920, 2160, 492));
    myk = addResult(Frame2, "myk", tw(4320, 2760, 1692, 372));

    // The table frame lies in a scroll area whose top edge is the frame's Top,
    // so that the frame stands where it would in the window itself.
    m_tableArea = new QScrollArea(form());
    m_tableArea->setFrameShape(QFrame::NoFrame);
    m_tableArea->setWidgetResizable(false);
    m_tableArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tableArea->verticalScrollBar()->setSingleStep(ui::px(rowPitch));
    auto *content = new QWidget;
    ui::paint(content, ui::colour::calculator);
    ui::paint(m_tableArea->viewport(), ui::colour::calculator);
    m_tableArea->setWidget(content);

    Frame3 = addFrame(content, "Frame3", "请输入以下参数：", tw(frame3Left, 0, frame3Width, 4932));
    Label10 = addLabel(Frame3, "Label10", "请输入监测点总数(个）", tw(240, 240, 1212, 372));
    Text5 = addField(Frame3, "Text5", "4", tw(1680, 240, 1452, 372));
    Label11 = addLabel(Frame3, "Label11", field("Text6"), tw(3960, 240, 1452, 372));
    Text6 = addField(Frame3, field("Text6"), tw(5640, 240, 1692, 372));
    Label9 = {addLabel(Frame3, "Label9", concentrationCaption(0), tw(240, rowTop(0), 1212, rowHeight))};
    Text4 = {addField(Frame3, "Text4", rowText("Text4", 0), tw(1680, rowTop(0), 1452, rowHeight))};
    Label8 = {addLabel(Frame3, "Label8", distanceCaption(0), tw(3960, rowTop(0), 1452, rowHeight))};
    Text2 = {addField(Frame3, "Text2", rowText("Text2", 0), tw(5640, rowTop(0), 1692, rowHeight))};
    for (QWidget *element : {static_cast<QWidget *>(Label9[0]), static_cast<QWidget *>(Text4[0]),
                             static_cast<QWidget *>(Label8[0]), static_cast<QWidget *>(Text2[0])})
        setIndex(element, 0);
    caculk = addButton(Frame3, "caculk", "确  定", tw(1560, 3480, 1692, 372), [this] { calculateMultiPoint(); });
    mycancel = addButton(Frame3, "mycancel", "取  消", tw(4440, 3480, 1572, 372), [this] { cancelMultiPoint(); });
    Label6 = addLabel(Frame3, "Label6", QString::fromStdString(multiPoint().main().label), tw(1560, 4320, 1692, 492));
    Text1 = addResult(Frame3, "Text1", tw(4440, 4320, 1692, 372));
    content->resize(ui::px(clientWidth), Frame3->height() + ui::px(margin));

    m_tableArea->setGeometry(tw(0, frame3Top, clientWidth, clientHeight - frame3Top));
    setClientSize(clientWidth, clientHeight);

    Option1->setChecked(true);
    showTwoPoint();
}

void myKform::showTwoPoint()
{
    showTable(false);
    Frame2->show();
}

void myKform::showTable(bool shown)
{
    Frame3->setVisible(shown);
    m_tableArea->setVisible(shown);
}

void myKform::askForTable()
{
    Frame2->hide();
    const std::optional<QString> answer =
        ui::Prompts::current().input(this, QStringLiteral("请输入监测点个数："), promptTitle, QStringLiteral("4"));
    const std::optional<int> n = parameters::pointCount(answer.value_or(QString()).toStdString());
    if (!n) {
        ui::Prompts::current().message(this, rebuildText, promptTitle);
        return;
    }
    buildTable(*n);
}

void myKform::showView(const catalogue::Entry &view, int rows)
{
    if (view.groups.empty()) {
        CalculatorWindow::showView(view, rows);
        return;
    }
    Option2->setChecked(true);
    setResultsStale();
    Frame2->hide();
    buildTable(rows);
}

void myKform::buildTable(int count)
{
    if (m_count > 0)
        Text1->clear(); // a K of the table being replaced
    m_count = count;
    Text5->setText(QString::number(m_count));
    // Some thousands of rows take a few seconds to build.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    setUpdatesEnabled(false);
    bool built = true;
    try {
        setRowCount(m_count);
        placeBelowTable();
        showTable(true);
    } catch (const std::bad_alloc &) {
        built = false;
    }
    setUpdatesEnabled(true);
    QGuiApplication::restoreOverrideCursor();
    if (!built)
        ui::Prompts::current().message(this, rebuildText, promptTitle);
}

void myKform::setRowCount(int n)
{
    // Rows of an earlier table go; row 0 keeps what the user typed into it.
    for (auto *group : {&Label9, &Label8})
        group->resize(1);
    for (auto *group : {&Text4, &Text2})
        group->resize(1);
    qDeleteAll(m_rowBlocks);
    m_rowBlocks.clear();
    for (int i = 1; i < n; ++i)
        addRow(i);
}

// Rows 1 on stand in blocks of rows: a frame holding thousands of controls
// side by side would make every repaint of the table walk all of them.
void myKform::addRow(int i)
{
    if ((i - 1) % rowsPerBlock == 0) {
        auto *block = new QWidget(Frame3);
        block->move(0, ui::px(rowTop(i)));
        block->show();
        m_rowBlocks.push_back(block);
    }
    QWidget *block = m_rowBlocks.back();
    auto at = [block, i](int left, int width) {
        return ui::tw(left, rowTop(i), width, rowHeight).translated(0, -block->y());
    };
    Label9.push_back(addRowLabel(block, "Label9", concentrationCaption(i), at(240, 1212)));
    Text4.push_back(addField(block, "Text4", rowText("Text4", i), at(1680, 1452)));
    Label8.push_back(addRowLabel(block, "Label8", distanceCaption(i), at(3960, 1452)));
    Text2.push_back(addField(block, "Text2", rowText("Text2", i), at(5640, 1692)));
    for (QWidget *element : {static_cast<QWidget *>(Label9.back()), static_cast<QWidget *>(Text4.back()),
                             static_cast<QWidget *>(Label8.back()), static_cast<QWidget *>(Text2.back())}) {
        setIndex(element, i);
        element->show();
    }
    Text4.back()->setCursorPosition(0); // long suggested values show their first digits
    // The block reaches down to its last row and no further: the buttons and
    // the result stand under the last row, and a block over them would take
    // every pointer click meant for them.
    block->resize(Frame3->width(), ui::px(rowTop(i) + rowHeight) - block->y());
}

// Captions of a group that are equally long take the same reduced size, so
// only the first of each length is fitted to its box.
QLabel *myKform::addRowLabel(QWidget *block, const QString &name, const QString &caption, const QRect &rect)
{
    const auto key = std::make_pair(name, caption.size());
    const auto fitted = m_fittedFonts.find(key);
    if (fitted == m_fittedFonts.end()) {
        QLabel *label = addLabel(block, name, caption, rect);
        m_fittedFonts.emplace(key, label->font());
        return label;
    }
    QLabel *label = addLabel(block, name, QString(), rect);
    label->setFont(fitted->second);
    label->setText(caption);
    return label;
}

// The buttons and the result go under the last row, the frame closes below
// them, and the window takes the frame's height as far as the screen allows;
// beyond that the table scrolls.
void myKform::placeBelowTable()
{
    const int buttonTop = rowTop(m_count - 1) + 600;
    const int resultTop = buttonTop + 700;
    caculk->move(caculk->x(), ui::px(buttonTop));
    mycancel->move(mycancel->x(), ui::px(buttonTop));
    Label6->move(Label6->x(), ui::px(resultTop));
    Text1->move(Text1->x(), ui::px(resultTop));
    const int frameHeight = frame3Top + resultTop - 800;
    Frame3->resize(Frame3->width(), ui::px(frameHeight));
    m_tableArea->widget()->resize(ui::px(clientWidth), ui::px(frameHeight + margin));

    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
    // The title bar and borders, estimated until the window has been shown.
    const int decoration = std::max(frameGeometry().height() - height(), 40);
    const int wanted = frame3Top + frameHeight + margin;
    const int room = int(ui::twips(available.height() - decoration - barsHeight()));
    const bool scrolls = wanted > room;
    const int scrollBar = int(ui::twips(m_tableArea->verticalScrollBar()->sizeHint().width()));
    const int width = clientWidth + (scrolls ? scrollBar : 0);
    const int height = std::min(wanted, room);
    m_tableArea->resize(ui::px(width), ui::px(height - frame3Top));
    setClientSize(width, height);
    // Centred with the title bar counted, so that the whole window stays on the screen.
    move(x(), available.top() + std::max(0, (available.height() - this->height() - decoration) / 2));
}

void myKform::calculateTwoPoint()
{
    run(*views().front());
}

// The table's rows as they stand: as many as the table last built has.
void myKform::calculateMultiPoint()
{
    if (int(Text4.size()) < m_count) { // a table left unfinished by a failed build
        reportFailure(varnolek::CalcError(varnolek::Failure::InvalidArgument));
        return;
    }
    run(multiPoint());
}

void myKform::cancelMultiPoint()
{
    for (int i = 0; i < m_count && i < int(Text4.size()); ++i) {
        Text4[i]->clear();
        Text2[i]->clear();
    }
    clear({Text1, Text6});
}
