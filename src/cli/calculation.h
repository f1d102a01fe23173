#pragma once
// One calculation of a calculator window, without the window: its fields with
// their labels and default texts, and a function from the fields' texts to the
// texts the window's OK press writes, in the order it writes them.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct Field {
    std::string name;
    std::string label;
    std::string defaultText;
};

struct Output {
    std::string name;
    std::string text;
};

// The completeness check failed: a field the calculation needs is empty.
struct Incomplete : std::runtime_error {
    Incomplete();
};

// The input is unusable for a reason of its own (a bad data file): the message
// the window would show.
struct Rejected : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The texts of one case: every field of the calculation, defaults filled in,
// plus any indexed fields given (Text4.0, Text2.0 ...). A case only looks at
// the names and texts it is given: they must outlive it (the calculation's
// table, the command line, the CSV row being worked on).
class Case {
public:
    void set(std::string_view name, std::string_view text);
    // The text of a field; the empty text for an indexed field not given.
    std::string_view text(std::string_view name) const;
    bool has(std::string_view name) const;
    // The field read as a number, the way a window reads it (may throw CalcError).
    double number(std::string_view name) const;
    // Throws Incomplete unless every named field holds text.
    void require(std::initializer_list<std::string_view> names) const;

    std::vector<std::pair<std::string_view, std::string_view>> fields;
};

struct Calculation {
    std::string id;
    std::string title; // the window's caption
    std::vector<Field> fields;
    // The names the OK press writes, in the order it writes them.
    std::vector<std::string> outputs;
    // Field groups that take indexed names (NAME.i), or none.
    std::vector<std::string> indexedGroups;
    std::vector<Output> (*run)(const Case &);
};

// Every calculation the command line offers, in menu order.
const std::vector<Calculation> &calculations();
const Calculation *findCalculation(std::string_view id);

// A case of a calculation with every field at its default text.
Case defaultCase(const Calculation &calculation);

} // namespace cli
