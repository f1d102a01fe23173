#pragma once
// Streaming CSV in the RFC 4180 dialect: fields separated by commas, records by
// LF or CRLF, a field in double quotes may hold commas, line breaks and doubled
// quotes. A UTF-8 byte-order mark before the first record is skipped. Reads and
// writes one record at a time, so memory does not grow with the row count.

#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

class CsvReader {
public:
    explicit CsvReader(std::FILE *in);
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // Reads the next record into fields. Returns false at the end of input.
    // A malformed record (a stray quote, text after a closing quote, a quote
    // left open at the end) is still returned, with error set to what is wrong;
    // reading goes on with the next line.
    bool next(std::vector<std::string> &fields, std::string &error);

    // The number of the line the last record started on (1-based).
    long line() const { return m_recordLine; }

private:
    int get();
    int peek();

    std::FILE *m_in;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    long m_line = 1;
    long m_recordLine = 1;
    bool m_started = false;
};

// The same dialect read from a block of text held in memory, a whole number of
// records long (the batch hands such blocks to its threads). The fields refer
// to the block, or to the reader's own copy of a field with doubled quotes,
// and stay valid until the next call.
class CsvRecords {
public:
    CsvRecords(std::string_view text, long firstLine) : m_text(text), m_line(firstLine) {}
    CsvRecords(const CsvRecords &) = delete;
    CsvRecords &operator=(const CsvRecords &) = delete;

    // As CsvReader::next.
    bool next(std::vector<std::string_view> &fields, std::string &error);
    long line() const { return m_recordLine; }
    // Bytes read so far.
    std::size_t position() const { return m_pos; }

private:
    void skipRestOfLine();
    std::string_view unescaped(std::size_t begin, std::size_t end);

    std::string_view m_text;
    std::size_t m_pos = 0;
    long m_line = 1;
    long m_recordLine = 1;
    std::deque<std::string> m_copies; // fields with doubled quotes
    std::size_t m_copiesUsed = 0;
};

// The length of the complete records at the start of text: the end of the
// last record whose end can be told without reading past the text (0 when
// there is none). Text holding more records may follow.
std::size_t completeRecords(std::string_view text);

// Appends a field to a record being built: a comma unless it is the first,
// then the text, in double quotes when it holds a comma, a quote or a line break.
void appendField(std::string &record, std::string_view text, bool first);

class CsvWriter {
public:
    explicit CsvWriter(std::FILE *out) : m_out(out) {}
    CsvWriter(const CsvWriter &) = delete;
    CsvWriter &operator=(const CsvWriter &) = delete;
    ~CsvWriter() { flush(); }

    void field(const std::string &text);
    void endRecord();
    void flush();

private:
    std::FILE *m_out;
    std::string m_pending; // records not yet written out
    bool m_first = true;
};

} // namespace cli
