// The store's texts are UTF-8; conversions at the edges where other
// encodings come in or go out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Code pages by their Windows numbers.
const unsigned kCodePageUtf7 = 65000;
const unsigned kCodePageUtf8 = 65001;

// The 8-bit code page that data files' plain strings and older programs'
// files are in: the user's ANSI code page (from the locale on Windows, where
// the program itself runs with UTF-8 as its active code page), Windows-1252
// elsewhere.
unsigned LegacyCodePage();

// UTF-8 from and to other Unicode forms. An ill-formed sequence (a lone
// surrogate, a byte that starts no well-formed UTF-8) becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t code);
// The code point at text[i], advancing i past it; U+FFFD for one byte of an
// ill-formed sequence.
char32_t NextCodePoint(std::string_view text, size_t& i);
std::string Utf16ToUtf8(const char16_t* units, size_t count);
std::u16string Utf8ToUtf16(std::string_view utf8);
bool IsAscii(std::string_view text);
bool IsWellFormedUtf8(std::string_view text);
// The length of the longest start of `text` within `bytes` that ends between
// two characters.
size_t WholeCharacters(std::string_view text, size_t bytes);
// `text` with every ill-formed byte replaced by `replacement` (and counted
// in `replaced`).
std::string WellFormedUtf8(std::string_view text, size_t* replaced = nullptr, const char* replacement = "\uFFFD");

// `size` bytes in `codePage` as UTF-8; a byte with no meaning there becomes
// U+FFFD. False when the system cannot read that code page.
bool CodePageToUtf8(const char* text, size_t size, unsigned codePage, std::string& utf8);

// UTF-8 in `codePage`, exactly: false when some character has no equivalent
// there that reads back as itself (or the system cannot write that code page).
bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out);

// Text in the legacy code page as UTF-8. Every byte keeps a meaning (the five
// Windows-1252 leaves undefined become the same-numbered controls), so that
// writing the result back gives the same bytes.
std::string LegacyToUtf8(std::string_view text);

// UTF-8 for a reader of the legacy code page only: best fit where the system
// offers it, and each character with no equivalent (and each ill-formed
// byte) becomes '?' and is counted in `unconvertible`.
std::string Utf8ToLegacy(std::string_view utf8, size_t& unconvertible);

// How another program's 8-bit text file is read: UTF-8 when it starts with
// the UTF-8 byte-order mark (which this drops from `text`) or is well-formed
// UTF-8 holding some non-ASCII byte; otherwise the legacy code page.
enum class TextEncoding { Legacy, Utf8 };
TextEncoding GuessTextEncoding(std::string_view& text);
// A piece of such a file as store text.
std::string StoreTextOf(std::string_view text, TextEncoding encoding);
