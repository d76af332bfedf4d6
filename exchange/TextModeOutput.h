// Text as a file written in text mode holds it.
#pragma once

#include <string>

// The bytes a file written in text mode holds: every line feed, also one
// inside a name or URL, becomes carriage return plus line feed.
std::string TextModeBytes(const std::string& text);
