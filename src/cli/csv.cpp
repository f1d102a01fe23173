#include "csv.h"

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
