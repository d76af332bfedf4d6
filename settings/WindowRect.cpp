// Windows' places and sizes as the settings keep them.
#include "settings/WindowRect.h"

namespace {

const int32_t kFarthest = 1000000;
const int32_t kLargest = 100000;

// One number of at most seven digits, optionally negative, from `at`;
// `at` ends past it.
bool ParseCoordinate(const std::string& text, size_t& at, int32_t& value)
{
    const bool negative = at < text.size() && text[at] == '-';
    if (negative)
        ++at;
    const size_t first = at;
    int64_t magnitude = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - first < 8) {
        magnitude = magnitude * 10 + (text[at] - '0');
        ++at;
    }
    if (at == first || magnitude > kFarthest)
        return false;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

} // namespace

std::string FormatWindowRect(const WindowRect& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

bool ParseWindowRect(const std::string& text, WindowRect& rect)
{
    int32_t edges[4] = {};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (at >= text.size() || text[at++] != ','))
            return false;
        if (!ParseCoordinate(text, at, edges[i]))
            return false;
    }
    const int32_t width = edges[2] - edges[0];
    const int32_t height = edges[3] - edges[1];
    if (at != text.size() || width < 1 || width > kLargest || height < 1 || height > kLargest)
        return false;
    rect = {edges[0], edges[1], edges[2], edges[3]};
    return true;
}

bool ReadWindowRect(IProfile& profile, const std::string& entry, WindowRect& rect)
{
    return ParseWindowRect(profile.GetProfileString(kSettingsSection, entry, std::string()), rect);
}

void WriteWindowRect(IProfile& profile, const std::string& entry, const WindowRect& rect)
{
    profile.WriteProfileString(kSettingsSection, entry, FormatWindowRect(rect));
}
