// HTML character references decoded as browsers do.
#include "exchange/CharacterReference.h"

#include "store/TextCompare.h"

#include <algorithm>

namespace {

#include "exchange/CharacterReferences.inc"

bool IsAlphanumeric(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string_view NameOf(size_t entry)
{
    return std::string_view(kReferenceNames + kReferences[entry].name, kReferences[entry].length);
}

bool ReadNamed(std::string_view name, CharacterReference& reference)
{
    const size_t count = sizeof kReferences / sizeof kReferences[0];
    size_t low = 0;
    size_t high = count;
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (NameOf(middle) < name)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == count || NameOf(low) != name)
        return false;
    reference.codes[0] = kReferences[low].first;
    reference.count = 1;
    if (kReferences[low].second != 0)
        reference.codes[reference.count++] = kReferenceSeconds[kReferences[low].second - 1];
    return true;
}

} // namespace

bool ReadCharacterReference(std::string_view text, size_t at, CharacterReference& reference)
{
    size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex)
            ++i;
        const size_t digitsStart = i;
        uint32_t value = 0;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            uint32_t digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<uint32_t>(c - '0');
            else if (hex && FoldAscii(c) >= 'a' && FoldAscii(c) <= 'f')
                digit = static_cast<uint32_t>(FoldAscii(c) - 'a' + 10);
            else
                break;
            value = value > 0x10FFFF ? value : value * (hex ? 16 : 10) + digit;
        }
        if (i == digitsStart)
            return false;
        if (i < text.size() && text[i] == ';')
            ++i;
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            value = 0xFFFD;
        else if (value >= 0x80 && value < 0xA0)
            value = kWindows1252High[value - 0x80];
        reference.codes[0] = value;
        reference.count = 1;
        reference.length = i - at;
        return true;
    }
    const size_t nameStart = i;
    while (i < text.size() && i - nameStart < kLongestReferenceName && IsAlphanumeric(text[i]))
        ++i;
    if (i >= text.size() || text[i] != ';' || !ReadNamed(text.substr(nameStart, i - nameStart), reference))
        return false;
    reference.length = i + 1 - at;
    return true;
}
