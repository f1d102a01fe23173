#pragma once
// Small xlsx workbooks made in a test, part by part, with minizip's own
// writer: good ones, written in each of the ways spreadsheets write their
// cells, and hostile ones, down to a part whose header lies about its size.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <minizip/zip.h>
#include <zlib.h>

#include <cstdint>
#include <stdexcept>

namespace workbooks {

struct Part {
    QString name;
    QByteArray bytes;
    // For a forged part: bytes are already raw deflate data, written as they
    // are, and the header declares this size and CRC of the inflated data.
    bool forged = false;
    std::uint64_t declaredSize = 0;
    uLong declaredCrc = 0;
    bool stored = false; // written without compression
};

// Raw deflate data (no zlib header), as a zip member holds it.
inline QByteArray rawDeflate(const QByteArray &bytes)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    QByteArray out(int(deflateBound(&z, uLong(bytes.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

inline uLong crcOf(const QByteArray &bytes)
{
    return crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size()));
}

// The zip of the parts, in order.
inline QByteArray zip(const QList<Part> &parts)
{
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("book.xlsx").toLocal8Bit();
    zipFile file = zipOpen64(path.constData(), APPEND_STATUS_CREATE);
    if (!file)
        throw std::runtime_error("zipOpen64");
    for (const Part &part : parts) {
        zip_fileinfo info{};
        const QByteArray name = part.name.toUtf8();
        const int method = part.stored ? 0 : Z_DEFLATED;
        if (zipOpenNewFileInZip2_64(file, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                                    part.stored ? 0 : 9, part.forged ? 1 : 0, 0) != ZIP_OK)
            throw std::runtime_error("zipOpenNewFileInZip2_64");
        zipWriteInFileInZip(file, part.bytes.constData(), unsigned(part.bytes.size()));
        if (part.forged)
            zipCloseFileInZipRaw64(file, part.declaredSize, part.declaredCrc);
        else
            zipCloseFileInZip(file);
    }
    zipClose(file, nullptr);
    QFile in(QString::fromLocal8Bit(path));
    in.open(QIODevice::ReadOnly);
    return in.readAll();
}

inline const char *mainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// The parts of a workbook of one sheet (xl/worksheets/sheet1.xml), with
// shared strings when given.
inline QList<Part> parts(const QByteArray &sheetXml, const QByteArray &sharedStringsXml = {})
{
    QList<Part> list;
    list << Part{"[Content_Types].xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
                                        "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"};
    list << Part{"_rels/.rels",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                 "<Relationship Id=\"rId1\" "
                 "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
                 "Target=\"xl/workbook.xml\"/></Relationships>"};
    list << Part{"xl/workbook.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                    "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"};
    QByteArray rels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" "
                      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                      "Target=\"worksheets/sheet1.xml\"/>";
    if (!sharedStringsXml.isEmpty())
        rels += "<Relationship Id=\"rId2\" "
                "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                "Target=\"sharedStrings.xml\"/>";
    rels += "</Relationships>";
    list << Part{"xl/_rels/workbook.xml.rels", rels};
    list << Part{"xl/worksheets/sheet1.xml", sheetXml};
    if (!sharedStringsXml.isEmpty())
        list << Part{"xl/sharedStrings.xml", sharedStringsXml};
    return list;
}

// A worksheet's XML around the rows given.
inline QByteArray sheet(const QByteArray &rows)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
           rows + "</sheetData></worksheet>";
}

// Shared strings of these texts (already XML-escaped).
inline QByteArray sharedStrings(const QList<QByteArray> &texts)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                     "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const QByteArray &t : texts)
        xml += "<si><t>" + t + "</t></si>";
    return xml + "</sst>";
}

} // namespace workbooks
