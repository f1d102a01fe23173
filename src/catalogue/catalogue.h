#pragma once
// The catalogue of calculations: every calculation of every calculator window
// declared once, with its fields, labels, units, default texts, completeness
// set, outputs and formula, and the function from a case's texts to the texts
// its OK press writes. The windows, varnolek-calc, the saved cases, the plots
// and the sweeps all read it.
//
// An entry is one view of a window: the window state its option buttons
// select, with its own fields and outputs. The zero-dimensional window shows
// two views side by side, each in its own frame with its own OK button.

#include "case.h"

#include "core/numbers.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// The range of values a label prints for its quantity, as in "(0.02-0.5 1/d)".
struct Range {
    double low = 0;
    double high = 0;
};

// How a calculation reads a field.
enum class FieldKind {
    Number,   // the leading number of its text, or the number it is given as
    Text,     // the text itself, by a rule of the calculation's own
    DataFile, // the path of a data file the calculation reads
};

// What a data file holds, and so which reader reads it.
enum class DataFormat {
    LevelSeries,  // the level year's series: a count, then one year and value a line
    MonthlyMeans, // a station's monthly means: one year and its 12 months a line
};

// The unit of a quantity that has none.
inline constexpr const char *dimensionless = "无量纲";

struct Field {
    Field(std::string name, std::string label, std::string defaultText, std::string unit,
          std::optional<Range> range = std::nullopt, FieldKind kind = FieldKind::Number);

    std::string name;           // the field's objectName
    std::string label;          // the caption of its label, exactly as the window shows it
    std::string defaultText;    // the text the window starts with
    std::string unit;           // the unit of its quantity ("无量纲" for none); empty for a data file
    std::optional<Range> range; // the range its label prints, if it prints one
    FieldKind kind = FieldKind::Number;
    // Kept by the window itself, not typed into a field of its form under the
    // field's name: asked for in a dialog (the level year's data file and
    // rate), or held in a control of the window's own naming (the design
    // flow's rate in its `myrate` box). Saved cases keep such fields under "data".
    bool dialog = false;
    DataFormat format = DataFormat::LevelSeries; // of a data file

    bool numeric() const { return kind != FieldKind::DataFile; }
};

// The unit and the range printed at the end of a label: the last bracketed
// group, "(0.02-0.5 1/d)" giving 0.02 to 0.5 and "1/d". A leading "范围" is
// skipped; full-width brackets count as brackets; a note after a full-width
// comma is not part of the unit ("(km，上游为负)" gives "km").
std::string labelUnit(std::string_view label);
std::optional<Range> labelRange(std::string_view label);
// The quantity a label names, without that last bracketed group and the blanks
// around it: "水质降解系数K(0.02-0.5 1/d)" gives "水质降解系数K".
std::string quantityName(std::string_view label);

// How an output's text is made.
enum class Format {
    Pattern, // a digit pattern with the window's precision ("###0.00")
    General, // the general decimal text of a number ("11.96")
    Text,    // a caption or other text that is not a number
};

struct Output {
    std::string name;  // the objectName of the result field or caption label
    std::string label; // the caption shown beside a result field, empty for a caption
    Format format = Format::Pattern;
    varnolek::Precision precision = varnolek::Precision::Double;
    std::string pattern; // for Format::Pattern
    std::string unit;    // of the number ("无量纲" for none); empty for a caption

    bool numeric() const { return format != Format::Text; }
};

// An indexed control group of a table: element i is named NAME.i in a case.
struct Group {
    std::string name;  // "Text4"
    std::string label; // caption of row i with "%1" for its 1-based number
    std::string unit;
    int maxRows = 0;                   // the most rows the window's table takes
    std::string rowLabel(int i) const; // the caption of row i (0-based)
};

// The symbols of a formula tied to the fields they stand for.
struct Symbol {
    std::string symbol; // as written in the formula ("K", "Q0")
    std::string field;  // the field's name, or a group's name
};

struct Entry;

// Evaluates an entry for a case, appending each output text to result in the
// order the window writes them. A failure throws (Incomplete, CalcError or
// Rejected); the texts appended before it stay in result, as a window keeps
// the results it had written before a failure. A run may carry data of its
// own (the water body of a view), so that one function serves several views.
using RunFunction = std::function<void(const Entry &, const Case &, Result &)>;

// What the plot of a view draws, and from which of its fields.
struct PlotSpec {
    enum Kind {
        None,             // no plot
        Curve,            // the main output against `along` over 0 to span·v
        MapAndProfile,    // a river reach: map over `along` (downstream) and `across` (out from the bank, 0 to `width`)
        DecayAlongReach,  // C against the length it takes to fall from `from` to `along`, 0 to span·L
        LoadBars,         // the loads against the capacity, the gap as reduction or remaining capacity
        TwoPointDecay,    // two monitoring points (`from` and `to`, `along` apart) and the decay curve through them
        MultiPointFit,    // ln C of the table's first group against its second, the fitted line
        ProbabilityPaper, // the series of the data file on normal probability paper
        DriestMonths,     // the driest month of each year of a monthly-means file on probability paper,
                          // the fitted P-III curve and the design point at the rate `along`
        AcrossRiver,      // the main output against `across`, from one bank (0) to the other (`width`)
        TimeAndDistance,  // against `along` (a time) over 0 to span·`peakAt`, beside it against `second` (a distance)
        BothSides,        // against `along` over −span·|v| to span·|v|, up- and downstream of the outfall at 0
        Sag,              // against `along` to span·max(v, `peakAt`), the lowest point and the levels marked
    };
    Kind kind = None;
    std::string along;    // the field a curve varies; the map's downstream distance; the two points' distance
    double span = 2;      // a curve runs over 0 to span·v
    std::string across;   // the map's distance out from the outfall's bank
    std::string width;    // the map's river width
    std::string bank;     // the map's outfall distance from its bank, if the outfall is off the bank
    std::string from, to; // concentrations: upstream and reached; first and second monitoring point
    std::string velocity; // the two points' flow velocity
    // Outputs: where the curve against `along` has its extreme (the time a
    // release peaks at the section, the critical distance of the oxygen sag)
    // and the value there, marked on it.
    std::string peakAt, peakValue;
    // The field the second curve of TimeAndDistance varies, over 0 to 2·v.
    std::string second;
    // BothSides at v = 0 runs over −halfAtZero to halfAtZero.
    double halfAtZero = 10;
    // Load bars: the field of the capacity the balance is taken from, the
    // name of the load set against it, and how the load splits into its
    // sources: the view that takes the industrial load as known, evaluated
    // with the industry and then the farmland set to 0; an output holding an
    // estimated industrial load.
    std::string capacity;
    std::string loadName;
    std::string sourcesView, industry, farmland;
    std::string estimate;

    // The curve of the main output against one field.
    static PlotSpec curve(std::string field, double span = 2)
    {
        PlotSpec p;
        p.kind = Curve;
        p.along = std::move(field);
        p.span = span;
        return p;
    }
    // The same on both sides of the outfall.
    static PlotSpec bothSides(std::string field, double span = 2, double halfAtZero = 10)
    {
        PlotSpec p = curve(std::move(field), span);
        p.kind = BothSides;
        p.halfAtZero = halfAtZero;
        return p;
    }
};

// What a view's main output is, for the tables that collect capacities.
enum class Capacity {
    None,
    Receiving,     // 纳污能力, t/a
    Environmental, // 水环境容量, t/a
};

// A field read into a member of a core input, recorded for the checks of the
// catalogue: which member (its offset in the input) each field sets.
struct BoundInput {
    std::string input;                                        // the input's type
    std::size_t size = 0;                                     // sizeof the input
    std::vector<std::pair<std::string, std::size_t>> members; // field, offset
    std::size_t computed = 0;                                 // members the run sets itself (a load it has estimated)
};

struct Entry {
    std::string id;                   // "my1dform", "myvolform/lake"
    std::string window;               // the window's objectName
    std::vector<std::string> options; // option buttons to click, in order, to select the view
    std::string okButton;             // the OK button of the view
    int okPresses = 1;                // presses of OK that run the whole calculation
    std::string title;                // the window's caption
    std::string view;                 // the view's name, empty for a window of one view
    std::vector<Field> fields;
    std::vector<std::string> required;       // the completeness set, in the order it is checked
    std::vector<std::size_t> requiredPlaces; // where each of them stands among the fields (set by entries())
    // Makes every field part of the completeness set, checked in the order
    // the fields stand.
    void requireEveryField()
    {
        required.clear();
        for (const Field &field : fields)
            required.push_back(field.name);
    }
    // Where a check in steps ends each step, as indices into required: the
    // calculation checks the first step's fields, computes, then checks the
    // next. Empty when the whole set is checked at once.
    std::vector<std::size_t> steps;
    std::vector<Output> outputs;                          // in the order the OK press writes them
    int mainOutput = 0;                                   // index of the main output
    bool balance = false;                                 // whether the run gives a signed balance
    std::vector<Group> groups;                            // indexed groups of a table
    int defaultRows = 0;                                  // rows of the table a default case has
    std::string (*rowText)(const Group &, int) = nullptr; // default text of row i
    std::string formula;                                  // the equations evaluated, one per line
    std::vector<Symbol> symbols;
    RunFunction run;

    // What the view can do beyond its OK press.
    PlotSpec plot;
    bool sweepable = true;              // swept, and drawn at random (sensitivity, uncertainty)
    std::string target;                 // the field of its target concentration (the standard's limit fills it)
    Capacity capacity = Capacity::None; // whether its main output is a capacity in t/a
    std::vector<BoundInput> inputs;     // the core inputs its run reads, field by field

    const Field *field(std::string_view name) const;
    const Output *output(std::string_view name) const;
    const Group *group(std::string_view name) const;
    const Output &main() const { return outputs.at(mainOutput); }
    // Whether name is a field, or an indexed element NAME.i of a group.
    bool accepts(std::string_view name) const;
};

// The field of a view that names its data file, or nullptr.
const Field *dataFileField(const Entry &entry);
// Whether the window keeps some of the view's fields itself, asked for in dialogs.
bool keepsDialogFields(const Entry &entry);

// Every entry, in menu order.
const std::vector<Entry> &entries();
// The entry with this id, or nullptr.
const Entry *find(std::string_view id);
// The entry with this id; the id must exist.
const Entry &entry(std::string_view id);
// The entries of one window, in catalogue order.
std::vector<const Entry *> entriesOf(std::string_view window);
// The calculation's title with its view ("title · view"), as the windows
// opened for it (plots, formulas, analyses) name it.
std::string titleOf(const Entry &entry);

// The completeness check of one step (0-based) of an entry's set; the whole
// set for an entry checked at once.
void requireStep(const Entry &entry, const Case &c, std::size_t step);

// A case of an entry with every field at its default text, and the default
// rows of its groups.
Case defaultCase(const Entry &entry);
// The default text of element i of a group.
std::string rowDefault(const Entry &entry, const Group &group, int i);

// The first of the two presses of the total-load control with an estimated
// industrial load checks the sources, computes their loads and checks the
// planning year (step 1) before the water body is asked for; the second
// checks the sources and computes them again, then the water body (step 2),
// before the estimate is run. Throws as a run does.
void checkBeforeEstimate(const Entry &entry, const Case &c, std::size_t step);
// The second press itself, once the water body has passed its check: the
// planning year was checked by the first press and is not checked again.
void estimateAfterWaterBody(const Entry &entry, const Case &c, Result &result);

// The outcome of one evaluation, with every failure caught but running out of
// memory: std::bad_alloc goes on to the caller, which cannot go on either.
enum class Status { Done, Incomplete, Failed };
struct Outcome {
    Status status = Status::Done;
    Result result;
    std::string message; // the window's message for a failure
};
Outcome evaluate(const Entry &entry, const Case &c);
// The same into an outcome kept from case to case, whose storage is reused.
void evaluateInto(const Entry &entry, const Case &c, Outcome &outcome);

} // namespace catalogue
