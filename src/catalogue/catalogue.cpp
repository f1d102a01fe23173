#include "catalogue.h"

#include "datafile.h"
#include "entries.h"

#include "core/arithmetic.h"
#include "core/rejection.h"

#include <charconv>
#include <new>

namespace catalogue {

namespace {

constexpr std::string_view fullWidthOpen = "\xEF\xBC\x88";  // （
constexpr std::string_view fullWidthClose = "\xEF\xBC\x89"; // ）
constexpr std::string_view fullWidthComma = "\xEF\xBC\x8C"; // ，

// A label without the colon a result caption may end in.
std::string_view withoutColon(std::string_view label)
{
    for (std::string_view colon : {std::string_view(":"), std::string_view("\xEF\xBC\x9A")})
        if (label.size() >= colon.size() && label.substr(label.size() - colon.size()) == colon)
            label.remove_suffix(colon.size());
    return label;
}

// Where the last bracketed group of a label opens, and the text inside it; or
// nothing when the label does not end in one.
struct Bracket {
    std::size_t open;
    std::string_view inside;
};
std::optional<Bracket> lastBracketGroup(std::string_view label)
{
    label = withoutColon(label);
    std::size_t close = std::string_view::npos, closeWidth = 0;
    for (std::size_t i = label.size(); i-- > 0;) {
        if (label[i] == ')') {
            close = i;
            closeWidth = 1;
            break;
        }
        if (label.substr(i, fullWidthClose.size()) == fullWidthClose) {
            close = i;
            closeWidth = fullWidthClose.size();
            break;
        }
    }
    if (close == std::string_view::npos || close + closeWidth != label.size())
        return std::nullopt;
    for (std::size_t i = close; i-- > 0;) {
        if (label[i] == '(')
            return Bracket{i, label.substr(i + 1, close - i - 1)};
        if (label.substr(i, fullWidthOpen.size()) == fullWidthOpen)
            return Bracket{i, label.substr(i + fullWidthOpen.size(), close - i - fullWidthOpen.size())};
    }
    return std::nullopt;
}

// The text inside the last bracketed group of a label, or nothing.
std::optional<std::string_view> lastBracket(std::string_view label)
{
    const std::optional<Bracket> bracket = lastBracketGroup(label);
    return bracket ? std::optional<std::string_view>(bracket->inside) : std::nullopt;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

struct UnitAndRange {
    std::string_view unit;
    std::optional<Range> range;
};

UnitAndRange splitBracket(std::string_view label)
{
    const std::optional<std::string_view> inside = lastBracket(label);
    if (!inside)
        return {};
    std::string_view s = *inside;
    // "(m，向对岸为正)": what follows a full-width comma tells how the
    // quantity is measured, not its unit.
    s = trimmed(s.substr(0, s.find(fullWidthComma)));
    constexpr std::string_view fanwei = "范围";
    if (s.substr(0, fanwei.size()) == fanwei)
        s.remove_prefix(fanwei.size());
    Range range;
    const char *end = s.data() + s.size();
    const auto low = std::from_chars(s.data(), end, range.low);
    if (low.ec == std::errc() && low.ptr != end && *low.ptr == '-') {
        const auto high = std::from_chars(low.ptr + 1, end, range.high);
        if (high.ec == std::errc())
            return {trimmed(std::string_view(high.ptr, std::size_t(end - high.ptr))), range};
    }
    return {s, std::nullopt};
}

bool isIndex(std::string_view digits, int limit)
{
    int index = 0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return parsed.ec == std::errc() && parsed.ptr == digits.data() + digits.size() && index >= 0 && index < limit;
}

} // namespace

std::string labelUnit(std::string_view label)
{
    return std::string(splitBracket(label).unit);
}

std::optional<Range> labelRange(std::string_view label)
{
    return splitBracket(label).range;
}

std::string quantityName(std::string_view label)
{
    const std::optional<Bracket> bracket = lastBracketGroup(label);
    return std::string(trimmed(bracket ? label.substr(0, bracket->open) : withoutColon(label)));
}

Field::Field(std::string name_, std::string label_, std::string defaultText_, std::string unit_,
             std::optional<Range> range_, FieldKind kind_)
    : name(std::move(name_)), label(std::move(label_)), defaultText(std::move(defaultText_)), unit(std::move(unit_)),
      range(range_), kind(kind_)
{}

std::string Group::rowLabel(int i) const
{
    std::string text = label;
    const auto mark = text.find("%1");
    if (mark != std::string::npos)
        text.replace(mark, 2, std::to_string(i + 1));
    return text;
}

const Field *Entry::field(std::string_view name) const
{
    for (const Field &f : fields)
        if (f.name == name)
            return &f;
    return nullptr;
}

const Output *Entry::output(std::string_view name) const
{
    for (const Output &o : outputs)
        if (o.name == name)
            return &o;
    return nullptr;
}

const Group *Entry::group(std::string_view name) const
{
    for (const Group &g : groups)
        if (g.name == name)
            return &g;
    return nullptr;
}

bool Entry::accepts(std::string_view name) const
{
    if (field(name))
        return true;
    const auto dot = name.find('.');
    if (dot == std::string_view::npos)
        return false;
    const Group *g = group(name.substr(0, dot));
    return g && isIndex(name.substr(dot + 1), g->maxRows);
}

const Field *dataFileField(const Entry &entry)
{
    for (const Field &f : entry.fields)
        if (f.kind == FieldKind::DataFile)
            return &f;
    return nullptr;
}

bool keepsDialogFields(const Entry &entry)
{
    for (const Field &f : entry.fields)
        if (f.dialog)
            return true;
    return false;
}

varnolek::hydrology::DataFile levelSeries(const Entry &entry, const Case &c)
{
    const Field *file = dataFileField(entry);
    if (!file || file->format != DataFormat::LevelSeries)
        return {};
    return varnolek::hydrology::readDataFile(std::string(c.text(file->name)));
}

const std::vector<Entry> &entries()
{
    static const std::vector<Entry> table = [] {
        std::vector<Entry> t;
        addModelEntries(t);
        addCapacityEntries(t);
        addPlanningEntries(t);
        addParameterEntries(t);
        addRiverEntries(t);
        addLakeEntries(t);
        addDesignFlowEntries(t);
        for (Entry &e : t) {
            e.requiredPlaces.clear();
            for (const std::string &name : e.required) {
                std::size_t place = e.fields.size();
                for (std::size_t i = 0; i < e.fields.size(); ++i)
                    if (e.fields[i].name == name)
                        place = i;
                e.requiredPlaces.push_back(place);
            }
        }
        return t;
    }();
    return table;
}

const Entry *find(std::string_view id)
{
    for (const Entry &e : entries())
        if (e.id == id)
            return &e;
    return nullptr;
}

const Entry &entry(std::string_view id)
{
    const Entry *e = find(id);
    if (!e)
        throw std::logic_error("no calculation " + std::string(id) + " in the catalogue");
    return *e;
}

std::vector<const Entry *> entriesOf(std::string_view window)
{
    std::vector<const Entry *> found;
    for (const Entry &e : entries())
        if (e.window == window)
            found.push_back(&e);
    return found;
}

std::string rowDefault(const Entry &entry, const Group &group, int i)
{
    return entry.rowText ? entry.rowText(group, i) : std::string();
}

void requireStep(const Entry &entry, const Case &c, std::size_t step)
{
    if (c.knownComplete())
        return;
    const std::size_t first = step == 0 ? 0 : entry.steps.at(step - 1);
    const std::size_t last = entry.steps.empty() ? entry.required.size() : entry.steps.at(step);
    for (std::size_t i = first; i < last; ++i)
        if (!c.filled(entry.required[i], i < entry.requiredPlaces.size() ? entry.requiredPlaces[i] : c.fields.size()))
            throw Incomplete();
}

std::string titleOf(const Entry &entry)
{
    return entry.view.empty() ? entry.title : entry.title + " · " + entry.view;
}

Case defaultCase(const Entry &entry)
{
    Case c;
    c.fields.reserve(entry.fields.size());
    for (const Field &field : entry.fields)
        c.fields.emplace_back(field.name, field.defaultText);
    for (int i = 0; i < entry.defaultRows; ++i)
        for (const Group &group : entry.groups)
            c.setOwned(group.name + "." + std::to_string(i), rowDefault(entry, group, i));
    return c;
}

Outcome evaluate(const Entry &entry, const Case &c)
{
    Outcome outcome;
    evaluateInto(entry, c, outcome);
    return outcome;
}

void evaluateInto(const Entry &entry, const Case &c, Outcome &outcome)
{
    outcome.status = Status::Done;
    outcome.result.texts.clear();
    outcome.result.balance.reset();
    outcome.result.levels.clear();
    outcome.message.clear();
    c.readingStarted();
    try {
        entry.run(entry, c, outcome.result);
    } catch (const Incomplete &e) {
        outcome.status = Status::Incomplete;
        outcome.message = e.what();
    } catch (const varnolek::CalcError &e) {
        outcome.status = Status::Failed;
        outcome.message = varnolek::describe(e.kind());
    } catch (const Rejected &e) {
        outcome.status = Status::Failed;
        outcome.message = e.what();
    } catch (const varnolek::InputRejected &e) {
        // An input outside what the formula is meant for, in the model's words.
        outcome.status = Status::Failed;
        outcome.message = e.what();
    } catch (const std::bad_alloc &) {
        throw; // the next case would find no memory either: the caller stops
    } catch (const std::exception &e) {
        // No other failure is known; should one come, it is this case's alone.
        outcome.status = Status::Failed;
        outcome.message = std::string("意外错误：") + e.what();
    } catch (...) {
        outcome.status = Status::Failed;
        outcome.message = "意外错误";
    }
}

} // namespace catalogue

namespace catalogue {

Output patternOutput(std::string name, std::string label, varnolek::Precision precision, std::string pattern,
                     std::string unit)
{
    Output o;
    o.name = std::move(name);
    o.unit = std::move(unit);
    o.label = std::move(label);
    o.format = Format::Pattern;
    o.precision = precision;
    o.pattern = std::move(pattern);
    return o;
}

Output captionOutput(std::string name)
{
    Output o;
    o.name = std::move(name);
    o.format = Format::Text;
    return o;
}

void addNumber(const Entry &entry, std::size_t output, double value, Result &result)
{
    const Output &o = entry.outputs.at(output);
    // The number as the window holds it: a single-precision result is that
    // single. A value that is not finite or does not fit fails as its text would.
    const double held =
        o.precision == varnolek::Precision::Single ? double(varnolek::toSingle(value)) : varnolek::checked(value);
    if (!result.textsWanted) {
        result.add(o.name, std::string(), held);
        return;
    }
    result.add(o.name,
               o.format == Format::General ? varnolek::generalText(value, o.precision)
                                           : varnolek::formatPattern(value, o.precision, o.pattern),
               held);
}

} // namespace catalogue
