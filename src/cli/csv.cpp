#include "csv.h"

#include "spreadsheet/delimited.h"

#include <algorithm>
#include <array>

namespace cli {

void CsvRecords::skipRestOfLine()
{
    const std::size_t nl = m_text.find('\n', m_pos);
    if (nl == std::string_view::npos) {
        m_pos = m_text.size();
    } else {
        m_pos = nl + 1;
        ++m_line;
    }
}

std::string_view CsvRecords::unescaped(std::size_t begin, std::size_t end)
{
    if (m_copiesUsed == m_copies.size())
        m_copies.emplace_back();
    std::string &copy = m_copies[m_copiesUsed++];
    copy.clear();
    for (std::size_t i = begin; i < end; ++i) {
        copy.push_back(m_text[i]);
        if (m_text[i] == '"' && i + 1 < end && m_text[i + 1] == '"')
            ++i;
    }
    return copy;
}

namespace {
// The characters that end an unquoted field's text or make it need quotes.
const std::array<bool, 256> special = [] {
    std::array<bool, 256> t{};
    t[','] = t['"'] = t['\r'] = t['\n'] = true;
    return t;
}();
} // namespace

bool CsvRecords::next(std::vector<std::string_view> &fields, std::string &error)
{
    fields.clear();
    error.clear();
    m_copiesUsed = 0;
    const std::size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    m_recordLine = m_line;
    m_plain = true;
    const std::size_t recordBegin = m_pos;
    const char *s = m_text.data();
    for (;;) {
        if (m_pos < size && s[m_pos] == '"') {
            // A quoted field, up to its closing quote.
            m_plain = false;
            const std::size_t begin = ++m_pos;
            bool doubled = false;
            std::size_t end = size;
            for (;;) {
                const std::size_t quote = m_text.find('"', m_pos);
                if (quote == std::string_view::npos) {
                    for (std::size_t i = begin; i < size; ++i)
                        m_line += s[i] == '\n';
                    m_pos = size;
                    fields.push_back(doubled ? unescaped(begin, size) : m_text.substr(begin));
                    error = "a quoted field is not closed";
                    return true;
                }
                if (quote + 1 < size && s[quote + 1] == '"') {
                    doubled = true;
                    m_pos = quote + 2;
                    continue;
                }
                end = quote;
                m_pos = quote + 1;
                break;
            }
            for (std::size_t i = begin; i < end; ++i)
                m_line += s[i] == '\n';
            fields.push_back(doubled ? unescaped(begin, end) : m_text.substr(begin, end - begin));
            int c = m_pos < size ? static_cast<unsigned char>(s[m_pos++]) : EOF;
            if (c == '\r' && m_pos < size && s[m_pos] == '\n')
                c = s[m_pos++];
            if (c == '\n')
                ++m_line;
            if (c != ',' && c != '\n' && c != EOF) {
                error = "text after a closing quote";
                skipRestOfLine();
                return true;
            }
            if (c != ',')
                return true;
            continue;
        }
        const std::size_t begin = m_pos;
        for (;;) {
            while (m_pos < size && !special[static_cast<unsigned char>(s[m_pos])])
                ++m_pos;
            if (m_pos == size) {
                fields.push_back(m_text.substr(begin));
                m_record = m_text.substr(recordBegin);
                return true;
            }
            const char c = s[m_pos];
            if (c == ',') {
                fields.push_back(m_text.substr(begin, m_pos - begin));
                ++m_pos;
                break;
            }
            if (c == '\n') {
                fields.push_back(m_text.substr(begin, m_pos - begin));
                m_record = m_text.substr(recordBegin, m_pos - recordBegin);
                ++m_pos;
                ++m_line;
                return true;
            }
            if (c == '"') {
                fields.push_back(m_text.substr(begin, m_pos - begin));
                m_plain = false;
                error = "a quote inside an unquoted field";
                skipRestOfLine();
                return true;
            }
            if (m_pos + 1 < size && s[m_pos + 1] == '\n') { // CR LF
                fields.push_back(m_text.substr(begin, m_pos - begin));
                m_record = m_text.substr(recordBegin, m_pos - recordBegin);
                m_pos += 2;
                ++m_line;
                return true;
            }
            m_plain = false; // a carriage return of its own is text
            ++m_pos;
        }
    }
}

bool CsvReader::readMore()
{
    if (m_atEnd)
        return false;
    if (m_pos > 0) {
        m_text.erase(0, m_pos);
        m_pos = 0;
    }
    // A record longer than what is held doubles the reading, so that a long
    // one is not searched for its end over and over.
    constexpr std::size_t chunk = 1 << 17;
    const std::size_t old = m_text.size();
    m_text.resize(old + std::max(chunk, old));
    const std::size_t got = std::fread(&m_text[old], 1, m_text.size() - old, m_in);
    m_text.resize(old + got);
    m_atEnd = got == 0;
    if (!m_started && (m_text.size() >= 3 || m_atEnd)) {
        m_started = true;
        // The mark is skipped only when all three bytes are there.
        if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            m_pos = 3;
    }
    return got > 0;
}

std::size_t CsvReader::wholeRecords()
{
    for (;;) {
        const std::string_view rest = std::string_view(m_text).substr(m_pos);
        if (m_atEnd)
            return rest.size();
        if (m_started) {
            if (const std::size_t cut = completeRecords(rest))
                return cut;
        }
        readMore();
    }
}

bool CsvReader::next(std::vector<std::string> &fields, std::string &error)
{
    const std::size_t cut = wholeRecords();
    if (cut == 0)
        return false;
    CsvRecords records(std::string_view(m_text).substr(m_pos, cut), m_line);
    std::vector<std::string_view> views;
    records.next(views, error);
    fields.assign(views.begin(), views.end());
    m_recordLine = records.line();
    m_line = records.nextLine();
    m_pos += records.position();
    return true;
}

bool CsvReader::nextBlock(std::string &block, long &firstLine, std::size_t size)
{
    while (m_text.size() - m_pos < size && readMore()) {
    }
    const std::size_t cut = wholeRecords();
    if (cut == 0)
        return false;
    block.assign(m_text, m_pos, cut);
    firstLine = m_line;
    m_line += static_cast<long>(std::count(block.begin(), block.end(), '\n'));
    m_pos += cut;
    return true;
}

std::size_t completeRecords(std::string_view text)
{
    const std::size_t n = text.size();
    if (text.find('"') == std::string_view::npos) {
        const std::size_t nl = text.rfind('\n');
        return nl == std::string_view::npos ? 0 : nl + 1;
    }
    // Quotes: follow the reader's states record by record.
    const char *s = text.data();
    std::size_t pos = 0, last = 0;
    auto restOfLine = [&]() -> bool {
        const std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos)
            return false;
        pos = last = nl + 1;
        return true;
    };
    while (pos < n) {
        bool recordEnded = false;
        while (!recordEnded) {
            if (pos >= n)
                return last;
            if (s[pos] == '"') {
                ++pos;
                for (;;) {
                    const std::size_t quote = text.find('"', pos);
                    if (quote == std::string_view::npos || quote + 1 >= n)
                        return last;
                    if (s[quote + 1] == '"') {
                        pos = quote + 2;
                        continue;
                    }
                    pos = quote + 1;
                    break;
                }
                char c = s[pos++];
                if (c == '\r') {
                    if (pos >= n)
                        return last;
                    if (s[pos] == '\n')
                        c = s[pos++];
                }
                if (c == '\n') {
                    last = pos;
                    recordEnded = true;
                } else if (c != ',') {
                    if (!restOfLine())
                        return last;
                    recordEnded = true;
                }
                continue;
            }
            for (;;) {
                if (pos >= n)
                    return last;
                const char c = s[pos];
                if (c == ',') {
                    ++pos;
                    break;
                }
                if (c == '\n') {
                    last = ++pos;
                    recordEnded = true;
                    break;
                }
                if (c == '"') {
                    if (!restOfLine())
                        return last;
                    recordEnded = true;
                    break;
                }
                if (c == '\r') {
                    if (pos + 1 >= n)
                        return last;
                    if (s[pos + 1] == '\n') {
                        pos += 2;
                        last = pos;
                        recordEnded = true;
                        break;
                    }
                }
                ++pos;
            }
        }
    }
    return last;
}

void appendField(std::string &record, std::string_view text, bool first)
{
    spreadsheet::appendCsvField(record, text, first);
}

} // namespace cli
