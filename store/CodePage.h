#pragma once

#include <cstddef>
#include <string>

// UTF-16 text from a data file into the system code page: WideCharToMultiByte
// with CP_ACP on Windows, Windows-1252 with '?' for the rest elsewhere.
std::string WideToSystemCodePage(const char16_t* units, size_t count);
