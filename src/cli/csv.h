#pragma once
// Streaming CSV in the RFC 4180 dialect: fields separated by commas, records by
// LF or CRLF, a field in double quotes may hold commas, line breaks and doubled
// quotes. A UTF-8 byte-order mark before the first record is skipped. Reads and
// writes one record at a time, so memory does not grow with the row count.

#include <cstdio>
#include <string>
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
