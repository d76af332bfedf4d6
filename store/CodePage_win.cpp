// Code page conversions through the Windows API.
#include "store/CodePage.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace {

// The API takes int lengths; the imports never hand it more than their
// file-size cap.
int ApiLength(size_t size)
{
    if (size > 0x7FFFFFFF)
        throw std::bad_alloc();
    return static_cast<int>(size);
}

// Without MB_ERR_INVALID_CHARS a byte with no meaning becomes U+FFFD (or
// the code page's own default), which is what the callers want.
bool ToWide(const char* text, size_t size, UINT codePage, std::wstring& wide)
{
    wide.clear();
    if (size == 0)
        return true;
    const int need = MultiByteToWideChar(codePage, 0, text, ApiLength(size), nullptr, 0);
    if (need <= 0)
        return false;
    wide.resize(static_cast<size_t>(need));
    MultiByteToWideChar(codePage, 0, text, ApiLength(size), &wide[0], need);
    return true;
}

// Without WC_NO_BEST_FIT_CHARS the system maps what it can to a look-alike.
std::string FromWide(const std::wstring& wide, UINT codePage)
{
    std::string out;
    if (wide.empty())
        return out;
    const int length = ApiLength(wide.size());
    const int need = WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (need <= 0)
        return out;
    out.resize(static_cast<size_t>(need));
    WideCharToMultiByte(codePage, 0, wide.data(), length, &out[0], need, nullptr, nullptr);
    return out;
}

} // namespace

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

bool CodePageToUtf8(const char* text, size_t size, unsigned codePage, std::string& utf8)
{
    // 0 would be CP_ACP, which callers name by the functions below.
    if (codePage == 0 || (codePage != kCodePageUtf8 && !IsValidCodePage(codePage)))
        return false;
    std::wstring wide;
    if (!ToWide(text, size, codePage, wide))
        return false;
    utf8 = FromWide(wide, CP_UTF8);
    return true;
}

std::string Utf8ToSystemCodePage(const std::string& utf8, size_t& unconvertible)
{
    std::wstring wide;
    ToWide(utf8.data(), utf8.size(), CP_UTF8, wide);
    const std::string out = FromWide(wide, CP_ACP);
    // The default character the system puts in for the rest is '?' in every
    // ANSI code page, and never a trail byte of a double-byte one.
    const size_t made = static_cast<size_t>(std::count(out.begin(), out.end(), '?'));
    const size_t given = static_cast<size_t>(std::count(wide.begin(), wide.end(), L'?'));
    if (made > given)
        unconvertible += made - given;
    return out;
}

std::string SystemCodePageToUtf8(const std::string& text)
{
    std::wstring wide;
    ToWide(text.data(), text.size(), CP_ACP, wide);
    return FromWide(wide, CP_UTF8);
}
