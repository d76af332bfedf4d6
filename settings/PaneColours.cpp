#include "settings/PaneColours.h"

#include "res/resource.h"
#include "store/Prompt.h"

uint32_t theCustomColours[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

namespace {

const unsigned kSchemeCommands[] = {
    ID_SCHEME_SPACE, ID_SCHEME_NAVY, ID_SCHEME_AQUARIUM, ID_SCHEME_GREEN_FIELD,
    ID_SCHEME_TWILIGHT, ID_SCHEME_SEA, ID_SCHEME_MEADOW,
};
constexpr int kSchemeCount = static_cast<int>(sizeof kSchemeCommands / sizeof kSchemeCommands[0]);

}  // namespace

PaneColourPair ChoosePaneColours(const Preferences& prefs, const std::vector<ColourScheme>& schemes,
                                 SystemColours system)
{
    if (prefs.useSystemColours)
        return {system.window, system.windowText};
    if (prefs.useCustomColours)
        return {prefs.bkColour, prefs.txtColour};
    if (prefs.scheme < schemes.size())
        return {schemes[prefs.scheme].backgroundColour, schemes[prefs.scheme].textColour};
    // A damaged "Scheme" would index past the table.
    if (!schemes.empty())
        return {schemes.front().backgroundColour, schemes.front().textColour};
    return {system.window, system.windowText};
}

int SchemeIndexOfCommand(unsigned command)
{
    for (int index = 0; index < kSchemeCount; ++index) {
        if (kSchemeCommands[index] == command)
            return index;
    }
    return -1;
}

unsigned SchemeCommandOfIndex(int index)
{
    return index >= 0 && index < kSchemeCount ? kSchemeCommands[index] : 0;
}

unsigned CheckedSchemeCommand(const Preferences& prefs)
{
    return prefs.scheme < static_cast<uint32_t>(kSchemeCount) ? kSchemeCommands[prefs.scheme] : kSchemeCommands[0];
}

bool ApplySchemeCommand(Preferences& prefs, unsigned command)
{
    const int index = SchemeIndexOfCommand(command);
    if (index < 0)
        return false;
    prefs.scheme = static_cast<uint32_t>(index);
    return true;
}

bool ChooseCustomColour(IPrompt& prompt, Preferences& prefs, const std::vector<ColourScheme>& schemes,
                        SystemColours system, bool background)
{
    const PaneColourPair inEffect = ChoosePaneColours(prefs, schemes, system);
    uint32_t colour = background ? inEffect.background : inEffect.text;
    if (!prompt.ChooseColour(colour, theCustomColours))
        return false;
    (background ? prefs.bkColour : prefs.txtColour) = colour;
    return true;
}
