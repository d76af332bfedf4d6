#include "store/CodePage.h"

#include <windows.h>

std::string WideToSystemCodePage(const char16_t* units, size_t count)
{
    std::string out;
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(units);
    size_t done = 0;
    // WideCharToMultiByte takes int lengths; convert in pieces that keep
    // surrogate pairs together.
    while (done < count) {
        size_t piece = count - done;
        if (piece > 0x10000000) {
            piece = 0x10000000;
            if (units[done + piece - 1] >= 0xD800 && units[done + piece - 1] <= 0xDBFF)
                --piece;
        }
        const int need = WideCharToMultiByte(CP_ACP, 0, wide + done, static_cast<int>(piece), nullptr, 0, nullptr, nullptr);
        if (need > 0) {
            const size_t at = out.size();
            out.resize(at + static_cast<size_t>(need));
            WideCharToMultiByte(CP_ACP, 0, wide + done, static_cast<int>(piece), &out[at], need, nullptr, nullptr);
        }
        done += piece;
    }
    return out;
}
