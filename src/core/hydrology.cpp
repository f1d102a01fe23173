#include "hydrology.h"

#include "arithmetic.h"
#include "numbers.h"
#include "parameters.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <utility>

namespace varnolek::hydrology {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole field must be a number: an optional sign, digits with at most one
// decimal point, and an optional exponent with digits.
bool isNumber(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digits = false;
    while (i < s.size() && isDigit(s[i])) {
        digits = true;
        ++i;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (i == s.size() || !isDigit(s[i]))
            return false;
        while (i < s.size() && isDigit(s[i]))
            ++i;
    }
    return i == s.size();
}

// Reads the fields of a data file one after the other.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : m_text(text)
    {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") // byte-order mark of a UTF-8 file
            m_text.remove_prefix(3);
    }

    // The next field as a number; nothing when the text ends, the field is
    // empty or it is not a number, or the number is beyond a double.
    std::optional<double> next()
    {
        while (m_pos < m_text.size() && (isBlank(m_text[m_pos]) || isLineBreak(m_text[m_pos])))
            ++m_pos; // blank lines between records are allowed
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && !isBlank(m_text[m_pos]) && !isLineBreak(m_text[m_pos]) &&
               m_text[m_pos] != ',')
            ++m_pos;
        const std::string_view field = m_text.substr(start, m_pos - start);
        // One separator ends the field: blanks, then at most one comma.
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == ',')
            ++m_pos;
        if (!isNumber(field))
            return std::nullopt;
        try {
            return readNumber(field);
        } catch (const CalcError &) {
            return std::nullopt;
        }
    }

    std::optional<std::int16_t> nextWhole()
    {
        const std::optional<double> v = next();
        return v ? parameters::toInt16(*v) : std::nullopt;
    }

    std::optional<float> nextSingle()
    {
        const std::optional<double> v = next();
        if (!v)
            return std::nullopt;
        try {
            return toSingle(*v);
        } catch (const CalcError &) {
            return std::nullopt;
        }
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

DataFile parseDataFile(std::string_view text)
{
    FieldReader reader(text);
    const std::optional<std::int16_t> n = reader.nextWhole();
    if (!n)
        return {FileStatus::Malformed, {}};
    if (*n < 1)
        return {FileStatus::NoRecords, {}};
    if (*n > maxRecords)
        return {FileStatus::Malformed, {}};

    DataFile file{FileStatus::Ok, {}};
    file.records.reserve(*n);
    for (int i = 0; i < *n; ++i) {
        const std::optional<std::int16_t> year = reader.nextWhole();
        const std::optional<float> value = year ? reader.nextSingle() : std::nullopt;
        if (!value)
            return {FileStatus::Malformed, {}};
        file.records.push_back({*year, *value});
    }
    return file;
}

DataFile readDataFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {FileStatus::Unreadable, {}};
    std::ostringstream text;
    text << in.rdbuf();
    return parseDataFile(text.str());
}

void sortByValue(std::vector<Record> &records)
{
    const std::size_t n = records.size();
    for (std::size_t j = 0; j + 1 < n; ++j)
        for (std::size_t k = j + 1; k < n; ++k)
            if (records[j].value > records[k].value)
                std::swap(records[j], records[k]);
}

int levelRank(int n, double p)
{
    const double exceedance = 1.0 - p;
    const double m = std::floor(exceedance * (n + 1));
    if (!(m >= 1.0))
        return 1;
    if (m > n)
        return n;
    return static_cast<int>(m);
}

LevelYear designLevel(std::vector<Record> records, double ratePercent)
{
    sortByValue(records);
    const int m = levelRank(static_cast<int>(records.size()), ratePercent / 100.0);
    return {m, records[m - 1]};
}

} // namespace varnolek::hydrology
