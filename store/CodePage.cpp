// The Unicode forms and the guess of a file's encoding, the same everywhere.
#include "store/CodePage.h"

namespace {

bool IsSurrogate(char32_t code)
{
    return code >= 0xD800 && code <= 0xDFFF;
}

} // namespace

void AppendUtf8(std::string& out, char32_t code)
{
    if (code > 0x10FFFF || IsSurrogate(code))
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

char32_t NextCodePoint(std::string_view text, size_t& i)
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
    if (code < least || code > 0x10FFFF || IsSurrogate(code))
        return 0xFFFD;
    i += length;
    return code;
}

std::string Utf16ToUtf8(const char16_t* units, size_t count)
{
    std::string out;
    out.reserve(count + count / 2);
    for (size_t i = 0; i < count; ++i) {
        char32_t code = units[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        AppendUtf8(out, code);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t code = NextCodePoint(utf8, i);
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

bool IsAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool IsWellFormedUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        if (NextCodePoint(text, i) == 0xFFFD && i == start + 1)
            return false;
    }
    return true;
}

size_t WholeCharacters(std::string_view text, size_t bytes)
{
    if (bytes >= text.size())
        return text.size();
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return bytes;
}

std::string WellFormedUtf8(std::string_view text, size_t* replaced, const char* replacement)
{
    if (IsAscii(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        if (NextCodePoint(text, i) == 0xFFFD && i == start + 1) {
            out += replacement;
            if (replaced)
                ++*replaced;
        } else {
            out.append(text, start, i - start);
        }
    }
    return out;
}

TextEncoding GuessTextEncoding(std::string_view& text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
        return TextEncoding::Utf8;
    }
    return !IsAscii(text) && IsWellFormedUtf8(text) ? TextEncoding::Utf8 : TextEncoding::Legacy;
}

std::string StoreTextOf(std::string_view text, TextEncoding encoding)
{
    if (IsAscii(text))
        return std::string(text);
    return encoding == TextEncoding::Utf8 ? WellFormedUtf8(text) : LegacyToUtf8(text);
}
