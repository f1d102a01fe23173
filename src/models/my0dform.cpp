#include "my0dform.h"

#include "ui/twips.h"

#include <QGroupBox>
#include <QLineEdit>

using ui::tw;

namespace {
// Rows of both frames (twips): labels at Left 240, fields at Left 2040.
constexpr int rowTop[] = {480, 1320, 2280, 3240};
constexpr int resultTop = 4800;
constexpr int buttonTop = 3960;
} // namespace

my0dform::my0dform()
    : CalculatorWindow("my0dform"), m_volume(catalogue::entry("my0dform/volume")),
      m_section(catalogue::entry("my0dform/section")), m_current(&m_volume)
{
    auto row = [this](QWidget *frame, int top, const catalogue::Entry &view, const char *name) {
        const catalogue::Field &field = *view.field(name);
        addLabel(frame, QString(), field, tw(240, top, 1452, 492));
        return addField(frame, field, tw(2040, top, 1452, 492));
    };
    auto result = [this](QWidget *frame, const catalogue::Entry &view) {
        const catalogue::Output &output = view.main();
        addLabel(frame, QString(), QString::fromStdString(output.label), tw(240, resultTop, 1452, 492));
        return addResult(frame, QString::fromStdString(output.name), tw(2040, resultTop, 1452, 492));
    };

    QGroupBox *volume = addFrame(this, "Frame1", QString::fromStdString(m_volume.view), tw(360, 480, 3852, 5652));
    myw = row(volume, rowTop[0], m_volume, "myw");
    myq = row(volume, rowTop[1], m_volume, "myq");
    MYK = row(volume, rowTop[2], m_volume, "MYK");
    myv = row(volume, rowTop[3], m_volume, "myv");
    caculc = addButton(volume, "caculc", "确  定", tw(240, buttonTop, 1452, 612), [this] { calculateVolumeMixing(); });
    mycancel = addButton(volume, "mycancel", "取  消", tw(2040, buttonTop, 1452, 612),
                         [this] { clear({myw, myq, MYK, myv, Text3}); });
    Text3 = result(volume, m_volume);

    QGroupBox *section = addFrame(this, "Frame2", QString::fromStdString(m_section.view), tw(4920, 480, 3852, 5652));
    myq1 = row(section, rowTop[0], m_section, "myq1");
    myc1 = row(section, rowTop[1], m_section, "myc1");
    myq2 = row(section, rowTop[2], m_section, "myq2");
    myc2 = row(section, rowTop[3], m_section, "myc2");
    caculc1 = addButton(section, "caculc1", "确  定", tw(240, buttonTop, 1452, 612),
                        [this] { calculateSectionMixing(); });
    Command1 = addButton(section, "Command1", "取  消", tw(2040, buttonTop, 1452, 612),
                         [this] { clear({myc1, myq1, myq2, myc2, Text2}); });
    Text2 = result(section, m_section);

    Command3 = addButton(this, "Command3", "返 回", tw(3840, 6240, 1572, 732), [this] { returnToMenu(); });
    fitToContents();
}

// Each frame is a view of its own; the one whose OK was pressed last is the
// window's current view.
void my0dform::calculateVolumeMixing()
{
    m_current = &m_volume;
    run(m_volume);
}

void my0dform::calculateSectionMixing()
{
    m_current = &m_section;
    run(m_section);
}
