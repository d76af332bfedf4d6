// Code page conversions off Windows: Windows-1252 by table.
#include "store/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <string>

namespace {

// Unicode code points of the bytes 0x80-0x9F in Windows-1252; the five the
// code page leaves undefined map to the same-numbered control characters.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

bool ToWindows1252(char32_t code, char& byte)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        byte = static_cast<char>(code);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == code) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    byte = '?';
    return false;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code point of the UTF-8 sequence at text[i], advancing i past it; an
// ill-formed sequence gives U+FFFD for its first byte only.
char32_t NextCodePoint(const std::string& text, size_t& i)
{
    const unsigned char lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3, code = lead & 0x07, least = 0x10000;
    } else {
        return 0xFFFD;
    }
    if (text.size() - i < length)
        return 0xFFFD;
    for (size_t k = 0; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0xFFFD;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0xFFFD;
    i += length;
    return code;
}

const char* IconvName(unsigned codePage)
{
    switch (codePage) {
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 28605: return "ISO-8859-15";
    default: return nullptr;
    }
}

// The other code pages through the C library's converter; a byte it
// rejects becomes U+FFFD.
bool IconvToUtf8(const char* text, size_t size, const char* name, std::string& utf8)
{
    const iconv_t converter = iconv_open("UTF-8", name);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    utf8.clear();
    char buffer[4096];
    char* in = const_cast<char*>(text);
    size_t inLeft = size;
    for (bool flushed = false; !flushed;) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const bool flushing = inLeft == 0;
        const size_t done = flushing ? iconv(converter, nullptr, nullptr, &out, &outLeft)
                                     : iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, static_cast<size_t>(out - buffer));
        if (done != static_cast<size_t>(-1)) {
            flushed = flushing;
        } else if (errno == EILSEQ || errno == EINVAL) {
            utf8 += kReplacement;
            ++in;
            --inLeft;
        } else if (errno != E2BIG) {
            iconv_close(converter);
            return false;
        }
    }
    iconv_close(converter);
    return true;
}

} // namespace

std::string WideToSystemCodePage(const char16_t* units, size_t count)
{
    std::string out;
    out.reserve(count);
    // Unit by unit, as Windows' single-byte tables do: a surrogate pair
    // becomes two '?'.
    for (size_t i = 0; i < count; ++i) {
        char byte;
        ToWindows1252(units[i], byte);
        out += byte;
    }
    return out;
}

bool CodePageToUtf8(const char* text, size_t size, unsigned codePage, std::string& utf8)
{
    if (codePage == 1252) {
        utf8 = SystemCodePageToUtf8(std::string(text, size));
        return true;
    }
    if (codePage == kCodePageUtf8) {
        const std::string in(text, size);
        utf8.clear();
        for (size_t i = 0; i < in.size();) {
            const size_t start = i;
            const char32_t code = NextCodePoint(in, i);
            if (code == 0xFFFD && i == start + 1)
                utf8 += kReplacement;
            else
                utf8.append(in, start, i - start);
        }
        return true;
    }
    const char* name = IconvName(codePage);
    return name && IconvToUtf8(text, size, name, utf8);
}

std::string Utf8ToSystemCodePage(const std::string& utf8, size_t& unconvertible)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char byte;
        if (!ToWindows1252(NextCodePoint(utf8, i), byte))
            ++unconvertible;
        out += byte;
    }
    return out;
}

std::string SystemCodePageToUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    }
    return out;
}
