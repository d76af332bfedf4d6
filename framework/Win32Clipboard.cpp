// The system clipboard's plain text.
#include "framework/Win32Clipboard.h"

#include "store/CodePage.h"

#include <cstring>

namespace {

// Hands `size` bytes of `data` to the open clipboard as `format`; false
// when the clipboard did not take them.
bool PutBlock(UINT format, const void* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block)
        return false;
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(memory, data, size);
    GlobalUnlock(block);
    // The clipboard owns the block from here; only a refusal leaves it ours.
    if (!SetClipboardData(format, block)) {
        GlobalFree(block);
        return false;
    }
    return true;
}

// The open clipboard's text in `format` (CF_UNICODETEXT or CF_TEXT), as
// store text; false when it holds none.
bool GetBlock(UINT format, std::string& text)
{
    const HANDLE data = GetClipboardData(format);
    if (!data)
        return false;
    const void* memory = GlobalLock(data);
    if (!memory)
        return false;
    // Another program's block need not end in a zero within its size.
    const SIZE_T size = GlobalSize(data);
    if (format == CF_UNICODETEXT) {
        const auto* units = static_cast<const char16_t*>(memory);
        const size_t count = size / sizeof(char16_t);
        size_t length = 0;
        while (length < count && units[length] != 0)
            ++length;
        text = Utf16ToUtf8(units, length);
    } else {
        const char* bytes = static_cast<const char*>(memory);
        const void* end = std::memchr(bytes, '\0', size);
        // Other programs' 8-bit text is in the legacy code page.
        text = LegacyToUtf8(std::string_view(bytes, end ? static_cast<const char*>(end) - bytes : size));
    }
    GlobalUnlock(data);
    return true;
}

} // namespace

void Win32Clipboard::PutText(const std::string& text)
{
    if (!OpenClipboard(m_owner))
        return;
    EmptyClipboard();
    // The text whole, and as near as the legacy code page comes for
    // programs that read only 8-bit text.
    const std::u16string wide = Utf8ToUtf16(text);
    PutBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    size_t unconvertible = 0;
    const std::string legacy = Utf8ToLegacy(text, unconvertible);
    PutBlock(CF_TEXT, legacy.c_str(), legacy.size() + 1);
    CloseClipboard();
}

std::string Win32Clipboard::GetText()
{
    if (!OpenClipboard(m_owner))
        return std::string();
    std::string text;
    if (!GetBlock(CF_UNICODETEXT, text))
        GetBlock(CF_TEXT, text);
    CloseClipboard();
    return text;
}

void Win32Clipboard::Empty()
{
    if (!OpenClipboard(m_owner))
        return;
    EmptyClipboard();
    CloseClipboard();
}
