// The built-in colour schemes.
#include "settings/ColourScheme.h"

std::vector<ColourScheme> theColourSchemes;

void BuildColourSchemes(std::vector<ColourScheme>& schemes)
{
    // Built once per frame; a second frame (tests make many) must not grow it.
    schemes.clear();
    schemes.emplace_back("Space", 0xFFFFFF, 0x000000);
    schemes.emplace_back("Navy", 0x00C7FF, 0x800000);
    schemes.emplace_back("Aquarium", 0x800000, 0xF0CB00);
    schemes.emplace_back("Green Field", 0x00E0DC, 0x008200);
    schemes.emplace_back("Twilight", 0xC8C8C8, 0x464646);
    schemes.emplace_back("Sea", 0x00C9C9, 0x4F4F00);
    schemes.emplace_back("Meadow", 0x783425, 0x9B9B00);
}
