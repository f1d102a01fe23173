#include "hydrology.h"

#include "arithmetic.h"
#include "numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <utility>

namespace varnolek::hydrology {

namespace {

bool isBlank(int c)
{
    return c == ' ' || c == '\t';
}
bool isLineBreak(int c)
{
    return c == '\n' || c == '\r';
}

// Reads the fields of a data file one after the other, from a text held whole
// or from a stream read a piece at a time. Only the head of the text, its first
// maxHeadLength bytes, is ever looked at, and a field is kept only up to
// maxFieldLength characters, so a file that never ends costs no more than one
// that does.
class FieldReader {
public:
    explicit FieldReader(std::string_view text)
    {
        setPiece(text);
        skipByteOrderMark();
    }

    explicit FieldReader(std::istream &in) : m_in(&in), m_buffer(pieceSize)
    {
        refill();
        skipByteOrderMark();
    }

    // The next field as a number; nothing when the text ends, the field is
    // empty, too long or not a number, the number is beyond a double, or the
    // head of the text ends before the field does.
    std::optional<double> next()
    {
        int c = peek();
        while (isBlank(c) || isLineBreak(c)) { // blank lines between records are allowed
            ++m_pos;
            c = peek();
        }
        std::size_t length = 0;
        while (c >= 0 && !isBlank(c) && !isLineBreak(c) && c != ',') {
            if (length == m_field.size())
                return std::nullopt;
            m_field[length++] = static_cast<char>(c);
            ++m_pos;
            c = peek();
        }
        if (c == Cut)
            return std::nullopt; // the field may go on past the head
        // One separator ends the field: blanks, then at most one comma.
        while (isBlank(c)) {
            ++m_pos;
            c = peek();
        }
        if (c == ',')
            ++m_pos;
        const std::string_view field(m_field.data(), length);
        if (!isNumberField(field))
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
        return v ? toInt16(*v) : std::nullopt;
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
    // What peek() gives past the last character: the end of the text, or the
    // end of its head while the text goes on.
    static constexpr int End = -1;
    static constexpr int Cut = -2;
    static constexpr std::size_t pieceSize = 4096;

    // The character at the reading position, End or Cut.
    int peek()
    {
        if (m_pos == m_piece.size() && !refill())
            return m_cut ? Cut : End;
        return static_cast<unsigned char>(m_piece[m_pos]);
    }

    // Takes a piece of the text, no further than the end of the head.
    void setPiece(std::string_view piece)
    {
        const std::size_t room = maxHeadLength - m_before;
        if (piece.size() > room) {
            piece = piece.substr(0, room);
            m_cut = true;
        }
        m_piece = piece;
        m_pos = 0;
    }

    // Moves on to the next piece of a stream; false when there is none.
    bool refill()
    {
        m_before += m_piece.size();
        m_piece = {};
        m_pos = 0;
        if (!m_in || m_cut)
            return false;
        // One byte past the head tells whether the text goes on.
        const std::size_t want = std::min(m_buffer.size(), maxHeadLength - m_before + 1);
        m_in->read(m_buffer.data(), static_cast<std::streamsize>(want));
        setPiece(std::string_view(m_buffer.data(), static_cast<std::size_t>(m_in->gcount())));
        return !m_piece.empty();
    }

    void skipByteOrderMark()
    {
        if (m_piece.substr(0, 3) == "\xEF\xBB\xBF") // of a UTF-8 file
            m_pos = 3;
    }

    std::istream *m_in = nullptr; // none when the text is held whole
    std::vector<char> m_buffer;   // the piece of a stream
    std::string_view m_piece;     // the part of the text at hand
    std::size_t m_pos = 0;        // the reading position in m_piece
    std::size_t m_before = 0;     // the bytes of the text before m_piece
    bool m_cut = false;           // the head ended before the text
    std::array<char, maxFieldLength> m_field{};
};

DataFile readRecords(FieldReader &reader)
{
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
    return file; // the rest of the text is not read
}

} // namespace

bool isNumberField(std::string_view s)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
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

FileStatus openDataFile(const std::string &path, std::ifstream &in)
{
    // Look before opening (stat): opening a pipe blocks until a writer comes,
    // and a device such as /dev/zero never ends.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return FileStatus::Unreadable;
    if (!std::filesystem::is_regular_file(status))
        return FileStatus::Malformed;
    in.open(path, std::ios::binary);
    return in ? FileStatus::Ok : FileStatus::Unreadable;
}

DataFile parseDataFile(std::string_view text)
{
    FieldReader reader(text);
    return readRecords(reader);
}

DataFile readDataFile(std::istream &in)
{
    FieldReader reader(in);
    return readRecords(reader);
}

DataFile readDataFile(const std::string &path)
{
    std::ifstream in;
    const FileStatus status = openDataFile(path, in);
    if (status != FileStatus::Ok)
        return {status, {}};
    return readDataFile(in);
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
