// The system's colours off Windows.
#include "settings/PaneColours.h"

SystemColours CurrentSystemColours()
{
    return {0xFFFFFF, 0x000000};
}
