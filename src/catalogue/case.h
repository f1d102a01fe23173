#pragma once
// The texts of one case of a calculation, and the texts it gives.

#include <atomic>
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

// The texts of one case: field names and their texts, plus indexed elements of
// a table (Text4.0, Text2.0 ...). A case refers to the names and texts it is
// given, which must outlive it (the catalogue, the command line, the CSV row
// being worked on), unless it is told to keep its own copy of a text.
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
    // The text of a field; the empty text for a name not given.
    std::string_view text(std::string_view name) const;
    bool has(std::string_view name) const;
    // The field read as a number, the way a window reads it (may throw CalcError).
    double number(std::string_view name) const;
    // Throws Incomplete unless every named field holds text.
    void require(const std::vector<std::string> &names) const;
    void require(std::initializer_list<std::string_view> names) const;

    std::vector<std::pair<std::string_view, std::string_view>> fields;

private:
    // The place of a name among the fields, or fields.size().
    std::size_t find(std::string_view name) const;

    std::list<std::string> m_owned; // names and texts this case keeps itself
    // Where the search for the next name starts: a calculation reads its
    // fields mostly in the order they stand, so the next one is found first.
    // A hint only, never copied; atomic so that threads may read one case.
    struct Hint {
        Hint() = default;
        Hint(const Hint &) {}
        Hint &operator=(const Hint &) { return *this; }
        mutable std::atomic<std::size_t> at{0};
    } m_next;
};

// An output text, named after the control it is written into.
struct Text {
    std::string_view name; // refers to the catalogue's own name
    std::string text;
};

struct Result {
    std::vector<Text> texts;
    // The signed balance of a load window: remaining capacity positive,
    // reduction negative (t/a).
    std::optional<double> balance;

    void add(std::string_view name, std::string text) { texts.push_back({name, std::move(text)}); }
    // The text written into a control, or nullptr.
    const std::string *text(std::string_view name) const;
};

} // namespace catalogue
