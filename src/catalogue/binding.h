#pragma once
// The binding of a calculation's fields to the members of its core input,
// declared once, a field and its member on one line:
//
//     bind(&OneDimensionalRiverInput::k, "myk")
//
// so that a field can only set the member it names, and the compiler checks
// that the member exists. A run reads its input through its bindings; no run
// fills an input by the position of its members.

#include "catalogue.h"

#include <cstddef>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace catalogue {

template <class In> struct Binding {
    double In::*member;
    std::string field;
    // Where the field stands among its entry's fields, where one entry owns
    // the binding: a case made from those fields finds it there at once.
    std::size_t place = std::size_t(-1);
};

template <class In> Binding<In> bind(double In::*member, std::string field)
{
    return {member, std::move(field)};
}

template <class In> using Bindings = std::vector<Binding<In>>;

// The input read from a case, each member from its own field, in the order
// the bindings stand (the order the window reads them in).
template <class In> In read(const Case &c, const Bindings<In> &bindings)
{
    In in{};
    for (const Binding<In> &b : bindings)
        in.*(b.member) = c.number(b.field, b.place);
    return in;
}

// Records the bindings on the entry, for the checks of the catalogue;
// computed: how many members of the input the run sets itself.
template <class In> void record(Entry &entry, const Bindings<In> &bindings, std::size_t computed = 0)
{
    BoundInput bound;
    bound.computed = computed;
    bound.input = typeid(In).name();
    bound.size = sizeof(In);
    const In probe{};
    for (const Binding<In> &b : bindings)
        bound.members.emplace_back(b.field, std::size_t(reinterpret_cast<const char *>(&(probe.*(b.member))) -
                                                        reinterpret_cast<const char *>(&probe)));
    entry.inputs.push_back(std::move(bound));
}

// When a run checks its completeness set against the reading of its input.
enum class Check {
    First,        // the set is checked, then the input read
    AfterReading, // every field is read first (a number beyond a double fails before an empty field)
    Never,        // an empty field counts as 0
};

// The run of an entry that reads one core input through its bindings and
// hands it to body(entry, input, result). The bindings are recorded on the entry.
template <class In, class Body> void bindRun(Entry &entry, Bindings<In> bindings, Body body, Check check = Check::First)
{
    record(entry, bindings);
    for (Binding<In> &b : bindings)
        for (std::size_t i = 0; i < entry.fields.size(); ++i)
            if (entry.fields[i].name == b.field)
                b.place = i;
    entry.run = [bindings = std::move(bindings), body, check](const Entry &e, const Case &c, Result &r) {
        if (check == Check::First)
            requireStep(e, c, 0);
        const In in = read(c, bindings);
        if (check == Check::AfterReading)
            requireStep(e, c, 0);
        body(e, in, r);
    };
}

} // namespace catalogue
