#include "textcodec.h"

#include "cells.h"

#include <cerrno>
#include <iconv.h>

namespace spreadsheet {

namespace {

// Converts with glibc's iconv; throws BadSpreadsheet at the first byte that
// is not of the encoding.
std::string converted(std::string_view bytes, const char *from, const char *name)
{
    const iconv_t cd = iconv_open("UTF-8", from);
    if (cd == iconv_t(-1))
        throw BadSpreadsheet(std::string("本系统无法转换 ") + name + " 编码");
    std::string out;
    // GB18030 takes at most 3 UTF-8 bytes for 2 of its own, UTF-16 3 for 2.
    out.resize(bytes.size() * 3 / 2 + 16);
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    char *to = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &to, &outLeft) != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            const std::size_t used = std::size_t(to - out.data());
            out.resize(out.size() * 2);
            to = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        const std::size_t at = bytes.size() - inLeft;
        iconv_close(cd);
        throw BadSpreadsheet("文件既不是 UTF-8 也不是 " + std::string(name) + " 编码的文本（第 " +
                             std::to_string(at + 1) + " 个字节处）");
    }
    iconv_close(cd);
    out.resize(std::size_t(to - out.data()));
    return out;
}

} // namespace

bool isUtf8(std::string_view bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        unsigned low = 0x80, high = 0xBF; // the range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // not overlong
            else if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F; // at most U+10FFFF
        } else {
            return false;
        }
        if (i + length > n || s[i + 1] < low || s[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if (s[i + k] < 0x80 || s[i + k] > 0xBF)
                return false;
        i += length;
    }
    return true;
}

std::string utf8Text(std::string_view bytes)
{
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark) {
        bytes.remove_prefix(byteOrderMark.size());
        if (!isUtf8(bytes))
            throw BadSpreadsheet("文件标明为 UTF-8 编码，内容却不是有效的 UTF-8 文本");
        return std::string(bytes);
    }
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return converted(bytes.substr(2), "UTF-16LE", "UTF-16");
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return converted(bytes.substr(2), "UTF-16BE", "UTF-16");
    if (isUtf8(bytes))
        return std::string(bytes);
    return converted(bytes, "GB18030", "GB18030");
}

} // namespace spreadsheet
