#pragma once
// The texts of one case of a calculation, and the texts it gives.

#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalogue {

// The completeness check failed: a field the calculation needs is empty.
struct Incomplete : std::runtime_error {
    Incomplete();
};

// The input is unusable for a reason of its own (a bad data file): the message
// the window would show.
struct Rejected : std::runtime_error {
    // reason: what the input's own reader says of it (a data file's status).
    explicit Rejected(const std::string &message, int reason = 0) : std::runtime_error(message), reason(reason) {}
    int reason;
};

// Whether two field names are one. Field names are a few characters long: a
// plain loop beats a call to memcmp, and a drawn case asks this for every field.
inline bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i])
            return false;
    return true;
}

// The texts of one case: field names and their texts, plus indexed elements of
// a table (Text4.0, Text2.0 ...). A case refers to the names and texts it is
// given, which must outlive it (the catalogue, the command line, the CSV row
// being worked on), unless it is told to keep its own copy of a text.
//
// A field may also be given as a number (a drawn value of a Monte Carlo run, a
// field read once for many cases): the calculation then reads that number as
// it would read the number of the field's text, and no text is parsed.
class Case {
public:
    Case() = default;
    Case(const Case &other);
    Case &operator=(const Case &other);
    Case(Case &&) = default;
    Case &operator=(Case &&) = default;

    void set(std::string_view name, std::string_view text);
    // Sets a text the case keeps a copy of (a text built on the fly).
    void setOwned(std::string_view name, std::string text);
    // Gives a field as a number; its text stays as it is. A later set() of
    // the field's text takes the number away again.
    void setNumber(std::string_view name, double value);
    // The place of a field among the fields, the field added with the empty
    // text when it is not there; and a number given to the field at a place,
    // for a field given many numbers in turn.
    std::size_t placeOf(std::string_view name);
    void setNumberAt(std::size_t place, double value)
    {
        if (m_numbers.size() < fields.size())
            m_numbers.resize(fields.size(), std::numeric_limits<double>::quiet_NaN());
        m_numbers[place] = value;
    }
    // Every field of the case whose text reads as a number gets that number,
    // read once (a base case evaluated many times over).
    void readNumbers();
    // The text of a field; the empty text for a name not given.
    std::string_view text(std::string_view name) const;
    bool has(std::string_view name) const;
    // Whether a field holds text or a number: the completeness check asks this.
    bool filled(std::string_view name) const;
    // The field read as a number, the way a window reads it (may throw
    // CalcError); the number itself for a field given as a number.
    double number(std::string_view name) const;
    // The same, the field looked for first at a place where it is expected (a
    // case made from its calculation's fields holds them in their order).
    bool filled(std::string_view name, std::size_t place) const;
    double number(std::string_view name, std::size_t place) const
    {
        // A number given at the place expected: the one answer of a drawn case.
        if (place < m_numbers.size() && !std::isnan(m_numbers[place]) && sameName(fields[place].first, name))
            return m_numbers[place];
        return numberSearched(name, place);
    }
    // Declares every field of the calculation's completeness set filled, as
    // the case's maker has checked once for many cases that differ only in
    // numbers given to filled fields; the check is then not made again.
    // Any change of a field's text withdraws the declaration.
    void setComplete(bool complete) { m_complete = complete; }
    bool knownComplete() const { return m_complete; }
    // A calculation starts reading the case: its questions are counted anew.
    void readingStarted() const { m_hint.question.store(0, std::memory_order_relaxed); }
    // Throws Incomplete unless every named field holds text.
    void require(const std::vector<std::string> &names) const;
    void require(std::initializer_list<std::string_view> names) const;

    std::vector<std::pair<std::string_view, std::string_view>> fields;

private:
    double numberSearched(std::string_view name, std::size_t place) const;

    bool m_complete = false;
    // The place of a name among the fields, or fields.size().
    std::size_t find(std::string_view name) const;

    // The number a field is given as, by its place among the fields; NaN for
    // a field read from its text. Empty while no field is given a number.
    std::vector<double> m_numbers;
    std::list<std::string> m_owned; // names and texts this case keeps itself
    // Where the search for a name starts. A calculation asks for its fields in
    // the same order every time it runs: the place found for its k-th
    // question is kept and tried first the next time (readingStarted counts
    // the questions from 0). Else the search starts after the last place
    // found, as a table's rows are read in order. Hints only, each checked
    // against the name, never copied; atomic so that threads may read one case.
    static constexpr std::size_t rememberedQuestions = 32;
    struct Hint {
        Hint() = default;
        Hint(const Hint &) {}
        Hint &operator=(const Hint &) { return *this; }
        mutable std::atomic<std::size_t> next{0};
        mutable std::atomic<std::size_t> question{rememberedQuestions};
        mutable std::atomic<std::uint32_t> answer[rememberedQuestions] = {};
    } m_hint;
};

// An output, named after the control it is written into: its text, and for a
// number the value the text was written from, in the window's precision
// (a single-precision result as that single, widened).
struct Text {
    std::string_view name; // refers to the catalogue's own name
    std::string text;
    std::optional<double> value;
};

struct Result {
    std::vector<Text> texts;
    // The signed balance of a load window: remaining capacity positive,
    // reduction negative (t/a).
    std::optional<double> balance;
    // Whether the texts are made at all. A run for its numbers alone (the
    // statistics of many drawn cases) writes the numbers with empty texts and
    // leaves the captions out.
    bool textsWanted = true;
    // A number the run gives beside its outputs and the window does not show:
    // a level its plot draws across the chart (the saturation of dissolved
    // oxygen), with the words that name it.
    struct Level {
        std::string label;
        double value = 0;
    };
    std::vector<Level> levels;

    void add(std::string_view name, std::string text) { texts.push_back({name, std::move(text), std::nullopt}); }
    void add(std::string_view name, std::string text, double value) { texts.push_back({name, std::move(text), value}); }
    // The text written into a control, or nullptr.
    const std::string *text(std::string_view name) const;
    // The number an output was written from; nothing for a caption or an
    // output not written.
    std::optional<double> number(std::string_view name) const;
};

} // namespace catalogue
