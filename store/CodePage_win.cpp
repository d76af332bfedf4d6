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

// With `exact`, a character the code page holds no equivalent of fails the
// conversion; without, the system maps what it can to a look-alike and the
// rest to its default character.
bool FromWide(const std::wstring& wide, UINT codePage, bool exact, std::string& out)
{
    out.clear();
    if (wide.empty())
        return true;
    const int length = ApiLength(wide.size());
    // The Unicode forms take neither flags nor a default character.
    const bool unicode = codePage == CP_UTF7 || codePage == CP_UTF8;
    const DWORD flags = exact && !unicode ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL defaulted = FALSE;
    BOOL* usedDefault = exact && !unicode ? &defaulted : nullptr;
    const int need = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefault);
    if (need <= 0 || defaulted)
        return false;
    out.resize(static_cast<size_t>(need));
    WideCharToMultiByte(codePage, flags, wide.data(), length, &out[0], need, nullptr, nullptr);
    return true;
}

// The legacy code page was checked once; data files ask for it per string.
bool Usable(unsigned codePage)
{
    return codePage != 0 && (codePage == LegacyCodePage() || codePage == kCodePageUtf8 || IsValidCodePage(codePage));
}

std::wstring WideOf(std::string_view utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

} // namespace

unsigned LegacyCodePage()
{
    static const unsigned codePage = [] {
        // Without the manifest's UTF-8 (before Windows 10 1903) the active
        // code page is the legacy one itself.
        if (GetACP() != CP_UTF8)
            return static_cast<unsigned>(GetACP());
        DWORD fromLocale = 0;
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                           reinterpret_cast<LPWSTR>(&fromLocale), sizeof fromLocale / sizeof(WCHAR)) == 0 ||
            fromLocale == 0 || fromLocale == CP_UTF8 || !IsValidCodePage(fromLocale))
            // A locale with no ANSI code page of its own.
            return 1252u;
        return static_cast<unsigned>(fromLocale);
    }();
    return codePage;
}

bool CodePageToUtf8(const char* text, size_t size, unsigned codePage, std::string& utf8)
{
    // 0 would be CP_ACP, which callers name by the functions below.
    if (!Usable(codePage))
        return false;
    if (codePage == kCodePageUtf8) {
        utf8 = WellFormedUtf8(std::string_view(text, size));
        return true;
    }
    std::wstring wide;
    if (!ToWide(text, size, codePage, wide))
        return false;
    utf8 = Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
    return true;
}

bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out)
{
    if (!IsWellFormedUtf8(utf8) || !Usable(codePage))
        return false;
    if (codePage == kCodePageUtf8) {
        out = std::string(utf8);
        return true;
    }
    const std::wstring wide = WideOf(utf8);
    std::wstring back;
    // Only what reads back as itself counts: some tables map two characters
    // to one byte.
    return FromWide(wide, codePage, true, out) && ToWide(out.data(), out.size(), codePage, back) && back == wide;
}

std::string LegacyToUtf8(std::string_view text)
{
    std::string utf8;
    if (!CodePageToUtf8(text.data(), text.size(), LegacyCodePage(), utf8))
        utf8 = WellFormedUtf8(text);
    return utf8;
}

std::string Utf8ToLegacy(std::string_view utf8, size_t& unconvertible)
{
    const std::wstring wide = WideOf(utf8);
    std::string out;
    FromWide(wide, LegacyCodePage(), false, out);
    // The default character the system puts in for the rest is '?' in every
    // ANSI code page, and never a trail byte of a double-byte one.
    const size_t made = static_cast<size_t>(std::count(out.begin(), out.end(), '?'));
    const size_t given = static_cast<size_t>(std::count(wide.begin(), wide.end(), L'?'));
    if (made > given)
        unconvertible += made - given;
    return out;
}
