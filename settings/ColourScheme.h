// The built-in colour schemes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One built-in pair of pane colours (0x00BBGGRR).
class ColourScheme {
public:
    ColourScheme(const std::string& schemeName, uint32_t text, uint32_t background)
        : name(schemeName), textColour(text), backgroundColour(background)
    {
    }
    virtual ~ColourScheme() = default;

    std::string name;
    uint32_t textColour;
    uint32_t backgroundColour;
};

// The scheme table, indexed by "Scheme"; filled once while the panes are made.
extern std::vector<ColourScheme> theColourSchemes;

// Fills the table with the seven schemes, "Space" to "Meadow", in menu order.
void BuildColourSchemes(std::vector<ColourScheme>& schemes);
