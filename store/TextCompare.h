// How the store compares, sorts and hashes texts.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The store's notion of "equal": byte-wise, folding only the ASCII letters,
// so bytes 0x80-0xFF compare as they are whatever the code page says.
inline char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool TextEqual(const std::string& a, const std::string& b);

// Three-way order used by both panes: ASCII letters folded to lower case,
// then unsigned bytes. Returns <0, 0 or >0.
int CompareNoCase(const std::string& a, const std::string& b);

// CompareNoCase of `text`'s first prefix.size() bytes against `prefix`: 0
// when `text` begins with `prefix`, and texts that do stand together in
// CompareNoCase order.
int CompareNoCasePrefix(const std::string& text, const std::string& prefix);

// Indices of `names` in display order; a stable sort, so equal names keep
// their store order.
std::vector<size_t> SortedOrder(const std::vector<std::string>& names);

// Sorts `indices` by the texts `textOf` gives them, in CompareNoCase order
// (descending when not `ascending`); equal texts keep ascending index order
// either way. Fast on a million texts: most comparisons look at a number
// made of each text's first bytes.
void SortIndicesNoCase(std::vector<size_t>& indices, const std::function<const std::string&(size_t)>& textOf,
                       bool ascending);

// Hash matching TextEqual: equal texts hash alike.
size_t HashNoCase(const std::string& s);

bool StartsWith(const std::string& text, const char* prefix);
// Whether `text` begins with `prefix` by the store's rule (TextEqual).
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
