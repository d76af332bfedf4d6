// FormatText: the one formatter of %1-style texts.
#pragma once

#include <initializer_list>
#include <string>

// `pattern` with every %1, %2 ... %9 replaced by the argument of that
// number, in one pass, so that an argument holding "%2" stays as it is; a
// number with no argument, and any other %, stay as they are. A %d, as the
// string table's older texts have it, is %1.
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args);
