#pragma once

#include <random>
#include <string>

// Lower-case letters, of a length drawn from [minLength, maxLength].
inline std::string RandomText(std::mt19937& random, size_t minLength, size_t maxLength)
{
    std::uniform_int_distribution<size_t> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string text(length(random), ' ');
    for (char& c : text)
        c = static_cast<char>(letter(random));
    return text;
}
