#include "xlsxreader.h"

#include <expat.h>
#include <minizip/unzip.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace spreadsheet {

namespace {

[[noreturn]] void refuse(const std::string &why)
{
    throw BadSpreadsheet(why);
}

std::string quoted(std::string_view name)
{
    return "“" + std::string(name) + "”";
}

// ---------------------------------------------------------------- XML parts

// Expat splits a name into its namespace and its local name at this character.
constexpr char namespaceMark = '\x1F';

std::string_view localName(const XML_Char *name)
{
    const char *mark = std::strrchr(name, namespaceMark);
    return mark ? mark + 1 : name;
}

std::string_view namespaceOf(const XML_Char *name)
{
    const char *mark = std::strrchr(name, namespaceMark);
    return mark ? std::string_view(name, std::size_t(mark - name)) : std::string_view();
}

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// One part's XML read as it is inflated, a block at a time, by a handler of
// its elements. A part never has a DTD: one is refused, and with it every
// entity that could make a little XML into a great deal of text.
class XmlPart {
public:
    explicit XmlPart(std::string part) : m_part(std::move(part)), m_parser(XML_ParserCreateNS(nullptr, namespaceMark))
    {
        if (!m_parser)
            throw std::bad_alloc();
        XML_SetUserData(m_parser, this);
        XML_SetElementHandler(m_parser, &XmlPart::started, &XmlPart::ended);
        XML_SetCharacterDataHandler(m_parser, &XmlPart::characters);
        XML_SetStartDoctypeDeclHandler(m_parser, &XmlPart::doctype);
    }
    virtual ~XmlPart() { XML_ParserFree(m_parser); }
    XmlPart(const XmlPart &) = delete;
    XmlPart &operator=(const XmlPart &) = delete;

    void feed(const char *data, std::size_t size, bool last)
    {
        if (XML_Parse(m_parser, data, int(size), last) == XML_STATUS_ERROR) {
            if (!m_error.empty())
                refuse(m_error);
            refuse(quoted(m_part) + "不是有效的 XML（第 " + std::to_string(XML_GetCurrentLineNumber(m_parser)) +
                   " 行：" + XML_ErrorString(XML_GetErrorCode(m_parser)) + "）");
        }
    }
    void feedAll(std::string_view xml)
    {
        constexpr std::size_t block = std::size_t(1) << 20;
        do {
            const std::size_t n = std::min(block, xml.size());
            feed(xml.data(), n, n == xml.size());
            xml.remove_prefix(n);
        } while (!xml.empty());
    }

protected:
    virtual void start(const XML_Char *name, const XML_Char **attributes) = 0;
    virtual void end(const XML_Char *name) = 0;
    virtual void text(const XML_Char *, int) {}

    // Stops the parse; feed then refuses the part with this reason.
    void fail(const std::string &why)
    {
        if (m_error.empty())
            m_error = why;
        XML_StopParser(m_parser, XML_FALSE);
    }
    bool failed() const { return !m_error.empty(); }

    static const XML_Char *attribute(const XML_Char **attributes, std::string_view local)
    {
        for (const XML_Char **a = attributes; *a; a += 2)
            if (namespaceOf(a[0]).empty() && localName(a[0]) == local)
                return a[1];
        return nullptr;
    }

    std::string m_part;

private:
    static void XMLCALL started(void *self, const XML_Char *name, const XML_Char **attributes)
    {
        auto *part = static_cast<XmlPart *>(self);
        if (!part->failed())
            part->start(name, attributes);
    }
    static void XMLCALL ended(void *self, const XML_Char *name)
    {
        auto *part = static_cast<XmlPart *>(self);
        if (!part->failed())
            part->end(name);
    }
    static void XMLCALL characters(void *self, const XML_Char *s, int length)
    {
        auto *part = static_cast<XmlPart *>(self);
        if (!part->failed())
            part->text(s, length);
    }
    static void XMLCALL doctype(void *self, const XML_Char *, const XML_Char *, const XML_Char *, int)
    {
        auto *part = static_cast<XmlPart *>(self);
        part->fail(quoted(part->m_part) + "含有文档类型定义（DTD），工作簿中不应有");
    }

    XML_Parser m_parser;
    std::string m_error;
};

// The relationships of a part (_rels/*.rels): id, type and target of each.
struct Relationship {
    std::string id, type, target;
};

class RelationshipsPart : public XmlPart {
public:
    using XmlPart::XmlPart;
    std::vector<Relationship> relationships;

protected:
    void start(const XML_Char *name, const XML_Char **attributes) override
    {
        if (localName(name) != "Relationship")
            return;
        const XML_Char *mode = attribute(attributes, "TargetMode");
        if (mode && std::string_view(mode) == "External")
            return; // a link out of the package, never a part of it
        const XML_Char *id = attribute(attributes, "Id");
        const XML_Char *type = attribute(attributes, "Type");
        const XML_Char *target = attribute(attributes, "Target");
        if (id && type && target)
            relationships.push_back({id, type, target});
    }
    void end(const XML_Char *) override {}
};

// The workbook part: the relationship of its first sheet, the first tab.
class WorkbookPart : public XmlPart {
public:
    using XmlPart::XmlPart;
    std::string firstSheet; // the relationship's id
    std::string firstSheetName;

protected:
    void start(const XML_Char *name, const XML_Char **attributes) override
    {
        if (localName(name) != "sheet" || m_seen)
            return;
        m_seen = true;
        for (const XML_Char **a = attributes; *a; a += 2) {
            // r:id, in the relationships namespace of transitional or strict OOXML.
            if (localName(a[0]) == "id" && endsWith(namespaceOf(a[0]), "relationships"))
                firstSheet = a[1];
            else if (localName(a[0]) == "name" && namespaceOf(a[0]).empty())
                firstSheetName = a[1];
        }
    }
    void end(const XML_Char *) override {}

private:
    bool m_seen = false;
};

// The core document properties (docProps/core.xml): the title (dc:title).
class CorePropertiesPart : public XmlPart {
public:
    using XmlPart::XmlPart;
    std::string title;

protected:
    void start(const XML_Char *name, const XML_Char **) override
    {
        m_inTitle = localName(name) == "title" && namespaceOf(name) == "http://purl.org/dc/elements/1.1/";
    }
    void end(const XML_Char *) override { m_inTitle = false; }
    void text(const XML_Char *s, int length) override
    {
        if (!m_inTitle)
            return;
        if (title.size() + std::size_t(length) > maxTitleBytes)
            return fail("标题过长");
        title.append(s, std::size_t(length));
    }

private:
    static constexpr std::size_t maxTitleBytes = 4096;
    bool m_inTitle = false;
};

// OOXML writes a character XML cannot hold (a control character) as _xHHHH_,
// the UTF-16 code unit in hex, and a "_x" of the text itself as _x005F_x.
void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

std::string unescaped(const std::string &text)
{
    if (text.find("_x") == std::string::npos)
        return text;
    auto unitAt = [&text](std::size_t i) -> int {
        if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_')
            return -1;
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + i + 2, text.data() + i + 6, value, 16);
        return error == std::errc() && end == text.data() + i + 6 ? int(value) : -1;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const int unit = unitAt(i);
        if (unit < 0) {
            out.push_back(text[i++]);
            continue;
        }
        i += 7;
        char32_t c = char32_t(unit);
        if (c >= 0xD800 && c <= 0xDBFF) {
            const int low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + char32_t(low - 0xDC00);
                i += 7;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c != 0)
            appendUtf8(out, c);
    }
    return out;
}

// The shared strings: the texts of <si>, each the <t> of its runs together,
// the phonetic guide (<rPh>) left out.
class SharedStringsPart : public XmlPart {
public:
    using XmlPart::XmlPart;
    std::vector<std::string> strings;

protected:
    void start(const XML_Char *name, const XML_Char **) override
    {
        const std::string_view local = localName(name);
        if (local == "si") {
            m_inItem = true;
            m_text.clear();
        } else if (local == "rPh") {
            ++m_phonetic;
        } else if (local == "t" && m_inItem && m_phonetic == 0) {
            m_inText = true;
        }
    }
    void end(const XML_Char *name) override
    {
        const std::string_view local = localName(name);
        if (local == "si" && m_inItem) {
            strings.push_back(unescaped(m_text));
            m_inItem = false;
        } else if (local == "rPh" && m_phonetic > 0) {
            --m_phonetic;
        } else if (local == "t") {
            m_inText = false;
        }
    }
    void text(const XML_Char *s, int length) override
    {
        if (m_inText)
            m_text.append(s, std::size_t(length));
    }

private:
    bool m_inItem = false, m_inText = false;
    int m_phonetic = 0;
    std::string m_text;
};

// A number as a spreadsheet shows it in its general format: 15 significant
// digits, no trailing zeros, so that 0.20000000000000001 is 0.2 again.
std::string numberText(std::string_view value)
{
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t' || value.front() == '\n'))
        value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\n'))
        value.remove_suffix(1);
    if (!value.empty() && value.front() == '+')
        value.remove_prefix(1);
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size())
        return std::string(value); // not a number after all: its text, for the table to judge
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
    return std::string(buffer, written.ptr);
}

// A worksheet: the value of every cell of its sheetData.
class WorksheetPart : public XmlPart {
public:
    WorksheetPart(std::string part, const std::vector<std::string> &shared) : XmlPart(std::move(part)), m_shared(shared)
    {}

    Sheet finish()
    {
        // Spreadsheets write their cells in order; a cell written twice keeps its last value.
        std::stable_sort(m_cells.begin(), m_cells.end(), [](const Cell &a, const Cell &b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        Sheet sheet;
        for (std::size_t i = 0; i < m_cells.size(); ++i) {
            Cell &cell = m_cells[i];
            if (i + 1 < m_cells.size() && m_cells[i + 1].row == cell.row && m_cells[i + 1].column == cell.column)
                continue;
            if (sheet.rows.empty() || sheet.rows.back().number != cell.row) {
                sheet.rows.emplace_back();
                sheet.rows.back().number = cell.row;
            }
            sheet.rows.back().cells.emplace_back(cell.column, std::move(cell.text));
            sheet.height = std::max(sheet.height, cell.row);
            sheet.width = std::max(sheet.width, cell.column + 1);
        }
        m_cells.clear();
        return sheet;
    }

protected:
    void start(const XML_Char *name, const XML_Char **attributes) override
    {
        const std::string_view local = localName(name);
        if (local == "sheetData") {
            m_inData = true;
            return;
        }
        if (!m_inData)
            return;
        if (local == "row") {
            const XML_Char *r = attribute(attributes, "r");
            std::size_t number = m_row + 1;
            if (r && !readNumber(r, number))
                return fail(quoted(m_part) + "中的行号" + quoted(r) + "无效");
            if (number == 0 || number <= m_row)
                return fail(quoted(m_part) + "中的行顺序有误（第 " + std::to_string(number) + " 行）");
            if (number > maxRows)
                return fail(tooManyRowsText());
            m_row = number;
            m_column = std::size_t(-1); // the row's first cell without a reference is in column A
        } else if (local == "c") {
            const XML_Char *r = attribute(attributes, "r");
            const XML_Char *t = attribute(attributes, "t");
            std::size_t column = m_column + 1;
            if (r && !readColumn(r, column))
                return fail(quoted(m_part) + "中的单元格引用" + quoted(r) + "无效");
            if (column >= maxColumns)
                return fail(tooManyColumnsText());
            if (m_row == 0)
                m_row = 1; // a cell outside any row: spreadsheets never write one
            m_column = column;
            m_type = t ? t : "n";
            m_value.clear();
            m_inline.clear();
            m_inCell = true;
        } else if (m_inCell && local == "v") {
            m_collect = &m_value;
        } else if (m_inCell && local == "is") {
            m_inInline = true;
        } else if (m_inInline && local == "rPh") {
            ++m_phonetic;
        } else if (m_inInline && local == "t" && m_phonetic == 0) {
            m_collect = &m_inline;
        }
    }

    void end(const XML_Char *name) override
    {
        const std::string_view local = localName(name);
        if (local == "sheetData") {
            m_inData = false;
        } else if (local == "v" || local == "t") {
            m_collect = nullptr;
        } else if (local == "rPh" && m_phonetic > 0) {
            --m_phonetic;
        } else if (local == "is") {
            m_inInline = false;
        } else if (local == "c" && m_inCell) {
            m_inCell = false;
            keepCell();
        }
    }

    void text(const XML_Char *s, int length) override
    {
        if (!m_collect)
            return;
        if (m_collect->size() + std::size_t(length) > maxTextBytes)
            return fail("表格中的文本超过 64 MB");
        m_collect->append(s, std::size_t(length));
    }

private:
    struct Cell {
        std::size_t row, column;
        std::string text;
    };

    // A row's number; one of more digits than any bound is beyond the bound.
    static bool readNumber(std::string_view digits, std::size_t &number)
    {
        if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        if (digits.size() > 9) {
            number = maxRows + 1;
            return true;
        }
        std::from_chars(digits.data(), digits.data() + digits.size(), number);
        return true;
    }

    // The column of a reference such as "AB12" (0-based); its row is the row's.
    static bool readColumn(std::string_view reference, std::size_t &column)
    {
        std::size_t n = 0, i = 0;
        for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i)
            n = std::min<std::size_t>(n * 26 + std::size_t(reference[i] - 'A' + 1), maxColumns + 1);
        if (i == 0 || i == reference.size())
            return false;
        for (std::size_t k = i; k < reference.size(); ++k)
            if (reference[k] < '0' || reference[k] > '9')
                return false;
        column = n - 1;
        return true;
    }

    void keepCell()
    {
        std::string text;
        if (m_type == "s") {
            std::size_t index = 0;
            const std::string value = numberText(m_value);
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (m_value.empty() || error != std::errc() || end != value.data() + value.size() ||
                index >= m_shared.size())
                return fail("单元格 " + columnLetters(m_column) + std::to_string(m_row) + " 引用的共享字符串" +
                            quoted(m_value) + "不存在（工作簿共有 " + std::to_string(m_shared.size()) +
                            " 个共享字符串）");
            text = m_shared[index];
        } else if (m_type == "inlineStr") {
            text = unescaped(m_inline);
        } else if (m_type == "str" || m_type == "e" || m_type == "d") {
            text = unescaped(m_value); // a formula's text result, an error value (#DIV/0!), a date
        } else if (m_type == "b") {
            text = m_value.empty() ? "" : numberText(m_value) == "0" ? "FALSE" : "TRUE";
        } else {
            text = m_value.empty() ? std::string() : numberText(m_value);
        }
        if (text.empty())
            return;
        m_textBytes += text.size();
        if (m_textBytes > maxTextBytes)
            return fail("表格中的文本超过 64 MB");
        m_cells.push_back({m_row, m_column, std::move(text)});
    }

    const std::vector<std::string> &m_shared;
    std::vector<Cell> m_cells;
    std::size_t m_textBytes = 0;
    bool m_inData = false, m_inCell = false, m_inInline = false;
    int m_phonetic = 0;
    std::size_t m_row = 0, m_column = std::size_t(-1);
    std::string m_type, m_value, m_inline;
    std::string *m_collect = nullptr;
};

// ---------------------------------------------------------------- the zip

// The bytes of a workbook held in memory, as minizip reads a file.
struct MemoryFile {
    std::string_view bytes;
    std::uint64_t at = 0;
};

voidpf ZCALLBACK memoryOpen(voidpf, const void *file, int)
{
    return const_cast<void *>(file);
}

uLong ZCALLBACK memoryRead(voidpf, voidpf stream, void *buffer, uLong size)
{
    auto *file = static_cast<MemoryFile *>(stream);
    const std::uint64_t left = file->at < file->bytes.size() ? file->bytes.size() - file->at : 0;
    const uLong n = uLong(std::min<std::uint64_t>(size, left));
    if (n > 0)
        std::memcpy(buffer, file->bytes.data() + file->at, n);
    file->at += n;
    return n;
}

uLong ZCALLBACK memoryWrite(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK memoryTell(voidpf, voidpf stream)
{
    return static_cast<MemoryFile *>(stream)->at;
}

long ZCALLBACK memorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *file = static_cast<MemoryFile *>(stream);
    std::uint64_t base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = file->at;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = file->bytes.size();
        break;
    default:
        return -1;
    }
    if (offset > file->bytes.size() || base > file->bytes.size() - offset)
        return -1;
    file->at = base + offset;
    return 0;
}

int ZCALLBACK memoryClose(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK memoryError(voidpf, voidpf)
{
    return 0;
}

std::string lowered(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

class Workbook {
public:
    explicit Workbook(const std::string &path)
    {
        zlib_filefunc64_def files;
        fill_fopen64_filefunc(&files);
        open(unzOpen2_64(path.c_str(), &files));
    }
    explicit Workbook(std::string_view bytes) : m_memory{bytes, 0}
    {
        zlib_filefunc64_def files{};
        files.zopen64_file = memoryOpen;
        files.zread_file = memoryRead;
        files.zwrite_file = memoryWrite;
        files.ztell64_file = memoryTell;
        files.zseek64_file = memorySeek;
        files.zclose_file = memoryClose;
        files.zerror_file = memoryError;
        open(unzOpen2_64(&m_memory, &files));
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    bool has(const std::string &part) const { return m_parts.count(lowered(part)) > 0; }

    // Inflates a part into its parser, a block at a time, within the bounds.
    void read(const std::string &part, XmlPart &parser)
    {
        const auto found = m_parts.find(lowered(part));
        if (found == m_parts.end())
            refuse("工作簿中缺少" + quoted(part));
        unz64_file_pos position = found->second;
        unz_file_info64 info{};
        if (unzGoToFilePos64(m_zip.get(), &position) != UNZ_OK ||
            unzGetCurrentFileInfo64(m_zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            refuse("工作簿的压缩包已损坏（" + quoted(part) + "）");
        if (info.flag & 1)
            refuse("工作簿已加密，请在 Excel 或 WPS 中取消密码后另存");
        // What the header declares is checked first, and what inflating gives
        // again as it comes: neither is taken on trust.
        checkSize(part, info.uncompressed_size, info.compressed_size);
        if (unzOpenCurrentFile(m_zip.get()) != UNZ_OK)
            refuse("无法解压" + quoted(part) + "（压缩包已损坏，或压缩方法不受支持）");
        std::unique_ptr<char[]> block(new char[blockBytes]);
        std::uint64_t inflated = 0;
        for (;;) {
            const int n = unzReadCurrentFile(m_zip.get(), block.get(), unsigned(blockBytes));
            if (n < 0) {
                unzCloseCurrentFile(m_zip.get());
                refuse("工作簿的压缩包已损坏，" + quoted(part) + "无法解压");
            }
            if (n == 0)
                break;
            inflated += std::uint64_t(n);
            try {
                checkSize(part, inflated, info.compressed_size);
                parser.feed(block.get(), std::size_t(n), false);
            } catch (...) {
                unzCloseCurrentFile(m_zip.get());
                throw;
            }
        }
        // minizip inflates no more than the header declares: a part whose
        // header understates it ends early, and its checksum then tells.
        const int closed = unzCloseCurrentFile(m_zip.get());
        if (inflated != info.uncompressed_size)
            refuse(quoted(part) + "解压后的大小与压缩包中记录的不符，文件已损坏");
        if (closed == UNZ_CRCERROR)
            refuse(quoted(part) + "的校验和不符，文件已损坏");
        if (closed != UNZ_OK)
            refuse("工作簿的压缩包已损坏，" + quoted(part) + "无法解压");
        parser.feed(block.get(), 0, true);
    }

private:
    static constexpr std::size_t blockBytes = std::size_t(1) << 16;

    static void checkSize(const std::string &part, std::uint64_t inflated, std::uint64_t compressed)
    {
        if (inflated > maxPartBytes)
            refuse(quoted(part) + "解压后超过 50 MB");
        if (inflated > maxInflation * compressed)
            refuse(quoted(part) + "解压后是压缩时的 100 倍以上，疑为压缩炸弹");
    }

    void open(unzFile zip)
    {
        m_zip.reset(zip);
        if (!m_zip)
            refuse("文件不是 xlsx 工作簿，或已损坏、不完整（无法作为 zip 压缩包打开）");
        unz_global_info64 global{};
        if (unzGetGlobalInfo64(m_zip.get(), &global) != UNZ_OK)
            refuse("工作簿的压缩包已损坏");
        if (global.number_entry > maxParts)
            refuse("工作簿的压缩包中有 " + std::to_string(global.number_entry) + " 个文件，不是 xlsx 工作簿");
        // The parts by name, looked up without regard to case as OPC names them.
        for (int status = unzGoToFirstFile(m_zip.get()); status == UNZ_OK; status = unzGoToNextFile(m_zip.get())) {
            char name[1024];
            unz_file_info64 info{};
            if (unzGetCurrentFileInfo64(m_zip.get(), &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
                refuse("工作簿的压缩包已损坏");
            unz64_file_pos position{};
            unzGetFilePos64(m_zip.get(), &position);
            m_parts.emplace(lowered(std::string(name, strnlen(name, sizeof name))), position);
            if (m_parts.size() > maxParts)
                refuse("工作簿的压缩包中文件过多，不是 xlsx 工作簿");
        }
    }

    // Closed by its member's own destructor, so also when the constructor
    // refuses the file half-way through reading its directory.
    struct Closer {
        void operator()(void *zip) const { unzClose(zip); }
    };

    MemoryFile m_memory;
    std::unique_ptr<void, Closer> m_zip;
    std::unordered_map<std::string, unz64_file_pos> m_parts;
};

// A relationship's target as a part name: relative to the folder of the part
// that holds it, or from the package's root when it begins with "/".
std::string resolved(const std::string &source, const std::string &target)
{
    std::string decoded;
    for (std::size_t i = 0; i < target.size(); ++i) {
        unsigned value = 0;
        if (target[i] == '%' && i + 2 < target.size() &&
            std::from_chars(target.data() + i + 1, target.data() + i + 3, value, 16).ptr == target.data() + i + 3) {
            decoded.push_back(char(value));
            i += 2;
        } else {
            decoded.push_back(target[i] == '\\' ? '/' : target[i]);
        }
    }
    std::vector<std::string> segments;
    if (decoded.empty() || decoded.front() != '/') {
        const std::size_t slash = source.rfind('/');
        if (slash != std::string::npos)
            decoded = source.substr(0, slash + 1) + decoded;
    }
    std::size_t begin = 0;
    while (begin <= decoded.size()) {
        std::size_t end = decoded.find('/', begin);
        if (end == std::string::npos)
            end = decoded.size();
        const std::string segment = decoded.substr(begin, end - begin);
        if (segment == "..") {
            if (segments.empty())
                refuse("工作簿中的引用" + quoted(target) + "指向压缩包之外");
            segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        begin = end + 1;
    }
    std::string part;
    for (const std::string &segment : segments)
        part += (part.empty() ? "" : "/") + segment;
    return part;
}

// The relationships part of a part: xl/workbook.xml → xl/_rels/workbook.xml.rels.
std::string relationshipsOf(const std::string &part)
{
    const std::size_t slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
    return folder + "_rels/" + part.substr(slash == std::string::npos ? 0 : slash + 1) + ".rels";
}

std::vector<Relationship> relationships(Workbook &book, const std::string &part)
{
    RelationshipsPart parser(part);
    book.read(part, parser);
    return std::move(parser.relationships);
}

Sheet readWorkbook(Workbook &book)
{
    if (!book.has("_rels/.rels"))
        refuse("文件不是 xlsx 工作簿（压缩包中没有 _rels/.rels）");
    std::string workbook, properties;
    for (const Relationship &r : relationships(book, "_rels/.rels")) {
        if (endsWith(r.type, "/officeDocument"))
            workbook = resolved("", r.target);
        else if (endsWith(r.type, "/core-properties"))
            properties = resolved("", r.target);
    }
    if (workbook.empty())
        refuse("文件不是 xlsx 工作簿（没有指明工作簿的主体）");

    WorkbookPart workbookPart(workbook);
    book.read(workbook, workbookPart);
    if (workbookPart.firstSheet.empty())
        refuse("工作簿中没有工作表");
    std::string sheet, sheetType, shared;
    const std::string rels = relationshipsOf(workbook);
    if (!book.has(rels))
        refuse("工作簿中缺少" + quoted(rels));
    for (const Relationship &r : relationships(book, rels)) {
        if (r.id == workbookPart.firstSheet) {
            sheet = resolved(workbook, r.target);
            sheetType = r.type;
        } else if (endsWith(r.type, "/sharedStrings")) {
            shared = resolved(workbook, r.target);
        }
    }
    if (sheet.empty())
        refuse("工作簿中找不到第一张工作表" + quoted(workbookPart.firstSheetName));
    if (!endsWith(sheetType, "/worksheet"))
        refuse("第一张工作表" + quoted(workbookPart.firstSheetName) + "是图表或对话框，没有单元格");

    SharedStringsPart strings(shared);
    if (!shared.empty() && book.has(shared))
        book.read(shared, strings);
    WorksheetPart cells(sheet, strings.strings);
    book.read(sheet, cells);
    Sheet read = cells.finish();

    // The title is the project's name, no more: a workbook whose properties
    // cannot be read is read without it.
    if (!properties.empty() && book.has(properties)) {
        try {
            CorePropertiesPart core(properties);
            book.read(properties, core);
            read.title = core.title;
        } catch (const BadSpreadsheet &) {
            read.title.clear();
        }
    }
    return read;
}

} // namespace

Sheet readXlsxFile(const std::string &path)
{
    Workbook book(path);
    return readWorkbook(book);
}

Sheet readXlsxBytes(std::string_view bytes)
{
    Workbook book(bytes);
    return readWorkbook(book);
}

namespace detail {

Sheet readSheetXml(std::string_view sheetXml, std::string_view sharedStringsXml)
{
    SharedStringsPart strings("xl/sharedStrings.xml");
    if (!sharedStringsXml.empty())
        strings.feedAll(sharedStringsXml);
    WorksheetPart cells("xl/worksheets/sheet1.xml", strings.strings);
    cells.feedAll(sheetXml);
    return cells.finish();
}

} // namespace detail

} // namespace spreadsheet
