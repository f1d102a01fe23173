#pragma once
// The frame every calculator window shares: labelled input fields with their
// default texts, result fields, frames, option and push buttons placed in twips;
// the completeness check, reading a field as a number, writing a result with the
// window's precision and digit pattern, the error report, Cancel and Return.
//
// A window subclass reads like its table: it creates its controls in the
// constructor and has one short handler per button.

#include "catalogue/casefile.h"
#include "catalogue/catalogue.h"
#include "core/arithmetic.h"
#include "core/numbers.h"

#include <QWidget>
#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QThread;

namespace ui {

// The face of a window's buttons: "宋体" 13.8 pt in most windows, "隶书"
// 16.2 pt bold in the planning windows and the one-dimensional capacity window.
enum class ButtonFace { Song, Li };

class CalculatorWindow : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    // Waits for a calculation still running on its worker thread.
    ~CalculatorWindow() override;

    // The message of the completeness check and its title.
    static const QString incompleteText;
    static const QString incompleteTitle;

    // The catalogue entry of the view the window shows now; the first of its
    // views unless the window chooses among several.
    virtual const catalogue::Entry &currentEntry() const;
    // The window's views in catalogue order.
    const std::vector<const catalogue::Entry *> &views() const { return m_views; }

    // The menu bar above the form, the form, and the status bar below it:
    // every control stands on the form at its twips position, so the bars
    // move nothing of it; the window is taller than the form by the bars.
    QMenuBar *menuBar() const { return m_menuBar; }
    QWidget *form() const { return m_form; }
    QStatusBar *statusBar() const { return m_statusBar; }
    // The height the two bars add to the form's (pixels).
    int barsHeight() const;
    // The menu of the bar with this objectName, made with this title when it
    // is not there yet. Every window's menus stand in one order: 文件 (menuFile),
    // 编辑 (menuEdit), 图形 (menuPlot), 分析 (menuAnalysis), any other, 帮助
    // (menuHelp), whichever is made first.
    QMenu *menu(const QString &name, const QString &title);

    // Says in the status bar, for 5 s, that a file was written: "已保存：FILE"
    // (a long path loses its middle, never its file name).
    void showSaved(const QString &path);
    static const QString savedPrefix;
    // Keeps an action on the results shown (a sheet, a copy, a plot) enabled
    // only while they belong to the inputs; greyed, its status tip and
    // tooltip say what to press: "请先按“确定”完成计算", after the caption of
    // the OK button of the view shown.
    void enableWithResults(QAction *action);
    // That text for the view shown.
    QString calculateFirstText() const;

    // Whether the results shown belong to the inputs shown: true once a
    // calculation of the view has run to its end, false again after an edit
    // of any input, Cancel or a change of view.
    bool resultsCurrent() const { return m_resultsCurrent; }
    // Marks the results as no longer belonging to the inputs (a loaded case).
    void setResultsStale();
    // The one reader and writer of the window's texts as a case. The case of
    // the window: the text of every field of any of its views as the window
    // holds it (typed into its form, or kept from a dialog), and the rows of
    // its tables as NAME.i.
    catalogue::Case windowCase() const;
    // The text of one field as the window holds it; nothing for a name it has not.
    std::optional<QString> fieldText(std::string_view name) const;
    // The views the window shows: the one its options chose, or all of a
    // window that shows them side by side.
    std::vector<const catalogue::Entry *> viewsShown() const;
    // The saved case of the window as it stands: the views shown, the texts of
    // their fields, their table and dialog texts, and the results while they
    // belong to those texts.
    catalogue::CaseFile savedCase() const;
    // Puts a saved case of this window into it: its view shown, every field's
    // text set exactly, the table rebuilt to the saved rows, the results and
    // captions cleared for the next OK. folder: where the case file lies, for
    // a relative data file.
    void applyCase(const catalogue::CaseFile &c, const QString &folder);
    // The field of that name on the form (not a table row), and the rows of a
    // table group by their index.
    QLineEdit *plainField(const QString &name) const;
    std::vector<QLineEdit *> rowFields(const std::string &group) const;

    // Shows one of the window's views as its option buttons do when clicked in
    // order; a view with a table gets a table of `rows` rows without asking.
    virtual void showView(const catalogue::Entry &view, int rows);
    // A text of a calculation that is not typed into a field of the form (the
    // data file chosen and the rate typed in the level-year window), or nothing.
    virtual std::optional<QString> dataText(std::string_view name) const;
    // Sets such a text as the window remembers it.
    virtual void setDataText(std::string_view name, const QString &text);

    // Return: closes and discards the window.
    void returnToMenu();

    // Whether a calculation runs on a worker thread (runInBackground).
    bool busy() const { return m_worker != nullptr; }
    // The status bar's text while it runs.
    static const QString busyText;

signals:
    // A calculation of this view ran to its end and wrote its results.
    void calculated(const catalogue::Entry *entry);
    // The results shown came to belong, or ceased to belong, to the inputs.
    void resultsCurrentChanged(bool current);
    // The results shown were put aside: Cancel emptied the fields, or an
    // option button chose a view (an edit of a field is not this).
    void resultsDiscarded();
    // A calculation started or ended on a worker thread.
    void busyChanged(bool busy);

protected:
    // The window's caption is the title its views have in the catalogue.
    explicit CalculatorWindow(const QString &name, ButtonFace face = ButtonFace::Song);

    // Controls; every rectangle is in twips relative to the parent (see tw()).
    QGroupBox *addFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &rect);
    QLabel *addLabel(QWidget *parent, const QString &name, const QString &text, const QRect &rect);
    // Gives a label its own face and size; its caption is fitted to its box again.
    static void setLabelFont(QLabel *label, const QFont &font);
    // Rewrites a label's caption, fitted to its box starting from the label's own size.
    static void setCaption(QLabel *label, const QString &text);
    QLineEdit *addField(QWidget *parent, const QString &name, const QString &defaultText, const QRect &rect);
    // A field as the catalogue declares it: its name and default text.
    QLineEdit *addField(QWidget *parent, const catalogue::Field &field, const QRect &rect);
    // A label with a field's caption.
    QLabel *addLabel(QWidget *parent, const QString &name, const catalogue::Field &field, const QRect &rect);

    // Two columns of labelled fields in a frame, each label to the left of its
    // field, all in twips: the layout of most input frames.
    struct FieldGrid {
        QWidget *frame;
        std::array<int, 2> labelLeft, labelWidth, fieldLeft, fieldWidth;
        int height;              // of labels and fields
        std::vector<int> rowTop; // Top of each row
    };
    // The two columns of the river-model windows: labels 2880 twips wide at
    // 240 and 4800, fields 1320 wide at 3240 and 7800, 420 high, the rows
    // 600 apart from 480.
    static FieldGrid twoColumns(QWidget *frame, int rows);
    QLineEdit *addGridField(const FieldGrid &grid, int row, int column, const QString &labelName,
                            const catalogue::Field &field);
    // A field of the window as the first of its views that has it declares it.
    const catalogue::Field &field(std::string_view name) const;
    // The same in a grid, by name.
    QLineEdit *addGridField(const FieldGrid &grid, int row, int column, const QString &labelName, const char *name)
    {
        return addGridField(grid, row, column, labelName, field(name));
    }
    QLineEdit *addResult(QWidget *parent, const QString &name, const QRect &rect);
    // An output of the window as the first of its views that has it declares it.
    const catalogue::Output &output(std::string_view name) const;
    // A result in a grid as the catalogue declares it: a read-only field
    // named after the output, and to its left its caption in a label named
    // Label_<name>.
    QLineEdit *addGridResult(const FieldGrid &grid, int row, int column, const char *name);
    QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &rect,
                           std::function<void()> onClick);
    QRadioButton *addOption(QWidget *parent, const QString &name, const QString &caption, const QRect &rect,
                            std::function<void()> onClick);

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Sizes the window to hold its controls with a margin (twips) and centres it.
    void fitToContents(int marginTwips = 360);
    // Sizes the client area explicitly (twips) and centres the window.
    void setClientSize(int widthTwips, int heightTwips);

    // Completeness check: true when every field holds text; otherwise shows
    // "请输入全部的参数" titled "提示" and returns false.
    bool complete(std::initializer_list<const QLineEdit *> fields);

    // Reads a field's text as a number (leading-number rule). May throw CalcError.
    static double read(const QLineEdit *field);

    // Runs one step of a calculation: an empty field gives the completeness
    // message, a run-time failure the error report. Returns whether the step
    // ran to its end.
    bool calculate(const std::function<void()> &calculation);
    void reportFailure(const varnolek::CalcError &error);

    // Runs a catalogue entry on the window's texts and writes what it gives
    // into the result fields and captions of the same names, in its order.
    // An empty field gives the completeness message, a run-time failure the
    // error report; results written before a failure stay. Returns whether
    // the calculation ran to its end.
    bool run(const catalogue::Entry &entry);
    bool run(const catalogue::Entry &entry, const catalogue::Case &c);
    // The same with a step of the entry's calculation other than its whole run.
    bool run(const catalogue::Entry &entry, const catalogue::Case &c, catalogue::RunFunction step);
    // The same off the interface thread, for a calculation long enough to
    // freeze the window (a curve fitted to a long series): the case is read
    // now, and the texts are written and a failure told as run() does when
    // the worker ends. Meanwhile busy() is true, the entry's OK button is
    // greyed and the status bar says so. Results whose inputs changed
    // meanwhile (an edit, Cancel, another view, a case put in) are dropped.
    void runInBackground(const catalogue::Entry &entry);
    // An input the entry rejected (a bad data file): its message is shown; a
    // window may do more.
    virtual void rejected(const catalogue::Rejected &rejection);
    // Writes one text given by the catalogue into the control of that name.
    void writeText(std::string_view name, const std::string &text);

    // Cancel: empties the listed fields (the defaults are not restored).
    void clear(std::initializer_list<QLineEdit *> fields);

    QFont buttonFont() const;

private:
    void setResultsCurrent(bool current);
    // Places the bars and the form in a window of this size.
    void placeBars(const QSize &size);
    // After the menu bar changed: the window grows or shrinks by its height.
    void placeMenuBar();
    QWidget *parentFor(QWidget *parent) const { return parent == this ? m_form : parent; }

    std::vector<const catalogue::Entry *> m_views;
    ButtonFace m_face;
    QMenuBar *m_menuBar;
    QWidget *m_form;
    QStatusBar *m_statusBar;
    bool m_resultsCurrent = false;
    bool m_greyedTipShown = false; // the status bar shows the tip of a greyed menu item
    // The calculation running on a worker thread, if any, and a count of the
    // changes of the inputs, so that its results are written only if they
    // still belong to them.
    QThread *m_worker = nullptr;
    quint64 m_inputsChanged = 0;
};

} // namespace ui
