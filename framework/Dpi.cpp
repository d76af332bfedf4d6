// Dots per inch and sizes scaled for them.
#include "framework/Dpi.h"

namespace {

UINT g_dpiOverride = 0;

template <typename Function>
Function User32Function(const char* name)
{
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                             : nullptr;
}

UINT ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

} // namespace

void SetDpiOverride(UINT dpi)
{
    g_dpiOverride = dpi;
}

UINT SystemDpi()
{
    if (g_dpiOverride != 0)
        return g_dpiOverride;
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
    const UINT dpi = getDpiForSystem != nullptr ? getDpiForSystem() : 0;
    return dpi != 0 ? dpi : ScreenDpi();
}

UINT WindowDpi(HWND hwnd)
{
    if (g_dpiOverride != 0)
        return g_dpiOverride;
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr && hwnd != nullptr ? getDpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

int ScaleForDpi(int value, UINT dpi)
{
    return RescaleDpi(value, kDefaultDpi, dpi);
}

int RescaleDpi(int value, UINT from, UINT to)
{
    return from == 0 || from == to ? value : MulDiv(value, static_cast<int>(to), static_cast<int>(from));
}

int SystemMetricForDpi(int index, UINT dpi)
{
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi != nullptr)
        return forDpi(index, dpi);
    return RescaleDpi(GetSystemMetrics(index), ScreenDpi(), dpi);
}

// The system checks the size it is given against its own record's.
static_assert(sizeof(LOGFONTW) == 92, "font record size");
// With iPaddedBorderWidth: the size Windows 7 and later take.
static_assert(sizeof(NONCLIENTMETRICSW) == 504, "non-client metrics record size");

HFONT CreateSystemFont(SystemFont which, UINT dpi)
{
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    const auto ask = [dpi](UINT action, UINT size, void* data) {
        return (forDpi != nullptr ? forDpi(action, size, data, 0, dpi) : SystemParametersInfoW(action, size, data, 0)) != 0;
    };
    LOGFONTW font = {};
    if (which == SystemFont::IconTitle) {
        if (!ask(SPI_GETICONTITLELOGFONT, sizeof font, &font))
            return nullptr;
    } else {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        if (!ask(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics))
            return nullptr;
        font = metrics.lfStatusFont;
    }
    // Without the newer call the fonts come sized for the screen's DPI.
    if (forDpi == nullptr)
        font.lfHeight = RescaleDpi(font.lfHeight, ScreenDpi(), dpi);
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectW(&font);
}
