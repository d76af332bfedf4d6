// Windows' places and sizes as the settings keep them.
#pragma once

#include "settings/Profile.h"

#include <cstdint>
#include <string>

// A window's place and size as the settings keep them: the screen
// coordinates of its edges, written "left,top,right,bottom".
struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The settings' values of the modeless windows' places.
constexpr const char* kFindWindowEntry = "Find Window";
constexpr const char* kDuplicatesWindowEntry = "Duplicates Window";
constexpr const char* kCheckLinksWindowEntry = "Check Links Window";
constexpr const char* kHistoryWindowEntry = "History Window";

std::string FormatWindowRect(const WindowRect& rect);
// False, `rect` untouched, unless `text` is four whole numbers within a
// million of zero, separated by commas, giving a width and a height of 1
// to 100,000.
bool ParseWindowRect(const std::string& text, WindowRect& rect);

// From and to the settings section; false when the value is missing or is
// not such a rectangle.
bool ReadWindowRect(IProfile& profile, const std::string& entry, WindowRect& rect);
void WriteWindowRect(IProfile& profile, const std::string& entry, const WindowRect& rect);
