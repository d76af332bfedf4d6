#pragma once

#include <windows.h>

// The system's icon-title font in the default character set, as both panes
// and the About box show their texts; the caller deletes it.
HFONT CreateIconTitleFont();
