#pragma once
// Streaming CSV in the RFC 4180 dialect: fields separated by commas, records by
// LF or CRLF, a field in double quotes may hold commas, line breaks and doubled
// quotes. A UTF-8 byte-order mark before the first record is skipped. Reads a
// block of records at a time, so memory does not grow with the row count.

#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The same dialect read from a block of text held in memory, a whole number of
// records long (the batch hands such blocks to its threads). The fields refer
// to the block, or to the reader's own copy of a field with doubled quotes,
// and stay valid until the next call.
class CsvRecords {
public:
    CsvRecords(std::string_view text, long firstLine) : m_text(text), m_line(firstLine) {}
    CsvRecords(const CsvRecords &) = delete;
    CsvRecords &operator=(const CsvRecords &) = delete;

    // Reads the next record into fields. Returns false at the end of the
    // block. A malformed record (a stray quote, text after a closing quote, a
    // quote left open at the end) is still returned, with error set to what is
    // wrong; reading goes on with the next line.
    bool next(std::vector<std::string_view> &fields, std::string &error);
    // The number of the line the last record started on (1-based), and of the
    // line reading goes on at.
    long line() const { return m_recordLine; }
    long nextLine() const { return m_line; }
    // Bytes read so far.
    std::size_t position() const { return m_pos; }
    // Whether the last record is written as its fields would be written again:
    // no quotes, no carriage return but in its line break. Its text is then
    // record(), without the line break.
    bool plain() const { return m_plain; }
    std::string_view record() const { return m_record; }

private:
    void skipRestOfLine();
    std::string_view unescaped(std::size_t begin, std::size_t end);

    std::string_view m_text;
    std::size_t m_pos = 0;
    long m_line = 1;
    long m_recordLine = 1;
    std::deque<std::string> m_copies; // fields with doubled quotes
    std::size_t m_copiesUsed = 0;
    bool m_plain = false;
    std::string_view m_record;
};

// Records read from a file in blocks of whole records: the batch reads its
// header a record at a time, then hands the rest out in blocks to its threads.
// Memory holds one block and the part of a record that runs past it.
class CsvReader {
public:
    explicit CsvReader(std::FILE *in) : m_in(in) {}
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // As CsvRecords::next, with fields of their own.
    bool next(std::vector<std::string> &fields, std::string &error);
    long line() const { return m_recordLine; }

    // The next block of whole records not yet read, of about `size` bytes
    // (more when one record is longer), and the line it starts on; false at
    // the end of the input.
    bool nextBlock(std::string &block, long &firstLine, std::size_t size);

private:
    // Reads more input onto m_text; false at its end.
    bool readMore();
    // The length of the whole records at the start of the text not yet read,
    // reading more until there is one or the input ends.
    std::size_t wholeRecords();

    std::FILE *m_in;
    std::string m_text;    // read from the file, from m_pos on not yet handed out
    std::size_t m_pos = 0;
    long m_line = 1;       // the line at m_pos
    long m_recordLine = 1;
    bool m_atEnd = false;
    bool m_started = false;
};

// The length of the complete records at the start of text: the end of the
// last record whose end can be told without reading past the text (0 when
// there is none). Text holding more records may follow.
std::size_t completeRecords(std::string_view text);

// Appends a field to a record being built: a comma unless it is the first,
// then the text, in double quotes when it holds a comma, a quote or a line break.
void appendField(std::string &record, std::string_view text, bool first);

} // namespace cli
