// Dots per inch and sizes scaled for them.
#pragma once

#include <windows.h>

// The dots per inch a window is shown at, and sizes for them. The calls that
// know a monitor's own DPI are looked up at run time: older Windows (and
// Wine) lack some, and a program not declared DPI-aware is told 96.
const UINT kDefaultDpi = 96;

// The window's DPI: its monitor's where Windows says, else the system's.
UINT WindowDpi(HWND hwnd);
// The DPI of the primary monitor, as the screen's LOGPIXELSY where nothing
// newer answers.
UINT SystemDpi();
// A size meant for 96 DPI at `dpi`.
int ScaleForDpi(int value, UINT dpi);
// A size at `from` DPI moved to `to`.
int RescaleDpi(int value, UINT from, UINT to);
// GetSystemMetrics as at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);
// The system's icon-title font (both panes' and the About box's) or its
// status-bar font, at `dpi`, in the default character set; null when it
// cannot be made. The caller deletes it.
enum class SystemFont { IconTitle, StatusBar };
HFONT CreateSystemFont(SystemFont which, UINT dpi);
// Tests pretend a DPI with this; 0 goes back to asking Windows.
void SetDpiOverride(UINT dpi);
