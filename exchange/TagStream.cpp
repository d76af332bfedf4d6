#include "exchange/TagStream.h"

#include "store/TextCompare.h"

#include <cstring>

// `text` begins with `lower`, ASCII letters in any case.
bool StartsNoCase(std::string_view text, const char* lower)
{
    const size_t n = std::strlen(lower);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (FoldAscii(text[i]) != lower[i])
            return false;
    }
    return true;
}

bool EqualsNoCase(std::string_view text, const char* lower)
{
    return text.size() == std::strlen(lower) && StartsNoCase(text, lower);
}

size_t FindNoCase(std::string_view text, const char* lower)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsNoCase(text.substr(i), lower))
            return i;
    }
    return kNone;
}

bool FindAttribute(std::string_view attributes, const char* lowerName, std::string_view& value)
{
    AttributeReader reader(attributes);
    std::string_view name;
    while (reader.Next(name, value)) {
        if (EqualsNoCase(name, lowerName))
            return true;
    }
    return false;
}

void AppendUtf8(std::string& out, uint32_t code)
{
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

bool IsAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}
