// The system's colours and the colour dialog on Windows.
#include "settings/PaneColours.h"

#include <windows.h>

SystemColours CurrentSystemColours()
{
    return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
}
