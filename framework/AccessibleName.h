// Names screen readers announce for controls.
#pragma once

#include <windows.h>

#include <string>

// Gives `control` the name a screen reader announces for it, where no label
// in front of it does: list views, progress bars, an edit box alone on its
// page. List views and progress bars take it as their window text too: they
// never show it, and some readers look there.
void SetAccessibleName(HWND control, const std::string& name);
