#pragma once
// Sweeps of one or two fields over a grid of spaced values, on every core, and
// the tornado of a view: each field moved down and up by a share of its value.

#include "sweep.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A number typed on the command line or into an analysis window: the whole
// text must be a finite decimal number. Returns false otherwise.
bool parseNumber(std::string_view text, double &value);

// One swept field: n values from `from` to `to`.
struct Axis {
    std::string field;
    double from = 0, to = 0;
    int n = 0;
    Spacing spacing = Spacing::Linear;
};

// Checks an axis against the entry: a field of the view, n ≥ 1, from ≠ to when
// n > 1, for a log spacing no value at or below zero, and values spaced within
// the range of numbers (finiteSpacing). Returns the message naming the
// problem, or the empty text.
std::string checkAxis(const Entry &entry, const Axis &axis);

// The most points a sweep's grid may have: a point's row is written as it
// comes, but a billion of them is a day's run already.
inline constexpr std::size_t maxGridPoints = 1000000000;
// The points of the grid of the axes; more than maxGridPoints counts as
// maxGridPoints + 1.
std::size_t gridPoints(const std::vector<Axis> &axes);
// Checks the grid as a whole: each axis against the entry, no field swept
// twice, at most maxGridPoints points. The message, or the empty text.
std::string checkGrid(const Entry &entry, const std::vector<Axis> &axes);
// Reads "FIELD=FROM:TO:N[:log]"; error holds the message of a bad argument.
std::optional<Axis> parseAxis(const Entry &entry, std::string_view text, std::string &error);

struct GridRow {
    std::vector<std::string> texts; // the swept fields' texts, one per axis
    Outcome outcome;
};

// Every point of the grid of the axes (the first axis varying slowest), each
// evaluated with the swept fields at their values' texts and the other fields
// as in the base case. The rows are handed to deliver block by block in grid
// order; deliver returns false to stop. Returns false when stopped or cancelled.
// Each point's values are made from its index as it is reached, so memory
// stays flat whatever the grid. Throws std::invalid_argument for a grid that
// fails checkGrid.
bool sweepGrid(const Entry &entry, const Case &base, const std::vector<Axis> &axes, unsigned threads,
               const std::function<bool(const std::vector<GridRow> &)> &deliver,
               const std::atomic<bool> *cancel = nullptr);

// The tornado of a view: each field of the view moved by −share and +share of
// its value, one at a time, the others as in the base case.
struct TornadoBar {
    std::string field;
    std::string lowText, highText;   // the field's texts moved down and up
    std::optional<double> low, high; // the main value there
    double swing = 0;                // the larger change from the base value
};
struct Tornado {
    std::optional<double> base;   // the main value of the base case
    std::vector<TornadoBar> bars; // largest change first
};
Tornado tornado(const Entry &entry, const Case &base, double share);

} // namespace catalogue
