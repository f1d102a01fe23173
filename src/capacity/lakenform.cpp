#include "lakenform.h"

#include "ui/look.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using ui::tw;

namespace {

// The choice of view (twips): five options down the left frame.
constexpr int optionLeft = 240, optionTop = 360, optionPitch = 456, optionWidth = 2880, optionHeight = 372;

// The input frame: a view's fields, one a row, label left of field.
constexpr int inputTop[] = {480, 1260, 2040};
constexpr int inputLabelLeft = 240, inputLabelWidth = 3000, inputLabelHeight = 492;
constexpr int inputFieldLeft = 3360, inputFieldWidth = 2520, inputFieldHeight = 372;

// The results below the buttons, one a row.
constexpr int resultTop[] = {3960, 4560};
constexpr int resultLabelLeft = 1320, resultLabelWidth = 4320;
constexpr int resultLabelHeight = 492;
constexpr int resultFieldLeft = 5760, resultFieldWidth = 2520, resultFieldHeight = 420;

constexpr int clientWidth = 10320, clientHeight = 5412;

} // namespace

lakenform::lakenform() : CalculatorWindow("lakenform")
{
    Frame1 = addFrame(this, "Frame1", "选择计算内容", tw(360, 120, 3240, 2772));
    QRadioButton **options[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    for (std::size_t i = 0; i < views().size(); ++i) {
        const catalogue::Entry &view = *views()[i];
        const int top = optionTop + int(i) * optionPitch;
        *options[i] = addOption(Frame1, QString::fromStdString(view.options.front()), QString::fromStdString(view.view),
                                tw(optionLeft, top, optionWidth, optionHeight), [this] { showFields(currentEntry()); });
    }
    Option1->setChecked(true);

    Frame2 = addFrame(this, "Frame2", "请输入以下资料", tw(3840, 120, 6120, 2772));
    for (const catalogue::Entry *view : views()) {
        for (const catalogue::Field &f : view->fields)
            if (!m_inputs.count(f.name))
                m_inputs.emplace(f.name, addRow(Frame2, f.name, false));
        for (const catalogue::Output &o : view->outputs)
            if (!m_results.count(o.name))
                m_results.emplace(o.name, addRow(this, o.name, true));
    }
    myi = m_inputs.at("myi").edit;
    myr = m_inputs.at("myr").edit;
    myqa = m_inputs.at("myqa").edit;
    myps = m_inputs.at("myps").edit;
    myv = m_inputs.at("myv").edit;
    mywin = m_inputs.at("mywin").edit;
    mywout = m_inputs.at("mywout").edit;
    myvs = m_inputs.at("myvs").edit;
    mya = m_inputs.at("mya").edit;
    myp = m_results.at("myp").edit;
    mytw = m_results.at("mytw").edit;
    myw = m_results.at("myw").edit;
    myrr = m_results.at("myrr").edit;

    Command1 = addButton(this, "Command1", "确  定", tw(1320, 3120, 1812, 552), [this] { run(currentEntry()); });
    Command2 = addButton(this, "Command2", "取  消", tw(4440, 3120, 1812, 552), [this] { cancel(); });
    Command3 = addButton(this, "Command3", "返  回", tw(7560, 3120, 1812, 552), [this] { returnToMenu(); });

    showFields(currentEntry());
    // Room for the tallest view (two results), whichever is shown first.
    setClientSize(clientWidth, clientHeight);
}

lakenform::Row lakenform::addRow(QWidget *parent, const std::string &name, bool result)
{
    const QString control = QString::fromStdString(name);
    if (result) {
        const catalogue::Output *output = nullptr;
        for (const catalogue::Entry *view : views())
            if (!output)
                output = view->output(name);
        QLabel *label = addLabel(parent, "Label_" + control, QString::fromStdString(output->label),
                                 tw(resultLabelLeft, resultTop[0], resultLabelWidth, resultLabelHeight));
        // In the face and size of the input frame's captions and fields above.
        setLabelFont(label, ui::font(ui::faceSong, 10.5));
        QLineEdit *edit =
            addResult(parent, control, tw(resultFieldLeft, resultTop[0] + 36, resultFieldWidth, resultFieldHeight));
        edit->setFont(ui::font(ui::faceSong, 10.5, true));
        return {label, edit};
    }
    QLabel *label = addLabel(parent, "Label_" + control, field(name),
                             tw(inputLabelLeft, inputTop[0], inputLabelWidth, inputLabelHeight));
    return {label,
            addField(parent, field(name), tw(inputFieldLeft, inputTop[0] + 60, inputFieldWidth, inputFieldHeight))};
}

void lakenform::showFields(const catalogue::Entry &view)
{
    auto place = [](Row &row, int labelLeft, int fieldLeft, int top, int fieldTop) {
        row.label->move(ui::px(labelLeft), ui::px(top));
        row.edit->move(ui::px(fieldLeft), ui::px(fieldTop));
        row.label->show();
        row.edit->show();
    };
    for (auto &[name, row] : m_inputs) {
        row.label->hide();
        row.edit->hide();
    }
    for (auto &[name, row] : m_results) {
        row.label->hide();
        row.edit->hide();
        row.edit->clear(); // the results of another view, or of this one before
    }
    for (std::size_t i = 0; i < view.fields.size() && i < std::size(inputTop); ++i)
        place(m_inputs.at(view.fields[i].name), inputLabelLeft, inputFieldLeft, inputTop[i], inputTop[i] + 60);
    for (std::size_t i = 0; i < view.outputs.size() && i < std::size(resultTop); ++i)
        place(m_results.at(view.outputs[i].name), resultLabelLeft, resultFieldLeft, resultTop[i], resultTop[i] + 36);
}

// Cancel empties the fields and results of the view shown; the other views'
// own fields keep their texts.
void lakenform::cancel()
{
    const catalogue::Entry &view = currentEntry();
    for (const catalogue::Field &f : view.fields)
        m_inputs.at(f.name).edit->clear();
    for (const catalogue::Output &o : view.outputs)
        m_results.at(o.name).edit->clear();
    clear({});
}
