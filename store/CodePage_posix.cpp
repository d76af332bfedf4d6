// Code page conversions off Windows: Windows-1252 by table, the others
// through the C library's converter.
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

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    }
    return out;
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
    case kCodePageUtf7: return "UTF-7";
    default: return nullptr;
    }
}

// Through iconv; with `lenient` a byte it rejects becomes U+FFFD, otherwise
// the conversion fails.
bool Iconv(std::string_view text, const char* to, const char* from, bool lenient, std::string& out)
{
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return false;
    out.clear();
    char buffer[4096];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    bool ok = true;
    for (bool flushed = false; ok && !flushed;) {
        char* next = buffer;
        size_t outLeft = sizeof buffer;
        const bool flushing = inLeft == 0;
        const size_t done = flushing ? iconv(converter, nullptr, nullptr, &next, &outLeft)
                                     : iconv(converter, &in, &inLeft, &next, &outLeft);
        out.append(buffer, static_cast<size_t>(next - buffer));
        if (done != static_cast<size_t>(-1)) {
            flushed = flushing;
            // glibc counts characters it could only approximate.
            ok = lenient || done == 0;
        } else if ((errno == EILSEQ || errno == EINVAL) && lenient) {
            out += kReplacement;
            ++in;
            --inLeft;
        } else if (errno != E2BIG) {
            ok = false;
        }
    }
    iconv_close(converter);
    return ok;
}

} // namespace

unsigned LegacyCodePage()
{
    return 1252;
}

bool CodePageToUtf8(const char* text, size_t size, unsigned codePage, std::string& utf8)
{
    if (codePage == 1252) {
        utf8 = Windows1252ToUtf8(std::string_view(text, size));
        return true;
    }
    if (codePage == kCodePageUtf8) {
        utf8 = WellFormedUtf8(std::string_view(text, size));
        return true;
    }
    const char* name = IconvName(codePage);
    return name && Iconv(std::string_view(text, size), "UTF-8", name, true, utf8);
}

bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out)
{
    if (!IsWellFormedUtf8(utf8))
        return false;
    if (codePage == kCodePageUtf8) {
        out = std::string(utf8);
        return true;
    }
    if (codePage == 1252) {
        out.clear();
        out.reserve(utf8.size());
        for (size_t i = 0; i < utf8.size();) {
            char byte;
            if (!ToWindows1252(NextCodePoint(utf8, i), byte))
                return false;
            out += byte;
        }
        return true;
    }
    const char* name = IconvName(codePage);
    std::string back;
    return name && Iconv(utf8, name, "UTF-8", false, out) && Iconv(out, "UTF-8", name, false, back) && back == utf8;
}

std::string LegacyToUtf8(std::string_view text)
{
    return Windows1252ToUtf8(text);
}

std::string Utf8ToLegacy(std::string_view utf8, size_t& unconvertible)
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
