#include "monthlyflow.h"

#include "arithmetic.h"
#include "numbers.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <istream>

namespace varnolek::hydrology {

namespace {

constexpr std::size_t pieceSize = 64 * 1024;
constexpr double firstYear = 1, lastYear = 9999;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The cells of one line, one after the other, without keeping them: a line of
// a million separators costs no memory.
class Cells {
public:
    explicit Cells(std::string_view line) : m_line(line)
    {
        if (line.find(',') != std::string_view::npos)
            m_separator = ',';
        else if (line.find('\t') != std::string_view::npos)
            m_separator = '\t';
    }

    // The next cell, without its blanks; nothing past the last one.
    std::optional<std::string_view> next()
    {
        if (m_separator == ' ') { // a run of blanks is one separator: no cell is empty
            while (m_pos < m_line.size() && isBlank(m_line[m_pos]))
                ++m_pos;
            if (m_pos == m_line.size())
                return std::nullopt;
            const std::size_t start = m_pos;
            while (m_pos < m_line.size() && !isBlank(m_line[m_pos]))
                ++m_pos;
            return m_line.substr(start, m_pos - start);
        }
        if (m_pos > m_line.size())
            return std::nullopt;
        std::size_t end = m_line.find(m_separator, m_pos);
        if (end == std::string_view::npos)
            end = m_line.size();
        const std::string_view cell = trimmed(m_line.substr(m_pos, end - m_pos));
        m_pos = end + 1; // past the separator, or past the end after the last cell
        return cell;
    }

    // Whether every cell left is empty (separators at the end of the line).
    bool restEmpty()
    {
        while (const std::optional<std::string_view> cell = next())
            if (!cell->empty())
                return false;
        return true;
    }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
    char m_separator = ' ';
};

// A line of blanks and separators only: a blank line or a spreadsheet's empty row.
bool isEmptyLine(std::string_view line)
{
    return line.find_first_not_of(" \t,") == std::string_view::npos;
}

// 年 and 月 in UTF-8 and in GBK.
constexpr std::string_view yearWords[] = {"\xE5\xB9\xB4", "\xC4\xEA"};
constexpr std::string_view monthWords[] = {"\xE6\x9C\x88", "\xD4\xC2"};

// The header 年,1月,…,12月 in one of the two encodings, with any separator.
bool isHeader(std::string_view line)
{
    for (int encoding = 0; encoding < 2; ++encoding) {
        Cells cells(line);
        if (cells.next() != yearWords[encoding])
            continue;
        bool months = true;
        for (int m = 1; m <= monthsInYear && months; ++m)
            months = cells.next() == std::to_string(m) + std::string(monthWords[encoding]);
        if (months && cells.restEmpty())
            return true;
    }
    return false;
}

std::optional<double> numberOf(std::string_view cell)
{
    if (cell.size() > maxFieldLength || !isNumberField(cell))
        return std::nullopt;
    try {
        return readNumber(cell);
    } catch (const CalcError &) {
        return std::nullopt; // beyond a double
    }
}

std::optional<std::int16_t> yearOf(std::string_view cell)
{
    const std::optional<double> v = numberOf(cell);
    if (!v || *v != std::floor(*v) || *v < firstYear || *v > lastYear)
        return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

// A month's cell: nothing for a missing month, false for a cell that is no
// number or beyond single precision.
bool readMonth(std::string_view cell, std::optional<float> &month)
{
    if (cell.empty())
        return true;
    const std::optional<double> v = numberOf(cell);
    if (!v)
        return false;
    try {
        month = toSingle(*v);
    } catch (const CalcError &) {
        return false;
    }
    return true;
}

// One year line; nothing if it breaks a rule.
std::optional<MonthlyYear> readYear(std::string_view line)
{
    Cells cells(line);
    MonthlyYear year;
    const std::optional<std::string_view> yearCell = cells.next();
    const std::optional<std::int16_t> y = yearCell ? yearOf(*yearCell) : std::nullopt;
    if (!y)
        return std::nullopt;
    year.year = *y;
    for (std::optional<float> &month : year.months) {
        const std::optional<std::string_view> cell = cells.next();
        if (!cell || !readMonth(*cell, month))
            return std::nullopt;
    }
    if (!cells.restEmpty())
        return std::nullopt;
    return year;
}

MonthlyFile malformed()
{
    return {FileStatus::Malformed, {}, {}};
}

} // namespace

int MonthlyYear::missingMonths() const
{
    return static_cast<int>(std::count(months.begin(), months.end(), std::nullopt));
}

MonthlyFile parseMonthlyFile(std::string_view text)
{
    if (text.size() > maxMonthlyFileLength)
        return malformed();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // the byte-order mark of a UTF-8 file
        text.remove_prefix(3);

    std::vector<MonthlyYear> lines;
    bool first = true;
    while (!text.empty()) {
        // A line ends at LF, CR LF or CR.
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end);
        if (!text.empty())
            text.remove_prefix(text.substr(0, 2) == "\r\n" ? 2 : 1);

        if (isEmptyLine(line))
            continue;
        const bool header = first && isHeader(line);
        first = false;
        if (header)
            continue;
        std::optional<MonthlyYear> year = readYear(line);
        if (!year || lines.size() == static_cast<std::size_t>(maxRecords))
            return malformed();
        lines.push_back(*year);
    }

    std::stable_sort(lines.begin(), lines.end(),
                     [](const MonthlyYear &a, const MonthlyYear &b) { return a.year < b.year; });
    MonthlyFile file{FileStatus::Ok, {}, {}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && lines[i].year == lines[i - 1].year)
            return malformed(); // which of the two lines holds the year's months?
        if (lines[i].missingMonths() == monthsInYear)
            file.unobservedYears.push_back(lines[i].year);
        else
            file.years.push_back(lines[i]);
    }
    if (file.years.empty())
        return {FileStatus::NoRecords, {}, {}};
    return file;
}

MonthlyFile readMonthlyFile(std::istream &in)
{
    // The whole file is needed; one byte past the most tells a file too long.
    std::string text;
    std::vector<char> piece(pieceSize);
    while (text.size() <= maxMonthlyFileLength) {
        const std::size_t want = std::min(pieceSize, maxMonthlyFileLength + 1 - text.size());
        in.read(piece.data(), static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(in.gcount());
        text.append(piece.data(), got);
        if (got < want)
            break;
    }
    return parseMonthlyFile(text);
}

MonthlyFile readMonthlyFile(const std::string &path)
{
    std::ifstream in;
    const FileStatus status = openDataFile(path, in);
    if (status != FileStatus::Ok)
        return {status, {}, {}};
    return readMonthlyFile(in);
}

DriestMonth driestMonth(const MonthlyYear &year)
{
    DriestMonth driest;
    driest.record.year = year.year;
    for (int m = 0; m < monthsInYear; ++m) {
        const std::optional<float> &v = year.months[m];
        if (v && (driest.month == 0 || *v < driest.record.value)) {
            driest.record.value = *v;
            driest.month = m + 1;
        }
    }
    driest.incomplete = year.missingMonths() > 0;
    return driest;
}

DesignFlowAnalysis analyseDesignFlow(const std::vector<MonthlyYear> &years)
{
    DesignFlowAnalysis a;
    for (const MonthlyYear &year : years)
        if (year.missingMonths() < monthsInYear) // a year not observed is no year of the series
            a.years.push_back(driestMonth(year));
    const int n = static_cast<int>(a.years.size());
    if (n < minFrequencyYears)
        throw AnalysisError(designFlowTooFewYearsMessage);
    std::stable_sort(a.years.begin(), a.years.end(),
                     [](const DriestMonth &x, const DriestMonth &y) { return x.record.year < y.record.year; });
    for (const DriestMonth &d : a.years)
        a.series.push_back(d.record);

    // Ranks and frequencies as the frequency analysis gives them, carried back
    // to the years (of a year given twice, the first one not yet ranked).
    a.ranked = empiricalSeries(a.series);
    const auto byYear = [](const DriestMonth &d, std::int16_t year) { return d.record.year < year; };
    for (const EmpiricalPoint &point : a.ranked) {
        auto it = std::lower_bound(a.years.begin(), a.years.end(), point.record.year, byYear);
        while (it != a.years.end() && (it->rank != 0 || !(it->record.value == point.record.value)))
            ++it;
        if (it != a.years.end()) {
            it->rank = point.rank;
            it->exceedance = point.exceedance;
        }
    }

    a.recent.years = std::min(n, recentYearCount);
    const auto recent = a.years.end() - a.recent.years;
    a.recent.smallest = recent->record;
    double sum = 0;
    for (auto it = recent; it != a.years.end(); ++it) {
        sum += it->record.value;
        if (it->record.value <= a.recent.smallest.value) // the latest of equal values
            a.recent.smallest = it->record;
    }
    a.recent.mean = sum / a.recent.years;

    try {
        a.frequency = analyseFrequency(a.series, defaultRatio);
    } catch (const AnalysisError &e) {
        a.frequencyMessage = e.what();
    }
    return a;
}

std::string recentYearsNote(int years)
{
    if (years >= recentYearCount)
        return {};
    return "（资料不足10年，按全部" + std::to_string(years) + "年计）";
}

double interpolatedValue(const std::vector<EmpiricalPoint> &ranked, double p)
{
    // Negated comparisons: a p that is no number takes the first rank's value.
    if (!(p > ranked.front().exceedance))
        return ranked.front().record.value;
    if (!(p < ranked.back().exceedance))
        return ranked.back().record.value;
    // The first point beyond p and the one before it: P_k ≤ p < P_k+1.
    const auto above = std::upper_bound(ranked.begin(), ranked.end(), p,
                                        [](double x, const EmpiricalPoint &point) { return x < point.exceedance; });
    const EmpiricalPoint &a = *(above - 1), &b = *above;
    const double xa = a.record.value, xb = b.record.value;
    return xa + (p - a.exceedance) / (b.exceedance - a.exceedance) * (xb - xa);
}

DesignFlow designFlow(const DesignFlowAnalysis &analysis, double percent)
{
    checkRate(percent);
    const double p = percent / 100;
    DesignFlow d;
    d.percent = percent;
    d.rankRule = designLevel(analysis.series, percent);
    d.interpolated = interpolatedValue(analysis.ranked, p);
    if (!analysis.frequency) {
        d.curveMessage = analysis.frequencyMessage;
        return d;
    }
    try {
        d.curve = analysis.frequency->fitted.value(p);
    } catch (const AnalysisError &e) {
        d.curveMessage = e.what();
    }
    return d;
}

} // namespace varnolek::hydrology
