// HTML character references decoded as browsers do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// One character reference of HTML as browsers decode it: a named one (all
// of HTML's names, a few of which stand for two characters) or a number.
struct CharacterReference {
    uint32_t codes[2];  // code points
    size_t count;       // 1 or 2
    size_t length;      // of the reference in the text
};

// The reference at text[at] == '&'. Names need their ";", numbers may go
// without; &#128; to &#159; are read as windows-1252, and a number that is
// no character (0, a surrogate, past U+10FFFF) becomes U+FFFD.
bool ReadCharacterReference(std::string_view text, size_t at, CharacterReference& reference);
