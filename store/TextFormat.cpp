// FormatText: the one formatter of %1-style texts.
#include "store/TextFormat.h"

#include <vector>

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        size_t number = static_cast<size_t>(-1);
        if (next == 'd')
            number = 0;
        else if (next >= '1' && next <= '9')
            number = static_cast<size_t>(next - '1');
        if (pattern[i] == '%' && number < values.size()) {
            text += values[number];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
