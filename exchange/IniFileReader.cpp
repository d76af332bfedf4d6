// Values of an initialisation-format text, read as Windows reads them.
#include "exchange/IniFileReader.h"

#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <cstdint>

namespace {

const char16_t kReplacement = 0xFFFD;

// Carriage return and Ctrl+Z count as blanks, as they do for the Windows
// reader (old DOS files end in Ctrl+Z).
bool IsBlank(char16_t c)
{
    return c == ' ' || c == '\t' || c == 0x0B || c == 0x0C || c == '\r' || c == 0x1A;
}

bool IsLineEnd(char16_t c)
{
    return c == '\n' || c == '\r';
}

void AppendCodePoint(uint32_t cp, std::u16string& out)
{
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Each ill-formed sequence becomes one U+FFFD, as far as its bytes could
// have begun a valid one.
void DecodeUtf8(const unsigned char* p, size_t n, std::u16string& out)
{
    size_t i = 0;
    while (i < n) {
        const unsigned lead = p[i];
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        size_t need = 0;
        uint32_t cp = 0;
        unsigned low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            need = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            need = 2;
            cp = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            need = 3;
            cp = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool whole = true;
        for (size_t k = 0; k < need; ++k, ++j) {
            if (j >= n || p[j] < low || p[j] > high) {
                whole = false;
                break;
            }
            cp = (cp << 6) | (p[j] & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        if (whole)
            AppendCodePoint(cp, out);
        else
            out += kReplacement;
        i = j;
    }
}

void DecodeUtf16(const unsigned char* p, size_t n, bool bigEndian, std::u16string& out)
{
    out.reserve(n / 2 + 1);
    for (size_t i = 0; i + 1 < n; i += 2)
        out += static_cast<char16_t>(bigEndian ? (p[i] << 8) | p[i + 1] : p[i] | (p[i + 1] << 8));
    if (n % 2 != 0)
        out += kReplacement;
}

struct Span {
    size_t begin;
    size_t end;
};

Span Trimmed(const std::u16string& text, Span span)
{
    while (span.begin < span.end && IsBlank(text[span.begin]))
        ++span.begin;
    while (span.end > span.begin && IsBlank(text[span.end - 1]))
        --span.end;
    return span;
}

// Names and values end at a NUL unit, as C strings do.
Span UpToNul(const std::u16string& text, Span span)
{
    for (size_t i = span.begin; i < span.end; ++i) {
        if (text[i] == 0)
            return {span.begin, i};
    }
    return span;
}

bool NameEquals(const std::u16string& text, Span span, const std::string& name)
{
    span = UpToNul(text, span);
    if (span.end - span.begin != name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = text[span.begin + i];
        if (unit > 0x7F || FoldAscii(static_cast<char>(unit)) != FoldAscii(name[i]))
            return false;
    }
    return true;
}

// Where the value of `key` lies; false when there is none.
bool FindValue(const std::u16string& text, const std::string& section, const std::string& key, Span& value)
{
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        Span line{pos, pos};
        while (line.end < text.size() && !IsLineEnd(text[line.end]))
            ++line.end;
        pos = line.end + 1;
        line = Trimmed(text, line);
        if (line.begin == line.end)
            continue;

        if (text[line.begin] == '[') {
            size_t close = line.end;
            while (close > line.begin && text[close - 1] != ']')
                --close;
            if (close > line.begin) {
                // Only the first section of the name is searched.
                if (inSection)
                    return false;
                inSection = !section.empty() && NameEquals(text, Trimmed(text, {line.begin + 1, close - 1}), section);
                continue;
            }
        }
        if (!inSection)
            continue;

        size_t equals = line.begin;
        while (equals < line.end && text[equals] != '=')
            ++equals;
        if (!NameEquals(text, Trimmed(text, {line.begin, equals}), key))
            continue;
        if (equals == line.end)
            return false;
        value = UpToNul(text, Trimmed(text, {equals + 1, line.end}));
        return true;
    }
    return false;
}

} // namespace

std::string IniFileValue(const char* data, size_t size, const std::string& section, const std::string& key)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    std::u16string text;
    bool ansi = false;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        DecodeUtf8(bytes + 3, size - 3, text);
    } else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        DecodeUtf16(bytes + 2, size - 2, false, text);
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        DecodeUtf16(bytes + 2, size - 2, true, text);
    } else {
        // Every byte of the legacy code page that matters here is ASCII, so
        // the bytes can stand for themselves until the value is found.
        ansi = true;
        text.assign(bytes, bytes + size);
    }

    Span value;
    if (!FindValue(text, section, key, value))
        return std::string();
    const size_t length = value.end - value.begin;
    const char16_t first = length > 0 ? text[value.begin] : 0;
    if (length >= 2 && (first == '"' || first == '\'') && text[value.end - 1] == first) {
        ++value.begin;
        --value.end;
    }
    if (ansi)
        return StoreTextOf(std::string(text.begin() + value.begin, text.begin() + value.end), TextEncoding::Legacy);
    return Utf16ToUtf8(text.data() + value.begin, value.end - value.begin);
}
