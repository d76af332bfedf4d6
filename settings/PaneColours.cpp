// The panes' colours and choosing them.
#include "settings/PaneColours.h"

#include "store/Prompt.h"

uint32_t theCustomColours[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

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

int MarkedScheme(const Preferences& prefs)
{
    return prefs.scheme < static_cast<uint32_t>(kSchemeCount) ? static_cast<int>(prefs.scheme) : 0;
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
