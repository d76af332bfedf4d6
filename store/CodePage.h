// Conversions between UTF-8 and the system code page the store's texts are in.
#pragma once

#include <cstddef>
#include <string>

// The system code page is the one the store's texts are in: the active code
// page (CP_ACP) on Windows, Windows-1252 elsewhere.

// UTF-16 text from a data file into the system code page: WideCharToMultiByte
// with CP_ACP on Windows, Windows-1252 with '?' for the rest elsewhere.
std::string WideToSystemCodePage(const char16_t* units, size_t count);

// Code pages by their Windows numbers.
const unsigned kCodePageUtf8 = 65001;

// `size` bytes in `codePage` as UTF-8; a byte with no meaning there becomes
// U+FFFD. False when the system cannot read that code page.
bool CodePageToUtf8(const char* text, size_t size, unsigned codePage, std::string& utf8);

// UTF-8 into the system code page, best fit where the system offers it. Each
// character with no equivalent (and each byte that is no UTF-8) becomes '?'
// and is counted in `unconvertible`.
std::string Utf8ToSystemCodePage(const std::string& utf8, size_t& unconvertible);

// Text in the system code page as UTF-8.
std::string SystemCodePageToUtf8(const std::string& text);
