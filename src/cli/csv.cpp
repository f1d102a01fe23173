#include "csv.h"

#include <array>

namespace cli {

CsvReader::CsvReader(std::FILE *in) : m_in(in), m_buffer(1 << 16) {}

int CsvReader::peek()
{
    if (m_pos == m_end) {
        m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_in);
        m_pos = 0;
        if (m_end == 0)
            return EOF;
    }
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

int CsvReader::get()
{
    const int c = peek();
    if (c != EOF)
        ++m_pos;
    if (c == '\n')
        ++m_line;
    return c;
}

bool CsvReader::next(std::vector<std::string> &fields, std::string &error)
{
    fields.clear();
    error.clear();
    if (!m_started) {
        m_started = true;
        static const unsigned char bom[] = {0xEF, 0xBB, 0xBF};
        // The mark is skipped only when all three bytes are there.
        if (peek() == bom[0] && m_end - m_pos >= 3 && static_cast<unsigned char>(m_buffer[m_pos + 1]) == bom[1] &&
            static_cast<unsigned char>(m_buffer[m_pos + 2]) == bom[2])
            m_pos += 3;
    }
    if (peek() == EOF)
        return false;
    m_recordLine = m_line;

    std::string field;
    auto skipRestOfLine = [this] {
        for (int c = get(); c != EOF && c != '\n'; c = get()) {
        }
    };
    for (;;) {
        int c = get();
        if (c == '"' && field.empty()) {
            // A quoted field, up to its closing quote.
            for (;;) {
                c = get();
                if (c == EOF) {
                    fields.push_back(std::move(field));
                    error = "a quoted field is not closed";
                    return true;
                }
                if (c == '"') {
                    if (peek() == '"') {
                        get();
                        field.push_back('"');
                        continue;
                    }
                    break;
                }
                field.push_back(static_cast<char>(c));
            }
            c = get();
            if (c == '\r' && peek() == '\n')
                c = get();
            if (c != ',' && c != '\n' && c != EOF) {
                fields.push_back(std::move(field));
                error = "text after a closing quote";
                skipRestOfLine();
                return true;
            }
        } else {
            while (c != ',' && c != '\n' && c != EOF) {
                if (c == '"') {
                    fields.push_back(std::move(field));
                    error = "a quote inside an unquoted field";
                    skipRestOfLine();
                    return true;
                }
                if (c == '\r' && peek() == '\n') {
                    c = get();
                    break;
                }
                field.push_back(static_cast<char>(c));
                c = get();
            }
        }
        fields.push_back(std::move(field));
        field.clear();
        if (c != ',')
            return true;
    }
}

namespace {
// The characters that make a field need quotes.
bool needsQuotes(const std::string &text)
{
    for (const char c : text)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    return false;
}
} // namespace

void CsvWriter::field(const std::string &text)
{
    if (!m_first)
        m_pending.push_back(',');
    m_first = false;
    if (!needsQuotes(text)) {
        m_pending += text;
        return;
    }
    m_pending.push_back('"');
    for (char c : text) {
        if (c == '"')
            m_pending.push_back('"');
        m_pending.push_back(c);
    }
    m_pending.push_back('"');
}

void CsvWriter::endRecord()
{
    m_pending.push_back('\n');
    m_first = true;
    if (m_pending.size() >= (1 << 16))
        flush();
}

void CsvWriter::flush()
{
    std::fwrite(m_pending.data(), 1, m_pending.size(), m_out);
    m_pending.clear();
}

} // namespace cli

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

bool CsvRecords::next(std::vector<std::string_view> &fields, std::string &error)
{
    fields.clear();
    error.clear();
    m_copiesUsed = 0;
    const std::size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    m_recordLine = m_line;
    const char *s = m_text.data();
    for (;;) {
        if (m_pos < size && s[m_pos] == '"') {
            // A quoted field, up to its closing quote.
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
            if (m_pos == size) {
                fields.push_back(m_text.substr(begin));
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
                ++m_pos;
                ++m_line;
                return true;
            }
            if (c == '"') {
                fields.push_back(m_text.substr(begin, m_pos - begin));
                error = "a quote inside an unquoted field";
                skipRestOfLine();
                return true;
            }
            if (c == '\r' && m_pos + 1 < size && s[m_pos + 1] == '\n') {
                fields.push_back(m_text.substr(begin, m_pos - begin));
                m_pos += 2;
                ++m_line;
                return true;
            }
            ++m_pos;
        }
    }
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
    if (!first)
        record.push_back(',');
    // The characters that make a field need quotes, looked up in a table.
    static const auto special = [] {
        std::array<bool, 256> t{};
        t[','] = t['"'] = t['\r'] = t['\n'] = true;
        return t;
    }();
    bool quotes = false;
    for (const char c : text)
        quotes |= special[static_cast<unsigned char>(c)];
    if (!quotes) {
        record.append(text.data(), text.size());
        return;
    }
    record.push_back('"');
    for (char c : text) {
        if (c == '"')
            record.push_back('"');
        record.push_back(c);
    }
    record.push_back('"');
}

} // namespace cli
