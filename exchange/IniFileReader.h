// Values of an initialisation-format text, read as Windows reads them.
#pragma once

#include <cstddef>
#include <string>

// The value of `key` in `section` of an initialisation-format text, read the
// way the Windows profile reader reads it: section and key matched without
// regard to ASCII case, only the first section of that name searched, blanks
// around the value dropped, one pair of matching quotes removed, and a UTF-8
// or UTF-16 byte-order mark honoured (such text comes back in the system
// code page). Empty when the section, the key or its "=" is missing.
std::string IniFileValue(const char* data, size_t size, const std::string& section, const std::string& key);
